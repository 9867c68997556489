// Owned 8-bit text with number conversion and path splitting.
#include "xlib/XString.h"

#include "xlib/XMemory.h"
#include "xlib/XNumberText.h"

#include <windows.h>

#include <charconv>
#include <cstdint>
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
    *std::to_chars(work, work + sizeof work - 1, value).ptr = '\0';
    SetPrinted(work);
}

void XString::SetDouble(double value, int decimals, int trimZeros)
{
    char work[kWorkBufferSize];
    // "%f" in the classic locale, whatever locale the process has set: six decimals,
    // correctly rounded, '.' as the point.
    if (!FormatFixed(value, work, sizeof work)) {
        // Fixed-point text of a magnitude near 1e248 and above does not fit: such values
        // get the short exponent form ("1e+300") instead of a cut-off digit string.
        FormatShort(value, work, sizeof work);
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
    return buffer ? ParseLeadingInteger(buffer) : 0;
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

namespace {

// Where the file name of the path begins, and where its last dot stands (-1: none), found
// in one scan that steps over double-byte characters whole.
struct PathParts {
    int nameStart = 0;
    int lastDot = -1;
};

PathParts SplitPath(const XString& path, unsigned int codePage)
{
    PathParts parts;
    const int n = path.Length();
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(path.buffer[i]);
        if (i + 1 < n && IsDBCSLeadByteEx(codePage, c)) {
            ++i;   // the trail byte is part of this character, whatever its value
            continue;
        }
        if (c == '\\' || c == '/') {
            parts.nameStart = i + 1;
            parts.lastDot = -1;
        } else if (c == '.') {
            parts.lastDot = i;
        }
    }
    return parts;
}

}  // namespace

void GetFileName(const XString& path, XString& name)
{
    GetFileName(path, name, CP_ACP);
}

void GetFileName(const XString& path, XString& name, unsigned int codePage)
{
    const PathParts parts = SplitPath(path, codePage);
    name.SetSubstring(path.buffer ? path.buffer : "", parts.nameStart, path.Length() - parts.nameStart);
}

void GetExtension(const XString& path, XString& extension)
{
    GetExtension(path, extension, CP_ACP);
}

void GetExtension(const XString& path, XString& extension, unsigned int codePage)
{
    const PathParts parts = SplitPath(path, codePage);
    if (parts.lastDot < 0) {
        extension.SetText("");
        return;
    }
    extension.SetSubstring(path.buffer, parts.lastDot, path.Length() - parts.lastDot);
}
