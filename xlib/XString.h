// Owned 8-bit text whose heap block is always exactly its length plus one byte;
// converts numbers to text and back, and splits paths.
#pragma once

#include "xlib/XObject.h"

class XString : public XObject {
public:
    int length = 0;           // characters before the terminator
    char* buffer = nullptr;   // exactly length + 1 bytes, or null (the null state)

    XString();                          // the empty text, in a 1-byte block
    explicit XString(const char* text); // null gives the null state
    ~XString() override;

    const char* Text() const { return buffer; }
    void SetText(const char* text);
    XString& Assign(const char* text);
    XString& Assign(const XString& other);
    int Equals(const char* text) const;

    void SetPrinted(const char* text);
    void SetInt(int value);
    void SetDouble(double value, int decimals, int trimZeros);
    long ToInt() const;
    double ToDouble() const;

    int Length() const;
    int Find(char c) const;
    int FindFrom(int start, char c) const;
    void SetSubstring(const char* source, int start, int count);
    void MakeUpper();
};

// Path splitting in the ANSI code page: a byte that continues a double-byte character
// (0x5C is the second byte of many Shift-JIS and GBK characters) is never a separator.
// The variants with a code page are for that code page instead of the process's.

// The file name: the part of the path after its last '\' or '/'; empty when the path ends in one.
void GetFileName(const XString& path, XString& name);
void GetFileName(const XString& path, XString& name, unsigned int codePage);
// The part of the file name from its last dot to its end, dot included; empty without one.
void GetExtension(const XString& path, XString& extension);
void GetExtension(const XString& path, XString& extension, unsigned int codePage);
