// Limit tables read at X values, and limit lines drawn with the mouse on a
// scope trace in a real frame and view: points and their polarities, the
// function-of-X rule, undo, cancel, finish into an attached line that saves,
// loads back and is checked; leaving the mode before printing.

#include "host/app/EventManager.h"
#include "host/app/ScriptedDialogs.h"
#include "platform/RecordingDC.h"
#include "resources/StringIds.h"
#include "support/LimitFixture.h"
#include "trace/core/LimitMath.h"
#include "trace/display/GraphFrame.h"
#include "trace/display/GraphView.h"
#include "trace/display/QuickLegend.h"
#include "trace/limits/LimitLineManager.h"
#include "trace/limits/LimitLineOptionsDlg.h"
#include "trace/output/HeadlessGraphWindow.h"

#include <cfloat>
#include <filesystem>

namespace {

constexpr double M = DBL_MAX;

using LimitTableRead = LimitFixture;

// Four points at the X values of positions 1, 2, 4 and 5, the third
// starting a new segment: values are the trace's data (hex storage).
TEST_F(LimitTableRead, ValuesAtXInterpolateConnectedPointsOnly)
{
    CLimitTable table;
    table.SetXUnit(m_pTrace->GetXUnit());
    table.SetYUnit(UNIT_HEX);
    const auto X = [&](double dPos) { return m_pTrace->GetXValueAtPos(1, table.GetXUnit()) * dPos; };
    table.AddPoint(X(1), 10.0, 0, 0);
    table.AddPoint(X(2), 20.0, 1, 0);
    table.AddPoint(X(4), 40.0, 0, 0);
    table.AddPoint(X(5), 60.0, 1, 0);
    const struct {
        double dPos, dData;
    } aCases[] = {{0.5, M}, {1, 10}, {1.5, 15}, {2, 20}, {3, M}, {4, 40}, {4.25, 45}, {5, 60}, {6, M}};
    for (const auto& c : aCases) EXPECT_DOUBLE_EQ(table.GetYDataAt(X(c.dPos), m_pTrace), c.dData) << c.dPos;
    EXPECT_DOUBLE_EQ(table.GetYDataAtPos(3, m_pTrace), 60.0);
    EXPECT_DOUBLE_EQ(table.GetYDataAtPos(4, m_pTrace), M);
    double dValue = 0.0;
    int iPolarity = -1;
    EXPECT_EQ(table.GetYValueAt(X(3), m_pTrace, &dValue, &iPolarity), 0);
    EXPECT_EQ(table.GetYValueAt(X(1.5), m_pTrace, &dValue, &iPolarity), 1);
    EXPECT_DOUBLE_EQ(dValue, 15.0);
    EXPECT_EQ(iPolarity, POLARITY_NONE);
}

TEST_F(LimitTableRead, ScopeLimitsTakeTheNearerPointsSide)
{
    m_pTrace->SetTraceType(TT_SCOPE);
    CLimitTable table;
    table.SetXUnit(m_pTrace->GetXUnit());
    table.SetYUnit(UNIT_HEX);
    table.AddPoint(100.0, 4.0, 0, POLARITY_NEGATIVE);
    table.AddPoint(200.0, 8.0, 1, POLARITY_POSITIVE);
    // Data -4 .. +8: -1 a quarter of the way, taken to the negative side; +5 at three quarters.
    const struct {
        double dX, dData;
        int iPolarity;
    } aCases[] = {{100, -4, POLARITY_NEGATIVE}, {125, -1, POLARITY_NEGATIVE}, {175, 5, POLARITY_POSITIVE},
                  {200, 8, POLARITY_POSITIVE}};
    for (const auto& c : aCases) {
        EXPECT_DOUBLE_EQ(table.GetYDataAt(c.dX, m_pTrace), c.dData) << c.dX;
        int iPolarity = -1;
        table.GetYValueAt(c.dX, m_pTrace, nullptr, &iPolarity);
        EXPECT_EQ(iPolarity, c.iPolarity) << c.dX;
    }
}

TEST(LimitDrawRule, SegmentsMeetEndToEndButNeverOverlap)
{
    const struct {
        int a0, a1, b0, b1;
        bool bConflict;
    } aCases[] = {
        {50, 100, 100, 150, false}, // end to end
        {100, 50, 150, 100, false}, // drawn leftwards
        {50, 100, 100, 100, false}, // a step straight up at the end
        {50, 100, 80, 100, true},   // back over the segment
        {50, 100, 75, 75, true},    // a lone point inside
        {50, 100, 101, 120, false}, // apart
        {50, 100, 40, 120, true},   // around it
        {60, 60, 60, 60, false},    // two points in one column
    };
    for (const auto& c : aCases)
        EXPECT_EQ(ColumnRangesConflict(c.a0, c.a1, c.b0, c.b1), c.bConflict) << c.a0 << " " << c.a1 << " " << c.b0;
}

// A scope trace of channel A, 64 samples over 0 .. 64 ms with data -1 .. +1,
// shown in a 640 x 480 view of a real frame with limit drawing installed.
class LimitDrawing : public HostDocFixture {
protected:
    LimitDrawing()
    {
        m_pScope->SetTestMode(CQXTrace::eModeDigital);
        m_pScope->SetTestSampleRate(1000.0); // one sample a millisecond
        m_pScope->SetYUnit(UNIT_HEX);
        m_pScope->SetLive(1);
        m_pScope->SetInUse(1);
        m_pScope->TraceOn(0, 0);
        m_pScope->SetTestXRange(0.0, 64.0);
        m_pScope->SetTestXWindow(0.0, 64.0);
        m_pScope->CalcXTicks();
        m_pScope->SetFullYRange(-1.0, 1.0);
        m_pScope->SetDefaultYWindow(-1.0, 1.0);
        m_pScope->SetYDefaultZoomValues();
        m_pScope->CalcYTicks();
        m_view.SetChannel(CHANNEL_A);
        m_frame.SetView(CHANNEL_A, &m_view);
        m_view.OnSize(CRect(0, 0, 640, 480));
        CLimitLineManager::Install(m_frame);
        Paint();
    }
    void Paint()
    {
        m_dc.Clear();
        m_view.OnDraw(&m_dc);
    }
    // The device point of an X value (ms) and a datum of the scope.
    CPoint At(double dMs, double dData)
    {
        return CPoint(m_pScope->GetDrawRect().left + m_pScope->GetXPointForValue(dMs, m_pScope->GetXUnit()),
                      m_pScope->GetYOrigin() - m_pScope->GetYPointForData(dData));
    }
    void Click(CPoint point)
    {
        m_view.OnLButtonDown(0, point);
        m_view.OnLButtonUp(0, point);
    }
    // "Create/Edit Limit Line" on the scope, the options dialog answered.
    bool EditLine(bool bMax, bool bDraw)
    {
        m_dialogs.QueueAnswer([bMax, bDraw](CDialogModel& model) {
            auto& options = dynamic_cast<CLimitLineOptionsDlg&>(model);
            options.SetMax(bMax);
            options.SetDraw(bDraw);
            return model.OnOK() ? IDOK : IDCANCEL;
        });
        m_pDoc->SetCurrentTrace(m_pScope, 0);
        return m_frame.Execute(ID_TRACE_LIMITLINE);
    }
    CLimitLineManager* StartDrawing(bool bMax = true)
    {
        EXPECT_TRUE(EditLine(bMax, true));
        return dynamic_cast<CLimitLineManager*>(m_frame.GetMode());
    }
    CLimitLine* MaxLine() { return dynamic_cast<CLimitLine*>(m_pScope->GetMaxLimitLine()); }

