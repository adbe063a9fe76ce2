// The transforms' dialog models driven as a user would: fields typed as
// text and checked against the trace's limits with the library's messages,
// and the transforms-list dialog run through the host's dialog scripts.

#include "support/HostDocFixture.h"

#include "host/app/ScriptedDialogs.h"
#include "host/units/UnitIds.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeInvertDlg.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeListDlg.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/compute/ComputeNormaliseDlg.h"

#include <cfloat>
#include <tuple>

namespace {

class ComputeDialog : public HostDocFixture {
protected:
    CQXTrace* Trace(TraceType eType, int iYUnit, double dValue)
    {
        CQXTrace* pTrace = m_pDoc->CreateTrace(eType, CHANNEL_A, 64, 0, 0, 0, 0, 1, 1, 1);
        pTrace->SetYUnit(iYUnit);
        for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetYDataBuffer(0)[i] = pTrace->GetYDataForValue(dValue, iYUnit, 0);
        return pTrace;
    }
    // The text of the last message box, or "" when none was shown.
    std::string LastBox() const
    {
        return m_host.GetMessageBoxes().empty() ? "" : m_host.GetMessageBoxes().back().sText.ToUtf8();
    }
};

TEST_F(ComputeDialog, TypedValuesAreCheckedWithTheLibrarysMessages)
{
    const std::string sRange = "The value entered is invalid.\n\nPlease enter a number between ";
    constexpr int kValue = CComputeInvertDlg::IDC_VALUE;
    constexpr int kX = CComputeNormaliseDlg::IDC_X;
    struct SRow {
        TraceType eType;
        int iYUnit;
        const wchar_t* szY;     // the invert value, or normalise's Y
        const wchar_t* szX;     // null: the invert dialog
        std::string sMessage;   // "": accepted
        int iControl = 0;       // the field refused
        double dSaved = 0.0;    // the Y value the compute then holds
    } const aRows[] = {
        {TT_FFT, UNIT_DBV, L" -20 ", nullptr, "", 0, -20.0},
        {TT_FFT, UNIT_DBV, L"abc", nullptr, sRange + "-250.00 and 200.00 dBV", kValue},
        {TT_FFT, UNIT_DBV, L"1e6", nullptr, sRange, kValue},
        {TT_FFT, UNIT_DBV, L"-Infinity", nullptr, sRange, kValue}, // minus infinity only on scope-like traces
        {TT_SCOPE, UNIT_DBV, L"-Infinity", nullptr, "", 0, -DBL_MAX},
        {TT_SCOPE, UNIT_V, L"-inf", nullptr, sRange + "-500.00 and 500.00 V", kValue}, // and only in a dB unit
        {TT_FFT, UNIT_DBV, L"0", L"1000", "", 0, 0.0},
        {TT_FFT, UNIT_DBV, L"0", L"", sRange, kX},
        {TT_FFT, UNIT_DBV, L"0", L"30000", sRange + "0.00 and 24000.00 Hz", kX}, // beyond the last bin
        {TT_FFT, UNIT_DBV, L"300", L"30000", sRange + "-250.00 and 200.00 dBV", CComputeNormaliseDlg::IDC_Y},
    };
    for (const SRow& row : aRows) {
        m_host.ClearLog();
        const size_t uBoxes = m_host.GetMessageBoxes().size();
        CQXTrace* pTrace = Trace(row.eType, row.iYUnit, -20.0);
        std::unique_ptr<CCompute> pCompute(CreateComputeObject(row.szX ? COMPUTE_NORMALISE : COMPUTE_INVERT, pTrace));
        std::unique_ptr<CComputeDlg> pDlg;
        if (row.szX) {
            auto* p = new CComputeNormaliseDlg(pCompute.get(), pTrace, nullptr);
            pDlg.reset(p);
            p->SetYText(row.szY);
            p->SetXText(row.szX);
        } else {
            auto* p = new CComputeInvertDlg(pCompute.get(), pTrace, nullptr);
            pDlg.reset(p);
            p->SetAroundCursor(false);
            p->SetValueText(row.szY);
        }
        const std::string sWhat = CString(row.szY).ToUtf8() + (row.szX ? " at " + CString(row.szX).ToUtf8() : "");
        EXPECT_EQ(pDlg->OnOK(), row.sMessage.empty()) << sWhat;
        const std::string sBox = m_host.GetMessageBoxes().size() > uBoxes ? LastBox() : "";
        EXPECT_EQ(sBox.substr(0, row.sMessage.size()), row.sMessage) << sWhat << ": " << sBox;
        EXPECT_EQ(pDlg->GetFailedControl(), row.iControl) << sWhat;
        if (row.sMessage.empty()) {
            EXPECT_EQ(row.szX ? static_cast<CComputeNormalise*>(pCompute.get())->GetYValue()
                              : static_cast<CComputeInvert*>(pCompute.get())->GetInvertValue(), row.dSaved) << sWhat;
        }
        m_pDoc->RemoveTrace(pTrace, 1);
    }
}

// The list dialog through the host: Add opens the invert dialog (the next
// turn), which inverts around 0 dBV; OK writes the list and shows it.
TEST_F(ComputeDialog, ListDialogAddsAnInvertThroughTheHost)
{
    CQXTrace* pTrace = Trace(TT_FFT, UNIT_DBV, -20.0);
    CScriptedDialogs dialogs;
    dialogs.QueueAnswer([](CDialogModel& d) {
        auto& list = static_cast<CComputeListDlg&>(d);
        EXPECT_FALSE(list.CanAdd());
        list.SelectType(1); // normalise, invert
        EXPECT_TRUE(list.Add());
        EXPECT_EQ(list.GetLines(), std::vector<CString>{L"Invert (around Y = 0.00 dBV)"});
        return IDOK;
    });
    dialogs.QueueAnswer([](CDialogModel& d) {
        auto& invert = static_cast<CComputeInvertDlg&>(d);
        invert.SetAroundCursor(false);
        invert.SetValueText(L"0");
        return IDOK;
    });
    EXPECT_EQ(pTrace->ShowComputeListDlg(), IDOK);
    EXPECT_EQ(dialogs.GetDialogsShown(), (std::vector<int>{CComputeListDlg::kTemplateID, CComputeInvertDlg::kTemplateID}));
    ASSERT_TRUE(pTrace->GetShowTransformedYData());
    EXPECT_NEAR(pTrace->GetYValueForData(pTrace->GetYDataBuffer(1)[5], UNIT_DBV, 1, 1), 20.0, 1e-9);
}

// Moving takes the line's check mark along; Remove asks, and keeps the row;
// a Cancel after edits that the user takes back leaves the dialog open for
// OK, which writes the working list into the trace.
TEST_F(ComputeDialog, ListDialogMovesRemovesAndAsksBeforeLosingEdits)
{
    CQXTrace* pTrace = Trace(TT_FFT, UNIT_DBV, -20.0);
    CComputeList start;
    for (ComputeType eType : {COMPUTE_NORMALISE, COMPUTE_INVERT, COMPUTE_INVERT})
        start.AddComputeObject(CreateComputeObject(eType, pTrace));
    pTrace->SetComputeList(&start);
    CScriptedDialogs dialogs;
    dialogs.QueueAnswer([this](CDialogModel& d) {
        auto& list = static_cast<CComputeListDlg&>(d);
        list.SetLineChecked(1, false);
        list.SelectLine(1);
        EXPECT_TRUE(list.MoveUp());
        EXPECT_EQ(list.GetSelectedLine(), 0);
        EXPECT_EQ(std::make_tuple(list.IsLineChecked(0), list.IsLineChecked(1), list.CanMoveUp()),
                  std::make_tuple(false, true, false));
        list.SelectLine(2);
        EXPECT_FALSE(list.CanMoveDown());
        m_host.QueueMessageBoxAnswer(IDYES); // delete it? yes
        EXPECT_TRUE(list.Remove());
        EXPECT_EQ(std::make_pair(list.GetLines().size(), list.GetSelectedLine()), std::make_pair(size_t{2}, -1));
        m_host.QueueMessageBoxAnswer(IDNO); // lose the edits? no
        return IDCANCEL;
    });
    dialogs.QueueAnswer([](CDialogModel&) { return IDOK; });
    EXPECT_EQ(pTrace->ShowComputeListDlg(), IDOK);
    const CComputeList* pList = pTrace->GetComputeList();
    ASSERT_NE(pList, nullptr);
    ASSERT_EQ(pList->GetNumComputeObjects(), 2);
    EXPECT_EQ(std::make_pair(pList->GetComputeObjectAt(0)->GetComputeType(), pList->GetComputeObjectAt(0)->IsEnabled()),
              std::make_pair(COMPUTE_INVERT, false));
    EXPECT_EQ(pList->GetComputeObjectAt(1)->GetComputeType(), COMPUTE_NORMALISE);
}

// A transform that says the list would break asks before it goes; a
// dialog that cannot save into its compute says so; Cancel after edits asks.
struct CRefusingInvert : CComputeInvert {
    bool ValidateWithinList(CQXTrace*, EValidateAction) override { return false; }
    void EnsureListCorrect(int iFrom) override { iCorrectedFrom = iFrom; }
    int iCorrectedFrom = -1;
};

TEST_F(ComputeDialog, RefusalsAskOrSayWhy)
{
    CQXTrace* pTrace = Trace(TT_FFT, UNIT_DBV, -20.0);
    CComputeListDlg list(pTrace);
    auto* pRefusing = new CRefusingInvert();
    list.GetWorkingList().AddComputeObject(pRefusing);
    list.RefillList();
    list.SelectLine(0);
    for (int iAnswer : {IDYES, IDNO}) m_host.QueueMessageBoxAnswer(iAnswer); // delete? yes; break the list? no
    EXPECT_FALSE(list.Remove());
    EXPECT_EQ(LastBox().substr(0, 39), "This action will cause some of the tran");
    EXPECT_EQ(list.GetWorkingList().GetNumComputeObjects(), 1);
    CComputeInvertDlg edit(pRefusing, pTrace, &list);
    m_host.QueueMessageBoxAnswer(IDYES);
    EXPECT_TRUE(edit.OnOK());
    EXPECT_EQ(pRefusing->iCorrectedFrom, 1);

    std::unique_ptr<CCompute> pNormalise(CreateComputeObject(COMPUTE_NORMALISE, pTrace));
    CComputeInvertDlg wrong(pNormalise.get(), pTrace, nullptr);
    wrong.SetAroundCursor(true);
    EXPECT_FALSE(wrong.OnOK());
    EXPECT_EQ(LastBox(), "The system failed to save these details.");

    list.SetLineChecked(0, false);
    m_host.QueueMessageBoxAnswer(IDNO);
    EXPECT_FALSE(list.OnCancel());
    EXPECT_EQ(LastBox().substr(0, 32), "If you cancel, you will lose any");
}

} // namespace
