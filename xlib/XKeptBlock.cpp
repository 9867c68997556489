// A heap block of one size kept from one user to the next.
#include "xlib/XKeptBlock.h"

#include "xlib/XMemory.h"

void* XKeptBlock::Take()
{
    void* block = kept_.exchange(nullptr);
    return block ? block : XAllocBlock(bytes_);
}

void XKeptBlock::Give(void* block)
{
    void* none = nullptr;
    if (block && !kept_.compare_exchange_strong(none, block))
        XFreeBlock(block);
}

void XKeptBlock::Release()
{
    XFreeBlock(kept_.exchange(nullptr));
}
