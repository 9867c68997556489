// Growable list of doubles: series values and axis ticks.
#pragma once

#include "xlib/XObject.h"

class XDblList : public XObject {
public:
    int count = 0;
    int capacity = 0;   // elements the array has room for; count of them are in use
    double* values = nullptr;   // count values in use, null when empty

    XDblList() = default;
    ~XDblList() override;

    int Count() const { return count; }
    double At(int index) const { return values[index]; }
    void SetCount(int n);
    int Add(double value)
    {
        if (count < capacity) {   // the common case, without a call
            values[count] = value;
            return count++;
        }
        return AddGrowing(value);
    }
    void Clear();
    // Makes room for n values in all without changing the count.
    void Reserve(int n);

private:
    int AddGrowing(double value);
};
