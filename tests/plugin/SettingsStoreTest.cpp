// The settings record in the registry: what a load takes, what a save writes.
#include "plugin/SettingsStore.h"

#include "plugin/PluginSettings.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/SettingsGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>

namespace {

// A field of the record as text, to compare with the table below.
using FieldText = std::function<std::string(const SettingsRecord&)>;

std::string Text(int number) { return std::to_string(number); }
std::string Text(char character) { return std::string(1, character); }
std::string Text(const std::string& text) { return text; }

template <typename T>
FieldText Field(T SettingsRecord::*field)
{
    return [field](const SettingsRecord& s) { return Text(s.*field); };
}

// Every value of the key: its type, its field, its built-in default, and a value unlike it.
struct Value {
    const char* name;
    DWORD type;
    FieldText field;
    const char* builtIn;
    const char* stored;
};

const Value kValues[] = {
    {"SeriesInCols", REG_DWORD, Field(&SettingsRecord::seriesInCols), "1", "0"},
    {"SeriesInRows", REG_DWORD, Field(&SettingsRecord::seriesInRows), "0", "1"},
    {"IgnoreFirstCol", REG_DWORD, Field(&SettingsRecord::ignoreFirstCol), "0", "1"},
    {"IgnoreFirstRow", REG_DWORD, Field(&SettingsRecord::ignoreFirstRow), "0", "1"},
    {"FirstColX", REG_DWORD, Field(&SettingsRecord::firstColX), "0", "1"},
    {"FirstRowX", REG_DWORD, Field(&SettingsRecord::firstRowX), "0", "1"},
    {"UnitX", REG_SZ, Field(&SettingsRecord::unitX), "X", "time (s)"},
    {"UnitY", REG_SZ, Field(&SettingsRecord::unitY), "Y", ""},                 // empty, not the default
    {"ShowUnits", REG_DWORD, Field(&SettingsRecord::showUnits), "0", "7"},     // any non-zero, as it is
    {"Separator", REG_SZ, Field(&SettingsRecord::separator), ",", "\t"},
    {"Width", REG_DWORD, Field(&SettingsRecord::width), "640", "0"},           // not checked
    {"Height", REG_DWORD, Field(&SettingsRecord::height), "480", "-20"},
    {"DetectLayout", REG_DWORD, Field(&SettingsRecord::detectLayout), "0", "1"},
};

// The bytes a value of the table is stored as: a 32-bit number, or a text with its NUL.
std::string Bytes(const Value& value)
{
    if (value.type == REG_SZ)
        return std::string(value.stored) + '\0';
    const DWORD number = static_cast<DWORD>(std::strtol(value.stored, nullptr, 10));
    return std::string(reinterpret_cast<const char*>(&number), sizeof number);
}

class SettingsStore : public ::testing::Test {
protected:
    // Every value stored with its own type, or with another one (a number as text, a text
    // as REG_EXPAND_SZ).
    void StoreEveryValue(bool mistyped)
    {
        for (const Value& value : kValues) {
            const std::string bytes = Bytes(value);
            if (mistyped)
                registry.StoreText(value.name, value.stored, value.type == REG_SZ ? REG_EXPAND_SZ : REG_SZ);
            else
                registry.Store(value.name, value.type, bytes.data(), static_cast<DWORD>(bytes.size()));
        }
    }

    static void ExpectEveryField(const SettingsRecord& record, bool stored)
    {
        for (const Value& value : kValues)
            EXPECT_EQ(value.field(record), stored ? value.stored : value.builtIn) << value.name;
    }

    RegistryGuard registry{SETTINGS_KEY};
    SettingsGuard settings;
};

TEST_F(SettingsStore, BuiltInRecordHoldsEveryDefault)
{
    ExpectEveryField(SettingsRecord(), false);
}

TEST_F(SettingsStore, MissingKeyLeavesEveryField)
{
    SettingsGuard::Change([](SettingsRecord& s) {
        s.width = 999;
        s.unitX = "kept";
    });
    LoadSettings();
    EXPECT_EQ(PluginSettings().width, 999);
    EXPECT_EQ(PluginSettings().unitX, "kept");
}

TEST_F(SettingsStore, EveryValueIsReadAndWrittenBackWithItsType)
{
    StoreEveryValue(false);
    LoadSettings();
    const SettingsRecord loaded = PluginSettings();
    ExpectEveryField(loaded, true);

    registry.Delete();
    SettingsGuard::RestoreDefaults();
    SaveSettings(loaded);
    ExpectEveryField(PluginSettings(), true);   // published at once
    for (const Value& value : kValues) {
        DWORD type = 0;
        std::string bytes;
        ASSERT_TRUE(registry.Query(value.name, type, bytes)) << value.name;
        EXPECT_EQ(type, value.type) << value.name;
        EXPECT_EQ(bytes, Bytes(value)) << value.name;
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(count, std::size(kValues)) << "nothing else is written";
}

TEST_F(SettingsStore, MissingOrMistypedValuesGiveTheirDefaults)
{
    for (bool mistyped : {false, true}) {
        SCOPED_TRACE(mistyped ? "mistyped" : "missing");
        StoreEveryValue(false);
        LoadSettings();
        registry.Delete();
        if (mistyped)
            StoreEveryValue(true);
        else
            registry.StoreNumber("Unrelated", 1);   // the key is there, its values are not
        LoadSettings();
        ExpectEveryField(PluginSettings(), false);
    }
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

}  // namespace
