#pragma once

#include <cstddef>
#include <functional>

// The number of threads that keep every core of the machine busy.
unsigned AllCores();

// Runs Work(0) to Work(Count - 1), each once, on up to Jobs threads (the caller's among them)
// and returns when all are done. Work must not throw.
void ParallelFor(std::size_t count, unsigned jobs, const std::function<void(std::size_t)>& work);