    CTestTrace* m_pScope = AddTrace(new CTestTrace(TT_SCOPE, CHANNEL_A, 64, CTestTrace::XAXIS_TIME));
    CGraphView m_view;
    CGraphFrame m_frame;
    CRecordingDC m_dc;
    CScriptedDialogs m_dialogs;
};

TEST_F(LimitDrawing, ThreePointsBecomeAnAttachedCheckedLineThatSavesAndLoads)
{
    CLimitLineManager* pManager = StartDrawing();
    ASSERT_NE(pManager, nullptr);
    EXPECT_TRUE(m_frame.InLimitLineDrawingMode());
    EXPECT_TRUE(m_frame.GetCommandStatus(ID_TRACE_LIMITLINE).bChecked);
    for (const auto& [dMs, dData] : {std::pair{8.0, -0.5}, {24.0, 0.25}, {40.0, 0.5}}) Click(At(dMs, dData));
    ASSERT_EQ(pManager->GetDrawPoints().size(), 3u);
    // Draw points keep the scope's data as the pixel gives it back.
    EXPECT_NEAR(pManager->GetDrawPoints()[0].dYData, -0.5, 0.01);
    EXPECT_NEAR(pManager->GetDrawPoints()[2].dX, 40.0, 0.2);

    ASSERT_TRUE(m_frame.Execute(ID_LIMIT_FINISH));
    EXPECT_FALSE(m_frame.InLimitLineDrawingMode());
    CLimitLine* pLine = MaxLine();
    ASSERT_NE(pLine, nullptr);
    ASSERT_TRUE(pLine->HasLimitTable());
    EXPECT_TRUE(pLine->IsOn() && pLine->IsInUse());
    const CLimitTable& table = *pLine->GetLimitTable();
    ASSERT_EQ(table.GetNumPoints(), 3);
    const int aiPolarity[] = {POLARITY_NEGATIVE, POLARITY_POSITIVE, POLARITY_POSITIVE};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.GetPoints()[i].ePolarity, aiPolarity[i]) << i;
        EXPECT_EQ(table.GetPoints()[i].bConnected, i > 0 ? 1 : 0) << i;
        EXPECT_GE(table.GetPoints()[i].dY, 0.0) << i; // magnitudes
    }
    EXPECT_EQ(table.GetXUnit(), m_pScope->GetXUnit());
    EXPECT_EQ(table.GetYUnit(), UNIT_HEX);
    EXPECT_NEAR(pLine->GetYDataAtXValue(8.0, 0), -0.5, 0.01);
    CQuickLegend legend(m_frame);
    legend.FillList();
    EXPECT_GE(legend.GetIndexOfTrace(pLine), 0);

    const CString sPath((m_host.GetRoot().ToUtf8() + "/drawn.lim").c_str());
    ASSERT_EQ(m_pDoc->SaveTrace(pLine, sPath, 0), 1);
    CLimitLine loaded(m_pScope, 1, 0);
    ASSERT_EQ(loaded.InitialiseFromFile(sPath, 0), 1);
    ASSERT_TRUE(loaded.HasLimitTable());
    const auto& aLoaded = loaded.GetLimitTable()->GetPoints();
    ASSERT_EQ(aLoaded.size(), 3u);
    for (size_t i = 0; i < aLoaded.size(); ++i) {
        const LimitTablePoint& a = aLoaded[i];
        const LimitTablePoint& b = table.GetPoints()[i];
        EXPECT_TRUE(a.dX == b.dX && a.dY == b.dY && a.bConnected == b.bConnected && a.ePolarity == b.ePolarity) << i;
    }

    // A live block above the line at 24 ms fires the upper-limit event.
    m_pScope->FillYData([](int) { return 0.0; });
    m_pScope->GetYDataBuffer(0)[24] = 0.9;
    m_host.Events().ClearFiredEvents();
    m_pScope->CheckLimits();
    EXPECT_EQ(FiredEventKinds(), std::vector<int>{EVENT_MAX_LIMIT_BREACHED});
}

