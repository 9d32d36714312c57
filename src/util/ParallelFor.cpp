#include "util/ParallelFor.h"

#include "platform/CrashHandler.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

unsigned AllCores() {
    return std::max(1u, std::thread::hardware_concurrency());
}

void ParallelFor(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work) {
    // Indices are handed out one at a time, so a slow item never holds up a whole share.
    std::atomic<std::size_t> next = 0;
    auto takeWork = [&] {
        for (std::size_t index; (index = next.fetch_add(1)) < count;)
            work(index);
    };
    const std::size_t threadCount = std::min<std::size_t>(std::max(jobs, 1u), count);
    std::vector<std::jthread> threads;
    for (std::size_t i = 1; i < threadCount; ++i)
        threads.emplace_back([&] {
            const platform::ThreadCrashStack crashStack;
            takeWork();
        });
    takeWork();
}
