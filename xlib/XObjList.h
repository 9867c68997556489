// Growable list of object pointers; it owns the pointer array, never the objects.
#pragma once

#include "xlib/XObject.h"

class XObjList : public XObject {
public:
    int count = 0;
    int capacity = 0;   // elements the array has room for; count of them are in use
    XObject** items = nullptr;   // count pointers in use, null when empty

    XObjList() = default;
    ~XObjList() override;        // frees the array only: the objects are the filler's

    int Count() const { return count; }
    XObject* At(int index) const { return items[index]; }
    void SetCount(int n);
    int Add(XObject* object);
};
