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

// The exports reach the identify calls (IdentifyTest has their every field and case).
TEST_F(PluginDll, IdentifyCallsAnswerThroughTheExports)
{
    auto identify = Export<IdentifyProc>("QOR_IdentifyA");
    auto identifyFile = Export<IdentifyFileProc>("QOR_IdentifyFileA");
    ASSERT_TRUE(identify && identifyFile);
    char name[32] = {};
    PluginInfo info{};
    info.displayName = name;
    info.displayNameCapacity = sizeof name;
    ASSERT_EQ(identify(&info), TRUE);
    EXPECT_STREQ(name, "CSV Viewer Plugin");
    EXPECT_EQ(identify(nullptr), FALSE);

    char description[64] = "untouched";
    FileInfo file{};
    file.description = description;
    EXPECT_EQ(identifyFile(0, "C:\\data\\notes.txt", &file), FALSE);
    EXPECT_STREQ(description, "untouched");
    // The file is not opened to identify it: a missing one is identified too.
    ASSERT_EQ(identifyFile(12345, UniqueTempPath(".Csv").c_str(), &file), TRUE);
    EXPECT_STREQ(description, "640 x 480 x 24 CSV Data");
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
