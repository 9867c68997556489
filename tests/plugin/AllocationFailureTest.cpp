// Allocation failure anywhere in a call unwinds to the entry point's failure value and
// releases every device context, GDI object and heap block of the call.
#include "plugin/GuardedEntryPoints.h"
#include "tests/support/AllocationFaults.h"
#include "tests/support/ProcessCensus.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Census {
    long gdi = LiveGdiObjects();
    std::size_t heap = HeapBytesInUse();
};

TEST(AllocationFailure, EveryFailingAllocationOfARenderGivesNoBitmapAndLeaksNothing)
{
    TempFile file("a,b,c\n1,2,3\n4,5,6\n7,8,9\n10,11,12\n13,14\n15\n");
    // System caches, and the run-time's first exception, settle before counting.
    for (int i = 0; i < 3; ++i)
        DeleteObject(GuardedLoadBitmap(file.Path().c_str()));
    AllocationFaults::FailNth(1);
    GuardedLoadBitmap(file.Path().c_str());
    AllocationFaults::Disarm();

    Census before;
    long failures = 0;
    for (long n = 1;; ++n) {
        AllocationFaults::FailNth(n);
        HBITMAP bitmap = GuardedLoadBitmap(file.Path().c_str());
        bool fired = AllocationFaults::Fired();
        AllocationFaults::Disarm();
        if (!fired) {
            ASSERT_NE(bitmap, nullptr) << "no allocation failed, yet no bitmap";
            DeleteObject(bitmap);
            break;   // n is past the render's last allocation
        }
        ++failures;
        ASSERT_EQ(bitmap, nullptr) << "allocation " << n << " failed, yet a bitmap came";
        // The system's own caches may let go of an object for a while, never hold more.
        Census after;
        ASSERT_LE(after.gdi, before.gdi) << "allocation " << n;
        ASSERT_EQ(after.heap, before.heap) << "allocation " << n;
    }
    EXPECT_GT(failures, 20);
}

TEST(AllocationFailure, IdentifyFailsCleanly)
{
    Census before;
    for (long n = 1; n < 10; ++n) {
        AllocationFaults::FailNth(n);
        FileInfo info{};
        BOOL recognised = GuardedIdentifyFile("C:\\data\\x.csv", &info);
        bool fired = AllocationFaults::Fired();
        AllocationFaults::Disarm();
        EXPECT_EQ(recognised, fired ? FALSE : TRUE) << n;
    }
    EXPECT_EQ(HeapBytesInUse(), before.heap);
}

}  // namespace
