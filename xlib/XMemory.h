// Run-time heap blocks for the library's arrays and strings.
#pragma once

#include <cstddef>

// Resizes (or allocates, when block is null) a heap block to exactly `bytes` bytes.
// On failure the old block stays valid and std::bad_alloc is thrown, so nothing is lost
// and the caller's state stays consistent.
void* XResizeBlock(void* block, std::size_t bytes);

extern bool (*xAllocationFault)();

// Allocates a block of `bytes` bytes; throws std::bad_alloc on failure.
//
// A test build may set xAllocationFault: when it returns true, the allocation fails.
void* XAllocBlock(std::size_t bytes);

void XFreeBlock(void* block);

// A scratch heap block freed when it goes out of scope, also when an exception passes.
class XScratchBlock {
public:
    explicit XScratchBlock(std::size_t bytes) : data(static_cast<char*>(XAllocBlock(bytes))) {}
    ~XScratchBlock() { XFreeBlock(data); }
    XScratchBlock(const XScratchBlock&) = delete;
    XScratchBlock& operator=(const XScratchBlock&) = delete;

    char* const data;
};

// The resizing rule of every library array: count becomes n; the first min(old, n)
// elements survive, n = 0 frees the array. The array grows by half its capacity at least,
// so that appending one element at a time costs amortised constant time; it does not
// shrink but to nothing. On allocation failure the array, count and capacity stay as they
// were.
template <typename T>
void XSetArrayCount(T*& array, int& count, int& capacity, int n)
{
    if (n <= 0) {
        XFreeBlock(array);
        array = nullptr;
        count = 0;
        capacity = 0;
        return;
    }
    if (n > capacity) {
        long long grown = static_cast<long long>(capacity) + capacity / 2;
        int wanted = grown > n ? static_cast<int>(grown > 0x7FFFFFFF ? 0x7FFFFFFF : grown) : n;
        if (wanted < 4)
            wanted = 4;
        array = static_cast<T*>(XResizeBlock(array, sizeof(T) * static_cast<std::size_t>(wanted)));
        capacity = wanted;
    }
    count = n;
}
