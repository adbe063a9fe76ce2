// Update hints: what each one invalidates, which flags it sets and what
// the frame is asked to do; hints for other views' traces and hints that
// arrive before layout or during an export do nothing.

#include "ViewFixture.h"

#include <functional>

class ViewUpdate : public ViewFixture {
protected:
    ViewUpdate()
    {
        m_pTrace = AddLiveTrace();
        m_pDoc->SetCurrentTrace(CHANNEL_A, m_pTrace);
        Paint();
        m_view.ClearInvalidRects();
    }

    CRect Client() const { return CRect(0, 0, kWidth, kHeight); }
    CRect Traces() const
    {
        return CRect(m_view.GetYScaleRect(LEFT).right, 0, m_view.GetYScaleRect(RIGHT).left, m_view.GetXScaleRect().top);
    }
    CRect AroundGraticule() const
    {
        CRect rc = m_view.GetGraticuleRect();
        rc.InflateRect(10, 10);
        return rc;
    }

    CTestTrace* m_pTrace = nullptr;
};

TEST_F(ViewUpdate, EachHintInvalidatesItsArea)
{
    using Rects = std::vector<CRect>;
    using Calls = std::vector<std::string>;
    struct Case {
        LPARAM lHint;
        std::function<Rects()> fnRects;
        Calls asCalls;
        std::vector<CGraphView::ERecalc> aeFlags;
    };
    const auto All = [this] { return Rects{Client()}; };
    const std::vector<CGraphView::ERecalc> kAll = {CGraphView::RECALC_ALL, CGraphView::RECALC_GRATICULE};
    const Case cases[] = {
        {UPDATE_GRAPH_REDRAWALL, All, {"FillLegendLists", "UpdateCursorDetails"}, kAll},
        {UPDATE_GRAPH_TRACES, [this] { return Rects{Traces()}; }, {"UpdateCursorValues", "UpdateMarkValues"}, {}},
        {UPDATE_GRAPH_CHANNELCHANGED, [] { return Rects{}; }, {}, {}},
        {UPDATE_GRAPH_TITLE, [] { return Rects{}; }, {"UpdateGraphTitle"}, {}},
        {UPDATE_TRACE_REDRAWALL, All, {"UpdateCursorDetails"}, kAll},
        {UPDATE_TRACE_ZOOMBOTH, All, {}, kAll},
        {UPDATE_TRACE_MARKS, [this] { return Rects{AroundGraticule()}; }, {"OnMarksToggled"}, {}},
        {UPDATE_TRACE_CURSOR, [this] { return Rects{AroundGraticule()}; }, {"OnCursorToggled"}, {}},
        {UPDATE_TRACE_NAME, [] { return Rects{}; }, {"UpdateTraceName"}, {}},
        {UPDATE_TRACE_COLOR,
         [this] {
             return Rects{m_view.GetXScaleRect(), m_view.GetYScaleRect(LEFT), m_view.GetXCurPosRect(),
                          m_view.GetYCurPosRect(), Traces()};
         },
         {"UpdateTraceColor"},
         {CGraphView::RECALC_XSCALE, CGraphView::RECALC_LEFTYSCALE, CGraphView::RECALC_XCURPOS,
          CGraphView::RECALC_YCURPOS}},
        {UPDATE_TRACE_ADD, All,
         {"AddTraceToLegends", "OnTraceOn", "UpdateCursorDetails", "UpdateMarkValues", "UpdateCurrentTrace"}, kAll},
        {UPDATE_TRACE_ON, All, {"OnTraceOn", "UpdateCursorDetails", "UpdateMarkValues", "UpdateCurrentTrace"}, kAll},
        // Still on: the frame is not told the trace went off.
        {UPDATE_TRACE_OFF, All, {"UpdateCursorDetails", "UpdateMarkValues", "UpdateCurrentTrace"}, kAll},
        {UPDATE_TRACE_REMOVE, All,
         {"RemoveTraceFromLegends", "UpdateCursorDetails", "UpdateMarkValues", "UpdateCurrentTrace"}, kAll},
        {UPDATE_TRACE_CURRENT, All, {"UpdateCurrentTrace"}, kAll},
        {UPDATE_TRACE_ZOOMY, [this] { return Rects{m_view.GetYScaleRect(LEFT), m_view.GetYCurPosRect(), AroundGraticule()}; },
         {}, {CGraphView::RECALC_LEFTYSCALE, CGraphView::RECALC_YCURPOS, CGraphView::RECALC_GRATICULE}},
        {UPDATE_TRACE_ZOOMX, [this] { return Rects{m_view.GetXScaleRect(), m_view.GetXCurPosRect(), AroundGraticule()}; },
         {}, {CGraphView::RECALC_XCURPOS, CGraphView::RECALC_GRATICULE}},
        {UPDATE_TRACE_REDRAW, [this] { return Rects{Traces()}; }, {}, {}},
        {3218, All, {"UpdateCursorValues"}, kAll},
        {3438, All, {"UpdateCursorValues"}, kAll},
        {-307, [] { return Rects{}; }, {"OnImpulseWindowDetailsChanged"}, {}},
    };
    for (const Case& c : cases) {
        Paint(); // clears the flags
        m_view.ClearInvalidRects();
        m_frame.m_asCalls.clear();
        const int iRedraws = m_view.GetRedrawRequests();
        m_host.UpdateViews(nullptr, c.lHint, m_pTrace);
        EXPECT_EQ(m_view.GetInvalidRects(), c.fnRects()) << c.lHint;
        EXPECT_EQ(m_frame.m_asCalls, c.asCalls) << c.lHint;
        for (CGraphView::ERecalc eFlag : c.aeFlags) EXPECT_TRUE(m_view.NeedsRecalc(eFlag)) << c.lHint << " " << eFlag;
        if (c.aeFlags.empty()) {
            EXPECT_FALSE(m_view.NeedsRecalc(CGraphView::RECALC_ALL)) << c.lHint;
        }
        EXPECT_EQ(m_view.GetRedrawRequests(), iRedraws + (c.lHint == UPDATE_GRAPH_CHANNELCHANGED ? 0 : 1)) << c.lHint;
    }
}

