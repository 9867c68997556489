// Decimal digits of a text read a machine word at a time: a register's width of bytes, so
// 8 in the 64-bit build and 4 in the 32-bit one, where 64-bit arithmetic is slow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

using DigitWord = std::uintptr_t;

constexpr int kDigitWordBytes = static_cast<int>(sizeof(DigitWord));

// The byte b in every byte of a word.
constexpr DigitWord EveryByte(unsigned char b)
{
    return ~DigitWord(0) / 0xFF * b;
}

// The bytes at p as a word, the byte at p in the lowest bits whatever the machine's order.
inline DigitWord LoadDigitWord(const char* p)
{
    DigitWord word;
    std::memcpy(&word, p, sizeof word);   // no alignment or aliasing assumed
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = sizeof word == 8 ? __builtin_bswap64(word) : __builtin_bswap32(static_cast<std::uint32_t>(word));
#endif
    return word;
}

// The word of the text at q, bytes past `end` as 0 (no digit), reading only [from, end)
// with from <= q: near the end, the word that ends at `end` where it starts at `from` or
// later, else byte by byte.
inline DigitWord TextWordAt(const char* q, const char* from, const char* end)
{
    const std::ptrdiff_t left = end - q;
    if (left >= kDigitWordBytes)
        return LoadDigitWord(q);
    if (left > 0 && end - from >= kDigitWordBytes)
        return LoadDigitWord(end - kDigitWordBytes) >> (8 * (kDigitWordBytes - left));
    DigitWord word = 0;
    for (std::ptrdiff_t i = 0; i < left; ++i)
        word |= static_cast<DigitWord>(static_cast<unsigned char>(q[i])) << (8 * i);
    return word;
}

inline int CountTrailingZeros(unsigned long long bits) { return __builtin_ctzll(bits); }
inline int CountTrailingZeros(unsigned bits) { return __builtin_ctz(bits); }
inline int CountTrailingZeros(unsigned long bits) { return __builtin_ctzl(bits); }

// 0x80 in each byte of the word that is no ASCII digit, 0 in the others.
inline DigitWord NonDigitMarks(DigitWord word)
{
    // Digits become 0x00-0x09; any other byte keeps a bit in its high nibble, or gets one
    // when 6 is added to its low nibble (0x0A-0x0F). No step carries into the next byte.
    const DigitWord x = word ^ EveryByte('0');
    const DigitWord nonDigit = (x | ((x & EveryByte(0x0F)) + EveryByte(0x06))) & EveryByte(0xF0);
    return (((nonDigit & EveryByte(0x7F)) + EveryByte(0x7F)) | nonDigit) & EveryByte(0x80);
}

// The index of the byte that holds the lowest mark; marks must not be 0.
inline int FirstMarkedByte(DigitWord marks)
{
    return CountTrailingZeros(marks) / 8;
}

// How many of the word's bytes, from the lowest on, are ASCII digits: 0 to kDigitWordBytes.
inline int LeadingDigitCount(DigitWord word)
{
    const DigitWord marks = NonDigitMarks(word);
    return marks ? FirstMarkedByte(marks) : kDigitWordBytes;
}

// The value of the word's lowest `count` bytes (1 to kDigitWordBytes), all digits, the
// lowest byte the leading digit.
inline DigitWord DigitsValue(DigitWord word, int count)
{
    // Shifted up so that the digits end the word, the bytes below are leading zeros. Then
    // neighbours pair up: two digits, four, eight.
    DigitWord x = (word & EveryByte(0x0F)) << (8 * (kDigitWordBytes - count));
    x = (x * (10 * 256 + 1)) >> 8;
    x = ((x & EveryByte(0xFF) / 0x101) * (100 * 65536 + 1)) >> 16;
    if (kDigitWordBytes == 8)
        x = ((x & (~DigitWord(0) / 0x10001)) * (static_cast<DigitWord>(10000) << 16 << 16 | 1)) >> 16 >> 16;
    return x;
}
