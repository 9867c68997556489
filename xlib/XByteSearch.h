// Finding a byte in a block, sixteen bytes at a time: the C library's memchr is a plain
// byte loop in some of the run-time libraries the plug-in meets (Wine's among them).
#pragma once

#include <emmintrin.h>

#include <cstddef>

// The first byte equal to c in [p, end), or null.
inline const char* FindByte(const char* p, const char* end, char c)
{
    const __m128i wanted = _mm_set1_epi8(c);
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted));
        if (hits)
            return p + __builtin_ctz(static_cast<unsigned>(hits));
    }
    for (; p < end; ++p) {
        if (*p == c)
            return p;
    }
    return nullptr;
}

inline char* FindByte(char* p, char* end, char c)
{
    return const_cast<char*>(FindByte(static_cast<const char*>(p), static_cast<const char*>(end), c));
}
