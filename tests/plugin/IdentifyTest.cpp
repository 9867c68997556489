// The identify calls and the settings they report, tested against the library code.
#include "plugin/Identify.h"
#include "plugin/PluginSettings.h"
#include "tests/support/SettingsGuard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(IsCsvPath, ExtensionOfTheFileNameInAnyCase)
{
    const std::pair<const char*, bool> cases[] = {
        {"C:\\data\\a.csv", true},
        {"C:\\data\\a.CSV", true},
        {"report.final.Csv", true},
        {"a.csv", true},
        {"C:\\Users\\j.doe\\data.csv", true},
        {"D:\\archive.2023\\prices_v1.2.csv", true},
        {"\\\\server\\share.v2\\x.csv", true},
        {"C:/data/a.csv", true},
        {"C:\\data\\a.csv.bak", false},
        {"C:\\dir.csv\\notes", false},
        {"C:\\data\\", false},
        {"C:\\data\\noextension", false},
        {"C:\\data\\a.txt", false},
        {"C:\\data\\a.csvx", false},
        {"C:\\data\\a.cs", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first ? c.first : "(null)");
        EXPECT_EQ(IsCsvPath(c.first), c.second);
    }
}

TEST(PluginSettings, PaletteOfTwelveColours)
{
    const COLORREF expected[] = {0x0000FF, 0xFF0000, 0x008000, 0x00FFFF, 0xFF00FF, 0x000080,
                                 0x008080, 0x800000, 0x800080, 0x808000, 0x00FF00, 0xFFFF00};
    for (int i = 0; i < kSeriesColorCount; ++i)
        EXPECT_EQ(SettingsRecord::seriesColors[i], expected[i]) << i;
}

// A host-owned info record with buffers, filled with a marker so untouched bytes show.
struct HostInfo {
    static constexpr unsigned char kMarker = 0xA5;
    PluginInfo info;
    char texts[5][64];

    explicit HostInfo(int capacity = 64)
    {
        std::memset(&info, kMarker, sizeof info);
        std::memset(texts, kMarker, sizeof texts);
        char** buffers[] = {&info.extensions, &info.shortName, &info.displayName, &info.notice, &info.webAddress};
        std::int32_t* capacities[] = {&info.extensionsCapacity, &info.shortNameCapacity, &info.displayNameCapacity,
                                      &info.noticeCapacity, &info.webAddressCapacity};
        for (int i = 0; i < 5; ++i) {
            *buffers[i] = texts[i];
            *capacities[i] = capacity;
        }
    }
};

TEST(IdentifyPlugin, FillsTheTabledFieldsOnly)
{
    HostInfo host;
    ASSERT_EQ(IdentifyPlugin(&host.info), TRUE);
    const PluginInfo& info = host.info;
    EXPECT_EQ(info.hostReserved, 0xA5A5A5A5u);
    EXPECT_EQ(info.flags, 0x4E0u);
    EXPECT_EQ(info.version, 0x10000u);
    EXPECT_EQ(info.version2, 0x10000u);
    EXPECT_STREQ(info.extensions, ".csv");
    EXPECT_STREQ(info.shortName, "CSV");
    EXPECT_STREQ(info.displayName, "CSV Viewer Plugin");
    EXPECT_GT(std::strlen(info.notice), 0u);
    EXPECT_GT(std::strlen(info.webAddress), 0u);
    EXPECT_EQ(info.extensionsCapacity, 64);
    EXPECT_EQ(info.value1000, 1000);
    EXPECT_EQ(info.zero1, 0);
    EXPECT_EQ(info.zero2, 0);
    for (unsigned char byte : info.untouched)
        EXPECT_EQ(byte, HostInfo::kMarker);
    GUID empty{};
    EXPECT_NE(std::memcmp(&info.pluginId, &empty, sizeof empty), 0);
    // Nothing written past the terminator of a copied text.
    EXPECT_EQ(static_cast<unsigned char>(host.texts[0][5]), HostInfo::kMarker);
}

TEST(IdentifyPlugin, ShortBufferTruncates)
{
    HostInfo host;
    host.info.extensionsCapacity = 4;
    host.info.displayNameCapacity = 1;
    IdentifyPlugin(&host.info);
    EXPECT_STREQ(host.texts[0], ".cs");
    EXPECT_EQ(static_cast<unsigned char>(host.texts[0][4]), HostInfo::kMarker);
    EXPECT_STREQ(host.texts[2], "");
    EXPECT_EQ(static_cast<unsigned char>(host.texts[2][1]), HostInfo::kMarker);
}

TEST(IdentifyPlugin, MissingOrEmptyBuffersAreLeftAlone)
{
    for (int capacity : {0, -1, -100000}) {
        SCOPED_TRACE(capacity);
        HostInfo host(capacity);
        EXPECT_EQ(IdentifyPlugin(&host.info), TRUE);
        for (auto& text : host.texts)
            EXPECT_EQ(static_cast<unsigned char>(text[0]), HostInfo::kMarker);
    }
    HostInfo host;
    host.info.extensions = nullptr;
    host.info.notice = nullptr;
    EXPECT_EQ(IdentifyPlugin(&host.info), TRUE);
    EXPECT_STREQ(host.texts[1], "CSV");
    EXPECT_EQ(IdentifyPlugin(nullptr), FALSE);
}

class IdentifyFileTest : public ::testing::Test {
protected:
    SettingsGuard settings;

    FileInfo Marked()
    {
        FileInfo info;
        std::memset(&info, 0xA5, sizeof info);
        info.description = description;
        std::memset(description, 0xA5, sizeof description);
        return info;
    }

    char description[64];
};

TEST_F(IdentifyFileTest, ReportsTheConfiguredPictureSize)
{
    struct Case {
        int width, height;
        const char* description;
    } cases[] = {
        {640, 480, "640 x 480 x 24 CSV Data"},
        {-2147483647 - 1, 2147483647, "-2147483648 x 2147483647 x 24 CSV Data"},   // the longest: 39 characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        SettingsGuard::Change([&](SettingsRecord& s) {
            s.width = c.width;
            s.height = c.height;
        });
        FileInfo info = Marked();
        ASSERT_EQ(IdentifyFile("C:\\data\\x.CSV", &info), TRUE);
        EXPECT_EQ(info.hostReserved, 0xA5A5A5A5u);
        EXPECT_EQ(info.flags, 7u);
        EXPECT_EQ(info.zero1, 0);
        EXPECT_EQ(info.zero2, 0);
        EXPECT_EQ(info.width, c.width);
        EXPECT_EQ(info.height, c.height);
        EXPECT_EQ(info.bitsPerPixel, 24);
        EXPECT_STREQ(description, c.description);
    }
}

TEST_F(IdentifyFileTest, NullDescriptionStillIdentifies)
{
    FileInfo info = Marked();
    info.description = nullptr;
    ASSERT_EQ(IdentifyFile("x.csv", &info), TRUE);
    EXPECT_EQ(info.width, 640);
    EXPECT_EQ(info.bitsPerPixel, 24);
}

TEST_F(IdentifyFileTest, OtherFilesLeaveTheRecordUntouched)
{
    FileInfo info = Marked();
    FileInfo before = info;
    EXPECT_EQ(IdentifyFile("C:\\data\\x.txt", &info), FALSE);
    EXPECT_EQ(IdentifyFile(nullptr, &info), FALSE);
    EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0);
    EXPECT_EQ(static_cast<unsigned char>(description[0]), 0xA5);
    EXPECT_EQ(IdentifyFile("x.csv", nullptr), FALSE);
}

}  // namespace
