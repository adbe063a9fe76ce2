// Painting a graph view into a recording DC: the layout it ends up with,
// the small view, position thumbs, the order traces are drawn in, Y scales
// sharing a slot, and the paint guard and channel checks.

#include "ViewFixture.h"

#include <algorithm>
#include <tuple>

namespace {

int CountTexts(const CRecordingDC& dc) { return static_cast<int>(dc.GetRecords(CRecordingDC::EKind::Text).size()); }

} // namespace

using ViewPaint = ViewFixture;

TEST_F(ViewPaint, LaysOutScalesGraticuleAndTracksForTheClientArea)
{
    CTestTrace* pTrace = AddLiveTrace();
    m_pDoc->SetCurrentTrace(CHANNEL_A, pTrace);
    m_pDoc->SetBackgroundColor(0x102030);
    Paint();

    const auto aFills = m_dc.GetRecords(CRecordingDC::EKind::Fill);
    ASSERT_FALSE(aFills.empty());
    EXPECT_EQ(std::make_pair(aFills[0].m_rect, aFills[0].m_crColor), std::make_pair(CRect(0, 0, kWidth, kHeight), COLORREF(0x102030)));

    // One X strip of one 16-pixel line above y = 463; one Y scale on the
    // left as wide as its labels; the scales draw where the view put them.
    const CRect rcLeft = m_view.GetYScaleRect(LEFT);
    ASSERT_GT(rcLeft.Width(), 0);
    EXPECT_EQ(rcLeft, CRect(17, 35, rcLeft.right, 437));
    const CRect rcGraticule(rcLeft.right + 10, 35, 625, 437);
    EXPECT_EQ(m_view.GetGraticule().GetRect(), rcGraticule);
    EXPECT_EQ(pTrace->GetXScale()->GetDrawRect(), CRect(rcGraticule.left, 447, 625, 463));
    EXPECT_EQ(pTrace->GetYScale()->GetDrawRect(), rcLeft);
    EXPECT_EQ(pTrace->GetYScale()->GetPosition(), 1);

    // The trace plots inside the grid's left and top lines; the paint ends
    // with the interceptor's overlay and every flag cleared.
    ASSERT_EQ(m_frame.m_interceptor.m_arcDrawRects.size(), 1u);
    EXPECT_EQ(m_frame.m_interceptor.m_arcDrawRects[0],
              CRect(rcGraticule.left + 1, rcGraticule.top + 1, rcGraticule.right, rcGraticule.bottom));
    EXPECT_EQ(m_frame.m_interceptor.m_iOverlays, 1);
    for (int i = 0; i < CGraphView::RECALC_COUNT; ++i)
        EXPECT_FALSE(m_view.NeedsRecalc(static_cast<CGraphView::ERecalc>(i))) << i;
}

TEST_F(ViewPaint, SmallViewDrawsNoScalesAndAnInsetGraticule)
{
    AddLiveTrace();
    m_view.OnSize(CRect(0, 0, 199, 99));
    Paint();
    EXPECT_EQ(CountTexts(m_dc), 0);
    EXPECT_EQ(m_view.GetGraticuleRect(), CRect(10, 10, 189, 89));
    EXPECT_TRUE(m_dc.GetRecords(CRecordingDC::EKind::Edge).empty());
}