TEST_F(LimitDrawing, PointsThatWouldLieOverTheLineOrOutsideThePlotAreRefused)
{
    CLimitLineManager* pManager = StartDrawing();
    ASSERT_NE(pManager, nullptr);
    Click(At(10.0, 0.5));
    Click(At(30.0, 0.5));
    // Back over the segment just drawn: refused with a beep.
    const int iBeeps = m_host.GetBeepCount();
    Click(At(20.0, 0.8));
    EXPECT_EQ(m_host.GetBeepCount(), iBeeps + 1);
    EXPECT_EQ(pManager->GetDrawPoints().size(), 2u);
    // A press off the plot falls through to the view, which records it.
    m_view.OnLButtonDown(0, CPoint(2, 2));
    m_view.OnLButtonUp(0, CPoint(2, 2));
    EXPECT_EQ(pManager->GetDrawPoints().size(), 2u);
    // A new segment may not start inside the first, but may at its end.
    ASSERT_TRUE(pManager->OnEndSegment());
    Click(At(20.0, -0.5));
    EXPECT_EQ(pManager->GetDrawPoints().size(), 2u);
    Click(At(30.0, -0.5));
    ASSERT_EQ(pManager->GetDrawPoints().size(), 3u);
    EXPECT_EQ(pManager->GetDrawPoints()[2].bConnected, 0);

    // With the segment ended, points are dragged: the end of the first
    // segment may not move over the second, but moves along its own.
    Click(At(50.0, 0.0));
    ASSERT_TRUE(pManager->OnEndSegment());
    const CPoint ptGrab = At(30.0, 0.5);
    m_view.OnLButtonDown(0, ptGrab);
    EXPECT_EQ(pManager->GetDraggedPoint(), 1);
    m_view.OnMouseMove(0, At(40.0, 0.5));
    EXPECT_NEAR(pManager->GetDrawPoints()[1].dX, 30.0, 0.2);
    m_view.OnMouseMove(0, At(20.0, 0.7));
    m_view.OnLButtonUp(0, At(20.0, 0.7));
    EXPECT_NEAR(pManager->GetDrawPoints()[1].dX, 20.0, 0.2);
    EXPECT_NEAR(pManager->GetDrawPoints()[1].dYData, 0.7, 0.01);
    ASSERT_TRUE(pManager->OnUndo());
    EXPECT_NEAR(pManager->GetDrawPoints()[1].dX, 30.0, 0.2);
}

