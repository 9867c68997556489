// The plug-in in a host that is not our lab's: floating-point exceptions unmasked or another
// rounding mode, a C locale with decimal commas, a shared compiler runtime already loaded,
// little address space left.
#include "plugin/SettingsStore.h"
#include "tests/support/AddressSpace.h"
#include "tests/support/PluginHost.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/TestFiles.h"
#include "xlib/XString.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace {

struct FloatState {
    unsigned mxcsr;
    unsigned short x87Control;
    unsigned short x87Status;

    bool operator==(const FloatState& o) const
    {
        return mxcsr == o.mxcsr && x87Control == o.x87Control && (x87Status & 0x3F) == (o.x87Status & 0x3F);
    }
};

FloatState ReadFloatState()
{
    FloatState state{};
    __asm__ __volatile__("stmxcsr %0" : "=m"(state.mxcsr));
    __asm__ __volatile__("fnstcw %0" : "=m"(state.x87Control));
    __asm__ __volatile__("fnstsw %0" : "=m"(state.x87Status));
    return state;
}

// Loads the state with its exception flags raised as given: FLDENV sets the status word.
void LoadFloatState(const FloatState& state)
{
    unsigned short environment[14] = {};
    __asm__ __volatile__("fnstenv %0" : "=m"(environment));
    environment[0] = state.x87Control;
    environment[2] = state.x87Status;
    __asm__ __volatile__("fldenv %0" : : "m"(environment));
    __asm__ __volatile__("ldmxcsr %0" : : "m"(state.mxcsr));
}

const FloatState kDefaultState = {0x1F80, 0x037F, 0};

// Calls the function under the host's state; true when it leaves that state as it was.
template <typename Call>
bool LeavesStateAlone(const FloatState& host, Call call)
{
    LoadFloatState(host);
    const FloatState before = ReadFloatState();   // as the processor holds it (0x1332 reads 0x1372)
    call();
    const FloatState after = ReadFloatState();
    LoadFloatState(kDefaultState);
    return after == before;
}

using HostConditions = LoadedPlugin;

// Labels that need exact rounding (3500 from 875-wide steps), decimals, an infinite cell and
// values near the ends of the double range.
const char* const kFiles[] = {"0\n3500\n1750\n", "0\n0.3\n1\n", "1\n5\n1e999\n", "1e300\n-1e300\n2\n"};

TEST_F(HostConditions, ExportsComputeInTheDefaultStateAndHandTheHostsBack)
{
    const FloatState hostStates[] = {
        {0x1900 | 0x20, 0x1332, 0x20},   // invalid, zero-divide, overflow unmasked; precision flag up
        {0x3F80, 0x077F, 0},             // toward minus infinity
        {0x5F80, 0x0B7F, 0},             // toward plus infinity
        {0x7F80 | 0x8040, 0x0F7F, 0},    // toward zero, flush to zero, denormals are zero
    };
    auto identifyFile = FindEntryPoint<IdentifyFileProc>(host.Module(), "QOR_IdentifyFileA");
    for (const char* bytes : kFiles) {
        TempFile file(bytes);
        BitmapPixels expected = Rendered(file.Path());
        for (const FloatState& state : hostStates) {
            SCOPED_TRACE(std::string(bytes) + " mxcsr " + std::to_string(state.mxcsr));
            HBITMAP bitmap = nullptr;
            EXPECT_TRUE(LeavesStateAlone(state, [&] { bitmap = host.LoadBitmap(file.Path()); }));
            FileInfo info{};
            EXPECT_TRUE(LeavesStateAlone(state, [&] { identifyFile(0, file.Path().c_str(), &info); }));
            ASSERT_NE(bitmap, nullptr);
            BitmapPixels pixels;
            ASSERT_TRUE(ReadBitmapPixels(bitmap, pixels));
            DeleteObject(bitmap);
            EXPECT_TRUE(pixels.bgrx == expected.bgrx) << "the picture changed";
        }
    }
}

TEST_F(HostConditions, DecimalCommaLocaleChangesNoNumberText)
{
    TempFile file("0\n0.3\n1\n");
    BitmapPixels expected = Rendered(file.Path());
    ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
    char probe[32];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_STREQ(probe, "0,5") << "the locale does not reach the run-time's formatting";

    BitmapPixels pixels = Rendered(file.Path());
    XString text;
    text.SetDouble(0.25, 0, 1);
    std::string label = text.Text();
    text.SetText("  1.5e2x");
    double parsed = text.ToDouble();
    text.SetText("-12,7");
    long integer = text.ToInt();
    std::setlocale(LC_ALL, "C");

    EXPECT_TRUE(pixels.bgrx == expected.bgrx) << "the picture changed";
    EXPECT_EQ(label, "0.25");
    EXPECT_EQ(parsed, 150.0);
    EXPECT_EQ(integer, -12);
}

