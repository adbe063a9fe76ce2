// The mouse on a graph view: click against rubber band by the distance of
// the release, the band's zoom the same in either drag direction, the
// band drawn one pixel inside the graticule, a dragged cursor parking at
// the first valued position, clicks picking the trace under them, and the
// cursor keys.

#include "ViewFixture.h"

#include "trace/display/CursorReadOut.h"
#include "trace/model/CursorMark.h"

#include <cfloat>

namespace {

struct SWindow {
    int iMinPos, iMaxPos;
    double dMinData, dMaxData;
    bool operator==(const SWindow&) const = default;
};

SWindow WindowOf(CQXTrace* pTrace)
{
    return {pTrace->GetCurrentMinXPos(), pTrace->GetCurrentMaxXPos(), pTrace->GetCurrentMinYData(),
            pTrace->GetCurrentMaxYData()};
}

} // namespace

class ViewMouse : public ViewFixture {
protected:
    ViewMouse()
    {
        m_pTrace = AddLiveTrace();
        m_pTrace->FillYData([](int i) { return 100.0 + i; });
        m_pDoc->SetCurrentTrace(CHANNEL_A, m_pTrace);
        Paint();
        m_rcGrid = m_view.GetGraticuleRect();
    }
    void Drag(CPoint from, CPoint to)
    {
        m_view.OnLButtonDown(0, from);
        m_view.OnMouseMove(0, to);
        m_view.OnLButtonUp(0, to);
    }
    CPoint Centre() const { return m_rcGrid.CenterPoint(); }

    CTestTrace* m_pTrace = nullptr;
    CRect m_rcGrid;
};

TEST_F(ViewMouse, ReleaseDistanceDecidesClickOrZoomAndEitherDirectionZoomsTheSameWindow)
{
    // The window a band from the centre to (centre + dx, centre + dy) asks for, read before any zoom.
    const SWindow full = WindowOf(m_pTrace);
    const auto WindowUnder = [&](int dx, int dy) {
        const CPoint a = Centre(), b(Centre().x + dx, Centre().y + dy);
        return SWindow{m_pTrace->GetXPosAtPoint(std::min(a.x, b.x)), m_pTrace->GetXPosAtPoint(std::max(a.x, b.x)),
                       m_pTrace->GetYDataAtPoint(std::max(a.y, b.y)), m_pTrace->GetYDataAtPoint(std::min(a.y, b.y))};
    };
    struct SCase {
        int dx, dy;
        bool bReverse; // pressed at the far corner, released at the centre
        bool bZooms;
    };
    const SCase aCases[] = {
        {30, 40, false, false},  {100, 10, false, false}, {31, 21, false, true},  {31, 20, false, false},
        {120, 90, false, true},  {120, 90, true, true},   {-120, 90, false, true}, {30, 40, true, false},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(testing::Message() << c.dx << " x " << c.dy << (c.bReverse ? " reversed" : ""));
        const SWindow expected = c.bZooms ? WindowUnder(c.dx, c.dy) : full;
        const CPoint far(Centre().x + c.dx, Centre().y + c.dy);
        const int iRedrawsBefore = CountHints(UPDATE_GRAPH_REDRAWALL);
        if (c.bReverse)
            Drag(far, Centre());
        else
            Drag(Centre(), far);
        EXPECT_EQ(WindowOf(m_pTrace), expected);
        EXPECT_EQ(CountHints(UPDATE_GRAPH_REDRAWALL) - iRedrawsBefore, c.bZooms ? 1 : 0);
        EXPECT_EQ(m_view.GetDragRect(), CRect(-1, -1, -1, -1));
        EXPECT_FALSE(m_view.HasMouseCapture());
        if (c.bZooms) {
            EXPECT_EQ(m_pDoc->UndoZoom(m_pTrace, 0), 1);
            Paint();
        }
    }
}

