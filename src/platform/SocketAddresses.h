#pragma once

#include "platform/Sockets.h"

#include <cstring>
#include <vector>

namespace platform {

// The addresses of a getaddrinfo list, in its order; those too long to hold are left out.
// A template, since each system declares addrinfo in its own header.
template <class AddressInfo> std::vector<SocketAddress> CopyAddresses(const AddressInfo* found) {
    std::vector<SocketAddress> addresses;
    for (const AddressInfo* entry = found; entry; entry = entry->ai_next) {
        SocketAddress address;
        if (entry->ai_addrlen > address.bytes.size())
            continue;
        std::memcpy(address.bytes.data(), entry->ai_addr, entry->ai_addrlen);
        address.length = entry->ai_addrlen;
        addresses.push_back(address);
    }
    return addresses;
}

} // namespace platform
