#include "engine/ParallelBatch.h"

#include "engine/Derivatives.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Below this many points a thread costs more than it saves.
constexpr std::size_t kPointsPerThread = 4096;

} // namespace

void EvaluateOrderInParallel(const CCompiledTerm& term, std::span<const double> xs, double k, int order,
                             std::span<double> values)
{
    const std::size_t cores = std::max(1U, std::thread::hardware_concurrency());
    const std::size_t parts = std::clamp<std::size_t>(xs.size() / kPointsPerThread, 1, cores);
    const std::size_t share = (xs.size() + parts - 1) / parts;
    std::vector<std::thread> workers;
    workers.reserve(parts - 1);
    std::size_t start = share;
    for (; start < xs.size(); start += share) {
        const std::size_t count = std::min(share, xs.size() - start);
        try {
            workers.emplace_back([&term, xs, k, order, values, start, count] {
                EvaluateOrderBatch(term, xs.subspan(start, count), k, order, values.subspan(start, count));
            });
        } catch (const std::system_error&) {
            break; // no thread to be had: the calling thread does the rest
        }
    }
    EvaluateOrderBatch(term, xs.first(std::min(share, xs.size())), k, order, values.first(std::min(share, xs.size())));
    for (; start < xs.size(); start += share) {
        const std::size_t count = std::min(share, xs.size() - start);
        EvaluateOrderBatch(term, xs.subspan(start, count), k, order, values.subspan(start, count));
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
}
