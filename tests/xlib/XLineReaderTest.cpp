// XLineReader: the lines of a file by the rules of text-mode reading, of any length.
#include "xlib/XLineReader.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines ReadLines(const std::string& path)
{
    XLineReader reader;
    EXPECT_TRUE(reader.Open(path.c_str()));
    Lines lines;
    const char* text = nullptr;
    std::size_t length = 0;
    while (reader.Next(text, length))
        lines.emplace_back(text, length);
    EXPECT_FALSE(reader.Failed());
    return lines;
}

struct FileCase {
    const char* what;
    std::string bytes;
    Lines lines;
};

TEST(XLineReader, LineRules)
{
    const FileCase cases[] = {
        {"windows line ends", "1,2\r\n3,4\r\n", {"1,2", "3,4"}},
        {"no final line end", "1,2\r\n3,4", {"1,2", "3,4"}},
        {"unix line ends", "1,2\n3,4\n", {"1,2", "3,4"}},
        {"blank middle line", "a\n\nc\n", {"a", "", "c"}},
        {"blank first line", "\nb\n", {"", "b"}},
        {"lone carriage return stays", "a\rb\n", {"a\rb"}},
        {"ctrl-z ends the input", "a\nb\x1A" "c\nd\n", {"a", "b"}},
        {"nul ends the entry", std::string("ab\0cd\nef\n", 9), {"ab", "ef"}},
        {"empty file", "", {}},
        {"only a line end", "\n", {""}},
        {"byte-order mark", "\xEF\xBB\xBF" "50,1\n", {"50,1"}},
        {"only a byte-order mark", "\xEF\xBB\xBF", {}},
        {"a mark further on is text", "a\n\xEF\xBB\xBF" "b\n", {"a", "\xEF\xBB\xBF" "b"}},
        {"carriage return at the end stays", "a\r", {"a\r"}},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFile file(c.bytes);
        EXPECT_EQ(ReadLines(file.Path()), c.lines);
    }
}

// Where a later half begins: the start of the line after the offset, found within a short
// read for short lines and within a block for long ones; none past a block's length, at
// the end of the file, or after a 0x1A that ends the input.
TEST(XLineReader, FindLineStartFindsTheNextLineOfAnyLength)
{
    const std::string longLine(5000, 'x'), blockLongLine(300000, 'y');
    const std::string bytes = "1,2\n" + longLine + "\n3,4\n" + blockLongLine + "\n5,6\n";
    const std::uint64_t afterLong = 4 + longLine.size() + 1;
    const std::uint64_t afterBlockLong = afterLong + 4 + blockLongLine.size() + 1;
    const struct {
        std::uint64_t from;
        bool found;
        std::uint64_t lineStart;
    } cases[] = {
        {0, true, 4},   {3, true, 4},  {4, true, afterLong}, {100, true, afterLong}, {afterLong, true, afterLong + 4},
        {afterLong + 4, false, 0},   // the line is longer than a block
        {afterBlockLong - 1000, true, afterBlockLong},
        {afterBlockLong, false, 0},  // the last line's end is the file's
    };
    TempFile file(bytes);
    XLineReader reader;
    ASSERT_TRUE(reader.Open(file.Path().c_str()));
    for (const auto& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.from));
        std::uint64_t lineStart = 0;
        EXPECT_EQ(reader.FindLineStart(c.from, lineStart), c.found);
        EXPECT_EQ(c.found ? lineStart : 0, c.lineStart);
    }
    TempFile stopped("1,2\n3\x1A" "4\n5,6\n");
    XLineReader stoppedReader;
    ASSERT_TRUE(stoppedReader.Open(stopped.Path().c_str()));
    std::uint64_t lineStart = 0;
    EXPECT_FALSE(stoppedReader.FindLineStart(4, lineStart));
}

TEST(XLineReader, LinesOfAnyLengthArriveWhole)
{
    const std::string longer(5000, '7');
    const std::string longest(3 << 20, '9');   // beyond the reader's first buffer
    TempFile file(longer + "\n8\n" + longest + "\r\n");
    EXPECT_EQ(ReadLines(file.Path()), (Lines{longer, "8", longest}));
}

// Random bytes rich in line ends, carriage returns, NULs, Ctrl-Z and long runs.
std::string RandomText(unsigned& seed, size_t size)
{
    const char alphabet[] = {'\n', '\r', '\0', '\x1A', ',', '1', 'a', ' '};
    std::string text;
    while (text.size() < size) {
        seed = seed * 1664525u + 1013904223u;
        unsigned pick = (seed >> 8) % 64;
        if (pick < 8)
            text += alphabet[pick];
        else if (pick == 8)
            text += std::string(4000 + (seed >> 20) % 300, 'x');
        else if (pick == 9 && text.empty())
            text += "\xEF\xBB\xBF";
        else
            text += static_cast<char>('0' + pick % 10);
    }
    return text;
}

// The lines as the run-time library's text-mode reading gives the file (carriage return and
// line feed pairs become line feeds, 0x1A ends it), cut at line feeds, each at its first
// NUL, a leading byte-order mark dropped.
Lines TextModeLines(const std::string& path)
{
    std::FILE* stream = std::fopen(path.c_str(), "r");
    std::string text;
    char chunk[777];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stream)) > 0;)
        text.append(chunk, n);
    std::fclose(stream);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    Lines lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        lines.push_back(line.substr(0, line.find('\0')));
        start = end + 1;
    }
    return lines;
}

TEST(XLineReader, SameLinesAsTextModeReading)
{
    unsigned seed = 4242;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        // Ctrl-Z ends text-mode input; most rounds keep it out so the whole file counts.
        std::string text = RandomText(seed, 3000 + round * 700);
        if (round % 4 != 0)
            for (char& c : text)
                c = c == '\x1A' ? 'z' : c;
        TempFile file(text);
        ASSERT_EQ(ReadLines(file.Path()), TextModeLines(file.Path()));
    }
}

}  // namespace