TEST_F(ViewUpdate, HintsForOtherViewsOrAtTheWrongTimeAreIgnored)
{
    CTestTrace* pOther = AddLiveTrace(TT_FFT, CHANNEL_B);
    Paint();
    m_view.ClearInvalidRects();
    for (LPARAM lHint : {UPDATE_TRACE_REDRAW, UPDATE_TRACE_ZOOMX, UPDATE_TRACE_ZOOMY, UPDATE_TRACE_COLOR, UPDATE_TRACE_ADD,
                         UPDATE_TRACE_CURRENT, UPDATE_TRACE_MARKS})
        m_host.UpdateViews(nullptr, lHint, pOther);
    EXPECT_TRUE(m_view.GetInvalidRects().empty() && m_frame.m_asCalls.empty());

    // A hidden frame, an export, or a view not laid out yet: nothing at all.
    m_frame.m_bVisible = false;
    m_host.UpdateViews(nullptr, UPDATE_GRAPH_REDRAWALL, nullptr);
    m_frame.m_bVisible = true;
    m_pDoc->SetExporting(1);
    m_host.UpdateViews(nullptr, UPDATE_GRAPH_REDRAWALL, nullptr);
    m_pDoc->SetExporting(0);
    EXPECT_TRUE(m_view.GetInvalidRects().empty());
    EXPECT_FALSE(m_view.NeedsRecalc(CGraphView::RECALC_ALL));

    CGraphView fresh;
    fresh.SetChannel(CHANNEL_A);
    m_host.UpdateViews(nullptr, UPDATE_GRAPH_REDRAWALL, nullptr);
    EXPECT_TRUE(fresh.GetInvalidRects().empty());
    EXPECT_EQ(fresh.GetRedrawRequests(), 0);
}

TEST_F(ViewUpdate, SizeChangesInvalidateOnlyWhenTheRectangleChanges)
{
    m_view.OnSize(CRect(0, 0, kWidth, kHeight));
    EXPECT_TRUE(m_view.GetInvalidRects().empty() && m_view.NeedsRecalc(CGraphView::RECALC_ALL));
    m_view.OnSize(CRect(0, 0, 800, 600));
    EXPECT_EQ(m_view.GetInvalidRects(), (std::vector<CRect>{CRect(0, 0, 800, 600)}));
    // A minimised window keeps its draw rectangle.
    m_view.OnSize(CRect(0, 0, 0, 0), false);
    EXPECT_EQ(m_view.GetDrawRect(), CRect(0, 0, 800, 600));
}
