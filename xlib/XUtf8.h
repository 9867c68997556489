// Writing one Unicode code point as UTF-8.
#pragma once

// Writes the code point's one to four UTF-8 bytes at out; returns the byte after them.
inline unsigned char* PutUtf8(unsigned char* out, unsigned code)
{
    if (code < 0x80) {
        *out++ = static_cast<unsigned char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<unsigned char>(0xC0 | (code >> 6));
        *out++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = static_cast<unsigned char>(0xE0 | (code >> 12));
        *out++ = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<unsigned char>(0xF0 | (code >> 18));
        *out++ = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
        *out++ = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
    }
    return out;
}
