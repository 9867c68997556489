// XDiskFile: regular disk files only, shared with every writer, read errors told from the end.
#include "xlib/XDiskFile.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(XDiskFile, OpensOnlyARegularFile)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string missing = UniqueTempPath(".csv");
    for (const char* path : {missing.c_str(), "", static_cast<const char*>(nullptr), static_cast<const char*>(folder)}) {
        XDiskFile file;
        EXPECT_FALSE(file.Open(path)) << (path ? path : "(null)");
    }
}

TEST(XDiskFile, ReadsAFileOpenForWritingElsewhere)
{
    TempFile file("1\n2\n");
    HANDLE writer = CreateFileA(file.Path().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    XDiskFile reader;
    ASSERT_TRUE(reader.Open(file.Path().c_str()));
    EXPECT_EQ(reader.Size(), 4u);
    char bytes[8] = {};
    EXPECT_EQ(reader.ReadAt(1, bytes, sizeof bytes), 3u);
    EXPECT_STREQ(bytes, "\n2\n");
    EXPECT_EQ(reader.ReadAt(4, bytes, sizeof bytes), 0u);
    EXPECT_FALSE(reader.ReadFailed()) << "the end of the file is no error";
    CloseHandle(writer);
}

// A regular file whose every read fails: under Wine, the process's own memory file (the
// reads of its first page fail).
TEST(XDiskFile, ReadErrorIsToldFromTheEnd)
{
    XDiskFile file;
    ASSERT_TRUE(file.Open("Z:\\proc\\self\\mem"));
    char bytes[16];
    EXPECT_EQ(file.ReadAt(0, bytes, sizeof bytes), 0u);
    EXPECT_TRUE(file.ReadFailed());
}

}  // namespace
