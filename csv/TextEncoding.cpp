// The encoding of a text file's bytes, and its texts as UTF-8.
#include "csv/TextEncoding.h"

#include <windows.h>

#include <vector>

namespace {

// The length of the well-formed UTF-8 sequence at p, 0 when there is none; `cut` is set
// when the text ends inside a sequence that was well-formed so far.
std::size_t Utf8SequenceLength(const unsigned char* p, const unsigned char* end, bool& cut)
{
    const unsigned lead = *p;
    std::size_t length;
    unsigned low = 0x80, high = 0xBF;   // the second byte's range
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (p + i == end) {
            cut = true;
            return 0;
        }
        const unsigned byte = p[i];
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

bool IsUtf8(const char* bytes, std::size_t length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* end = p + length;
    while (p < end) {
        bool cut = false;
        const std::size_t sequence = Utf8SequenceLength(p, end, cut);
        if (!sequence)
            return cut;
        p += sequence;
    }
    return true;
}

}  // namespace

TextEncoding DetectEncoding(const char* bytes, std::size_t length)
{
    if (length >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return TextEncoding::Utf16Le;
    if (length >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return TextEncoding::Utf16Be;
    return IsUtf8(bytes, length) ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

std::string EncodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return "utf-8";
    case TextEncoding::Utf16Le: return "utf-16le";
    case TextEncoding::Utf16Be: return "utf-16be";
    case TextEncoding::Ansi: break;
    }
    return "cp" + std::to_string(GetACP());
}

std::string ToUtf8(const std::string& text, TextEncoding encoding)
{
    if (encoding != TextEncoding::Ansi || text.empty() || text.size() > 0x7FFFFFF)
        return text;
    const int length = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (wide <= 0)
        return text;
    std::vector<wchar_t> chars(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, chars.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, chars.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return text;
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, chars.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}
