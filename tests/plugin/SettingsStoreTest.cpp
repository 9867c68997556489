// The settings record in the registry: what a load takes, what a save writes.
#include "plugin/SettingsStore.h"

#include "plugin/PluginSettings.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/SettingsGuard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class SettingsStore : public ::testing::Test {
protected:
    RegistryGuard registry{SETTINGS_KEY};
    SettingsGuard settings;
};

TEST_F(SettingsStore, MissingKeyLeavesEveryField)
{
    SettingsGuard::Change([](SettingsRecord& s) {
        s.width = 999;
        s.unitX.SetText("kept");
    });
    LoadSettings();
    EXPECT_EQ(PluginSettings().width, 999);
    EXPECT_STREQ(PluginSettings().unitX.Text(), "kept");
}

TEST_F(SettingsStore, MissingOrMistypedValuesGiveTheirDefaults)
{
    registry.StoreText("Width", "800");                 // text, not a number
    registry.StoreText("UnitY", "m/s", REG_EXPAND_SZ);  // another text type
    registry.StoreNumber("Height", 300);
    SettingsGuard::Change([](SettingsRecord& s) {
        s.width = 999;
        s.seriesInCols = 0;
        s.unitY.SetText("stale");
    });
    LoadSettings();
    EXPECT_EQ(PluginSettings().width, 640);
    EXPECT_EQ(PluginSettings().height, 300);
    EXPECT_EQ(PluginSettings().seriesInCols, 1);
    EXPECT_STREQ(PluginSettings().unitY.Text(), "Y");
}

TEST_F(SettingsStore, EmptyCaptionStaysEmpty)
{
    registry.StoreText("UnitX", "");
    LoadSettings();
    EXPECT_STREQ(PluginSettings().unitX.Text(), "");
}

TEST_F(SettingsStore, SeparatorTakesTheFirstCharacterAndIgnoresEmptyText)
{
    registry.StoreText("Separator", ";and more");
    LoadSettings();
    EXPECT_EQ(PluginSettings().separator, ';');
    registry.StoreText("Separator", "");
    LoadSettings();
    EXPECT_EQ(PluginSettings().separator, ';');
}

TEST_F(SettingsStore, NumbersAreUsedUnchecked)
{
    registry.StoreNumber("Width", 0);
    registry.StoreNumber("Height", static_cast<DWORD>(-20));
    registry.StoreNumber("ShowUnits", 7);
    LoadSettings();
    EXPECT_EQ(PluginSettings().width, 0);
    EXPECT_EQ(PluginSettings().height, -20);
    EXPECT_EQ(PluginSettings().showUnits, 7);
}

TEST_F(SettingsStore, SaveWritesNineNumbersAndThreeTexts)
{
    SettingsRecord confirmed;
    confirmed.seriesInCols = 0;
    confirmed.seriesInRows = 1;
    confirmed.firstRowX = 1;
    confirmed.unitX.SetText("s");
    confirmed.unitY.SetText("");
    confirmed.separator = '\t';
    confirmed.width = 1024;
    SaveSettings(confirmed);
    EXPECT_EQ(PluginSettings().width, 1024);   // published at once

    const char* numbers[] = {"SeriesInCols", "SeriesInRows", "IgnoreFirstCol", "IgnoreFirstRow", "FirstColX",
                             "FirstRowX", "ShowUnits", "Width", "Height"};
    const DWORD expected[] = {0, 1, 0, 0, 0, 1, 0, 1024, 480};
    for (int i = 0; i < 9; ++i) {
        DWORD type = 0;
        std::string data;
        ASSERT_TRUE(registry.Query(numbers[i], type, data)) << numbers[i];
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << numbers[i];
        ASSERT_EQ(data.size(), 4u);
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), expected[i]) << numbers[i];
    }
    const std::pair<const char*, std::string> texts[] = {
        {"UnitX", std::string("s", 2)}, {"UnitY", std::string("", 1)}, {"Separator", std::string("\t", 2)}};
    for (const auto& text : texts) {
        DWORD type = 0;
        std::string data;
        ASSERT_TRUE(registry.Query(text.first, type, data)) << text.first;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(data, text.second) << text.first;
    }

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(values, 12u);

    SettingsGuard::RestoreDefaults();
    LoadSettings();
    EXPECT_EQ(PluginSettings().width, 1024);
    EXPECT_EQ(PluginSettings().separator, '\t');
    EXPECT_STREQ(PluginSettings().unitY.Text(), "");
}

}  // namespace
