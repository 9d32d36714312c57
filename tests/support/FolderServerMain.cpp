// Serves the files of a folder over http on 127.0.0.1, for the Windows programs under Wine to
// download: folder_test_server FOLDER PORT_FILE writes the port it listens on to PORT_FILE, then
// answers GET /NAME with FOLDER/NAME, one connection at a time, until it is stopped. Every
// request is logged to standard output.

#include "platform/Sockets.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int WaitMs = 10'000;

// The request head, or nothing when the client closed first or took too long.
std::optional<std::string> ReceiveHead(platform::Socket& socket) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        if (head.size() > 64 * 1024 || !socket.WaitReadable(WaitMs))
            return std::nullopt;
        const auto count = socket.Receive(buffer);
        if (count && *count == 0)
            return std::nullopt;
        if (count)
            head.append(buffer, *count);
    }
    return head;
}

void SendAll(platform::Socket& socket, std::string_view bytes) {
    while (!bytes.empty()) {
        if (!socket.WaitWritable(WaitMs))
            throw std::runtime_error("the client stopped reading");
        bytes.remove_prefix(socket.Send(bytes));
    }
}

// The file a request line names, when it names a plain file of the folder.
std::optional<fs::path> RequestedFile(const fs::path& folder, const std::string& head) {
    std::istringstream line(head.substr(0, head.find("\r\n")));
    std::string method, target;
    line >> method >> target;
    const std::string name = target.starts_with('/') ? target.substr(1) : std::string();
    if (method != "GET" || name.empty() || name.find_first_of("/\\%?") != std::string::npos ||
        name == "." || name == "..")
        return std::nullopt;
    const fs::path file = folder / name;
    return fs::is_regular_file(file) ? std::optional(file) : std::nullopt;
}

void Serve(platform::Socket& socket, const fs::path& folder) {
    const auto head = ReceiveHead(socket);
    if (!head)
        return;
    std::cout << head->substr(0, head->find("\r\n")) << std::endl;
    const auto file = RequestedFile(folder, *head);
    if (!file) {
        SendAll(socket, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        return;
    }
    std::ifstream in(*file, std::ios::binary);
    const std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SendAll(socket,
            "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n");
    SendAll(socket, body);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: folder_test_server FOLDER PORT_FILE\n";
        return 2;
    }
    const fs::path folder = argv[1];
    platform::ListeningSocket listener;
    // Written whole, then renamed, so that a reader never sees half a number.
    const fs::path portFile = argv[2];
    std::ofstream(fs::path(portFile).concat(".part")) << listener.Port() << '\n';
    fs::rename(fs::path(portFile).concat(".part"), portFile);
    for (;;) {
        auto socket = listener.Accept(1000);
        if (!socket)
            continue;
        try {
            Serve(*socket, folder);
        } catch (const std::exception& error) {
            std::cout << "Gave up on a client: " << error.what() << std::endl;
        }
    }
}
