// Whatever a file named .csv holds, the host gets a bitmap back and lives on, with the
// settings' reading and with the detected layout. On the 64-bit target each case runs in a
// process of its own, so that a crash fails that case alone.
#include "plugin/SettingsStore.h"
#include "tests/support/PluginHost.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/TestFiles.h"
#include "xlib/XWorkerThread.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// The parameter: whether the stored settings ask for the detected layout.
class Hostile : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam())
            settings.StoreNumber("DetectLayout", 1);
        host.reset(new PluginHost());   // reads the settings as it loads
        ASSERT_TRUE(host->Loaded());
    }

    // The plug-in draws the path into a bitmap of the configured size, within a minute: a
    // render that does not end fails the test and ends the process, instead of hanging it.
    void ExpectChart(const std::string& path)
    {
        BitmapPixels pixels;
        ASSERT_TRUE(RenderWithin(60000, path, pixels)) << "no bitmap for " << path;
        EXPECT_EQ(pixels.width, 640);
        EXPECT_EQ(pixels.height, 480);
        if (GetParam())   // the legend takes a right band of its own size
            EXPECT_GE(FrameRows(pixels).size(), 2u) << "the frame's top and bottom sides";
        else
            EXPECT_EQ(PixelAt(pixels, pixels.width - 21, pixels.height / 2), 0u) << "the frame's right side";
    }

    void ExpectChartOf(const std::string& bytes)
    {
        TempFile file(bytes);
        ExpectChart(file.Path());
    }

    bool RenderWithin(DWORD milliseconds, const std::string& path, BitmapPixels& pixels)
    {
        bool drawn = false;
        XWorkerThread render([&] { drawn = host->Render(path, pixels); });
        if (!render.EndsWithin(milliseconds)) {
            std::fprintf(stderr, "FAILED: the render of %s did not end within %lu ms\n", path.c_str(),
                         static_cast<unsigned long>(milliseconds));
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        return drawn;
    }

    RegistryGuard settings{SETTINGS_KEY};
    std::unique_ptr<PluginHost> host;
};

