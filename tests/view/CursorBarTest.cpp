// The cursor bar and the cursor commands of the frame: read-outs in the
// units chosen in the bar, relative readings, texts for units the trace
// lacks, and which cursor commands run when.

#include "ViewFixture.h"

#include "trace/display/GraphFrame.h"
#include "trace/model/CursorMark.h"

#include <algorithm>

class CursorBar : public ViewFixture {
protected:
    static constexpr double kFull = CTestTrace::kFullScaleHex;

    CursorBar()
    {
        m_frame.SetView(CHANNEL_A, &m_view);
        m_pTrace = AddLiveTrace();
        // A quarter of full scale at bin 4, half everywhere else.
        m_pTrace->FillYData([](int i) { return i == 4 ? kFull / 4 : kFull / 2; });
        m_pDoc->SetCurrentTrace(m_pTrace, 1);
    }
    CCursorBar& Bar() { return m_frame.GetCursorBar(); }
    // Chooses the units by their place in the bar's boxes.
    void ChooseUnits(EUnit eX, EUnit eY)
    {
        const auto index = [](const std::vector<EUnit>& ae, EUnit e) {
            return static_cast<int>(std::find(ae.begin(), ae.end(), e) - ae.begin());
        };
        ASSERT_TRUE(Bar().SetXUnitIndex(index(Bar().GetXUnits(), eX)));
        ASSERT_TRUE(Bar().SetYUnitIndex(index(Bar().GetYUnits(), eY)));
    }
    std::pair<std::string, std::string> Texts()
    {
        return {Bar().GetXCursorText(m_pTrace).ToUtf8(), Bar().GetYCursorText(m_pTrace).ToUtf8()};
    }

    CGraphFrame m_frame;
    CTestTrace* m_pTrace = nullptr;
};

TEST_F(CursorBar, ReadsTheCursorInTheChosenUnitsAndMarksRelativeReadings)
{
    int iChanges = 0;
    Bar().SetChangeListener([&] { ++iChanges; });
    EXPECT_EQ(Texts(), std::make_pair(std::string(), std::string())); // cursor off
    m_pTrace->CursorOn();
    EXPECT_GT(iChanges, 0); // the cursor hint reached the bar through the view
    m_pTrace->SetCursorPosition(10);

    // 512 bins over 0 .. 24000 Hz: bin 10 is 10 x 24000 / 511 = 469.667 Hz.
    // Half the digital peak against the full-scale sine's RMS is 70.711 %FS
    // (-3.01 dBFS), a quarter 35.355 % (-9.03 dBFS): relative to the
    // relative cursor at bin 4 the reading is 6 bins (281.800 Hz), +6.02 dB
    // and 35.355 %.
    const struct {
        EUnit eX, eY;
        bool bRelative;
        const char* pszX;
        const char* pszY;
    } aCases[] = {
        {UNIT_FREQ_HZ, UNIT_DBFS, false, "469.67", "-3.01"},
        {UNIT_BINS, UNIT_FS, false, "10", "70.71069"},
        {UNIT_FREQ_HZ, UNIT_DBFS, true, "281.80 (r)", "6.02 (r)"},
        {UNIT_BINS, UNIT_FS, true, "6 (r)", "35.35534 (r)"},
    };
    for (const auto& c : aCases) {
        ChooseUnits(c.eX, c.eY);
        if (c.bRelative && !m_pTrace->IsRelativeCursorOn()) {
            m_pTrace->SetCursorPosition(4);
            EXPECT_TRUE(m_frame.Execute(ID_CURSOR_RELATIVE));
            m_pTrace->SetCursorPosition(10);
        }
        EXPECT_EQ(std::make_pair(Bar().GetXUnit(), Bar().GetYUnit()), std::make_pair(c.eX, c.eY));
        EXPECT_EQ(std::make_pair(m_pTrace->GetCursorXUnit(), m_pTrace->GetCursorYUnit()), std::make_pair(int(c.eX), int(c.eY)));
        EXPECT_EQ(Texts(), std::make_pair(std::string(c.pszX), std::string(c.pszY))) << c.pszX;
    }
    // A trace over time has no frequency unit: its text in Hz is empty.
    ChooseUnits(UNIT_FREQ_HZ, UNIT_DBFS);
    CTestTrace scope(TT_SCOPE, CHANNEL_A, 64, CTestTrace::XAXIS_TIME);
    scope.SetInUse(1);
    scope.CursorOn();
    EXPECT_TRUE(Bar().GetXCursorText(&scope).IsEmpty());
    EXPECT_FALSE(Bar().GetYCursorText(&scope).IsEmpty());
    EXPECT_FALSE(Bar().SetXUnitIndex(99));
}

