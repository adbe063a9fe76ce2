#include "trace/core/ZoomHistory.h"

#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

CZoomDetails EntryAt(const CZoomHistory& history, int i)
{
    CZoomDetails d;
    EXPECT_EQ(history.GetZoomDetailsAt(i, d), 1) << i;
    return d;
}

} // namespace

TEST(ZoomHistory, RestoresNewestFirstAndZeroesOutputsWhenEmpty)
{
    CZoomHistory history;
    history.AddZoomDetails(1, 2, -3.5, 4.5);
    history.AddZoomDetails(10, 20, -30.0, 40.0);
    int iMin = -1, iMax = -1;
    double dMin = -1.0, dMax = -1.0;
    const auto Restored = [&] { return std::make_tuple(iMin, iMax, dMin, dMax); };
    ASSERT_EQ(history.RestoreLastZoomDetails(&iMin, &iMax, &dMin, &dMax), 1);
    EXPECT_EQ(Restored(), std::make_tuple(10, 20, -30.0, 40.0));
    ASSERT_EQ(history.RestoreLastZoomDetails(&iMin, &iMax, &dMin, &dMax), 1);
    EXPECT_EQ(Restored(), std::make_tuple(1, 2, -3.5, 4.5));
    EXPECT_EQ(history.RestoreLastZoomDetails(&iMin, &iMax, &dMin, &dMax), 0);
    EXPECT_EQ(Restored(), std::make_tuple(0, 0, 0.0, 0.0));

    // A missing output refuses and keeps the entry.
    history.AddZoomDetails(1, 2, 3.0, 4.0);
    EXPECT_EQ(history.RestoreLastZoomDetails(&iMin, &iMax, &dMin, nullptr), 0);
    EXPECT_EQ(history.GetCount(), 1);
}

TEST(ZoomHistory, AssignmentCopiesEntriesReadableByIndex)
{
    CZoomHistory a;
    a.AddZoomDetails(1, 2, 3.0, 4.0);
    a.AddZoomDetails(5, 6, 7.0, 8.0);
    CZoomHistory b;
    b.AddZoomDetails(99, 99, 99.0, 99.0);
    b = a;
    ASSERT_EQ(b.GetCount(), 2);
    EXPECT_EQ(EntryAt(b, 0).iMinXPos, 1);
    EXPECT_EQ(EntryAt(b, 1).iMaxXPos, 6);
    CZoomDetails d;
    EXPECT_EQ(std::make_tuple(b.GetZoomDetailsAt(-1, d), b.GetZoomDetailsAt(2, d)), std::make_tuple(0, 0));
    a.ResetHistory();
    EXPECT_EQ(b.GetCount(), 2);
}

TEST(ZoomHistory, ArchiveRoundTripAndCorruptCount)
{
    CZoomHistory a;
    a.AddZoomDetails(1, 2, -3.25, 4.5);
    a.AddZoomDetails(-5, 600, 7.0, 8.0);
    CArchive out(CArchive::store);
    a.Serialize(out);
    // i32 count + 2 x (2 x i32 + 2 x f64).
    EXPECT_EQ(out.GetBytes().size(), 4u + 2u * 24u);

    CArchive in(CArchive::load, out.GetBytes());
    CZoomHistory b;
    b.Serialize(in);
    ASSERT_EQ(b.GetCount(), 2);
    EXPECT_EQ(EntryAt(b, 0).dMinYData, -3.25);
    EXPECT_EQ(EntryAt(b, 1).iMinXPos, -5);

    std::vector<std::uint8_t> aBad = out.GetBytes();
    aBad[0] = 0xFF; // count 255: more entries than the archive holds
    CArchive bad(CArchive::load, aBad);
    CZoomHistory c;
    EXPECT_THROW(c.Serialize(bad), CArchiveException);
    EXPECT_EQ(c.GetCount(), 0);
}
