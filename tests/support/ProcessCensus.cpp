// What the process holds, for tests that look for leaks over many calls.
#include "tests/support/ProcessCensus.h"

#include <windows.h>

#include <vector>

namespace {

constexpr int kProbes = 2048;

long HighestProbeIndex()
{
    std::vector<HPEN> probes;
    long highest = 0;
    for (int i = 0; i < kProbes; ++i) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(i & 0xFF, 0, 0));
        probes.push_back(pen);
        long index = static_cast<long>(reinterpret_cast<ULONG_PTR>(pen) & 0xFFFF);
        if (index > highest)
            highest = index;
    }
    for (HPEN pen : probes)
        DeleteObject(pen);
    return highest;
}

}  // namespace

long LiveGdiObjects()
{
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<long>(counted);
    return HighestProbeIndex() - kProbes;
}

std::size_t HeapBytesInUse()
{
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::size_t used = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                used += entry.cbData;
        }
        HeapUnlock(heap);
    }
    return used;
}
