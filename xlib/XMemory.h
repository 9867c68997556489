// Run-time heap blocks for the library's exact-size arrays and strings.
#pragma once

#include <cstddef>

// Resizes (or allocates, when block is null) a heap block to exactly `bytes` bytes.
// On failure the old block stays valid and std::bad_alloc is thrown, so nothing is lost
// and the caller's state stays consistent.
void* XResizeBlock(void* block, std::size_t bytes);

// Allocates a block of `bytes` bytes; throws std::bad_alloc on failure.
void* XAllocBlock(std::size_t bytes);

// Shrinks a block; never fails: when the heap cannot give a smaller block the old one stays.
void* XShrinkBlock(void* block, std::size_t bytes);

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

// The resizing rule of every library array: exactly n elements, no spare capacity;
// the first min(old, n) elements survive, n = 0 frees the array. On allocation failure
// the array and its count stay as they were; shrinking never fails.
template <typename T>
void XSetArrayCount(T*& array, int& count, int n)
{
    if (n <= 0) {
        XFreeBlock(array);
        array = nullptr;
        count = 0;
        return;
    }
    std::size_t bytes = sizeof(T) * static_cast<std::size_t>(n);
    if (array && n < count)
        array = static_cast<T*>(XShrinkBlock(array, bytes));
    else
        array = static_cast<T*>(XResizeBlock(array, bytes));
    count = n;
}