#if defined(_WIN32) && !defined(_WIN64)
// Another module of the host has loaded the shared compiler runtime first; an allocation
// failure inside the plug-in must still end as the null bitmap, not abort the host.
TEST(SharedRuntime, AllocationFailureBesideItGivesNoBitmap)
{
    RegistryGuard registry(SETTINGS_KEY);
    registry.StoreNumber("Width", 16);
    registry.StoreNumber("Height", 16);
    const std::string runtime = ProgramFolder() + "sharedrt\\libgcc_s_dw2-1.dll";
    HMODULE shared = LoadLibraryExA(runtime.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(shared, nullptr) << runtime;
    {
        PluginHost host;
        ASSERT_TRUE(host.Loaded());
        TempFile file("1,2\n3,4\n");
        std::string rows;
        while (rows.size() < (1u << 20) + 4096)
            rows += "1,2\n3,4\n";
        TempFile large(rows);   // read through a block of 1 MB, none kept yet
        BitmapPixels pixels;
        ASSERT_TRUE(host.Render(file.Path(), pixels));
        HBITMAP starved = nullptr;
        {
            // Room for a 16 x 16 bitmap, not for the reader's block.
            ReservedAddressSpace crowd(256 * 1024);
            ASSERT_GT(crowd.ReservedBytes(), 1u << 30);
            starved = host.LoadBitmap(large.Path());
        }
        EXPECT_EQ(starved, nullptr);
        DeleteObject(starved);
        EXPECT_TRUE(host.Render(file.Path(), pixels)) << "the host lives on";
    }
    FreeLibrary(shared);
}

// Lines of a smooth curve in two columns, as a logger writes them.
std::string Curves(int lines)
{
    std::string text;
    char line[64];
    for (int i = 0; i < lines; ++i)
        text.append(line, static_cast<std::size_t>(std::snprintf(line, sizeof line, "%d,%.4f,%.4f\n", i,
                                                                 std::sin(i * 0.001) * 50, std::cos(i * 0.0007) * 20)));
    return text;
}

// A host with little address space left, in pieces: a file large enough to be read in two
// halves, drawn once with room to spare (so that its reader's block is kept), draws
// wherever a small one does (in one thread where a second cannot be had), each picture as
// with room to spare, and every call returns.
TEST(CrowdedAddressSpace, ALargeFileDrawsWhereverASmallOneDoes)
{
    PluginHost host;
    ASSERT_TRUE(host.Loaded());
    TempFile small(Curves(100));
    TempFile large(Curves(200000));   // about 4.6 MB: read in halves
    const TempFile* files[] = {&small, &large};
    BitmapPixels alone[2];
    for (int f = 0; f < 2; ++f)
        ASSERT_TRUE(host.Render(files[f]->Path(), alone[f]));
    int smallDrawn = 0;
    const SIZE_T budgets[] = {1, 2, 4, 8, 10, 12, 16, 20, 24, 32};   // at 1 MB no 640x480 bitmap fits
    for (SIZE_T megabytes : budgets) {
        SCOPED_TRACE(std::to_string(megabytes) + " MB left");
        HBITMAP bitmaps[2];
        for (int f = 0; f < 2; ++f) {
            ReservedAddressSpace crowd(megabytes << 20);
            bitmaps[f] = host.LoadBitmap(files[f]->Path());
        }
        smallDrawn += bitmaps[0] != nullptr;
        EXPECT_TRUE(bitmaps[1] || !bitmaps[0]) << "the small file draws, the large one not";
        for (int f = 0; f < 2; ++f) {
            BitmapPixels pixels;
            EXPECT_TRUE(!bitmaps[f] || (ReadBitmapPixels(bitmaps[f], pixels) && pixels.bgrx == alone[f].bgrx)) << f;
            DeleteObject(bitmaps[f]);
        }
    }
    EXPECT_GT(smallDrawn, 0);
    EXPECT_LT(smallDrawn, static_cast<int>(sizeof budgets / sizeof budgets[0])) << "no budget is tight";
}
#endif

}  // namespace

namespace {

// Run by its own test process under LANG=ja_JP.UTF-8, which gives Wine the ANSI code page
// 932 (Shift-JIS); elsewhere it says how to run it and passes by.
class CodePage932 : public LoadedPlugin {
protected:
    void SetUp() override
    {
        if (!std::getenv("CSVCHART_CODE_PAGE_TEST") && GetACP() != 932)
            GTEST_SKIP() << "needs the ANSI code page 932: LANG=ja_JP.UTF-8 and CSVCHART_CODE_PAGE_TEST=1";
        ASSERT_EQ(GetACP(), 932u);
        LoadedPlugin::SetUp();
    }
};

// 0x95 0x5C is one character (U+8868); its second byte is the byte of a backslash.
TEST_F(CodePage932, FileNameEndingInATrailByteOfABackslashIsTheTitle)
{
    XString name;
    GetFileName(XString("C:\\data\\\x95\x5C.csv"), name);
    EXPECT_STREQ(name.Text(), "\x95\x5C.csv");

    const std::string bytes = "1,2\n3,4\n";
    TempFile named(bytes, FixedName{"\x95\x5C.csv"});
    TempFile cut(bytes, FixedName{".csv"});   // the title a byte-wise search would give
    EXPECT_FALSE(Rendered(named.Path()).bgrx == Rendered(cut.Path()).bgrx) << "the title lost the character";
}

}  // namespace