TEST_F(LimitDrawing, UndoRedoAndCancelAskingBeforeTheEditsGo)
{
    CLimitLineManager* pManager = StartDrawing();
    ASSERT_NE(pManager, nullptr);
    Click(At(10.0, 0.5));
    Click(At(30.0, 0.4));
    ASSERT_TRUE(m_frame.Execute(ID_LIMIT_UNDO));
    EXPECT_EQ(pManager->GetDrawPoints().size(), 1u);
    const CMenuItems aMenu = FillGraphContextMenu(m_view); // Redo offered once there is one
    ASSERT_EQ(aMenu.size(), 6u);
    EXPECT_EQ(aMenu[4].uCommand, ID_LIMIT_REDO);
    EXPECT_TRUE(aMenu[4].bEnabled);
    ASSERT_TRUE(m_frame.Execute(ID_LIMIT_REDO));
    EXPECT_EQ(pManager->GetDrawPoints().size(), 2u);
    // No keeps drawing; Yes leaves with nothing made.
    m_host.QueueMessageBoxAnswer(IDNO);
    m_frame.Execute(ID_LIMIT_CANCEL);
    EXPECT_TRUE(m_frame.InLimitLineDrawingMode());
    m_host.QueueMessageBoxAnswer(IDYES);
    m_frame.Execute(ID_LIMIT_CANCEL);
    EXPECT_FALSE(m_frame.InLimitLineDrawingMode());
    EXPECT_EQ(MaxLine(), nullptr);
}

TEST_F(LimitDrawing, AnExistingTableIsEditedHiddenAndPutBackOnCancel)
{
    StartDrawing();
    Click(At(10.0, 0.5));
    Click(At(30.0, 0.5));
    m_frame.Execute(ID_LIMIT_FINISH);
    CLimitLine* pLine = MaxLine();
    ASSERT_NE(pLine, nullptr);
    // Chosen again through the line itself: no dialog, its points come back.
    m_pDoc->SetCurrentTrace(pLine, 0);
    ASSERT_TRUE(m_frame.Execute(ID_TRACE_LIMITLINE));
    auto* pManager = dynamic_cast<CLimitLineManager*>(m_frame.GetMode());
    ASSERT_NE(pManager, nullptr);
    EXPECT_EQ(pManager->GetDrawPoints().size(), 2u);
    CQuickLegend legend(m_frame);
    legend.FillList();
    EXPECT_EQ(legend.GetIndexOfTrace(pLine), -1);
    m_frame.Execute(ID_LIMIT_CANCEL); // unchanged: nothing asked
    EXPECT_TRUE(m_host.GetMessageBoxes().empty());
    EXPECT_EQ(MaxLine(), pLine);
    legend.FillList();
    EXPECT_GE(legend.GetIndexOfTrace(pLine), 0);
}

