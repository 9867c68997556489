// Owned 8-bit text with number conversion and path splitting.
#include "xlib/XString.h"

#include "xlib/XMemory.h"
#include "xlib/XNumberText.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWorkBufferSize = 256;

bool PointsInto(const char* text, const char* block, int blockLength)
{
    auto p = reinterpret_cast<std::uintptr_t>(text);
    auto b = reinterpret_cast<std::uintptr_t>(block);
    return block && p >= b && p <= b + static_cast<std::uintptr_t>(blockLength);
}

// Removes trailing zeros after the decimal point, and the point itself when nothing
// follows it: "2.500000" -> "2.5", "3.000000" -> "3". Zeros before the point stay.
void TrimZeros(char* text)
{
    for (size_t n = std::strlen(text); n > 0; --n) {
        char last = text[n - 1];
        if (last == '0') {
            text[n - 1] = '\0';
            continue;
        }
        if (last == '.')
            text[n - 1] = '\0';
        return;
    }
}

}  // namespace

XString::XString()
{
    SetText("");
}

XString::XString(const char* text)
{
    SetText(text);
}

XString::~XString()
{
    XFreeBlock(buffer);
}

void XString::SetText(const char* text)
{
    if (!text) {
        XFreeBlock(buffer);
        buffer = nullptr;
        length = 0;
        return;
    }
    int n = lstrlenA(text);
    if (PointsInto(text, buffer, length)) {
        // The text lives in our own block, which a resize could move away from under it.
        char* block = static_cast<char*>(XAllocBlock(n + 1));
        std::memcpy(block, text, n + 1);
        XFreeBlock(buffer);
        buffer = block;
        length = n;
        return;
    }
    buffer = static_cast<char*>(XResizeBlock(buffer, n + 1));
    length = n;
    lstrcpyA(buffer, text);
}

XString& XString::Assign(const char* text)
{
    SetText(text);
    return *this;
}

XString& XString::Assign(const XString& other)
{
    SetText(other.buffer);
    return *this;
}

int XString::Equals(const char* text) const
{
    return lstrcmpA(buffer, text) == 0 ? 1 : 0;
}

void XString::SetPrinted(const char* text)
{
    // wsprintfA writes at most 1024 bytes; longer texts are copied as they are.
    int n = lstrlenA(text);
    if (n >= 1024) {
        SetText(text);
        return;
    }
    XScratchBlock block(n + 1);
    wsprintfA(block.data, "%s", text);
    SetText(block.data);
}

void XString::SetInt(int value)
{
    char work[kWorkBufferSize];
    std::snprintf(work, sizeof work, "%d", value);
    SetPrinted(work);
}

void XString::SetDouble(double value, int decimals, int trimZeros)
{
    char work[kWorkBufferSize];
    int needed = std::snprintf(work, sizeof work, "%f", value);
    if (needed < 0 || needed >= kWorkBufferSize) {
        // Fixed-point text of a magnitude near 1e248 and above does not fit: such values
        // get the short exponent form ("1e+300") instead of a cut-off digit string.
        std::snprintf(work, sizeof work, "%g", value);
        SetPrinted(work);
        return;
    }
    size_t n = std::strlen(work);
    if (n > 0 && work[n - 1] == '.')
        work[n - 1] = '\0';
    if (char* point = std::strchr(work, '.')) {
        // Digits beyond `decimals` are cut, not rounded: "0.960000" with 1 gives "0.9".
        if (decimals > 0 && std::strlen(point + 1) > static_cast<size_t>(decimals))
            point[1 + decimals] = '\0';
        if (trimZeros)
            TrimZeros(work);
    }
    SetPrinted(work);
}

long XString::ToInt() const
{
    return buffer ? std::strtol(buffer, nullptr, 10) : 0;
}

double XString::ToDouble() const
{
    return buffer ? ParseLeadingNumber(buffer) : 0.0;
}

int XString::Length() const
{
    return buffer ? lstrlenA(buffer) : 0;
}

int XString::Find(char c) const
{
    if (!buffer)
        return -1;
    const char* hit = std::strchr(buffer, c);
    return hit ? static_cast<int>(hit - buffer) : -1;
}

int XString::FindFrom(int start, char c) const
{
    if (!buffer || start < 0 || start > Length() - 1)
        return -1;
    const char* hit = std::strchr(buffer + start, c);
    return hit ? static_cast<int>(hit - buffer) : -1;
}

void XString::SetSubstring(const char* source, int start, int count)
{
    if (count < 0)
        count = 0;
    // Through a zeroed scratch block, so the source may be this string's own buffer.
    XScratchBlock block(count + 1);
    std::memset(block.data, 0, count + 1);
    std::memcpy(block.data, source + start, count);
    SetText(block.data);
}

void XString::MakeUpper()
{
    for (int i = 0; i < length; ++i) {
        if (buffer[i] >= 'a' && buffer[i] <= 'z')
            buffer[i] = static_cast<char>(buffer[i] - 'a' + 'A');
    }
}

void GetFileName(const XString& path, XString& name)
{
    int n = path.Length();
    if (n == 0 || path.buffer[n - 1] == '\\') {
        name.SetText("");
        return;
    }
    int last = path.Find('\\');
    if (last < 0) {
        name.Assign(path);
        return;
    }
    for (int next = path.FindFrom(last + 1, '\\'); next >= 0; next = path.FindFrom(last + 1, '\\'))
        last = next;
    name.SetSubstring(path.buffer, last + 1, n - last - 1);
}

void GetExtension(const XString& path, XString& extension)
{
    int dot = path.Find('.');
    if (dot < 0) {
        extension.SetText("");
        return;
    }
    extension.SetSubstring(path.buffer, dot, path.Length() - dot);
}
