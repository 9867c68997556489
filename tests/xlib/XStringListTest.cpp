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
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempFile file(c.bytes);
        XStringList list;
        EXPECT_EQ(list.ReadFile(file.Path().c_str()), 1);
        EXPECT_EQ(Entries(list), c.lines);
    }
}

TEST(XStringListReadFile, LongLineArrivesInRunsOf4095)
{
    TempFile file(std::string(5000, '7') + "\n8\n");
    XStringList list;
    ASSERT_EQ(list.ReadFile(file.Path().c_str()), 1);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(0)->length, 4095);
    EXPECT_EQ(list.At(1)->length, 905);
    EXPECT_STREQ(list.At(2)->Text(), "8");
}

TEST(XStringListReadFile, LineOfExactly4095LeavesItsLineEndAsAnEmptyEntry)
{
    TempFile file(std::string(4095, 'x') + "\ny\n");
    XStringList list;
    ASSERT_EQ(list.ReadFile(file.Path().c_str()), 1);
    // The line end comes alone in the second read and leaves an empty entry.
    EXPECT_EQ(Entries(list), (Fields{std::string(4095, 'x'), "", "y"}));
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

TEST(XStringListReadLines, ReadErrorEndsTheReading)
{
    // A read stream over a handle without read access: every read fails, and the end of
    // the file never comes.
    TempFile data("1,2\n3,4\n");
    HANDLE handle = CreateFileA(data.Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    std::FILE* file = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY), "r");
    ASSERT_NE(file, nullptr);
    XStringList list;
    list.Split("stale", ',');
    EXPECT_EQ(list.ReadLines(file), 0);
    EXPECT_EQ(list.Count(), 0);
    std::fclose(file);
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
            text += std::string(4000 + (seed >> 20) % 300, 'x');   // around the 4095 limit
        else
            text += static_cast<char>('0' + pick % 10);
    }
    return text;
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
        XStringList viaFgets;
        std::FILE* stream = std::fopen(file.Path().c_str(), "r");
        ASSERT_NE(stream, nullptr);
        ASSERT_EQ(viaFgets.ReadLines(stream), 1);
        std::fclose(stream);
        XStringList viaReader;
        ASSERT_EQ(viaReader.ReadFile(file.Path().c_str()), 1);
        ASSERT_EQ(Entries(viaReader), Entries(viaFgets));
    }
}

}  // namespace
