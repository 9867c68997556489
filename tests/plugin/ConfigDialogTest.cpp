// The settings dialog opened through QOR_Configure and driven as a user would, under a
// display; what OK and Cancel leave in the registry and in the next calls of the host.
#include "plugin/SettingsStore.h"
#include "plugin/resource.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/PluginHost.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <commctrl.h>

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

// Every control of the settings as the default settings show it (a button's label, an edit
// field's text), and whether it is enabled in each of the reading modes.
enum Mode { kColumns, kRows, kDetecting };

struct Control {
    int id;
    const char* text;
    bool ticked;
    bool enabled[3];   // by Mode
};

const Control kControls[] = {
    // What the detection replaces: orientation, skips, X switches, separator.
    {IDC_DATA_COLS, "Data cols", true, {true, true, false}},
    {IDC_DATA_ROWS, "Data rows", false, {true, true, false}},
    {IDC_IGNORE_FIRST_COL, "Ignore first col", false, {true, true, false}},
    {IDC_IGNORE_FIRST_ROW, "Ignore first row", false, {true, true, false}},
    {IDC_FIRST_COL_X, "First col X", false, {true, false, false}},
    {IDC_FIRST_ROW_X, "First row X", false, {false, true, false}},
    {IDC_SEPARATOR, ",", false, {true, true, false}},
    // What stays: captions, size, the box itself, the buttons.
    {IDC_UNIT_X, "X", false, {true, true, true}},
    {IDC_UNIT_Y, "Y", false, {true, true, true}},
    {IDC_SHOW_UNITS, "Show units", false, {true, true, true}},
    {IDC_WIDTH, "640", false, {true, true, true}},
    {IDC_HEIGHT, "480", false, {true, true, true}},
    {IDC_DETECT_LAYOUT, "Detect layout: header, dates, quotes, gaps", false, {true, true, true}},
    {IDOK, "OK", false, {true, true, true}},
    {IDCANCEL, "Cancel", false, {true, true, true}},
};

void ExpectEnabled(HWND dialog, Mode mode)
{
    for (const Control& control : kControls)
        EXPECT_EQ(IsEnabled(dialog, control.id), control.enabled[mode]) << control.text << " in mode " << mode;
}

TEST_F(ConfigDialog, OpensWithTheDefaults)
{
    Configure([](HWND dialog) {
        char caption[64] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "CSV Chart Plugin");
        for (const Control& control : kControls) {
            EXPECT_EQ(TextOf(dialog, control.id), control.text);
            EXPECT_EQ(IsChecked(dialog, control.id), control.ticked) << control.text;
        }
        ExpectEnabled(dialog, kColumns);
    });
}

