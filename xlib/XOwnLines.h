// Memory one thread writes at every line of a file while another thread reads the file's
// other half and writes its own: it must lie on cache line pairs that nothing else uses.
// Two processors writing one pair take it from each other at every write, and the two
// halves' blocks, allocated one after the other, would otherwise often share one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

constexpr std::size_t kOwnLines = 128;

// A std::vector allocator whose blocks begin and end on such a boundary.
template <typename T>
struct XOwnLinesAllocator {
    using value_type = T;

    XOwnLinesAllocator() = default;
    template <typename U>
    XOwnLinesAllocator(const XOwnLinesAllocator<U>&)
    {
    }

    T* allocate(std::size_t n)
    {
        if (n > (SIZE_MAX - kOwnLines) / sizeof(T))
            throw std::bad_alloc();
        const std::size_t bytes = (n * sizeof(T) + kOwnLines - 1) / kOwnLines * kOwnLines;
        return static_cast<T*>(::operator new(bytes, std::align_val_t(kOwnLines)));
    }
    void deallocate(T* block, std::size_t) noexcept { ::operator delete(block, std::align_val_t(kOwnLines)); }
};

template <typename T, typename U>
bool operator==(const XOwnLinesAllocator<T>&, const XOwnLinesAllocator<U>&)
{
    return true;
}
template <typename T, typename U>
bool operator!=(const XOwnLinesAllocator<T>&, const XOwnLinesAllocator<U>&)
{
    return false;
}