TEST_F(ViewMouse, BandIsDrawnInTheWhitePenOnePixelInsideTheGraticule)
{
    m_view.OnLButtonDown(0, Centre());
    m_view.OnMouseMove(0, CPoint(m_rcGrid.right + 50, m_rcGrid.bottom + 50));
    EXPECT_EQ(m_view.GetDragRect(), CRect(Centre().x, Centre().y, m_rcGrid.right + 50, m_rcGrid.bottom + 50));
    EXPECT_EQ(ClampDragRect(m_view.GetDragRect(), m_rcGrid),
              CRect(Centre().x, Centre().y, m_rcGrid.right - 1, m_rcGrid.bottom - 1));
    EXPECT_TRUE(ClampDragRect(CRect(0, 0, 5, 5), CRect(10, 10, 100, 100)).IsRectEmpty());
    Paint();
    const auto aRects = m_dc.GetRecords(CRecordingDC::EKind::Rectangle);
    ASSERT_FALSE(aRects.empty());
    EXPECT_EQ(aRects.back().m_rect, CRect(Centre().x, Centre().y, m_rcGrid.right - 1, m_rcGrid.bottom - 1));
    EXPECT_EQ(aRects.back().m_state.m_iROP2, R2_COPYPEN);
    EXPECT_EQ(aRects.back().m_state.m_pen, CPen::FromStock(WHITE_PEN));
}

TEST_F(ViewMouse, DraggedCursorParksAtTheFirstValuedPositionAndTheKeysStepIt)
{
    // The first five bins have no value: the first valued position is 5.
    m_pTrace->FillYData([](int i) { return i < 5 ? TRACE_NULL_VALUE : 100.0; });
    m_pTrace->CursorOn();
    m_pTrace->GetCursor()->SetPosition(100);
    Paint();
    const CPoint onCursor(m_pTrace->GetDrawRect().left + m_pTrace->GetXPointForPos(100), Centre().y);
    m_view.OnLButtonDown(0, onCursor);
    EXPECT_TRUE(m_view.IsDragging());
    m_view.OnMouseMove(0, CPoint(m_rcGrid.left - 40, Centre().y));
    EXPECT_EQ(m_pTrace->GetCursor()->GetPosition(), 5);
    m_view.OnLButtonUp(0, CPoint(m_rcGrid.left - 40, Centre().y));
    EXPECT_FALSE(m_view.IsDragging());
    EXPECT_EQ(WindowOf(m_pTrace).iMinPos, 0); // a cursor drag never zooms

    const struct {
        UINT uKey, uRepeat;
        int iExpected;
    } aKeys[] = {{kKeyRight, 3, 8}, {kKeyLeft, 1, 7}, {kKeyLeft, 10, 5}, {kKeyEnd, 1, 511}, {kKeyRight, 1, 511}};
    for (const auto& k : aKeys) {
        EXPECT_TRUE(m_view.OnKeyDown(k.uKey, k.uRepeat, 0));
        EXPECT_EQ(m_pTrace->GetCursor()->GetPosition(), k.iExpected) << k.uKey;
    }
    EXPECT_FALSE(m_view.OnKeyDown('A', 1, 0));
}

TEST_F(ViewMouse, AMarkIsDraggedLikeTheCursorAndParksAtTheEnds)
{
    // A flat trace mid-window: a mark's marker sits at its bin on that level.
    const double dMid = (m_pTrace->GetCurrentMinYData() + m_pTrace->GetCurrentMaxYData()) / 2;
    m_pTrace->FillYData([dMid](int) { return dMid; });
    m_pTrace->AddMark(100, 0);
    m_pTrace->AddMark(300, 0);
    m_pTrace->MarksOn();
    Paint();
    const int iLevel = m_pTrace->GetYOrigin() - m_pTrace->GetYPointForData(dMid);
    m_view.OnLButtonDown(0, CPoint(m_pTrace->GetDrawRect().left + m_pTrace->GetXPointForPos(300), iLevel));
    EXPECT_TRUE(m_view.IsDragging());
    EXPECT_EQ(m_pTrace->GetCurrentMark(), 1);
    // Past the right edge it parks on the last bin. The centre, x 358, is 265 px
    // into the plot (x 93 .. 625: 533 px for bins 0 .. 511): bin 265 × 511 / 533 = 254.06.
    const struct { CPoint point; int iMark0, iMark1; } aMoves[] = {
        {CPoint(m_rcGrid.right + 30, iLevel), 100, 511}, {CPoint(Centre().x, iLevel), 100, 254}, {CPoint(m_rcGrid.left - 30, iLevel), 100, 0},
    };
    for (const auto& m : aMoves) {
        m_view.OnMouseMove(0, m.point);
        EXPECT_EQ(std::make_pair(m_pTrace->GetMarkPosition(0, 1), m_pTrace->GetMarkPosition(1, 1)), std::make_pair(m.iMark0, m.iMark1));
    }
    m_view.OnLButtonUp(0, CPoint(m_rcGrid.left - 30, iLevel));
    EXPECT_FALSE(m_view.IsDragging());
    EXPECT_EQ(WindowOf(m_pTrace).iMinPos, 0);
}

