// The mark commands of the frame, the mark bar, the marks list and the
// mark-label dialog, on a spectrum of known heights: 0 dBFS at bin 10,
// -20 dBFS at bin 20, -40 dBFS everywhere else (512 bins over 0 .. 24000 Hz,
// so bin 10 is 469.67 Hz and bin 20 939.33 Hz).

#include "ViewFixture.h"

#include "host/app/ScriptedDialogs.h"
#include "trace/display/GraphFrame.h"
#include "trace/display/MarkLabelDlg.h"
#include "trace/model/CursorMark.h"

#include <string>

class Marks : public ViewFixture {
protected:
    static constexpr double kSine = SReferences::kFullScaleSineHex; // 0 dBFS

    Marks()
    {
        m_frame.SetView(CHANNEL_A, &m_view);
        m_pTrace = AddLiveTrace();
        m_pTrace->FillYData([](int i) { return i == 10 ? kSine : (i == 20 ? kSine / 10 : kSine / 100); });
        m_pDoc->SetCurrentTrace(m_pTrace, 1);
        m_pTrace->SetCursorYUnit(UNIT_DBFS, 0);
    }
    std::vector<int> Positions() const
    {
        std::vector<int> a;
        for (int i = 0; i <= m_pTrace->GetLastMark(); ++i) a.push_back(m_pTrace->GetMarkPosition(i, 1));
        return a;
    }
    // One letter per mark command in menu order, '-' for a greyed one.
    std::string States()
    {
        std::string s;
        for (UINT uId = ID_MARK_ADD; uId <= ID_MARK_HARMONICS; ++uId)
            s += m_frame.GetCommandStatus(uId).bEnabled ? "ARXNPLSH"[uId - ID_MARK_ADD] : '-';
        return s;
    }
    std::vector<std::string> Row(int i)
    {
        const auto& row = m_frame.GetMarksDlg().GetRows().at(static_cast<size_t>(i));
        return {row[0].ToUtf8(), row[1].ToUtf8(), row[2].ToUtf8()};
    }
    std::string Sum() { return m_frame.GetMarksDlg().GetSumText().ToUtf8(); }
    std::string LastMessage() const { return m_host.GetMessageBoxes().back().sText.ToUtf8(); }

    CGraphFrame m_frame;
    CTestTrace* m_pTrace = nullptr;
};

TEST_F(Marks, CommandStatesFollowTheTraceAndItsMarks)
{
    const struct {
        const char* pszStep;
        std::function<void(CTestTrace&)> fnStep;
        const char* pszStates;
    } aSteps[] = {
        {"not in use", [](CTestTrace& t) { t.SetInUse(0); }, "--------"},
        {"no mark", [](CTestTrace& t) { t.SetInUse(1); }, "A-----S-"},
        {"a spectrum", [](CTestTrace& t) { t.SetFFTKind(true); }, "A-----SH"},
        {"a hidden mark", [](CTestTrace& t) { t.AddMark(10, 0); }, "A-X--LSH"},
        {"marks shown", [](CTestTrace& t) { t.MarksOn(); }, "ARX--LSH"},
        {"two marks", [](CTestTrace& t) { t.AddMark(20, 0); }, "ARXNPLSH"},
    };
    for (const auto& step : aSteps) {
        step.fnStep(*m_pTrace);
        EXPECT_EQ(States(), step.pszStates) << step.pszStep;
    }
    // The Marks menu shows the same, with the keys beside the commands.
    const CMenuItems aMenu = m_frame.GetMarksMenu();
    EXPECT_EQ(std::make_pair(aMenu[0].uCommand, aMenu[0].bChecked), std::make_pair(UINT(ID_TRACE_MARKS), true));
    EXPECT_TRUE(m_frame.OnAcceleratorKey(L"Ctrl+M"));
    EXPECT_EQ(m_pTrace->GetLastMark(), 2);
}

TEST_F(Marks, AddedAtTheCursorOrMidWindowAndTheTwentyFirstIsRefused)
{
    EXPECT_TRUE(m_frame.Execute(ID_MARK_ADD)); // cursor off: the middle of bins 0 .. 511
    m_pTrace->CursorOn();
    m_pTrace->SetCursorPosition(10);
    EXPECT_TRUE(m_frame.Execute(ID_MARK_ADD));
    EXPECT_EQ(Positions(), (std::vector<int>{255, 10}));
    EXPECT_TRUE(m_pTrace->GetShowMarksOnScreen());
    while (m_pTrace->GetLastMark() < MAX_MARKS - 1) ASSERT_TRUE(m_frame.Execute(ID_MARK_ADD));
    const std::vector<int> aBefore = Positions();
    EXPECT_FALSE(m_frame.Execute(ID_MARK_ADD));
    EXPECT_EQ(LastMessage(), "There are already 20 marks on the current Trace, which is the maximum number of marks.");
    EXPECT_EQ(Positions(), aBefore);
}

