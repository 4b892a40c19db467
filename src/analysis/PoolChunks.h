#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>

class CThreadPool;

// Runs work(begin, end) over [0, count) in chunks of `chunk` indices, on the threads of a pool (the
// shared one unless given) and on the calling thread together, and returns once every chunk taken has ended. A chunk is
// taken by one thread only, so work may write to its own indices of a shared array without a
// lock. Once stop is requested no further chunk starts. Each thread's math flag is left as it
// found it. Returns false when stopped: some indices were then not visited.
bool RunOnPool(std::size_t count, std::size_t chunk, const std::function<void(std::size_t, std::size_t)>& work,
               std::stop_token stop, CThreadPool* pool = nullptr);
