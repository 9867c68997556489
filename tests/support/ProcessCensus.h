// What the process holds, for tests that look for leaks over many calls.
#pragma once

#include <cstddef>

// A count that grows by one for every GDI object the process keeps alive. Where the
// system counts GDI objects per process (GetGuiResources) it is that count; Wine reports
// 0 there, and its handle table shows the count instead: freed handles are reused last
// freed first, so when more probe objects are created than handles were freed, the highest
// probe index is the number of live objects plus a constant.
long LiveGdiObjects();

// Bytes in use in every heap of the process.
std::size_t HeapBytesInUse();