TEST_F(ViewPaint, ThumbsCoverTheTrackWhenZoomedOutAndStayTwentyPixelsWhenZoomedIn)
{
    CTestTrace* pTrace = AddLiveTrace();
    pTrace->SetColor(0x00AA00);
    Paint();
    EXPECT_EQ(m_view.GetXCurPosBarRect(), m_view.GetXCurPosRect());
    EXPECT_EQ(m_view.GetYCurPosBarRect(), m_view.GetYCurPosRect());
    const auto aEdges = m_dc.GetRecords(CRecordingDC::EKind::Edge);
    ASSERT_EQ(aEdges.size(), 2u);
    EXPECT_EQ(std::make_pair(aEdges[0].m_uEdge, aEdges[0].m_uFlags), std::make_pair(UINT(BDR_RAISEDOUTER), UINT(BF_RECT)));
    const auto aFills = m_dc.GetRecords(CRecordingDC::EKind::Fill);
    EXPECT_TRUE(std::any_of(aFills.begin(), aFills.end(), [&](const auto& r) {
        return r.m_rect == m_view.GetXCurPosBarRect() && r.m_crColor == 0x00AA00u;
    }));

    // Zoomed in on both axes: 1 Hz of 24 kHz, and the top quarter of a
    // full range of 0 .. full scale in data.
    pTrace->SetTestXWindow(1000.0, 1001.0);
    pTrace->SetFullYRange(0.0, CTestTrace::kFullScaleHex);
    pTrace->SetTestDefaultYUnit(UNIT_HEX);
    pTrace->SetYUnit(UNIT_HEX);
    pTrace->SetCurrentMinYScaleValue(0.75 * CTestTrace::kFullScaleHex);
    pTrace->SetCurrentMaxYScaleValue(CTestTrace::kFullScaleHex);
    Paint();
    EXPECT_EQ(m_view.GetXCurPosBarRect().Width(), kMinThumbSize);
    const CRect rcTrack = m_view.GetYCurPosRect();
    EXPECT_EQ(m_view.GetYCurPosBarRect(),
              CRect(rcTrack.left, rcTrack.top, rcTrack.right, rcTrack.bottom - rcTrack.Height() * 3 / 4));
}

TEST_F(ViewPaint, CurrentTraceLastAndLimitLinesRightAfterTheirTrace)
{
    CTestTrace* pFirst = AddLiveTrace();
    CTestTrace* pSecond = AddLiveTrace();
    CTestTrace* pOff = AddLiveTrace();
    CTestTrace* pLast = AddLiveTrace();
    pOff->TraceOff(0);
    const auto [pMax, pMin] = AddLimitLines(pSecond);
    pLast->AttachLimitLines(nullptr, new CTestLimitLine(pLast, TT_MINLIMITLINE)); // not in use: not drawn
    m_pDoc->SetCurrentTrace(CHANNEL_A, pFirst);
    Paint();
    EXPECT_EQ(m_frame.m_interceptor.m_apDrawn, (std::vector<CQXTrace*>{pSecond, pMax, pMin, pLast, pFirst}));
}

TEST_F(ViewPaint, TwoYScalesSharingASlotDrawAboveAndBelow)
{
    m_pDoc->SetDrawingAllOnSameView(1);
    CTestTrace* pFFTA = AddLiveTrace(TT_FFT, CHANNEL_A);
    CTestTrace* pScopeA = AddLiveTrace(TT_SCOPE, CHANNEL_A);
    CTestTrace* pFFTB = AddLiveTrace(TT_FFT, CHANNEL_B);
    // In one view channel B's spectrum is drawn on channel A's Y scale, until
    // it shows another quantity: then its own scale shares A's slot.
    EXPECT_EQ(pFFTA->GetYScale(), pFFTB->GetYScale());
    pFFTB->SetTestMode(CQXTrace::eModeJDOfs);
    m_pDoc->MatchToExistingScales(pFFTB, 0);
    ASSERT_NE(pFFTA->GetYScale(), pFFTB->GetYScale());
    m_pDoc->SetCurrentTrace(CHANNEL_A, pFFTA);
    Paint();

    const SScaleArrays& arrays = m_view.GetScaleArrays();
    EXPECT_EQ(arrays.aYSlots[LEFT][0].pUpper, pFFTA->GetYScale());
    EXPECT_EQ(arrays.aYSlots[LEFT][0].pLower, pFFTB->GetYScale());
    EXPECT_EQ(arrays.aYSlots[RIGHT][0].pUpper, pScopeA->GetYScale());
    // Positions: 0 above, 2 below, 1 alone in its slot.
    EXPECT_EQ(std::make_tuple(pFFTA->GetYScale()->GetPosition(), pFFTB->GetYScale()->GetPosition(),
                              pScopeA->GetYScale()->GetPosition()), std::make_tuple(0, 2, 1));
    EXPECT_EQ(pFFTA->GetYScale()->GetDrawRect(), pFFTB->GetYScale()->GetDrawRect());
    EXPECT_EQ(m_view.GetYScaleSide(pFFTB), LEFT);
    EXPECT_EQ(m_view.GetYScaleSide(pScopeA), RIGHT);
    // The channel-B trace is drawn in this view too, the current trace last.
    EXPECT_EQ(m_frame.m_interceptor.m_apDrawn, (std::vector<CQXTrace*>{pScopeA, pFFTB, pFFTA}));

    // Meanwhile the channel-B view stays blank.
    CGraphView viewB;
    viewB.SetChannel(CHANNEL_B);
    viewB.OnSize(CRect(0, 0, kWidth, kHeight));
    CRecordingDC dcB;
    viewB.OnDraw(&dcB);
    EXPECT_TRUE(dcB.GetRecords().empty());
    EXPECT_TRUE(viewB.NeedsRecalc(CGraphView::RECALC_ALL)); // a skipped paint keeps its flags
}