TEST_F(CursorBar, CursorCommandsNeedACursorAndStayOnValuedPoints)
{
    const UINT auIds[] = {ID_CURSOR_LEFT, ID_CURSOR_RIGHT, ID_CURSOR_RELATIVE, ID_CURSOR_RESET};
    for (UINT uId : auIds) {
        EXPECT_FALSE(m_frame.GetCommandStatus(uId).bEnabled) << uId;
        EXPECT_FALSE(m_frame.Execute(uId)) << uId;
    }
    m_pTrace->FillYData([](int i) { return i > 500 ? TRACE_NULL_VALUE : kFull / 2; });
    m_frame.Execute(ID_TRACE_CURSOR);
    for (UINT uId : auIds) EXPECT_TRUE(m_frame.GetCommandStatus(uId).bEnabled) << uId;
    CCursorMark* pCursor = m_pTrace->GetCursor();
    // command, start, result, end
    const struct {
        UINT uId;
        int iStart;
        bool bRan;
        int iEnd;
    } aMoves[] = {{ID_CURSOR_RIGHT, 499, true, 500}, {ID_CURSOR_RIGHT, 500, false, 500},
                  {ID_CURSOR_LEFT, 1, true, 0},       {ID_CURSOR_LEFT, 0, false, 0},
                  {ID_CURSOR_RESET, 250, true, 0}};
    for (const auto& m : aMoves) {
        pCursor->SetPosition(m.iStart);
        EXPECT_EQ(m_frame.Execute(m.uId), m.bRan) << m.iStart;
        EXPECT_EQ(pCursor->GetPosition(1), m.iEnd) << m.iStart;
    }
    // Relative is ticked while on; reset switches it off.
    m_frame.Execute(ID_CURSOR_RELATIVE);
    EXPECT_EQ(m_frame.GetCommandStatus(ID_CURSOR_RELATIVE), (SCommandStatus{true, true}));
    EXPECT_EQ(m_frame.GetCursorMenu()[2].bChecked, true);
    m_frame.Execute(ID_CURSOR_RESET);
    EXPECT_EQ(m_pTrace->IsRelativeCursorOn(), 0);
    m_frame.Execute(ID_TRACE_CURSOR);
    EXPECT_FALSE(m_frame.GetCommandStatus(ID_CURSOR_LEFT).bEnabled);
}

TEST_F(CursorBar, KeysRunTheirCommandsWhileTheyMayRun)
{
    EXPECT_FALSE(m_frame.OnAcceleratorKey(L"Alt+Right")); // no cursor yet
    EXPECT_TRUE(m_frame.OnAcceleratorKey(L"C"));
    m_pTrace->SetCursorPosition(10);
    EXPECT_TRUE(m_frame.OnAcceleratorKey(L"Alt+Right"));
    EXPECT_TRUE(m_frame.OnAcceleratorKey(L"R"));
    EXPECT_EQ(std::make_pair(m_pTrace->GetCursor()->GetPosition(1), m_pTrace->IsRelativeCursorOn()), std::make_pair(11, 1));
    const int iWidth = m_pTrace->GetCurrentMaxXPos() - m_pTrace->GetCurrentMinXPos();
    EXPECT_TRUE(m_frame.OnAcceleratorKey(L"Ctrl+Right"));
    EXPECT_LT(m_pTrace->GetCurrentMaxXPos() - m_pTrace->GetCurrentMinXPos(), iWidth);
    EXPECT_FALSE(m_frame.OnAcceleratorKey(L"Q"));
}
