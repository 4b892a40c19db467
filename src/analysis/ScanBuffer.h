#pragma once

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

// The storage of a scan's samples: a million doubles per array at the finest precisions, each
// written once by the scan right after it is allocated.
//
// Two things make such an array cheap. Its elements are not zeroed first (every one is written
// before it is read), so the pages are touched once, by the threads that fill them. And an array
// of megabytes asks the kernel for huge pages: on a virtual machine a fault for an ordinary page
// costs some microseconds, and a scan's few tens of megabytes took thousands of them, more time
// than the evaluation of the term.
void* AllocateScanBuffer(std::size_t bytes);
void FreeScanBuffer(void* memory, std::size_t bytes) noexcept;

template <class T> class CScanAllocator
{
public:
    using value_type = T;

    CScanAllocator() = default;
    template <class U> CScanAllocator(const CScanAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) { return static_cast<T*>(AllocateScanBuffer(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeScanBuffer(p, n * sizeof(T)); }

    // Default-initialised: a resize leaves the new elements as they come.
    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U> bool operator==(const CScanAllocator<U>&) const noexcept { return true; }
};

template <class T> using ScanVector = std::vector<T, CScanAllocator<T>>;
