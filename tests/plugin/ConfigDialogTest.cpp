// The settings dialog opened through QOR_Configure and driven as a user would, under a
// display; what OK and Cancel leave in the registry and in the next calls of the host.
#include "plugin/SettingsStore.h"
#include "plugin/resource.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/PluginHost.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class ConfigDialog : public ::testing::Test {
protected:
    void SetUp() override { Reload(); }

    // A fresh load of the DLL, which reads the settings anew.
    void Reload()
    {
        host.reset();
        host.reset(new PluginHost);
        ASSERT_TRUE(host->Loaded());
    }

    // Opens the dialog through the export and runs the script in it; the dialog must show.
    void Configure(const DialogScript& script)
    {
        auto configure = FindEntryPoint<ConfigureProc>(host->Module(), "QOR_Configure");
        ASSERT_NE(configure, nullptr);
        int result = -1;
        ASSERT_TRUE(RunDialogScript([&] { result = configure(nullptr); }, script))
            << "the dialog did not show: dialog tests need a display";
        EXPECT_EQ(result, 0);
    }

    // The picture size the plug-in now reports for a CSV file.
    std::pair<int, int> ReportedSize()
    {
        auto identifyFile = FindEntryPoint<IdentifyFileProc>(host->Module(), "QOR_IdentifyFileA");
        FileInfo info{};
        EXPECT_TRUE(identifyFile(0, "C:\\x.csv", &info));
        return {info.width, info.height};
    }

    DWORD StoredNumber(const char* name)
    {
        DWORD type = 0;
        std::string data;
        EXPECT_TRUE(registry.Query(name, type, data)) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
        return data.size() == 4 ? *reinterpret_cast<const DWORD*>(data.data()) : 0xDEADBEEF;
    }

    std::string StoredText(const char* name)
    {
        DWORD type = 0;
        std::string data;
        EXPECT_TRUE(registry.Query(name, type, data)) << name;
        return data.empty() ? data : data.substr(0, data.size() - 1);
    }

    RegistryGuard registry{SETTINGS_KEY};
    std::unique_ptr<PluginHost> host;
};

TEST_F(ConfigDialog, OpensWithTheDefaults)
{
    Configure([](HWND dialog) {
        char caption[64] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "CSV Chart Plugin");
        EXPECT_TRUE(IsChecked(dialog, IDC_DATA_COLS));
        EXPECT_FALSE(IsChecked(dialog, IDC_DATA_ROWS));
        EXPECT_FALSE(IsEnabled(dialog, IDC_FIRST_ROW_X));
        EXPECT_TRUE(IsEnabled(dialog, IDC_FIRST_COL_X));
        for (int id : {IDC_IGNORE_FIRST_COL, IDC_IGNORE_FIRST_ROW, IDC_FIRST_COL_X, IDC_FIRST_ROW_X, IDC_SHOW_UNITS})
            EXPECT_FALSE(IsChecked(dialog, id)) << id;
        EXPECT_EQ(TextOf(dialog, IDC_UNIT_X), "X");
        EXPECT_EQ(TextOf(dialog, IDC_UNIT_Y), "Y");
        EXPECT_EQ(TextOf(dialog, IDC_SEPARATOR), ",");
        EXPECT_EQ(TextOf(dialog, IDC_WIDTH), "640");
        EXPECT_EQ(TextOf(dialog, IDC_HEIGHT), "480");
        EXPECT_EQ(TextOf(dialog, IDOK), "OK");
        EXPECT_EQ(TextOf(dialog, IDC_FIRST_ROW_X), "First row X");
    });
}

TEST_F(ConfigDialog, RadioButtonsGreyTheOtherOrientationsX)
{
    Configure([](HWND dialog) {
        Click(dialog, IDC_DATA_ROWS);
        EXPECT_TRUE(IsChecked(dialog, IDC_DATA_ROWS));
        EXPECT_FALSE(IsChecked(dialog, IDC_DATA_COLS));
        EXPECT_FALSE(IsEnabled(dialog, IDC_FIRST_COL_X));
        EXPECT_TRUE(IsEnabled(dialog, IDC_FIRST_ROW_X));
        Click(dialog, IDC_DATA_COLS);
        EXPECT_TRUE(IsEnabled(dialog, IDC_FIRST_COL_X));
        EXPECT_FALSE(IsEnabled(dialog, IDC_FIRST_ROW_X));
    });
}

