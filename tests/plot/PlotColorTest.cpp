// Trace colours on a device and the colours of copies.

#include "PlotFixture.h"

#include "platform/RecordingDC.h"
#include "trace/model/ColorCycler.h"

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
        CPlotTrace* pTrace = AddPlotTrace(16);
        pTrace->SetColor(c.crScreen);
        pTrace->SetPrintColor(c.crPrint);
        m_pDoc->SetBackgroundColor(c.crBackground);
        m_pDoc->SetBlackAndWhite(c.bBlackAndWhite, 0);
        CRecordingDC dc(Caps(c.bPrinting, c.bMetafile));
        EXPECT_EQ(pTrace->GetColor(&dc), c.crExpected);
    }
}

TEST_F(PlotColor, BackgroundIsWhiteOnPaperElseTheDocuments)
{
    CPlotTrace* pTrace = AddPlotTrace(16);
    m_pDoc->SetBackgroundColor(0x202020);
    CRecordingDC screen;
    CRecordingDC printer(Caps(true, false));
    EXPECT_EQ(pTrace->GetBkgndColor(&screen), 0x202020u);
    EXPECT_EQ(pTrace->GetBkgndColor(&printer), 0xFFFFFFu);
    m_host.SetGraphDoc(nullptr);
    EXPECT_EQ(pTrace->GetColor(&screen), 0xFFFFFFu);
    m_host.SetGraphDoc(m_pDoc.get());
}

TEST_F(PlotColor, CopiesCycleFromTheSourcesColourAndNeverTakeIt)
{
    CPlotTrace* pTrace = AddPlotTrace(16);
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

TEST(PlotColorCycler, WalksTheTableSkippingTheAvoidedColour)
{
    CColorCycler cycler(0x00FF00);
    std::vector<COLORREF> aColours;
    for (int i = 0; i < 10; ++i) aColours.push_back(cycler.GetNextColor());
    EXPECT_EQ(aColours, (std::vector<COLORREF>{0xC0C0C0, 0x0000FF, 0xFFFF00, 0xFF0000, 0x00FFFF, 0xFF00FF,
                                               0xC0C0FF, 0xC0E040, 0xFFFFFF, 0xC0C0C0}));

    // Initialise: the next colour is the one given (found), else the table's first.
    CColorCycler plain;
    EXPECT_EQ(plain.Initialise(0xFFFFFF), 1);
    EXPECT_EQ(plain.GetNextColor(), 0xFFFFFFu);
    EXPECT_EQ(plain.GetNextColor(), 0xC0C0C0u); // wraps
    EXPECT_EQ(plain.Initialise(0xC0C0C0), 1);
    EXPECT_EQ(plain.GetNextColor(), 0xC0C0C0u);
    EXPECT_EQ(plain.Initialise(0x123456), 0);
    EXPECT_EQ(plain.GetNextColor(), 0xC0C0C0u);

    // A copy carries on from the same place.
    CColorCycler copy = cycler;
    EXPECT_EQ(copy.GetNextColor(), cycler.GetNextColor());
}

} // namespace
