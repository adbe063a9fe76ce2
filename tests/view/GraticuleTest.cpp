// The graticule: minor lines of log decades, grid, edges and tick marks,
// and its pens on screen and on paper.

#include "platform/RecordingDC.h"
#include "support/HostDocFixture.h"
#include "trace/display/Graticule.h"
#include "trace/display/XScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

enum class ELine { Solid, Dashed, Dotted };

struct SLine { CPoint from, to; ELine eKind; int iWidth; };

std::vector<SLine> Lines(const CRecordingDC& dc, int iDash)
{
    std::vector<SLine> out;
    for (const auto& r : dc.GetRecords(CRecordingDC::EKind::Line)) {
        const CPen& pen = r.m_state.m_pen;
        ELine eKind = ELine::Solid;
        if (!pen.GetDashes().empty()) eKind = static_cast<int>(pen.GetDashes()[0]) == iDash ? ELine::Dashed : ELine::Dotted;
        out.push_back({r.m_aPoints.at(0), r.m_aPoints.at(1), eKind, pen.GetWidth()});
    }
    return out;
}

std::vector<SLine> OfKind(const std::vector<SLine>& a, ELine eKind)
{
    std::vector<SLine> out;
    std::copy_if(a.begin(), a.end(), std::back_inserter(out), [&](const SLine& l) { return l.eKind == eKind; });
    return out;
}

bool IsVertical(const SLine& l) { return l.from.x == l.to.x; }

CTickArray Ticks(std::vector<double> aPositions)
{
    CTickArray ticks;
    for (size_t i = 0; i < aPositions.size(); ++i) ticks.SetAt(static_cast<int>(i), aPositions[i]);
    ticks.SetNumTicks(static_cast<int>(aPositions.size()));
    return ticks;
}

using GraticuleWithDoc = HostDocFixture;

} // namespace

TEST(GraticuleLogMinors, EightPerFullDecadeAndNoneOnOrBeyondTheEdges)
{
    // 20 Hz .. 20 kHz on 600 pixels: 200 pixels a decade; 30 .. 90 in the
    // first part decade, then two full decades; 20 and 20000 are the edges.
    const std::vector<int> aOffsets = GetLogMinorOffsets(20.0, 20000.0, 600);
    ASSERT_EQ(aOffsets.size(), 7u + 8u + 8u);
    for (int iOffset : aOffsets) {
        EXPECT_GT(iOffset, 0);
        EXPECT_LT(iOffset, 600);
    }
    // 200 Hz lies on the 100 Hz decade line (pixel 139) plus trunc(log10(2) x 200).
    const int iDecade = static_cast<int>(std::floor((2.0 - std::log10(20.0)) * 200.0));
    EXPECT_NE(std::find(aOffsets.begin(), aOffsets.end(), iDecade + 60), aOffsets.end());

    // 10 .. 1000 on 200 pixels: exact decades, offsets trunc(log10(k) x 100).
    const std::vector<int> aExact = GetLogMinorOffsets(10.0, 1000.0, 200);
    const std::vector<int> aExpected = {30, 47, 60, 69, 77, 84, 90, 95, 130, 147, 160, 169, 177, 184, 190, 195};
    EXPECT_EQ(aExact, aExpected);

    // Limits a log axis cannot show give no lines.
    EXPECT_TRUE(GetLogMinorOffsets(0.0, 1000.0, 200).empty() && GetLogMinorOffsets(100.0, 100.0, 200).empty());
    EXPECT_TRUE(GetLogMinorOffsets(10.0, INFINITY, 200).empty() && GetLogMinorOffsets(10.0, 1000.0, 0).empty());
}

