// The encoding of a text file's bytes, and its texts as UTF-8.
#pragma once

#include <cstddef>
#include <string>

enum class TextEncoding { Utf8, Utf16Le, Utf16Be, Ansi };

// From the file's first bytes (a byte-order mark for UTF-16; XLineReader has already passed
// a UTF-8 one by): UTF-16 with its mark; UTF-8 when every byte sequence of the sample is
// well-formed UTF-8 (plain ASCII too); otherwise the ANSI code page. A sample cut in the
// middle of a character is still UTF-8.
TextEncoding DetectEncoding(const char* bytes, std::size_t length);

// "utf-8", "utf-16le", "utf-16be", or "cp" and the ANSI code page's number ("cp1252").
std::string EncodingName(TextEncoding encoding);

// The text (in the encoding; UTF-16 arrives transcoded already) as UTF-8.
std::string ToUtf8(const std::string& text, TextEncoding encoding);
