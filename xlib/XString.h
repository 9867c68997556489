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

// The part of the path after its last backslash ('/' is an ordinary character).
void GetFileName(const XString& path, XString& name);
// The part of the path from its first dot to its end, dot included; empty without a dot.
void GetExtension(const XString& path, XString& extension);
