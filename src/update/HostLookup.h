#pragma once

#include "platform/Sockets.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Finds the addresses of a host, as platform::ResolveHost does; tests give resolvers of their own.
using HostResolver =
    std::function<std::vector<platform::SocketAddress>(const std::string& host, int port)>;

// Looks Host up with Resolver on a thread of its own, since the system's resolver can neither be
// bounded nor interrupted: WhileWaiting runs every Slice until the answer is there, and may throw
// to give up (a deadline, the caller's cancel). A lookup given up on ends in the background, its
// answer dropped. Returns the addresses, or throws what Resolver threw.
std::vector<platform::SocketAddress> LookUpHost(const HostResolver& resolver,
                                                const std::string& host, int port,
                                                std::chrono::milliseconds slice,
                                                const std::function<void()>& whileWaiting);
