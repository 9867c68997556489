// A host that renders several files at once (a thumbnail view) while it starts and ends
// threads and the settings change: every bitmap is the one a lone call gives.
#include "plugin/SettingsStore.h"
#include "tests/support/PluginHost.h"
#include "tests/support/RegistryGuard.h"
#include "tests/support/TestFiles.h"
#include "xlib/XWorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Size {
    int width;
    int height;
    bool operator<(const Size& o) const { return width != o.width ? width < o.width : height < o.height; }
};

// The two configurations the settings thread switches between; no other size may come.
const Size kSizes[] = {{640, 480}, {333, 222}};

// Runs the work on a thread of its own and waits for it to end.
void RunAndJoin(std::function<void()> work)
{
    XWorkerThread thread(std::move(work));
    EXPECT_TRUE(thread.EndsWithin(120000)) << "a thread hung";
}

void StoreSize(RegistryGuard& registry, const Size& size)
{
    registry.StoreNumber("Width", static_cast<DWORD>(size.width));
    registry.StoreNumber("Height", static_cast<DWORD>(size.height));
}

TEST(ConcurrentRenders, EveryBitmapIsTheLoneCallsWhateverElseRuns)
{
    RegistryGuard registry(SETTINGS_KEY);
    std::vector<std::unique_ptr<TempFile>> files;
    files.emplace_back(new TempFile("1,5,3\n2,4,6\n7,0,1\n"));
    files.emplace_back(new TempFile("0\n3500\n1750\n-20\n"));
    files.emplace_back(new TempFile("0.1\n0.10002\n0.10001\n0.3\n"));
    files.emplace_back(new TempFile("1e6,2\n-3,4\n5,1e-3\n"));

    // What a lone call gives for each file at each size.
    std::map<Size, std::vector<std::vector<BYTE>>> expected;
    for (const Size& size : kSizes) {
        StoreSize(registry, size);
        PluginHost lone;   // reads the stored size as it loads
        for (const auto& file : files) {
            BitmapPixels pixels;
            ASSERT_TRUE(lone.Render(file->Path(), pixels));
            expected[size].push_back(pixels.bgrx);
        }
    }

    PluginHost host;
    ASSERT_TRUE(host.Loaded());
    auto identifyFile = FindEntryPoint<IdentifyFileProc>(host.Module(), "QOR_IdentifyFileA");
    std::atomic<int> renders{0};
    std::atomic<int> wrong{0};
    std::atomic<int> unconfigured{0};
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
    HANDLE mayEnd = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    // Reloads come only from thread starts and ends, and only while the registry holds one
    // whole configuration: the renderers start before the settings change and end after,
    // so any other size is a render mixing two readings.
    std::function<void()> switchSettings = [&] {
        for (int round = 0; finished < 8; ++round) {
            StoreSize(registry, kSizes[round % 2]);
            RunAndJoin([] {});
        }
    };
    std::function<void()> render = [&] {
        ++started;
        while (started < 8)
            Sleep(1);
        for (int i = 0; i < 12; ++i) {
            const size_t index = (i + renders) % files.size();
            FileInfo info{};
            identifyFile(0, files[index]->Path().c_str(), &info);
            BitmapPixels pixels;
            if (!host.Render(files[index]->Path(), pixels)) {
                ++wrong;
                continue;
            }
            ++renders;
            auto found = expected.find(Size{pixels.width, pixels.height});
            if (found == expected.end() || expected.find(Size{info.width, info.height}) == expected.end())
                ++unconfigured;
            else if (found->second[index] != pixels.bgrx)
                ++wrong;
        }
        ++finished;
        WaitForSingleObject(mayEnd, INFINITE);
    };

    std::vector<std::unique_ptr<XWorkerThread>> renderers;
    for (int t = 0; t < 8; ++t)
        renderers.emplace_back(new XWorkerThread(render));
    while (started < 8)
        Sleep(1);
    RunAndJoin(switchSettings);
    SetEvent(mayEnd);
    for (const auto& thread : renderers)
        EXPECT_TRUE(thread->EndsWithin(120000)) << "a renderer hung";
    CloseHandle(mayEnd);

    EXPECT_EQ(renders, 96);
    EXPECT_EQ(wrong, 0) << "bitmaps unlike a lone call's";
    EXPECT_EQ(unconfigured, 0) << "sizes never configured";
}

}  // namespace