TEST_F(Marks, NextAndPreviousWrapRoundAndTheBarShowsTheCurrentMark)
{
    int iChanges = 0;
    m_frame.GetMarkBar().SetChangeListener([&] { ++iChanges; });
    for (int iPos : {10, 20, 30}) m_pTrace->AddMark(iPos, 1);
    m_pTrace->MarksOn();
    CString sLabel(L"Tone");
    m_pTrace->SetMarkLabel(0, sLabel, true);
    EXPECT_GT(iChanges, 0);
    const struct {
        UINT uCommand;
        const char* pszNumber;
        const char* pszLabel;
        std::vector<int> aPositions;
    } aSteps[] = {
        {ID_MARK_NEXT, "Mark 1", "Tone", {10, 20, 30}}, // from the last to the first
        {ID_MARK_PREVIOUS, "Mark 3", "", {10, 20, 30}},
        {ID_MARK_PREVIOUS, "Mark 2", "", {10, 20, 30}},
        {ID_MARK_REMOVE, "Mark 2", "", {10, 30}}, // the next one takes its place
        {ID_MARK_REMOVE, "Mark 1", "Tone", {10}},
        {ID_MARK_REMOVEALL, "", "", {}},
    };
    for (const auto& step : aSteps) {
        EXPECT_TRUE(m_frame.Execute(step.uCommand)) << step.pszNumber;
        const CMarkBar& bar = m_frame.GetMarkBar();
        EXPECT_EQ(std::make_tuple(bar.GetMarkNumberText().ToUtf8(), bar.GetMarkLabel().ToUtf8(), Positions()),
                  std::make_tuple(std::string(step.pszNumber), std::string(step.pszLabel), step.aPositions));
    }
    // A label typed in the bar is cut to 32 characters, in the bar too.
    EXPECT_FALSE(m_frame.GetMarkBar().SetMarkLabel(L"no mark"));
    m_pTrace->AddMark(20, 1);
    EXPECT_TRUE(m_frame.GetMarkBar().SetMarkLabel(L"0123456789012345678901234567890123456789"));
    EXPECT_EQ(m_frame.GetMarkBar().GetMarkLabel(), L"01234567890123456789012345678901");
    EXPECT_EQ(m_pTrace->GetMarkLabel(0, 0), L"01234567890123456789012345678901");
}

TEST_F(Marks, TheListReadsEachMarkAndSumsThemLive)
{
    m_pTrace->AddMark(10, 0);
    m_pTrace->AddMark(20, 0);
    EXPECT_TRUE(m_frame.Execute(ID_MARK_LISTALL));
    CMarksDlg& list = m_frame.GetMarksDlg();
    ASSERT_TRUE(list.IsOpen());
    EXPECT_EQ(list.GetHeadings()[1] + L", " + list.GetHeadings()[2], L"Frequency (Hz), Level (dBFS)");
    // Cursor off: each mark reads its own point.
    EXPECT_EQ(Row(1), (std::vector<std::string>{"2 : ", "939.33", "-20.00"}));
    // RMS sum of 1.0 and 0.1: sqrt(1.01) is +0.04 dB; without the first, -20 dB.
    EXPECT_EQ(std::make_pair(list.GetSumCaption().ToUtf8(), Sum()), std::make_pair(std::string("Sum of marks"), std::string("0.04 dBFS")));
    list.SetExcludeFirst(true);
    EXPECT_EQ(std::make_pair(list.GetSumCaption().ToUtf8(), Sum()), std::make_pair(std::string("Sum of marks"), std::string("-20.00 dBFS")));
    m_pTrace->SetFFTKind(true);
    list.SetExcludeFirst(true);
    EXPECT_EQ(list.GetSumCaption(), L"Sum of harmonics");

    // Relative to the relative cursor at bin 20: readings and the sum less -20 dB.
    m_pTrace->CursorOn();
    m_pTrace->SetCursorPosition(20);
    EXPECT_TRUE(m_frame.Execute(ID_CURSOR_RELATIVE));
    EXPECT_EQ(Row(0), (std::vector<std::string>{"1 : ", "-469.67 (r)", "20.00 (r)"}));
    EXPECT_EQ(Sum(), "0.00 dBFS");
    list.SetExcludeFirst(false);
    EXPECT_EQ(Sum(), "20.04 dBFS");

    // New data and new labels reach the open list; a closed one is left alone.
    m_pTrace->FillYData([](int i) { return i == 10 ? kSine / 100 : kSine / 10; });
    m_pDoc->UpdateAllViews(UPDATE_GRAPH_TRACES, nullptr);
    CString sLabel(L"Tone");
    m_pTrace->SetMarkLabel(0, sLabel, true);
    EXPECT_EQ(Row(0), (std::vector<std::string>{"1 : Tone", "-469.67 (r)", "-20.00 (r)"}));
    list.Close();
    m_pTrace->RemoveAllMarks(1);
    EXPECT_TRUE(list.GetRows().empty());
    EXPECT_TRUE(m_frame.Execute(ID_MARK_LISTALL));
    EXPECT_EQ(std::make_pair(list.GetRows().size(), Sum()), std::make_pair(size_t(0), std::string()));
}

TEST_F(Marks, TheLabelDialogRefusesLongLabelsAndMarksThatHaveGone)
{
    m_pTrace->AddMark(10, 0);
    m_pTrace->AddMark(20, 0);
    CScriptedDialogs dialogs;
    const auto label = [](const wchar_t* pszLabel) {
        return [pszLabel](CDialogModel& model) {
            static_cast<CMarkLabelDlg&>(model).SetLabel(pszLabel);
            return IDOK;
        };
    };
    dialogs.QueueAnswer(label(L"0123456789012345678901234567890123"));
    dialogs.QueueAnswer(label(L"Second harmonic"));
    EXPECT_TRUE(m_frame.Execute(ID_MARK_LABEL));
    EXPECT_EQ(LastMessage(), "A mark label has at most 32 characters; this one has 34.");
    EXPECT_EQ(m_pTrace->GetMarkLabel(1, 1), L"2 : Second harmonic");

    CMarkLabelDlg dialog(*m_pTrace);
    EXPECT_EQ(std::make_pair(dialog.GetPrompt(), dialog.GetLabel()), std::make_pair(CString(L"Label of mark 2:"), CString(L"Second harmonic")));
    m_pTrace->RemoveMark(1, 1);
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(dialog.GetFailedControl(), CMarkLabelDlg::IDC_LABEL);
    EXPECT_EQ(LastMessage(), "Mark 2 is no longer on the Trace: it was removed while its label was edited.");
}
