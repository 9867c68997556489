// Growable list of object pointers.
#include "xlib/XObjList.h"

#include "xlib/XMemory.h"

XObjList::~XObjList()
{
    XFreeBlock(items);
}

void XObjList::SetCount(int n)
{
    XSetArrayCount(items, count, capacity, n);
}

int XObjList::Add(XObject* object)
{
    SetCount(count + 1);
    items[count - 1] = object;
    return count - 1;
}