TEST_F(ViewPaint, NothingBeforeLayoutAndNoSecondScreenPaintInsideTheFirst)
{
    AddLiveTrace();
    CGraphView fresh;
    fresh.SetChannel(CHANNEL_A);
    CRecordingDC dc;
    fresh.OnDraw(&dc);
    EXPECT_TRUE(dc.GetRecords().empty());

    // An overlay that asks for a paint while one runs gets nothing drawn.
    m_frame.m_interceptor.m_bPaintAgain = true;
    Paint();
    EXPECT_EQ(m_frame.m_interceptor.m_iOverlays, 1);
    EXPECT_EQ(m_frame.m_interceptor.m_apDrawn.size(), 1u);
}

TEST_F(ViewPaint, ExportPaintsTheDrawRectOnWhiteWithItsOwnWidthsAndNoBars)
{
    AddLiveTrace();
    m_pDoc->SetExporting(1);
    m_pDoc->GetExportSettings().iGraticuleLineWidth = 3;
    m_pDoc->GetExportSettings().iTraceLineWidth = 3;
    m_view.SetDrawRect(CRect(50, 60, 650, 460));
    CRecordingDC::SDeviceCaps caps;
    caps.m_bMetafile = true;
    CRecordingDC metafile(caps);
    m_view.OnDraw(&metafile);

    const auto aFills = metafile.GetRecords(CRecordingDC::EKind::Fill);
    ASSERT_FALSE(aFills.empty());
    EXPECT_EQ(std::make_pair(aFills[0].m_rect, aFills[0].m_crColor), std::make_pair(CRect(50, 60, 650, 460), COLORREF(0xFFFFFF)));
    EXPECT_TRUE(metafile.GetRecords(CRecordingDC::EKind::Edge).empty());
    const auto aLines = metafile.GetRecords(CRecordingDC::EKind::Line);
    ASSERT_FALSE(aLines.empty());
    for (const auto& r : aLines) EXPECT_EQ(r.m_state.m_pen.GetWidth(), 3);
}

TEST_F(ViewPaint, LogoStaysInsideItsBoxAndGoesBlackInBlackAndWhite)
{
    CRecordingDC::SDeviceCaps caps;
    caps.m_bPrinting = true;
    caps.m_iHorzRes = 4800;
    caps.m_iHorzSize = 200; // 2.4 pixels per 0.1 mm
    CRecordingDC printer(caps);
    m_pDoc->SetBlackAndWhite(1, 0);
    m_view.PrintVelmarLogo(&printer, CRect(0, 0, 4800, 3000));
    // 90 x 80 units with the top right corner 20 units in from the corner.
    const CRect rcBox(4800 - 48 - 216, 48, 4800 - 48, 48 + 192);
    ASSERT_FALSE(printer.GetRecords().empty());
    for (const auto& r : printer.GetRecords()) {
        for (const CPoint& p : r.m_aPoints)
            EXPECT_TRUE(p.x >= rcBox.left && p.x <= rcBox.right && p.y >= rcBox.top && p.y <= rcBox.bottom);
        EXPECT_EQ(r.m_state.m_pen.GetColor(), 0u);
    }
    const auto aCalls = m_host.GetPrintCalls(); // one metafile group
    ASSERT_EQ(aCalls.size(), 2u);
    EXPECT_EQ(std::make_pair(aCalls[0].eService, aCalls[1].eService), std::make_pair(PRINT_START_METAFILE_GROUP, PRINT_END_METAFILE_GROUP));
}