TEST_F(ViewMouse, ClickPicksTheShownTraceUnderThePointerOnly)
{
    CTestTrace* pOther = AddLiveTrace();
    pOther->FillYData([](int) { return CTestTrace::kFullScaleHex / 2; });
    Paint();
    const CPoint ptOnOther(Centre().x, pOther->GetYOrigin() - pOther->GetYPointForData(CTestTrace::kFullScaleHex / 2));
    ASSERT_EQ(m_view.GetTraceAtPoint(ptOnOther), pOther);
    pOther->TraceOff(0);
    Drag(ptOnOther, ptOnOther);
    EXPECT_EQ(m_pDoc->GetCurrentTrace(CHANNEL_A), m_pTrace); // off: not picked
    pOther->TraceOn(0, 0);
    Paint();
    Drag(CPoint(ptOnOther.x - 30, ptOnOther.y - 40), ptOnOther); // a click: 30 right, 40 down
    EXPECT_EQ(m_pDoc->GetCurrentTrace(CHANNEL_A), pOther);
}

TEST_F(ViewMouse, CursorReadOutNamesTheTraceAndGivesXAndYInTheirUnits)
{
    // Position 100 of 512 over 0 .. 24000 Hz is 100 x 24000 / 511 Hz; a
    // tenth of full scale is -20 dB below full scale's +3.01 dBFS.
    m_pTrace->FillYData([](int) { return CTestTrace::kFullScaleHex / 10; });
    const std::string sName = m_pTrace->GetTraceName(1, 0, 0).ToUtf8();
    EXPECT_EQ(GetCursorReadOutText(m_pTrace).ToUtf8(), sName + ": cursor off");
    m_pTrace->CursorOn();
    m_pTrace->GetCursor()->SetPosition(100);
    EXPECT_EQ(GetCursorReadOutText(m_pTrace).ToUtf8(), sName + ": cursor X 4696.67 Hz, Y -16.99 dBFS");
    EXPECT_TRUE(GetCursorReadOutText(nullptr).IsEmpty());
}

TEST_F(ViewMouse, BandOverACurrentLimitLineZoomsItsOwnerAndADoubleClickInTheXTrackUnzooms)
{
    auto* pLimit = new CTestLimitLine(m_pTrace, TT_MAXLIMITLINE, 512);
    m_pTrace->AttachLimitLines(pLimit, nullptr);
    pLimit->SetInUse(1);
    pLimit->TraceOn(0, 0);
    pLimit->ShareParentScales();
    m_pDoc->SetCurrentTrace(CHANNEL_A, pLimit);
    Paint();
    const SWindow full = WindowOf(m_pTrace);
    Drag(Centre(), CPoint(Centre().x + 100, Centre().y + 60));
    EXPECT_LT(WindowOf(m_pTrace).iMaxPos - WindowOf(m_pTrace).iMinPos, full.iMaxPos - full.iMinPos);

    m_pDoc->SetCurrentTrace(CHANNEL_A, m_pTrace);
    Paint();
    m_view.OnLButtonDblClk(0, m_view.GetXCurPosRect().CenterPoint());
    EXPECT_EQ(std::make_pair(WindowOf(m_pTrace).iMinPos, WindowOf(m_pTrace).iMaxPos), std::make_pair(0, 511));
}
