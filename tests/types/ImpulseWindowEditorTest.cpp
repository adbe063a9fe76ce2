// The impulse-window editor in a real frame and view: bins typed in the bar
// (times to bins toward zero, refusals beep once), the mid handle dragged
// with the settings and the curve following, leaving with and without
// changes, the host's start and stop messages, and one mode at a time.

#include "host/app/AppMessages.h"
#include "host/app/ScriptedDialogs.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "platform/RecordingDC.h"
#include "resources/StringTable.h"
#include "support/HostDocFixture.h"
#include "trace/display/GraphFrame.h"
#include "trace/display/GraphView.h"
#include "trace/document/GraphOLEData.h"
#include "trace/limits/LimitLineManager.h"
#include "trace/limits/LimitLineOptionsDlg.h"
#include "trace/types/ImpulseWindowEditor.h"
#include "trace/types/ImpulseWindowFunction.h"

namespace {

// A gate of 1000 / 4000 / 8000 bins over 16384 points, in a 640 x 480 view.
class ImpulseEditor : public HostDocFixture {
protected:
    ImpulseEditor()
    {
        m_view.SetChannel(CHANNEL_A);
        m_frame.SetView(CHANNEL_A, &m_view);
        m_view.OnSize(CRect(0, 0, 640, 480));
        CImpulseWindowEditor::Install(m_frame);
        CLimitLineManager::Install(m_frame);
        Ir()->SetImpulseWindowDetails(0, CImpulseWindowDetails(16384, 1000, 4000, 8000), UNIT_MS, true);
    }
    CImpulseResponseSettings* Ir() { return GetImpulseResponseSettings(); }
    const CImpulseWindowDetails& Gate() { return Ir()->GetImpulseWindowDetails(0); }
    CImpulseWindowEditor* Start()
    {
        EXPECT_TRUE(m_frame.Execute(ID_TRACE_IMPULSEWINDOW));
        auto* pEditor = dynamic_cast<CImpulseWindowEditor*>(m_frame.GetMode());
        m_dc.Clear();
        m_view.OnDraw(&m_dc); // places the handles
        return pEditor;
    }
    std::vector<std::wstring> Boxes()
    {
        std::vector<std::wstring> as;
        for (const auto& box : m_host.GetMessageBoxes()) as.emplace_back(box.sText.GetString());
        return as;
    }

