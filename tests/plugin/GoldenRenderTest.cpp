// The renders of the samples and of edge files match their recorded hashes.
#include "plugin/SettingsStore.h"
#include "tests/support/PluginHost.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <bcrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

// The SHA-256 of a file's bytes in hexadecimal, or "" when it cannot be read.
std::string Sha256OfFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    unsigned char digest[32] = {};
    bool done = file && BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) == 0 &&
                BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) == 0 &&
                BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                               static_cast<ULONG>(bytes.size()), 0) == 0 &&
                BCryptFinishHash(hash, digest, sizeof digest, 0) == 0;
    if (hash)
        BCryptDestroyHash(hash);
    if (algorithm)
        BCryptCloseAlgorithmProvider(algorithm, 0);
    if (!done)
        return "";
    std::string hex;
    for (unsigned char b : digest) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", b);
        hex += pair;
    }
    return hex;
}

// The recorded hashes of tests/golden/renders.sha256 (drive P: is the project folder), by
// file name.
std::map<std::string, std::string> RecordedHashes()
{
    std::map<std::string, std::string> recorded;
    std::ifstream list("P:\\tests\\golden\\renders.sha256");
    std::string hash, name;
    while (list >> hash >> name)
        recorded[name] = hash;
    return recorded;
}

// The renders of the bundled samples and of edge files, pixel for pixel as recorded: each
// is written as a BMP file beside the test program (renders\) and its hash compared with
// the recorded one. Both targets draw the same pixels, so both check the same hashes.
class GoldenRenders : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_FALSE(recorded.empty()) << "no recorded hashes";
    }

    // Renders the bytes as a file with the given settings stored, into NAME.bmp.
    void Write(const char* name, const std::string& bytes)
    {
        TempFile file(bytes, FixedName{std::string(name) + ".csv"});
        WritePath(name, file.Path());
    }

    void WritePath(const char* name, const std::string& path)
    {
        SCOPED_TRACE(name);
        PluginHost host;   // loaded now: it reads the settings stored so far
        BitmapPixels pixels;
        ASSERT_TRUE(host.Render(path, pixels));
        std::string error;
        const std::string file = std::string(name) + ".bmp";
        ASSERT_TRUE(WriteImageFile(pixels, folder + file, error)) << error;
        EXPECT_EQ(Sha256OfFile(folder + file), recorded[file]) << "a render differs from its record: " << file;
    }

    std::string folder = ProgramFolder() + "renders\\";
    std::map<std::string, std::string> recorded = RecordedHashes();
    RegistryGuard registry{SETTINGS_KEY};
};

TEST_F(GoldenRenders, EdgeFilesWithDefaultSettings)
{
    std::string thirteen;
    for (int k = 0; k < 13; ++k)
        thirteen += std::to_string(k * k % 17) + ",";
    std::string noisy;
    for (int i = 0; i < 2000; ++i)
        noisy += std::to_string((i * 7919) % 1000 * 0.001 - 0.5) + "," + std::to_string(i % 3) + "\n";
    std::string longLines;
    for (int line = 0; line < 3; ++line) {
        for (int k = 0; k < 1500; ++k)
            longLines += std::to_string((k * 31 + line * 7) % 97) + ",";
        longLines += "\r\n";
    }
    Write("empty", "");
    Write("single-line", "5,6,7\n");
    Write("huge-values", "1e300\n-1e300\n2\n");
    Write("infinities", "1\n1e999\n-1e999\n4\n");
    Write("far-from-zero", "2200000000\n2200000005\n2200000003\n");
    Write("tiny-range", "0.1\n0.10002\n0.10001\n");
    Write("thirteen-series", thirteen + "\n" + thirteen + "\n");
    Write("noisy-2000", noisy);
    Write("long-lines", longLines);
    Write("odd-bytes", std::string("1,2\r\n3\r4,5\n\n6,\0007\n8,9\r\n\x1A" "100,100\n", 31));
}

TEST_F(GoldenRenders, SettingsOfEveryKind)
{
    registry.StoreNumber("SeriesInCols", 0);
    registry.StoreNumber("FirstRowX", 1);
    registry.StoreNumber("IgnoreFirstCol", 1);
    Write("rows-with-x-line", "10,20,30,40\na,1,5,2,8\nb,3,3\n\nc,9,0,4,4,4\n");
    registry.Delete();
    registry.StoreNumber("FirstColX", 1);
    registry.StoreNumber("IgnoreFirstRow", 1);
    registry.StoreNumber("ShowUnits", 1);
    registry.StoreText("UnitX", "seconds");
    registry.StoreText("UnitY", "volts");
    registry.StoreText("Separator", ";");
    registry.StoreNumber("Width", 333);
    registry.StoreNumber("Height", 222);
    Write("columns-with-x-column", "t;a;b\n0;1,5;2\n1;2;-1\n4;0.5;3\n");
}

TEST_F(GoldenRenders, BundledSamples)
{
    for (const char* sample : {"multi-series", "sensor-log", "weekly-prices"})
        WritePath(sample, std::string("P:\\samples\\") + sample + ".csv");
}

}  // namespace