TEST_F(ConfigDialog, RadioButtonsGreyTheOtherOrientationsX)
{
    Configure([](HWND dialog) {
        Click(dialog, IDC_DATA_ROWS);
        EXPECT_FALSE(IsChecked(dialog, IDC_DATA_COLS));
        ExpectEnabled(dialog, kRows);
        Click(dialog, IDC_DATA_COLS);
        EXPECT_FALSE(IsChecked(dialog, IDC_DATA_ROWS));
        ExpectEnabled(dialog, kColumns);
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
        {"  16384", "", 16384, ','},   // an emptied separator keeps ','
        {"+1", "\t", 1, '\t'},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.width);
        registry.Delete();
        Reload();
        Configure([&](HWND dialog) {
            Type(dialog, IDC_WIDTH, c.width);
            Type(dialog, IDC_HEIGHT, "300");
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

// The balloon tip an edit control shows is a visible tooltip window of this thread.
BOOL CALLBACK FindVisibleTip(HWND window, LPARAM found)
{
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool BalloonTipShows()
{
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), FindVisibleTip, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(ConfigDialog, SizesThePlugInCannotDrawAreRefusedAtOk)
{
    const std::pair<const char*, const char*> refused[] = {
        {"abc", "480"}, {"", "480"}, {"0", "480"}, {"-12", "480"}, {"16385", "480"},
        {"99999999999", "480"}, {"640", "x"}, {"640", "0"}, {"16384", "4097"},   // beyond 64 megapixels
    };
    for (const auto& size : refused) {
        SCOPED_TRACE(std::string(size.first) + " x " + size.second);
        Configure([&](HWND dialog) {
            Type(dialog, IDC_WIDTH, size.first);
            Type(dialog, IDC_HEIGHT, size.second);
            Click(dialog, IDOK);
            ASSERT_TRUE(IsWindow(dialog)) << "the dialog stays open";
            const int wrong = std::string(size.first) == "640" || std::string(size.first) == "16384" ? IDC_HEIGHT : IDC_WIDTH;
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, wrong));
            DWORD from = 1;
            DWORD to = 0;
            SendDlgItemMessageA(dialog, wrong, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            EXPECT_EQ(from, 0u);
            EXPECT_EQ(to, static_cast<DWORD>(TextOf(dialog, wrong).size())) << "the field is selected";
            EXPECT_TRUE(BalloonTipShows());
            EXPECT_FALSE(registry.KeyExists()) << "nothing stored";
            EXPECT_EQ(ReportedSize(), std::make_pair(640, 480));
            // Still open: corrected, the same dialog takes the size.
            Type(dialog, IDC_WIDTH, "321");
            EXPECT_FALSE(BalloonTipShows()) << "typing puts the tip away";
            Type(dialog, IDC_HEIGHT, "123");
            Click(dialog, IDOK);
        });
        EXPECT_EQ(ReportedSize(), std::make_pair(321, 123));
        registry.Delete();
        Reload();
    }
}

TEST_F(ConfigDialog, LongCaptionsSurviveTheNextLoad)
{
    const std::string typed(3000, 'c');
    Configure([&](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_UNIT_X, EM_GETLIMITTEXT, 0, 0), 2047);
        Type(dialog, IDC_UNIT_X, typed.c_str());
        Click(dialog, IDOK);
    });
    Reload();
    Configure([&](HWND dialog) {
        char text[4096] = {};
        GetDlgItemTextA(dialog, IDC_UNIT_X, text, sizeof text);
        EXPECT_EQ(std::string(text), typed.substr(0, 2047)) << "not the default caption";
    });
}

// What Tab and the arrow keys do: the dialog manager's next tab stop and group item. A
// greyed box is passed by; the radio group is one stop.
TEST_F(ConfigDialog, KeyboardWalksTheControlsInTheirVisualOrder)
{
    Configure([](HWND dialog) {
        const int order[] = {IDC_DATA_COLS, IDC_IGNORE_FIRST_COL, IDC_IGNORE_FIRST_ROW, IDC_FIRST_COL_X,
                             IDC_UNIT_X, IDC_UNIT_Y, IDC_SHOW_UNITS, IDC_SEPARATOR,
                             IDC_WIDTH, IDC_HEIGHT, IDC_DETECT_LAYOUT, IDOK, IDCANCEL, IDC_DATA_COLS};
        HWND at = GetDlgItem(dialog, order[0]);
        for (int id : order) {
            EXPECT_EQ(GetDlgCtrlID(at), id);
            at = GetNextDlgTabItem(dialog, at, FALSE);
        }
        HWND cols = GetDlgItem(dialog, IDC_DATA_COLS);
        HWND rows = GetDlgItem(dialog, IDC_DATA_ROWS);
        EXPECT_EQ(GetNextDlgGroupItem(dialog, cols, FALSE), rows);
        EXPECT_EQ(GetNextDlgGroupItem(dialog, rows, FALSE), cols) << "the arrows stay with the radio buttons";
        EXPECT_EQ(GetNextDlgGroupItem(dialog, cols, TRUE), rows);
        Click(dialog, IDC_DATA_ROWS);
        EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_IGNORE_FIRST_ROW), FALSE),
                  GetDlgItem(dialog, IDC_FIRST_ROW_X));
        EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDCANCEL), FALSE), rows) << "the chosen one";
    });
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

// Greying changes no check state: a greyed but ticked box is saved ticked.
TEST_F(ConfigDialog, DetectLayoutGreysWhatItReplacesAndOkStoresIt)
{
    registry.StoreNumber("FirstRowX", 1);
    Reload();
    Configure([](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_FIRST_ROW_X));
        ExpectEnabled(dialog, kColumns);
        Click(dialog, IDC_DETECT_LAYOUT);
        ExpectEnabled(dialog, kDetecting);
        Click(dialog, IDC_DETECT_LAYOUT);
        ExpectEnabled(dialog, kColumns);
        Click(dialog, IDC_DETECT_LAYOUT);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(StoredNumber("DetectLayout"), 1u);
    EXPECT_EQ(StoredNumber("FirstRowX"), 1u);
    EXPECT_EQ(StoredNumber("SeriesInCols"), 1u);
    Reload();
    Configure([](HWND dialog) {
        EXPECT_TRUE(IsChecked(dialog, IDC_DETECT_LAYOUT));
        ExpectEnabled(dialog, kDetecting);
    });
}

}  // namespace
