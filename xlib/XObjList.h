// Exact-size list of object pointers; it owns the pointer array, never the objects.
#pragma once

#include "xlib/XObject.h"

class XObjList : public XObject {
public:
    int count = 0;
    XObject** items = nullptr;   // exactly count pointers, null when empty

    XObjList() = default;
    ~XObjList() override;        // frees the array only: the objects are the filler's

    int Count() const { return count; }
    XObject* At(int index) const { return items[index]; }
    void SetCount(int n);
    int Add(XObject* object);
};
