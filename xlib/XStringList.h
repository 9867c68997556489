// Owning list of strings: the lines of a text file, or the fields of one line.
#pragma once

#include "xlib/XObject.h"

class XString;

class XStringList : public XObject {
public:
    int count = 0;
    int capacity = 0;   // elements the array has room for; count of them are in use
    XString** items = nullptr;   // count slots in use, null when empty; entries owned

    XStringList() = default;
    ~XStringList() override;

    int Count() const { return count; }
    XString* At(int index) const { return items[index]; }
    void SetCount(int n);        // resizes the slot array only; new slots are null
    int Add(const XString& text);
    void Clear();

    // Replaces the entries by the fields of the text cut at every separator byte; no
    // quoting, no trimming; a trailing separator adds no field; an empty text none at all.
    void Split(const char* text, char separator);

    // Replaces the entries by the lines of the file, as XLineReader reads them (text mode,
    // any length). 1 when the file was read to its end, 0 when it could not be opened (the
    // list is then untouched) or a read error ended the reading (the lines before stay).
    int ReadFile(const char* path);
};