    CGraphView m_view;
    CGraphFrame m_frame;
    CRecordingDC m_dc;
};

TEST_F(ImpulseEditor, TypedTimesBecomeBinsTowardZeroAndRefusalsBeepOnce)
{
    CImpulseWindowEditor* pEditor = Start();
    ASSERT_NE(pEditor, nullptr);
    CImpulseWindowBar& bar = pEditor->GetBar();
    // 48 kHz: 1.51 ms is 72.48 bins, 0.99 ms 47.52.
    const struct {
        CImpulseWindowBar::EBin eBin;
        const wchar_t* szText;
        bool bAccepted;
        int iStart, iMid, iEnd;
    } aCases[] = {
        {CImpulseWindowBar::BIN_MID, L"100.0", true, 1000, 4800, 8000},
        {CImpulseWindowBar::BIN_START, L"0.99", true, 47, 4800, 8000},
        {CImpulseWindowBar::BIN_END, L"101.51", true, 47, 4800, 4872},
        {CImpulseWindowBar::BIN_START, L"150", false, 47, 4800, 4872}, // beyond the mid
        {CImpulseWindowBar::BIN_MID, L"abc", false, 47, 4800, 4872},
    };
    for (const auto& c : aCases) {
        const int iBeeps = m_host.GetBeepCount();
        EXPECT_EQ(bar.OnBinTyped(c.eBin, c.szText), c.bAccepted) << c.szText;
        EXPECT_EQ(m_host.GetBeepCount(), iBeeps + (c.bAccepted ? 0 : 1)) << c.szText;
        EXPECT_EQ(Gate(), CImpulseWindowDetails(16384, c.iStart, c.iMid, c.iEnd)) << c.szText;
    }
    EXPECT_EQ(bar.GetBinText(CImpulseWindowBar::BIN_START), CString(L"0.979167")); // 47 bins, as shown again
    EXPECT_EQ(bar.GetTitle(), CString(L"Edit Impulse Window - Ch A & B"));
    // The window-function list: Hann at first; the third entry is Hamming.
    EXPECT_EQ(bar.GetWindowFunctionIndex(), 1);
    EXPECT_EQ(bar.GetWindowFunctionNames()[2], CString(L"Hamming"));
    EXPECT_TRUE(bar.SetWindowFunctionIndex(2));
    EXPECT_EQ(Gate().GetWindowFunction(), WINDOW_HAMMING);
    EXPECT_FALSE(bar.SetWindowFunctionIndex(6));
}

TEST_F(ImpulseEditor, DraggingTheMidHandleMovesTheGateAndTheCurveDuringTheMove)
{
    CImpulseWindowEditor* pEditor = Start();
    ASSERT_NE(pEditor, nullptr);
    CImpulseWindowFunction* pWindow = pEditor->GetTrace();
    ASSERT_NE(pWindow, nullptr);
    const CPoint ptMid = pEditor->GetHandleRect(CImpulseWindowEditor::HANDLE_MID).CenterPoint();
    // The sizing cursor over a handle and while dragging, not beside it.
    m_view.OnMouseMove(0, CPoint(ptMid.x, ptMid.y + 12));
    EXPECT_FALSE(m_view.OnSetCursor());
    m_view.OnMouseMove(0, CPoint(ptMid.x + 6, ptMid.y));
    EXPECT_TRUE(m_view.OnSetCursor());
    m_view.OnLButtonDown(0, ptMid);
    ASSERT_EQ(pEditor->GetDragHandle(), CImpulseWindowEditor::HANDLE_MID);
    const int x = ptMid.x + 60;
    m_view.OnMouseMove(0, CPoint(x, ptMid.y));
    const int iMid = pWindow->GetXPosAtPoint(x);
    EXPECT_GT(iMid, 4000);
    EXPECT_EQ(Gate().GetMidBin(), iMid); // before the release
    EXPECT_TRUE(m_view.OnSetCursor());
    EXPECT_GT(pWindow->GetYDataAtXPos(iMid, 0), pWindow->GetYDataAtXPos(4000, 0)); // the peak moved with it
    // Past the end handle: refused, the mid stays where it was.
    m_view.OnMouseMove(0, CPoint(pEditor->GetHandleRect(CImpulseWindowEditor::HANDLE_END).right + 20, ptMid.y));
    EXPECT_EQ(Gate().GetMidBin(), iMid);
    m_view.OnLButtonUp(0, CPoint(x, ptMid.y));
    EXPECT_EQ(pEditor->GetDragHandle(), CImpulseWindowEditor::HANDLE_NONE);
    // A press off the handles falls through to the view.
    const CPoint ptOff(pWindow->GetDrawRect().right - 20, pWindow->GetDrawRect().top + 20);
    m_view.OnLButtonDown(0, ptOff);
    EXPECT_TRUE(m_view.HasMouseCapture());
    m_view.OnLButtonUp(0, ptOff);
}

TEST_F(ImpulseEditor, LeavingAsksOnlyAfterAChangeAndCancelRestoresTheGate)
{
    CImpulseWindowEditor* pEditor = Start();
    ASSERT_NE(pEditor, nullptr);
    m_frame.Execute(ID_IMPULSE_CANCEL); // no change: nothing asked
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(m_frame.InImpulseWindowEditingMode());

    pEditor = Start();
    ASSERT_TRUE(pEditor->SetMidBin(5000));
    m_host.QueueMessageBoxAnswer(IDNO);
    m_frame.Execute(ID_IMPULSE_CANCEL);
    EXPECT_TRUE(m_frame.InImpulseWindowEditingMode());
    m_host.QueueMessageBoxAnswer(IDYES);
    m_frame.Execute(ID_IMPULSE_CANCEL);
    EXPECT_FALSE(m_frame.InImpulseWindowEditingMode());
    EXPECT_EQ(Gate().GetMidBin(), 4000);

    pEditor = Start();
    ASSERT_TRUE(pEditor->SetMidBin(5000));
    m_frame.Execute(ID_IMPULSE_FINISH); // keeps the gate, asks nothing
    EXPECT_EQ(Gate().GetMidBin(), 5000);
    EXPECT_EQ(Boxes().size(), 2u);

    // Removing the trace asks first, then whether to lose the edits.
    pEditor = Start();
    ASSERT_TRUE(pEditor->SetMidBin(6000));
    m_host.QueueMessageBoxAnswer(IDYES);
    m_host.QueueMessageBoxAnswer(IDYES);
    m_frame.SetTraceForNextCommand(pEditor->GetTrace());
    m_frame.Execute(ID_TRACE_REMOVE);
    EXPECT_FALSE(m_frame.InImpulseWindowEditingMode());
    const std::vector<std::wstring> asBoxes = Boxes();
    ASSERT_EQ(asBoxes.size(), 4u);
    EXPECT_EQ(asBoxes[2], LoadResString(IDS_IMPULSE_CONFIRM_REMOVE_TRACE).GetString());
    EXPECT_EQ(asBoxes[3], LoadResString(IDS_IMPULSE_CONFIRM_EXIT).GetString());
    EXPECT_EQ(Gate().GetMidBin(), 5000);
}

TEST_F(ImpulseEditor, TheEditedWindowFollowsTheChannelSelection)
{
    // B alone: channel B's window is made and edited; both: A's, with B's as the other trace.
    for (int iMode : {1, 2}) {
        GetSignalAnalyserSettings()->SetProperty(PROP_SA_CHANNEL_MODE, iMode);
        CImpulseWindowEditor* pEditor = Start();
        ASSERT_NE(pEditor, nullptr);
        CQXTrace* pWindowB = m_pDoc->GetTraceFromArray(CHANNEL_B, TT_WINDOW, 1, 0);
        EXPECT_EQ(pEditor->GetTrace(), iMode == 1 ? pWindowB : m_pDoc->GetTraceFromArray(CHANNEL_A, TT_WINDOW, 1, 0));
        EXPECT_EQ(pEditor->GetOtherChannelTrace(), iMode == 2 ? pWindowB : nullptr);
        if (iMode == 1) m_frame.Execute(ID_IMPULSE_FINISH);
    }
    // Removing the other trace asks too; No keeps it and the editor.
    m_host.QueueMessageBoxAnswer(IDNO);
    m_frame.SetTraceForNextCommand(m_pDoc->GetTraceFromArray(CHANNEL_B, TT_WINDOW, 1, 0));
    EXPECT_TRUE(m_frame.Execute(ID_TRACE_REMOVE));
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{LoadResString(IDS_IMPULSE_CONFIRM_REMOVE_TRACE).GetString()});
    EXPECT_TRUE(m_frame.InImpulseWindowEditingMode());
    // Settings changed elsewhere (hint -307): the gate and the selection are read again.
    Ir()->SetImpulseWindowDetails(1, CImpulseWindowDetails(16384, 1000, 5000, 8000), UNIT_MS, true);
    GetSignalAnalyserSettings()->SetProperty(PROP_SA_CHANNEL_MODE, 1);
    m_pDoc->UpdateAllViews(-307, nullptr);
    auto* pEditor = dynamic_cast<CImpulseWindowEditor*>(m_frame.GetMode());
    EXPECT_EQ(pEditor->GetChannel(), CHANNEL_B);
    EXPECT_EQ(pEditor->GetWorkingDetails().GetMidBin(), 5000);
}