TEST_F(GraticuleWithDoc, LinearGridEdgesAndTickMarks)
{
    CGraticule graticule;
    const CTickArray xTicks = Ticks({0.0, 0.5, 1.0});
    CTickArray yTicks = Ticks({0.0, 0.25, 0.5, 1.0});
    yTicks.SetLabel(1, 0);
    graticule.SetParameters(&xTicks, &yTicks); // a left scale, no right one
    graticule.SetRect(CRect(100, 50, 500, 450));
    CRecordingDC dc;
    graticule.Draw(&dc, 0, 1);
    const std::vector<SLine> aLines = Lines(dc, 4);

    // Grid: no dashed line over the left edge; one in the middle and one at the right.
    std::vector<int> aGridX;
    for (const SLine& l : OfKind(aLines, ELine::Dashed))
        if (IsVertical(l)) aGridX.push_back(l.from.x);
    EXPECT_EQ(aGridX, (std::vector<int>{300, 500}));
    // Solid: a 5-pixel mark under each labelled X tick, the left edge and the bottom edge.
    const std::vector<SLine> aSolid = OfKind(aLines, ELine::Solid);
    const auto Has = [&](CPoint a, CPoint b) {
        return std::any_of(aSolid.begin(), aSolid.end(), [&](const SLine& l) { return l.from == a && l.to == b; });
    };
    EXPECT_TRUE(Has(CPoint(300, 450), CPoint(300, 455)) && Has(CPoint(100, 450), CPoint(100, 49)));
    // Marks left of the left edge at labelled Y ticks only: 0.5 is at y 250, 0.25 (y 350) has none.
    EXPECT_TRUE(Has(CPoint(95, 250), CPoint(100, 250)));
    EXPECT_FALSE(Has(CPoint(95, 350), CPoint(100, 350)));
    // Horizontal dashed lines stay inside the edges and skip the bottom edge.
    for (const SLine& l : OfKind(aLines, ELine::Dashed)) {
        if (IsVertical(l)) continue;
        EXPECT_EQ(l.from.x, 101);
        EXPECT_NE(l.from.y, 450);
    }
    EXPECT_EQ(OfKind(aLines, ELine::Dotted).size(), 0u);

    // The solid switch draws every grid line solid.
    dc.Clear();
    graticule.Draw(&dc, 1, 1);
    for (const SLine& l : Lines(dc, 4)) EXPECT_EQ(l.eKind, ELine::Solid);
}

TEST_F(GraticuleWithDoc, LogXDrawsDottedMinorsInsideTheRightEdge)
{
    CTestTrace trace(TT_FFT, CHANNEL_A);
    CXScale* pScale = trace.GetXScale();
    ASSERT_NE(pScale, nullptr);
    pScale->SetLog(1);
    trace.SetTestXRange(1.0, 24000.0);
    trace.SetTestXWindow(20.0, 20000.0);
    trace.CalcXTicks();
    CGraticule graticule;
    graticule.SetParameters(&trace, 1, 1);
    graticule.SetRect(CRect(0, 0, 600, 300));
    CRecordingDC dc;
    graticule.Draw(&dc, 0, 1);

    const std::vector<SLine> aDotted = OfKind(Lines(dc, 4), ELine::Dotted);
    ASSERT_EQ(aDotted.size(), 23u);
    for (const SLine& l : aDotted) {
        EXPECT_TRUE(IsVertical(l));
        EXPECT_GT(l.from.x, 0);
        EXPECT_LT(l.from.x, 600);
    }
    // With scales on both sides, neither edge gets a dashed line.
    for (const SLine& l : OfKind(Lines(dc, 4), ELine::Dashed))
        if (IsVertical(l)) {
            EXPECT_TRUE(l.from.x != 0 && l.from.x != 600);
        }
}

TEST_F(GraticuleWithDoc, PensFollowTheDeviceAndTheDocument)
{
    CGraticule graticule;
    const CTickArray ticks = Ticks({0.0, 0.5, 1.0});
    graticule.SetParameters(&ticks, &ticks);
    graticule.SetRect(CRect(0, 0, 200, 200));
    m_pDoc->SetGraticuleColor(0x123456);
    CRecordingDC screen;
    graticule.Draw(&screen, 0, 1);
    for (const auto& r : screen.GetRecords(CRecordingDC::EKind::Line)) EXPECT_EQ(r.m_state.m_pen.GetColor(), 0x123456u);

    // A 192-dpi printer measured against a 96-dpi screen: twice the width
    // and dash length, and black lines.
    CRecordingDC::SDeviceCaps caps;
    caps.m_iLogPixelsX = 192;
    caps.m_bPrinting = true;
    CRecordingDC printer(caps);
    printer.SetAttribDC(&screen);
    graticule.Draw(&printer, 0, 2);
    int iDashed = 0;
    for (const auto& r : printer.GetRecords(CRecordingDC::EKind::Line)) {
        const CPen& pen = r.m_state.m_pen;
        EXPECT_EQ(std::make_tuple(pen.GetColor(), pen.GetWidth()), std::make_tuple(0u, 4));
        if (pen.GetDashes().empty()) continue;
        ++iDashed;
        EXPECT_EQ(pen.GetDashes(), (std::vector<DWORD>{8, 8}));
        EXPECT_EQ(pen.GetEndCap(), PS_ENDCAP_FLAT);
    }
    EXPECT_GT(iDashed, 0);
    EXPECT_EQ(printer.GetCurrentPen(), CPen()); // the DC is left as it was
}
