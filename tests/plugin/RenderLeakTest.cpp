// A thousand renders of mixed files through the DLL keep no GDI object and no memory; nor
// does loading, rendering and unloading it, as a host does for each file it shows.
#include "tests/support/PluginHost.h"
#include "tests/support/ProcessCensus.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Wine reports no GDI object count of its own: LiveGdiObjects reads it off the handle
// table. Heap use is the sum of the busy blocks of every heap of the process.
TEST(RenderLeaks, ThousandRendersKeepNoGdiObjectOrMemory)
{
    PluginHost host;
    ASSERT_TRUE(host.Loaded());
    std::string binary(20000, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 2654435761u) >> 13);
    std::string numbers;
    for (int i = 0; i <= 300; ++i)
        numbers += std::to_string(i) + "\n";
    TempFile lines(numbers);
    TempFile columns("1,2,3\n4,5,6\n7,8\n9\n");
    TempFile garbage(binary);
    const std::string files[] = {lines.Path(), columns.Path(), garbage.Path(), UniqueTempPath(".csv")};
    auto renderAll = [&] {
        for (const std::string& path : files) {
            HBITMAP bitmap = host.LoadBitmap(path);
            ASSERT_NE(bitmap, nullptr);
            DeleteObject(bitmap);
        }
    };
    for (int i = 0; i < 10; ++i)
        renderAll();   // caches of the system and the run-time settle first
    long gdiBefore = LiveGdiObjects();
    std::size_t heapBefore = HeapBytesInUse();
    for (int i = 0; i < 250; ++i)
        renderAll();
    EXPECT_LE(LiveGdiObjects(), gdiBefore);
    EXPECT_EQ(HeapBytesInUse(), heapBefore);

    // The census itself sees a leak: one kept pen shows.
    long now = LiveGdiObjects();
    HPEN kept = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(LiveGdiObjects(), now + 1);
    DeleteObject(kept);
}

// The statically linked C++ runtime keeps about 72 KB a load unless the DLL frees it when
// it is unloaded, and so would the read block kept for the next render of a large file;
// a kilobyte a cycle is left for the system's own caches.
TEST(RenderLeaks, LoadRenderUnloadCyclesKeepNoMemory)
{
    std::string rows;
    for (int i = 0; rows.size() < (1u << 20) + 4096; ++i)
        rows += std::to_string(i % 97) + "," + std::to_string(i % 13) + "\n";
    TempFile file(rows);
    auto cycle = [&] {
        PluginHost host;
        BitmapPixels pixels;
        ASSERT_TRUE(host.Render(file.Path(), pixels));
    };
    for (int i = 0; i < 3; ++i)
        cycle();
    const long long before = static_cast<long long>(HeapBytesInUse());
    constexpr int kCycles = 40;
    for (int i = 0; i < kCycles; ++i)
        cycle();
    const long long grown = static_cast<long long>(HeapBytesInUse()) - before;
    EXPECT_LT(grown, kCycles * 1024) << grown / kCycles << " bytes a cycle";
}

}  // namespace
