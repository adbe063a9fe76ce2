// The graph colours dialog (its checks, OK through the frame's command,
// Restore defaults), resetting the traces' colours, and the log-scale
// commands with the status bar's scale pane.

#include "ViewFixture.h"

#include "host/app/Registry.h"
#include "host/app/ScriptedDialogs.h"
#include "trace/display/GraphFrame.h"
#include "trace/display/StatusPanes.h"
#include "trace/document/GraphColorsDlg.h"

using Dlg = CGraphColorsDlg;

class GraphColours : public ViewFixture {
protected:
    GraphColours() { InstallGraphColorsCommand(m_frame); }
    // Opens the dialog from the frame and answers it with fnEdit, then OK.
    void ChangeColours(std::function<void(Dlg&)> fnEdit)
    {
        m_dialogs.QueueAnswer([fnEdit](CDialogModel& model) {
            fnEdit(static_cast<Dlg&>(model));
            return IDOK;
        });
        EXPECT_TRUE(m_frame.Execute(ID_GRAPH_CHANGE_COLORS));
    }
    static COLORREF Stored(const wchar_t* pszName)
    {
        return CRegistry::GetRegistryValue(kColoursKeyType, kColoursKey, pszName, std::uint32_t(0xDEAD));
    }

    CGraphFrame m_frame;
    CScriptedDialogs m_dialogs;
};

TEST_F(GraphColours, ChecksThatEachColourIsOneAndShows)
{
    // Entries 0 .. 2 are background, graticule and cursor, 3 the scope, 4
    // the FFT trace, 17 the scope's copies.
    const struct {
        int iEntry;
        COLORREF crColour;
        int iControl;
        const wchar_t* pszMessage;
    } aRows[] = {
        {17, COLOR_CYCLE, 0, L""},
        {3, COLOR_CYCLE, 8403, L"Only the colours of Trace copies can cycle. Please choose a colour for \"Scope\"."},
        {4, 0x01000000, 8404, L"The colour for \"FFT\" is not a colour. Please choose another."},
        {2, 0x000000, 8402, L"The colour for \"Cursor\" is the background colour: it would not show. Please choose another."},
        {0, 0xA0A0A0, 8401,
         L"The colour for \"Graticule\" is the background colour: it would not show. Please choose another."},
    };
    const Dlg opened(*m_pDoc);
    EXPECT_EQ(opened.GetCaption(), CString(L"Graph colours"));
    for (const auto& row : aRows) {
        Dlg dialog = opened;
        ASSERT_TRUE(dialog.SetColour(row.iEntry, row.crColour));
        int iControl = -1;
        EXPECT_EQ(dialog.Validate(&iControl), CString(row.pszMessage)) << row.iEntry;
        EXPECT_EQ(iControl, row.iControl) << row.iEntry;
    }
    Dlg dialog = opened;
    EXPECT_FALSE(dialog.SetColour(27, 0));
}

TEST_F(GraphColours, OkStoresAndAppliesEveryColourAndResetRecolours)
{
    CTestTrace* pTrace = AddLiveTrace(TT_FFT);
    ChangeColours([](Dlg& dialog) {
        dialog.SetColour(0, RGB(32, 32, 32));
        dialog.SetColour(4, RGB(1, 2, 3));
        dialog.SetColour(18, RGB(4, 5, 6)); // FFT copies: fixed
    });
    EXPECT_EQ(std::make_pair(Stored(L"GraphBackground"), Stored(L"TraceFFT")), std::make_pair(0x202020u, 0x030201u));
    EXPECT_EQ(std::make_pair(Stored(L"TraceFFTCopy"), Stored(L"TraceScopeCopy")), std::make_pair(0x060504u, COLOR_CYCLE));
    EXPECT_EQ(m_pDoc->GetBackgroundColor(), RGB(32, 32, 32));
    EXPECT_EQ(m_pDoc->GetDefaultTraceColor(TT_FFT, 1), RGB(4, 5, 6));
    EXPECT_EQ(pTrace->GetScreenColor(), RGB(1, 2, 3));
    EXPECT_EQ(CountHints(UPDATE_GRAPH_REDRAWALL), 1);

    // "Reset all Trace colours" gives a recoloured trace its type's colour again.
    m_pDoc->TraceColorChange(pTrace, RGB(9, 9, 9), 1);
    EXPECT_TRUE(m_frame.Execute(ID_GRAPH_RESET_COLORS));
    EXPECT_EQ(pTrace->GetScreenColor(), RGB(1, 2, 3));

    ChangeColours([](Dlg& dialog) { dialog.RestoreDefaults(); });
    EXPECT_EQ(std::make_pair(Stored(L"GraphBackground"), Stored(L"TraceFFT")), std::make_pair(0x000000u, 0x0000FFu));
    EXPECT_EQ(std::make_pair(pTrace->GetScreenColor(), m_pDoc->GetDefaultTraceColor(TT_FFT, 1)),
              std::make_pair(COLORREF(0x0000FF), COLOR_CYCLE));
}

TEST_F(GraphColours, LogCommandsToggleTheAxesWhereTheTraceAllowsIt)
{
    CTestTrace* pTrace = AddLiveTrace(TT_FFT);
    m_pDoc->SetCurrentTrace(pTrace, 0);
    for (UINT uId : {ID_TRACE_LOGX, ID_TRACE_LOGY}) {
        EXPECT_EQ(m_frame.GetCommandStatus(uId), (SCommandStatus{true, false})) << uId;
        EXPECT_TRUE(m_frame.Execute(uId));
        EXPECT_EQ(m_frame.GetCommandStatus(uId), (SCommandStatus{true, true})) << uId;
    }
    EXPECT_EQ(std::make_pair(pTrace->GetLogX(), pTrace->GetLogY()), std::make_pair(1, 1));
    EXPECT_EQ(GetScaleStatusText(pTrace), CString(L"X log, Y log"));
    // A trace that may not be logarithmic can still go back to linear, and no further.
    pTrace->SetLogAllowed(false);
    EXPECT_TRUE(m_frame.Execute(ID_TRACE_LOGX));
    EXPECT_EQ(pTrace->GetLogX(), 0);
    EXPECT_EQ(m_frame.GetCommandStatus(ID_TRACE_LOGX), SCommandStatus{});
    EXPECT_FALSE(m_frame.Execute(ID_TRACE_LOGX));
    EXPECT_EQ(pTrace->GetLogX(), 0);
    EXPECT_EQ(GetScaleStatusText(pTrace), CString(L"X lin, Y log"));
}
