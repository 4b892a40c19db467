#include "analysis/ScanBuffer.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// The size of a huge page on the machines the program runs on (x86-64 and arm64 with 4 KiB pages).
constexpr std::size_t kHugePage = std::size_t{2} << 20;

} // namespace

void* AllocateScanBuffer(std::size_t bytes)
{
    if (bytes < kHugePage) {
        return ::operator new(bytes);
    }
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) {
        throw std::bad_alloc{};
    }
#if defined(__linux__)
    // Only a hint: where the kernel has no huge page to give, the pages are ordinary ones.
    madvise(memory, rounded, MADV_HUGEPAGE);
#endif
    return memory;
}

void FreeScanBuffer(void* memory, std::size_t bytes) noexcept
{
    if (bytes < kHugePage) {
        ::operator delete(memory);
        return;
    }
    std::free(memory);
}