struct TypedCase {
    const char* width;
    const char* separator;
    int storedWidth;
    char storedSeparator;
};

TEST_F(ConfigDialog, OkStoresWhatWasTyped)
{
    const TypedCase cases[] = {
        {"800px", ";x", 800, ';'},
        {"abc", "", 0, ','},           // no digits: 0; an emptied separator keeps ','
        {"  -12", "\t", -12, '\t'},
        {"99999999999", "|", 2147483647, '|'},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.width);
        registry.Delete();
        Reload();
        Configure([&](HWND dialog) {
            Type(dialog, IDC_WIDTH, c.width);
            Type(dialog, IDC_SEPARATOR, c.separator);
            Type(dialog, IDC_UNIT_X, "");
            Click(dialog, IDC_SHOW_UNITS);
            Click(dialog, IDOK);
        });
        EXPECT_EQ(static_cast<int>(StoredNumber("Width")), c.storedWidth);
        EXPECT_EQ(StoredText("Separator"), std::string(1, c.storedSeparator));
        EXPECT_EQ(StoredText("UnitX"), "");
        EXPECT_EQ(StoredNumber("ShowUnits"), 1u);
        EXPECT_EQ(ReportedSize().first, c.storedWidth);   // the same process, at once
        Reload();
        EXPECT_EQ(ReportedSize().first, c.storedWidth);   // a fresh load reads it back
    }
}

TEST_F(ConfigDialog, NewSizeShapesTheNextBitmap)
{
    Configure([](HWND dialog) {
        Type(dialog, IDC_WIDTH, "320");
        Type(dialog, IDC_HEIGHT, "200");
        Click(dialog, IDOK);
    });
    TempFile file("1,2\n3,4\n");
    BitmapPixels pixels;
    ASSERT_TRUE(host->Render(file.Path(), pixels));
    EXPECT_EQ(pixels.width, 320);
    EXPECT_EQ(pixels.height, 200);
}

