// XStringList: the field and line rules of CSV input.
#include "xlib/XStringList.h"

#include "tests/support/TestFiles.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Entries(const XStringList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.At(i)->Text());
    return entries;
}

using Fields = std::vector<std::string>;

struct SplitCase {
    const char* text;
    char separator;
    Fields fields;
};

TEST(XStringListSplit, CutsAtEverySeparatorWithoutQuotingOrTrimming)
{
    const SplitCase cases[] = {
        {"a,b,c", ',', {"a", "b", "c"}},
        {"a,,c", ',', {"a", "", "c"}},
        {",a", ',', {"", "a"}},
        {"a,", ',', {"a"}},
        {"a,b,,", ',', {"a", "b", ""}},
        {",", ',', {""}},
        {"abc", ',', {"abc"}},
        {"\"x,y\",z", ',', {"\"x", "y\"", "z"}},
        {" 1 , 2", ',', {" 1 ", " 2"}},
        {"1;2,5;3", ';', {"1", "2,5", "3"}},
        {"a\tb", '\t', {"a", "b"}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.text);
        XStringList list;
        list.Split(c.text, c.separator);
        EXPECT_EQ(Entries(list), c.fields);
    }
}

TEST(XStringListSplit, EmptyOrNullTextEmptiesTheList)
{
    XStringList list;
    list.Split("a,b", ',');
    list.Split("", ',');
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.items, nullptr);
    list.Split("a,b", ',');
    list.Split(nullptr, ',');
    EXPECT_EQ(list.Count(), 0);
}

TEST(XStringListSplit, SeparatorAboveAsciiIsAPlainByte)
{
    XStringList list;
    list.Split("1\xA7" "2\xA7" "3", '\xA7');
    EXPECT_EQ(Entries(list), (Fields{"1", "2", "3"}));
}

TEST(XStringList, AddCopiesAndCountsFromZero)
{
    XStringList list;
    XString text("one");
    EXPECT_EQ(list.Add(text), 0);
    EXPECT_EQ(list.Add(XString("two")), 1);
    EXPECT_EQ(list.Add(XString("three")), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_NE(list.At(0), &text);
    text.SetText("changed");
    EXPECT_STREQ(list.At(0)->Text(), "one");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Clear();
    EXPECT_EQ(list.items, nullptr);
}

struct FileCase {
    const char* what;
    std::string bytes;
    Fields lines;
};

TEST(XStringListReadFile, LineRules)
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
        XStringList list;
        EXPECT_EQ(list.ReadFile(file.Path().c_str()), 1);
        EXPECT_EQ(Entries(list), c.lines);
    }
}

TEST(XStringListReadFile, LinesOfAnyLengthArriveWhole)
{
    const std::string longer(5000, '7');
    const std::string longest(3 << 20, '9');   // beyond the reader's first buffer
    TempFile file(longer + "\n8\n" + longest + "\r\n");
    XStringList list;
    ASSERT_EQ(list.ReadFile(file.Path().c_str()), 1);
    EXPECT_EQ(Entries(list), (Fields{longer, "8", longest}));
}

TEST(XStringListReadFile, UnopenableKeepsTheList)
{
    XStringList list;
    list.Split("kept", ',');
    EXPECT_EQ(list.ReadFile(UniqueTempPath(".csv").c_str()), 0);
    EXPECT_EQ(list.ReadFile(""), 0);
    EXPECT_EQ(list.ReadFile(nullptr), 0);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    EXPECT_EQ(list.ReadFile(folder), 0);
    EXPECT_EQ(Entries(list), (Fields{"kept"}));
}

TEST(XStringListReadFile, ReadsAFileOpenForWritingElsewhere)
{
    TempFile file("1\n2\n");
    HANDLE writer = CreateFileA(file.Path().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    XStringList list;
    EXPECT_EQ(list.ReadFile(file.Path().c_str()), 1);
    EXPECT_EQ(Entries(list), (Fields{"1", "2"}));
    CloseHandle(writer);
}

// A regular file whose every read fails: under Wine, the process's own memory file (the
// reads of its first page fail). The reading ends with 0 and nothing read.
TEST(XStringListReadFile, ReadErrorEndsTheReadingWithZero)
{
    XStringList list;
    list.Split("stale", ',');
    EXPECT_EQ(list.ReadFile("Z:\\proc\\self\\mem"), 0);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace

namespace {

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
Fields TextModeLines(const std::string& path)
{
    std::FILE* stream = std::fopen(path.c_str(), "r");
    std::string text;
    char chunk[777];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stream)) > 0;)
        text.append(chunk, n);
    std::fclose(stream);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    Fields lines;
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

TEST(XStringListReadFile, SameLinesAsTextModeReading)
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
        XStringList viaReader;
        ASSERT_EQ(viaReader.ReadFile(file.Path().c_str()), 1);
        ASSERT_EQ(Entries(viaReader), TextModeLines(file.Path()));
    }
}

}  // namespace
