// Graph colours from the registry, property changes with their update
// hints, and messages.

#include "GraphDocFixture.h"

#include "resources/StringTable.h"

#include <filesystem>
#include <fstream>

namespace {

class GraphDocSettingsTest : public GraphDocFixture {};

TEST_F(GraphDocSettingsTest, ColoursComeFromAnIniRegistryWithDefaultsForTheRest)
{
    const std::filesystem::path path = std::filesystem::path(m_host.GetRoot().ToUtf8()) / "colours.ini";
    std::ofstream(path) << "[Colours]\ngraphbackground=dword:00102030\nTraceFFT=dword:00abcdef\n"
                           "TraceSweep2Copy=dword:00654321\n";
    ASSERT_TRUE(m_host.LoadRegistry(CString(path.string())));
    m_pDoc->InitialiseGraphColors();
    EXPECT_EQ(std::make_pair(m_pDoc->GetBackgroundColor(), m_pDoc->GetGraticuleColor()), std::make_pair(0x102030u, 0xA0A0A0u));
    struct SColour { TraceType eType; int bCopy; COLORREF cr; };
    const SColour aExpected[] = {
        {TT_FFT, 0, 0xABCDEF}, {TT_SWEEP2, 1, 0x654321}, {TT_SCOPE, 0, 0x00FF00}, {TT_FFT, 1, COLOR_CYCLE},
        {TT_FILTER, 1, 0xFF0000}, // no copy colour of its own
    };
    for (const SColour& c : aExpected)
        EXPECT_EQ(m_pDoc->GetDefaultTraceColor(c.eType, c.bCopy), c.cr) << c.eType << "/" << c.bCopy;
}

TEST_F(GraphDocSettingsTest, ResetAppliesDefaultsButKeepsCycledCopyColours)
{
    CTestTrace* pFFT = Add(TT_FFT);
    CTestTrace* pCopy = Add(TT_FFT, CHANNEL_A, 1);
    auto [pMax, pMin] = AddLimitLines(pFFT);
    (void)pMin;
    for (CQXTrace* p : {static_cast<CQXTrace*>(pFFT), static_cast<CQXTrace*>(pCopy), static_cast<CQXTrace*>(pMax)}) p->SetColor(0x111111);
    m_pDoc->SetDefaultTraceColor(TT_FFT, 0, 0x445566);
    m_pDoc->ResetTraceColors(1);
    EXPECT_EQ(std::make_tuple(pFFT->GetScreenColor(), pCopy->GetScreenColor()), std::make_tuple(0x445566u, 0x111111u));
    EXPECT_EQ(pMax->GetScreenColor(), 0x0080FFu);
    EXPECT_EQ(HintsFor(m_pDoc.get()), (std::vector<LPARAM>{UPDATE_GRAPH_REDRAWALL}));
}

TEST_F(GraphDocSettingsTest, EachChangeSendsItsHint)
{
    CTestTrace* pTrace = Add(TT_FFT, CHANNEL_A, 0, 1);
    m_pDoc->SetCurrentTrace(CHANNEL_A, pTrace);
    m_pDoc->SetTraceName(pTrace, L"Left speaker");
    m_pDoc->SetTraceComment(pTrace, L"after repair");
    m_pDoc->SetTracePrintStyle(pTrace, TRACE_PRINTSTYLE_DASHDOT);
    m_pDoc->SetTracePrintStyle(pTrace, 9); // refused
    m_pDoc->TraceColorChange(pTrace, 0x0000AA, 1);
    m_pDoc->TraceColorChange(pTrace, 0x0000BB, 0);
    m_pDoc->OnOneChannel(1);
    EXPECT_EQ(HintsFor(pTrace), (std::vector<LPARAM>{UPDATE_TRACE_NAME, UPDATE_TRACE_COMMENT, UPDATE_TRACE_PRINTSTYLE,
                                                      UPDATE_TRACE_COLOR, UPDATE_GRAPH_CHANNELCHANGED}));
    EXPECT_EQ(pTrace->GetPrintStyle(), TRACE_PRINTSTYLE_DASHDOT); // not the refused one
    EXPECT_EQ(pTrace->GetScreenColor(), 0x0000BBu);

    m_pDoc->SetGraphTitle(L"Amplifier 3");
    m_pDoc->SetGraphComment(L"no hint for this");
    EXPECT_EQ(HintsFor(m_pDoc.get()), (std::vector<LPARAM>{UPDATE_GRAPH_TITLE}));

    EXPECT_EQ(m_pDoc->DrawingAllOnSameView(), 1);
    ShowOnlyChannel(1);
    EXPECT_EQ(m_pDoc->DrawingAllOnSameView(), 0);
}

TEST_F(GraphDocSettingsTest, MessagesComeFromTheStringTableAndStayHiddenWhenAutomationSaysSo)
{
    m_host.QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(CGraphDoc::ShowMessage(IDS_ERROR_OUTOFMEMORY, MB_OKCANCEL, 1), IDCANCEL);
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.GetMessageBoxes()[0].sText, LoadResString(IDS_ERROR_OUTOFMEMORY));
    EXPECT_EQ(CGraphDoc::ShowMessage(IDS_ERROR_OUTOFMEMORY, MB_YESNO | MB_DEFBUTTON2, 0), IDNO);
    EXPECT_EQ(m_host.GetMessageBoxes().size(), 1u);
}

} // namespace