TEST_F(ImpulseEditor, HostMessagesStartAndStopAndTheModesNeverRunTogether)
{
    m_host.SetMessageHandler(APPMSG_START_IMPULSE_EDIT,
                             [this](WPARAM, LPARAM) { CImpulseWindowEditor::OnHostMessage(m_frame, APPMSG_START_IMPULSE_EDIT); });
    m_host.SetMessageHandler(APPMSG_END_IMPULSE_EDIT,
                             [this](WPARAM, LPARAM) { CImpulseWindowEditor::OnHostMessage(m_frame, APPMSG_END_IMPULSE_EDIT); });
    m_pDoc->GetOLEData().SetEditImpulseWindow(1);
    m_host.PumpMessages();
    EXPECT_TRUE(m_frame.InImpulseWindowEditingMode());

    // Limit drawing asks the editor to leave; unchanged, it just goes.
    CScriptedDialogs dialogs;
    dialogs.QueueAnswer([](CDialogModel& model) { return model.OnOK() ? IDOK : IDCANCEL; });
    CQXTrace* pWindow = dynamic_cast<CImpulseWindowEditor*>(m_frame.GetMode())->GetTrace();
    m_frame.SetTraceForNextCommand(pWindow);
    ASSERT_TRUE(m_frame.Execute(ID_TRACE_LIMITLINE));
    EXPECT_TRUE(m_frame.InLimitLineDrawingMode());
    m_host.PumpMessages(); // the editor's end told the host; nothing to stop now
    EXPECT_EQ(m_pDoc->GetOLEData().GetEditImpulseWindow(), 0);

    // Drawing with a point: starting the editor asks, Cancel keeps drawing.
    auto* pManager = dynamic_cast<CLimitLineManager*>(m_frame.GetMode());
    m_dc.Clear();
    m_view.OnDraw(&m_dc);
    const CRect& rc = pWindow->GetDrawRect();
    m_view.OnLButtonDown(0, rc.CenterPoint());
    m_view.OnLButtonUp(0, rc.CenterPoint());
    ASSERT_TRUE(pManager->HasChanges());
    m_host.QueueMessageBoxAnswer(IDCANCEL);
    m_frame.SetTraceForNextCommand(AddShownTrace(TT_FFT, CHANNEL_B, 64));
    EXPECT_FALSE(m_frame.Execute(ID_TRACE_IMPULSEWINDOW));
    EXPECT_TRUE(m_frame.InLimitLineDrawingMode());
    EXPECT_EQ(m_pDoc->GetTraceFromArray(CHANNEL_B, TT_WINDOW, 1, 0), nullptr); // channel B gets no window while drawing stays
    EXPECT_EQ(Boxes().back(), LoadResString(IDS_LIMIT_EXIT_DRAWING_TO_EDIT).GetString());
}

} // namespace
