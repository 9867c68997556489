// XDblList and XObjList: growth, order, and who owns what.
#include "xlib/XDblList.h"
#include "xlib/XObjList.h"
#include "xlib/XOwnLines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Two threads' blocks, allocated one after the other, share no cache line pair.
TEST(XOwnLinesAllocator, BlocksBeginOnTheirOwnCacheLines)
{
    for (std::size_t count : {1, 3, 16, 17, 1000}) {
        SCOPED_TRACE(count);
        std::vector<double, XOwnLinesAllocator<double>> earlier(count), later(count);
        const auto a = reinterpret_cast<std::uintptr_t>(earlier.data());
        const auto b = reinterpret_cast<std::uintptr_t>(later.data());
        EXPECT_EQ(a % kOwnLines, 0u);
        EXPECT_EQ(b % kOwnLines, 0u);
        EXPECT_GE(a > b ? a - b : b - a, (count * sizeof(double) + kOwnLines - 1) / kOwnLines * kOwnLines);
    }
}

TEST(XDblList, AddKeepsEveryValueBitForBitAtSuccessiveIndices)
{
    const double values[] = {-0.0, 0.0, 1e308, -1e-308, std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::infinity(), 0.1, -123456.789};
    XDblList list;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(list.Add(values[i]), i);
    ASSERT_EQ(list.Count(), 8);
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(std::memcmp(&list.values[i], &values[i], sizeof(double)), 0) << i;
}

TEST(XDblList, SetCountAndClearShrinkAndStartAgain)
{
    XDblList list;
    for (int i = 0; i < 10; ++i)
        list.Add(i);
    list.SetCount(4);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.At(3), 3.0);
    list.SetCount(0);
    EXPECT_EQ(list.values, nullptr);
    list.Add(9.0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.values, nullptr);
    EXPECT_EQ(list.Add(4.0), 0);
    EXPECT_EQ(list.At(0), 4.0);
    XDblList empty;
    empty.Clear();
    EXPECT_EQ(empty.values, nullptr);
}

class Counted : public XObject {
public:
    explicit Counted(int& alive) : alive_(alive) { ++alive_; }
    ~Counted() override { --alive_; }

private:
    int& alive_;
};

TEST(XObjList, KeepsOrderAndNeverDeletesItsObjects)
{
    int alive = 0;
    XObject* a = new Counted(alive);
    XObject* b = new Counted(alive);
    {
        XObjList list;
        EXPECT_EQ(list.Add(a), 0);
        EXPECT_EQ(list.Add(b), 1);
        EXPECT_EQ(list.At(0), a);
        EXPECT_EQ(list.At(1), b);
    }
    EXPECT_EQ(alive, 2);
    delete a;   // through the base: the virtual destructor reaches Counted
    delete b;
    EXPECT_EQ(alive, 0);
}

}  // namespace