INSTANTIATE_TEST_SUITE_P(Reading, Hostile, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Detected" : "Strict"; });

std::string RandomBytes(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (char& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<char>(seed >> 24);
    }
    return bytes;
}

TEST_P(Hostile, RandomBinaryBytes)
{
    ExpectChartOf(RandomBytes(2 << 20, 1));
    ExpectChartOf(RandomBytes(4096 * 3 + 17, 2));
}

TEST_P(Hostile, TenMegabyteSingleLine)
{
    std::string line;
    line.reserve(10 << 20);
    for (int i = 0; line.size() < (10u << 20); ++i)
        line += std::to_string(i % 1000) + ",";
    ExpectChartOf(line);
}

TEST_P(Hostile, NulBytesInsideLines)
{
    std::string bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += std::to_string(i) + std::string(1, '\0') + ",5\0,6\n";
    ExpectChartOf(bytes);
}

TEST_P(Hostile, LinesOfOnlySeparators)
{
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += std::string(i % 50, ',') + "\n";
    ExpectChartOf(bytes);
}

TEST_P(Hostile, NumbersBeyondTheDoubleRange)
{
    ExpectChartOf("1e999\n-1e999\n1e-400\n");
    ExpectChartOf("1e999,1\n2,-1e999\n1e-400,1e308\n-1e308,3\n");
    ExpectChartOf("-1e999,1e999\n1e999,-1e999\n");
}

TEST_P(Hostile, BoundsFarFromZeroWithATinySpread)
{
    ExpectChartOf("2200000000\n2200000005\n2200000001\n");
    std::string timestamps;
    for (int i = 0; i < 60; ++i)
        timestamps += std::to_string(1733650000 + i) + "," + std::to_string(20 + i % 7) + "\n";
    ExpectChartOf(timestamps);
}

TEST_P(Hostile, TwentyThousandColumns)
{
    std::string line;
    for (int i = 0; i < 20000; ++i)
        line += std::to_string(i % 97) + ",";
    ExpectChartOf(line + "\n" + line + "\n" + line + "\n");
}

TEST_P(Hostile, MillionRows)
{
    std::string bytes;
    bytes.reserve(16 << 20);
    for (int i = 0; i < 1000000; ++i)
        bytes += std::to_string(i % 1013) + "," + std::to_string((i * 7) % 509) + "\n";
    ExpectChartOf(bytes);
}

TEST_P(Hostile, EmptyFile)
{
    ExpectChartOf("");
}

TEST_P(Hostile, DirectoryNamedCsv)
{
    std::string folder = UniqueTempPath(".csv");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ExpectChart(folder);
    RemoveDirectoryA(folder.c_str());
}

// Sharing is checked per open file, whichever process holds it: a handle of this process
// that allows no sharing locks the file as another program's would.
TEST_P(Hostile, FileLockedByAnotherProgram)
{
    TempFile file("1,2\n3,4\n");
    HANDLE holder = CreateFileA(file.Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA(file.Path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE)
        << "the file should be locked";
    ExpectChart(file.Path());
    CloseHandle(holder);
}

std::string PathOfLength(size_t length)
{
    char temp[MAX_PATH];
    std::string folder(temp, GetTempPathA(MAX_PATH, temp));
    std::string path = folder + std::string(200, 'd');
    if (length <= folder.size() + 200 + 10)
        path = folder + std::string(length - folder.size() - 4, 'n');
    else
        path += "\\" + std::string(length - path.size() - 5, 'n');
    return path + ".csv";
}

TEST_P(Hostile, PathsOf259And300Characters)
{
    for (size_t length : {259u, 300u}) {
        std::string path = PathOfLength(length);
        ASSERT_EQ(path.size(), length);
        std::string folder = path.substr(0, path.find_last_of('\\'));
        CreateDirectoryA(("\\\\?\\" + folder).c_str(), nullptr);
        HANDLE file = CreateFileA(("\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, "1\n2\n", 4, &written, nullptr);
            CloseHandle(file);
        }
        ExpectChart(path);
        DeleteFileA(("\\\\?\\" + path).c_str());
        RemoveDirectoryA(("\\\\?\\" + folder).c_str());
    }
}

// Paths that are no disk file never make the host wait: each draws as a file that cannot
// be read. A named pipe whose server accepts and never writes, both ways of naming it:
TEST_P(Hostile, PipeThatNeverWrites)
{
    const std::string name = "csvchart-" + std::to_string(GetCurrentProcessId()) + ".csv";
    for (const char* prefix : {"\\\\.\\pipe\\", "\\\\?\\pipe\\"}) {
        HANDLE server = CreateNamedPipeA(("\\\\.\\pipe\\" + name).c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
        ASSERT_NE(server, INVALID_HANDLE_VALUE);
        OVERLAPPED accept = {};
        accept.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        ConnectNamedPipe(server, &accept);   // accepts whoever comes, and sends nothing
        ExpectChart(prefix + name);
        CancelIo(server);
        CloseHandle(accept.hEvent);
        CloseHandle(server);
    }
}

// Windows takes these names for devices in every folder (a serial port would wait forever).
TEST_P(Hostile, DeviceNamesInAnyFolder)
{
    for (const char* name : {"COM1.csv", "AUX.csv", "nul.csv", "con.csv", "LPT1.csv", "com9 .csv"})
        ExpectChart(ProgramFolder() + name);
}

// A Unix FIFO no one writes to, reached through a Wine drive (tools/with-fifo.sh makes it).
TEST_P(Hostile, FifoThroughAWineDrive)
{
    const char* fifo = std::getenv("CSVCHART_FIFO");
    if (!fifo)
        GTEST_SKIP() << "runs under tools/with-fifo.sh, which names the FIFO in CSVCHART_FIFO";
    ExpectChart(fifo);
}

TEST_P(Hostile, NameWithBytesAbove0x7F)
{
    TempFile file("1,2\n3,4\n", "-t\xEBst\xE4\xF6\xFC\xA7.csv");
    ExpectChart(file.Path());
}

}  // namespace
