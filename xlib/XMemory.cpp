// Run-time heap blocks for the library's arrays and strings.
#include "xlib/XMemory.h"

#include <cstdlib>
#include <new>

bool (*xAllocationFault)() = nullptr;

void* XResizeBlock(void* block, std::size_t bytes)
{
    if (xAllocationFault && xAllocationFault())
        throw std::bad_alloc();
    void* resized = std::realloc(block, bytes ? bytes : 1);
    if (!resized)
        throw std::bad_alloc();
    return resized;
}

void* XAllocBlock(std::size_t bytes)
{
    return XResizeBlock(nullptr, bytes);
}

void XFreeBlock(void* block)
{
    std::free(block);
}
