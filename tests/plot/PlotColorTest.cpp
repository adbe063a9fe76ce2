// Trace colours on a device and the colours of copies.

#include "PlotFixture.h"

#include "platform/RecordingDC.h"

#include <vector>

namespace {

using PlotColor = PlotFixture;

CRecordingDC::SDeviceCaps Caps(bool bPrinting, bool bMetafile)
{
    CRecordingDC::SDeviceCaps caps;
    caps.m_bPrinting = bPrinting;
    caps.m_bMetafile = bMetafile;
    return caps;
}

TEST_F(PlotColor, TheDeviceChoosesScreenOrPrintColourBlackAndWhiteAndNoWhiteOnWhite)
{
    struct SCase {
        const char* szName;
        COLORREF crScreen, crPrint, crBackground;
        bool bPrinting, bMetafile, bBlackAndWhite;
        COLORREF crExpected;
    };
    const SCase aCases[] = {
        {"screen", 0x00FF00, 0x0000FF, 0x000000, false, false, false, 0x00FF00},
        {"printer", 0x00FF00, 0x0000FF, 0x000000, true, false, false, 0x0000FF},
        {"metafile", 0x00FF00, 0x0000FF, 0x000000, false, true, false, 0x0000FF},
        {"black and white printing", 0x00FF00, 0x0000FF, 0x000000, true, false, true, 0x000000},
        {"black and white is for output only", 0x00FF00, 0x0000FF, 0x000000, false, false, true, 0x00FF00},
        {"white on a black screen", 0xFFFFFF, 0x0000FF, 0x000000, false, false, false, 0xFFFFFF},
        {"white on a white screen", 0xFFFFFF, 0x0000FF, 0xFFFFFF, false, false, false, 0x000000},
        {"white on paper", 0x00FF00, 0xFFFFFF, 0x000000, true, false, false, 0x000000},
    };
    for (const SCase& c : aCases) {
        SCOPED_TRACE(c.szName);
        CTestTrace* pTrace = AddPlotTrace(16);
        pTrace->SetColor(c.crScreen);
        pTrace->SetPrintColor(c.crPrint);
        m_pDoc->SetBackgroundColor(c.crBackground);
        m_pDoc->SetBlackAndWhite(c.bBlackAndWhite, 0);
        CRecordingDC dc(Caps(c.bPrinting, c.bMetafile));
        EXPECT_EQ(pTrace->GetColor(&dc), c.crExpected);
    }
}

TEST_F(PlotColor, CopiesCycleFromTheSourcesColourAndNeverTakeIt)
{
    CTestTrace* pTrace = AddPlotTrace(16);
    pTrace->SetColor(0x0000FF); // third table colour
    m_pDoc->SetDefaultTraceColor(TT_FFT, 1, COLOR_CYCLE);
    std::vector<COLORREF> aCopies;
    for (int i = 0; i < 10; ++i) aCopies.push_back(pTrace->GetNextCopyColor());
    const std::vector<COLORREF> aExpected = {0xFFFF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xC0C0FF,
                                             0xC0E040, 0xFFFFFF, 0xC0C0C0, 0x00FF00, 0xFFFF00};
    EXPECT_EQ(aCopies, aExpected);

    // A fixed copy colour wins and forgets the cycle.
    m_pDoc->SetDefaultTraceColor(TT_FFT, 1, 0x123456);
    EXPECT_EQ(pTrace->GetNextCopyColor(), 0x123456u);
    m_pDoc->SetDefaultTraceColor(TT_FFT, 1, COLOR_CYCLE);
    EXPECT_EQ(pTrace->GetNextCopyColor(), 0xFFFF00u);
}

} // namespace
