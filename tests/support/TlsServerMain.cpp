// Serves the TLS scenarios for the Windows tests under Wine, which have no OpenSSL of their
// own: tls_test_server FOLDER writes the test root to FOLDER/root.pem and the address of each
// scenario, one a line, to FOLDER/servers.txt, then serves until it is stopped.

#include "support/TestTls.h"
#include "support/TlsScenarios.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: tls_test_server FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    TlsScenarioServers servers;
    std::ofstream(folder / "root.pem", std::ios::binary) << TestRootPem();
    // Written whole, then renamed, so that a reader never sees half a list.
    {
        std::ofstream list(folder / "servers.txt.part", std::ios::binary);
        for (std::size_t index = 0; index < TlsScenarios().size(); ++index)
            list << servers.Url(index) << '\n';
    }
    std::filesystem::rename(folder / "servers.txt.part", folder / "servers.txt");
    for (;;)
        ::pause();
}
