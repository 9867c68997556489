// The DLL as the host sees it: loaded by path, called through its four exports.
#include "plugin/HostRecords.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class PluginDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA(PluginDllPath().c_str());
        ASSERT_NE(module_, nullptr) << PluginDllPath() << " error " << GetLastError();
    }

    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    template <typename Proc>
    Proc Export(const char* name)
    {
        return FindEntryPoint<Proc>(module_, name);
    }

    HMODULE module_ = nullptr;
};

TEST_F(PluginDll, ExportsTheFourEntryPointsUndecorated)
{
    EXPECT_NE(Export<FARPROC>("QOR_IdentifyA"), nullptr);
    EXPECT_NE(Export<FARPROC>("QOR_IdentifyFileA"), nullptr);
    EXPECT_NE(Export<FARPROC>("QOR_LoadBitmapA"), nullptr);
    EXPECT_NE(Export<FARPROC>("QOR_Configure"), nullptr);
    EXPECT_EQ(Export<FARPROC>("QOR_IdentifyA@4"), nullptr);
    EXPECT_EQ(Export<FARPROC>("_QOR_IdentifyA@4"), nullptr);
}

TEST_F(PluginDll, IdentifyFillsTheHostRecord)
{
    auto identify = Export<IdentifyProc>("QOR_IdentifyA");
    ASSERT_NE(identify, nullptr);
    char texts[5][32];
    std::memset(texts, 'x', sizeof texts);
    PluginInfo info;
    std::memset(&info, 0x5A, sizeof info);
    info.extensions = texts[0];
    info.shortName = texts[1];
    info.displayName = texts[2];
    info.notice = texts[3];
    info.webAddress = texts[4];
    info.extensionsCapacity = 4;   // room for three characters and the NUL
    info.shortNameCapacity = info.displayNameCapacity = info.noticeCapacity = info.webAddressCapacity = 32;
    ASSERT_EQ(identify(&info), TRUE);
    EXPECT_STREQ(texts[0], ".cs");
    EXPECT_EQ(texts[0][4], 'x');
    EXPECT_STREQ(texts[1], "CSV");
    EXPECT_STREQ(texts[2], "CSV Viewer Plugin");
    EXPECT_EQ(info.flags, 0x4E0u);
    EXPECT_EQ(info.value1000, 1000);
    EXPECT_EQ(info.hostReserved, 0x5A5A5A5Au);
    EXPECT_EQ(identify(nullptr), FALSE);
}

TEST_F(PluginDll, IdentifyFileRecognisesCsvPathsOnly)
{
    auto identifyFile = Export<IdentifyFileProc>("QOR_IdentifyFileA");
    ASSERT_NE(identifyFile, nullptr);
    char description[64] = "untouched";
    FileInfo info{};
    info.description = description;
    EXPECT_EQ(identifyFile(0, "C:\\data\\notes.txt", &info), FALSE);
    EXPECT_STREQ(description, "untouched");
    EXPECT_EQ(info.flags, 0u);

    ASSERT_EQ(identifyFile(12345, "C:\\data\\Readings.Csv", &info), TRUE);
    EXPECT_EQ(info.flags, 7u);
    EXPECT_EQ(info.width, 640);
    EXPECT_EQ(info.height, 480);
    EXPECT_EQ(info.bitsPerPixel, 24);
    EXPECT_STREQ(description, "640 x 480 x 24 CSV Data");
}

TEST_F(PluginDll, FileIsNotOpenedToIdentifyIt)
{
    auto identifyFile = Export<IdentifyFileProc>("QOR_IdentifyFileA");
    FileInfo info{};
    EXPECT_EQ(identifyFile(0, UniqueTempPath(".csv").c_str(), &info), TRUE);
    EXPECT_EQ(info.width, 640);
}

TEST_F(PluginDll, CarriesVersion1010)
{
    char path[MAX_PATH];
    GetModuleFileNameA(module_, path, MAX_PATH);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, &data[0]));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(&data[0], "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00010000u);
}

TEST_F(PluginDll, CarriesAnAsInvokerManifest)
{
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    auto text = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    std::string manifest(text, SizeofResource(module_, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
}

}  // namespace