TEST_F(ConfigDialog, CancelChangesNothing)
{
    Configure([](HWND dialog) {
        Type(dialog, IDC_WIDTH, "999");
        Click(dialog, IDC_DATA_ROWS);
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(registry.KeyExists());
    EXPECT_EQ(ReportedSize().first, 640);
    Configure([](HWND dialog) { EXPECT_TRUE(IsChecked(dialog, IDC_DATA_COLS)); });
}

TEST_F(ConfigDialog, GreyedButTickedBoxIsSavedTicked)
{
    registry.StoreNumber("FirstRowX", 1);
    registry.StoreNumber("SeriesInRows", 1);   // both radio buttons show as chosen
    Reload();
    Configure([](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_FIRST_ROW_X));
        EXPECT_FALSE(IsEnabled(dialog, IDC_FIRST_ROW_X));
        EXPECT_TRUE(IsChecked(dialog, IDC_DATA_COLS));
        EXPECT_TRUE(IsChecked(dialog, IDC_DATA_ROWS));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(StoredNumber("FirstRowX"), 1u);
    EXPECT_EQ(StoredNumber("SeriesInCols"), 1u);
}

// A control class as a name, whether the template holds the atom or the text.
std::string ClassName(std::string cls)
{
    const std::pair<const char*, const char*> atoms[] = {{"#128", "BUTTON"}, {"#129", "EDIT"}, {"#130", "STATIC"}};
    for (const auto& atom : atoms)
        if (cls == atom.first)
            return atom.second;
    for (char& c : cls)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return cls;
}

// The template as the resource holds it: style, caption, font and every control.
TEST(ConfigDialogTemplate, MatchesTheLayout)
{
    PluginHost host;
    ASSERT_TRUE(host.Loaded());
    HRSRC found = FindResourceA(host.Module(), MAKEINTRESOURCEA(IDD_CONFIG), MAKEINTRESOURCEA(5));
    ASSERT_NE(found, nullptr);
    auto data = static_cast<const BYTE*>(LockResource(LoadResource(host.Module(), found)));
    auto word = [&](size_t& at) { WORD w; std::memcpy(&w, data + at, 2); at += 2; return w; };
    auto dword = [&](size_t& at) { DWORD d; std::memcpy(&d, data + at, 4); at += 4; return d; };
    auto text = [&](size_t& at) {
        std::string s;
        for (WORD c = word(at); c; c = word(at))
            s += static_cast<char>(c);
        return s;
    };
    auto idOrText = [&](size_t& at) {   // 0xFFFF then an atom, or a text
        WORD first;
        std::memcpy(&first, data + at, 2);
        if (first == 0xFFFF) {
            at += 2;
            return "#" + std::to_string(word(at));
        }
        return text(at);
    };
    size_t at = 0;
    EXPECT_EQ(word(at), 1);        // version
    EXPECT_EQ(word(at), 0xFFFF);   // extended template
    dword(at);                     // help id
    EXPECT_EQ(dword(at), 0u);      // no extended style
    EXPECT_EQ(dword(at), static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER |
                                            DS_SETFONT | DS_FIXEDSYS));
    WORD controls = word(at);
    EXPECT_EQ(controls, 20);
    const WORD frame[4] = {word(at), word(at), word(at), word(at)};
    EXPECT_EQ(frame[2], 234);
    EXPECT_EQ(frame[3], 161);
    EXPECT_EQ(idOrText(at), "");   // no menu
    EXPECT_EQ(idOrText(at), "");   // the standard class
    EXPECT_EQ(text(at), "CSV Chart Plugin");
    EXPECT_EQ(word(at), 8);        // points
    EXPECT_EQ(word(at), 400);      // weight
    EXPECT_EQ(data[at], 0);        // not italic
    EXPECT_EQ(data[at + 1], 1);    // character set
    at += 2;
    EXPECT_EQ(text(at), "MS Shell Dlg");

    struct Control {
        int id;
        const char* cls;
        const char* text;
        DWORD style;
        short x, y, cx, cy;
    };
    const DWORD button = BS_AUTOCHECKBOX | WS_TABSTOP;
    const DWORD edit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    const DWORD label = SS_LEFT | WS_GROUP;
    const Control expected[20] = {
        {IDOK, "#128", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 126, 144, 50, 14},
        {IDCANCEL, "#128", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 178, 144, 50, 14},
        {-1, "#128", "Data properties", BS_GROUPBOX, 6, 6, 222, 132},
        {1000, "#128", "Ignore first col", button, 18, 78, 63, 10},
        {1001, "#128", "Ignore first row", button, 18, 90, 66, 10},
        {1002, "#128", "Show units", button, 168, 54, 51, 10},
        {1004, "#129", "", edit, 168, 25, 46, 12},
        {-1, "#130", "X unit:", label, 144, 27, 22, 8},
        {1006, "#129", "", edit, 168, 40, 46, 12},
        {-1, "#130", "Y unit:", label, 144, 42, 22, 8},
        {1005, "#129", "", edit, 168, 76, 28, 13},
        {-1, "#130", "Separator:", label, 130, 78, 36, 8},
        {1007, "#128", "Data cols", BS_AUTORADIOBUTTON, 18, 28, 45, 10},
        {1008, "#128", "Data rows", BS_AUTORADIOBUTTON, 18, 40, 49, 10},
        {1003, "#128", "First col X", button, 18, 102, 47, 10},
        {1009, "#128", "First row X", button, 18, 114, 50, 10},
        {-1, "#130", "Image width:", label, 120, 101, 43, 8},
        {1010, "#129", "", edit, 168, 99, 48, 12},
        {1011, "#129", "", edit, 168, 113, 48, 12},
        {-1, "#130", "Image height:", label, 118, 115, 46, 8},
    };
    for (int i = 0; i < controls && i < 20; ++i) {
        SCOPED_TRACE(expected[i].text);
        at = (at + 3) & ~size_t(3);   // each item starts on a DWORD boundary
        dword(at);                    // help id
        EXPECT_EQ(dword(at), 0u);     // extended style
        EXPECT_EQ(dword(at), expected[i].style | WS_CHILD | WS_VISIBLE);
        short box[4];
        for (short& v : box)
            v = static_cast<short>(word(at));
        EXPECT_EQ(box[0], expected[i].x);
        EXPECT_EQ(box[1], expected[i].y);
        EXPECT_EQ(box[2], expected[i].cx);
        EXPECT_EQ(box[3], expected[i].cy);
        EXPECT_EQ(static_cast<int>(dword(at)), expected[i].id);
        EXPECT_EQ(ClassName(idOrText(at)), ClassName(expected[i].cls));
        EXPECT_EQ(idOrText(at), expected[i].text);
        at += word(at);   // creation data
    }
}

}  // namespace
