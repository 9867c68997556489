// XRegistry in the current user's registry: type-matched reads with defaults, exact writes.
#include "xlib/XRegistry.h"

#include "tests/support/RegistryGuard.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kTestKey[] = "Software\\Brinkwater\\RegistryTest";

class XRegistryTest : public ::testing::Test {
protected:
    // Opens the test key for reading, as the settings load does.
    void OpenForReading()
    {
        registry.SetRoot(HKEY_CURRENT_USER);
        ASSERT_TRUE(registry.Open(kTestKey, FALSE));
        opened = true;
    }
    void TearDown() override
    {
        if (opened)
            registry.Close();
    }

    RegistryGuard guard{kTestKey};
    XRegistry registry{KEY_READ | KEY_WRITE};
    bool opened = false;
};

TEST_F(XRegistryTest, ReadersAcceptOnlyTheirOwnType)
{
    const DWORD qword[2] = {7, 0};
    guard.StoreText("Text", "as text");
    guard.StoreText("Expand", "%PATH%", REG_EXPAND_SZ);
    guard.StoreNumber("Number", 1234);
    guard.Store("BigEndian", REG_DWORD_BIG_ENDIAN, qword, 4);
    guard.Store("Quad", REG_QWORD, qword, 8);
    guard.Store("Binary", REG_BINARY, qword, 4);
    OpenForReading();

    int number = 5;
    EXPECT_FALSE(registry.ReadInt("Text", number, 640));
    EXPECT_EQ(number, 640);
    for (const char* name : {"BigEndian", "Quad", "Binary", "Missing"}) {
        number = 5;
        EXPECT_FALSE(registry.ReadBool(name, number, 1)) << name;
        EXPECT_EQ(number, 1) << name;
    }
    EXPECT_TRUE(registry.ReadInt("Number", number, 0));
    EXPECT_EQ(number, 1234);

    XString text("stale");
    EXPECT_FALSE(registry.ReadString("Expand", text, "X"));
    EXPECT_STREQ(text.Text(), "X");
    EXPECT_FALSE(registry.ReadString("Number", text, "Y"));
    EXPECT_STREQ(text.Text(), "Y");
    EXPECT_FALSE(registry.ReadString("Missing", text, "Z"));
    EXPECT_STREQ(text.Text(), "Z");
    EXPECT_TRUE(registry.ReadString("Text", text, "Z"));
    EXPECT_STREQ(text.Text(), "as text");
}

TEST_F(XRegistryTest, ValuesBeyond2048BytesFallBack)
{
    guard.StoreText("Long", std::string(3000, 'x').c_str());
    guard.StoreText("Fits", std::string(2000, 'y').c_str());
    OpenForReading();
    XString text;
    EXPECT_FALSE(registry.ReadString("Long", text, "default"));
    EXPECT_STREQ(text.Text(), "default");
    EXPECT_TRUE(registry.ReadString("Fits", text, "default"));
    EXPECT_EQ(text.Length(), 2000);
}

TEST_F(XRegistryTest, ShortDwordDataIsZeroExtended)
{
    const BYTE two[2] = {0x34, 0x12};
    guard.Store("Short", REG_DWORD, two, 2);
    OpenForReading();
    int value = -1;
    EXPECT_TRUE(registry.ReadInt("Short", value, 0));
    EXPECT_EQ(value, 0x1234);
}

TEST_F(XRegistryTest, TextWithoutTerminatorEndsAtTheDataReceived)
{
    guard.Store("Unterminated", REG_SZ, "abcdef", 3);
    OpenForReading();
    XString text;
    EXPECT_TRUE(registry.ReadString("Unterminated", text, "default"));
    EXPECT_STREQ(text.Text(), "abc");
}

TEST_F(XRegistryTest, WritesExactTypesAndSizes)
{
    registry.SetRoot(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.Open(kTestKey, TRUE));
    opened = true;
    EXPECT_TRUE(registry.WriteString("Empty", XString("")));
    EXPECT_TRUE(registry.WriteString("Word", XString("semi;colon")));
    EXPECT_TRUE(registry.WriteInt("Negative", -2));
    EXPECT_TRUE(registry.WriteBool("Flag", 1));
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(guard.Query("Empty", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, std::string(1, '\0'));
    ASSERT_TRUE(guard.Query("Word", type, data));
    EXPECT_EQ(data, std::string("semi;colon", 11));
    ASSERT_TRUE(guard.Query("Negative", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, std::string("\xFE\xFF\xFF\xFF", 4));

    XString text("stale");
    EXPECT_TRUE(registry.ReadString("Empty", text, "default"));
    EXPECT_STREQ(text.Text(), "");
    int value = 0;
    EXPECT_TRUE(registry.ReadInt("Negative", value, 0));
    EXPECT_EQ(value, -2);
}

TEST_F(XRegistryTest, OpenWithCreateMakesTheWholePath)
{
    std::string deep = std::string(kTestKey) + "\\a\\b\\c";
    registry.SetRoot(HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.Open(deep.c_str(), FALSE));
    ASSERT_TRUE(registry.Open(deep.c_str(), TRUE));
    EXPECT_TRUE(registry.Close());
    XRegistry reader(KEY_READ);
    reader.SetRoot(HKEY_CURRENT_USER);
    EXPECT_TRUE(reader.Open(deep.c_str(), FALSE));
    reader.Close();
}

TEST_F(XRegistryTest, ReadsWithoutAnOpenKeyFallBack)
{
    XRegistry closed(KEY_READ);
    int value = 3;
    EXPECT_FALSE(closed.ReadInt("Width", value, 640));
    EXPECT_EQ(value, 640);
    EXPECT_FALSE(closed.WriteInt("Width", 1));
}

}  // namespace
