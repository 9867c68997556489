// Growable list of doubles.
#include "xlib/XDblList.h"

#include "xlib/XMemory.h"

XDblList::~XDblList()
{
    XFreeBlock(values);
}

void XDblList::SetCount(int n)
{
    XSetArrayCount(values, count, capacity, n);
}

int XDblList::AddGrowing(double value)
{
    SetCount(count + 1);
    values[count - 1] = value;
    return count - 1;
}

void XDblList::Clear()
{
    SetCount(0);
}

void XDblList::Reserve(int n)
{
    if (n > capacity) {
        values = static_cast<double*>(XResizeBlock(values, sizeof(double) * static_cast<std::size_t>(n)));
        capacity = n;
    }
}