TEST_F(LimitDrawing, OutputAsksToLeaveKeepingOrDiscardingTheLine)
{
    CHeadlessGraphWindow window(m_host, *m_pDoc);
    window.SetOutputGate([this](int iMessageId) { return m_frame.ExitLimitLineDrawingMode(iMessageId); });
    const struct {
        int iAnswer;
        bool bLeft, bLineMade;
    } aCases[] = {{IDCANCEL, false, false}, {IDNO, true, false}, {IDYES, true, true}};
    for (const auto& c : aCases) {
        m_pScope->SetLimitLineForTrace(nullptr, TT_MAXLIMITLINE, 0, 0, 0);
        if (!m_frame.InLimitLineDrawingMode()) StartDrawing();
        Click(At(10.0, 0.5));
        m_host.QueueMessageBoxAnswer(c.iAnswer);
        const CString sFile = m_host.GetRoot() + L"/answer" + CString(std::to_wstring(c.iAnswer).c_str()) + L".emf";
        m_host.PostAppMessage(APPMSG_EXPORT_GRAPH, CHANNEL_A, reinterpret_cast<LPARAM>(sFile.GetString()));
        m_host.PumpMessages();
        EXPECT_EQ(std::filesystem::exists(sFile.ToUtf8()), c.bLeft) << c.iAnswer; // Cancel: no export
        EXPECT_EQ(m_frame.InLimitLineDrawingMode(), !c.bLeft) << c.iAnswer;
        EXPECT_EQ(MaxLine() != nullptr, c.bLineMade) << c.iAnswer;
        EXPECT_EQ(m_host.GetMessageBoxes().back().sText.ToUtf8().rfind("You cannot export or copy the graph while", 0), 0u);
    }
    EXPECT_TRUE(m_frame.ExitLimitLineDrawingMode(IDS_LIMIT_EXIT_DRAWING_TO_PRINT)); // no mode: nothing asked
}

// A script turned the trace's max-limit event off with an action of its
// own; switching lines off and on while editing must not reset it.
TEST_F(LimitDrawing, CopyingOrDrawingKeepsTheTracesOnAndTheScriptsEventDetails)
{
    CEventManager& events = *GetEventManager();
    const LPARAM owner = reinterpret_cast<LPARAM>(m_pScope);
    for (bool bDraw : {false, true}) {
        m_pScope->SetLimitLineForTrace(nullptr, TT_MAXLIMITLINE, 0, 0, 0);
        events.AddEvent(EVENT_MAX_LIMIT_BREACHED, L"script's", owner, 0, 1, 0, 1, 2, 7, 1);
        ASSERT_TRUE(EditLine(true, bDraw));
        if (bDraw) {
            Click(At(10.0, 0.5));
            Click(At(30.0, 0.5));
            m_frame.Execute(ID_LIMIT_FINISH);
        }
        ASSERT_NE(MaxLine(), nullptr) << bDraw;
        EXPECT_TRUE(m_pScope->IsOn() && MaxLine()->IsOn()) << bDraw;
        SEventDetails details;
        ASSERT_TRUE(events.GetEventDetails(EVENT_MAX_LIMIT_BREACHED, owner, details)) << bDraw;
        EXPECT_EQ(details.bEnabled, 0) << bDraw;
        EXPECT_EQ(details.iAction, 7) << bDraw;
    }
    // Copying over the drawn table, declined: the trace and its line are on
    // again, and current again though another trace took over meanwhile.
    AddShownTrace(TT_FFT, CHANNEL_A, 64);
    m_host.QueueMessageBoxAnswer(IDNO);
    EXPECT_FALSE(EditLine(true, false));
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_TRUE(m_pScope->IsOn() && MaxLine()->IsOn() && MaxLine()->HasLimitTable());
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), m_pScope);
}

TEST_F(LimitDrawing, CopyingTakesTheTracesDataAndTheModeMenuReplacesTheViews)
{
    m_pScope->FillYData([](int i) { return i < 32 ? -0.25 : 0.5; });
    ASSERT_TRUE(EditLine(false, false));
    EXPECT_EQ(m_frame.GetMode(), nullptr);
    auto* pMin = dynamic_cast<CLimitLine*>(m_pScope->GetMinLimitLine());
    ASSERT_NE(pMin, nullptr);
    EXPECT_TRUE(pMin->HasTraceData());
    EXPECT_DOUBLE_EQ(pMin->GetYDataAtXPos(0, 0), -0.25);

    StartDrawing();
    const CMenuItems aMenu = FillGraphContextMenu(m_view);
    ASSERT_EQ(aMenu.size(), 6u);
    EXPECT_EQ(aMenu[0].uCommand, ID_LIMIT_FINISH);
    EXPECT_FALSE(aMenu[2].bEnabled); // End segment: no segment yet
    EXPECT_TRUE(ExecuteGraphCommand(m_view, ID_LIMIT_CANCEL));
    EXPECT_FALSE(m_frame.InLimitLineDrawingMode());
}

} // namespace
