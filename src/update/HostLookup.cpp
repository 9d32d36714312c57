#include "update/HostLookup.h"

#include "platform/CrashHandler.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Shared by the caller and the lookup's thread, which may outlive the caller's wait.
struct Lookup {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::vector<platform::SocketAddress> addresses;
    std::exception_ptr error;
};

} // namespace

std::vector<platform::SocketAddress> LookUpHost(const HostResolver& resolver,
                                                const std::string& host, int port,
                                                std::chrono::milliseconds slice,
                                                const std::function<void()>& whileWaiting) {
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, resolver, host, port] {
        const platform::ThreadCrashStack crashStack;
        std::vector<platform::SocketAddress> addresses;
        std::exception_ptr error;
        try {
            addresses = resolver(host, port);
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(lookup->mutex);
        lookup->addresses = std::move(addresses);
        lookup->error = error;
        lookup->done = true;
        lookup->answered.notify_all();
    }).detach();
    for (;;) {
        {
            std::unique_lock lock(lookup->mutex);
            if (lookup->answered.wait_for(lock, slice, [&] { return lookup->done; })) {
                if (lookup->error)
                    std::rethrow_exception(lookup->error);
                return std::move(lookup->addresses);
            }
        }
        whileWaiting();
    }
}
