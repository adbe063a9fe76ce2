// "Create Weighting filter": its checks with the library's messages, and a
// run through the headless host that writes a filter file and reads it back.

#include "support/HostDocFixture.h"
#include "host/app/ScriptedDialogs.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/FilterResponse.h"
#include "host/settings/UserTableSettings.h"
#include "resources/StringTable.h"
#include "trace/file/CreateFilterDlg.h"
#include "trace/types/FilterTrace.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

std::wstring Text(int iId) { return LoadResString(iId).GetString(); }

} // namespace

class CreateFilterDialog : public HostDocFixture {
protected:
    CreateFilterDialog()
    {
        Settings()->GetFFTParametersSettings()->SetWeightingFilter(WEIGHTING_A);
        m_pTrace = m_pDoc->CreateFilterTrace(CHANNEL_A, CFilterTrace::kSourceFFTParameters, 1);
    }
    CQXTrace* m_pTrace = nullptr;
};

TEST_F(CreateFilterDialog, ChecksTheValueThenTheFileName)
{
    ASSERT_NE(m_pTrace, nullptr);
    const std::wstring sBadValue = L"The value entered is invalid.\n\nPlease enter a number between ";
    const struct {
        const wchar_t* szValue;
        const wchar_t* szFile;
        int iControl;
        std::wstring sMessage; // the start of it
    } kRows[] = {
        {L"0", L"a.flt", 0, L""},
        {L" -3.5 ", L"a.flt", 0, L""},
        {L"", L"a.flt", CCreateFilterDlg::IDC_VALUE, sBadValue},
        {L"zero", L"a.flt", CCreateFilterDlg::IDC_VALUE, sBadValue},
        {L"3 dB", L"a.flt", CCreateFilterDlg::IDC_VALUE, sBadValue},
        {L"1e300", L"a.flt", CCreateFilterDlg::IDC_VALUE, sBadValue},
        {L"nan", L"a.flt", CCreateFilterDlg::IDC_VALUE, sBadValue},
        {L"zero", L"", CCreateFilterDlg::IDC_VALUE, sBadValue},
        {L"0", L"", CCreateFilterDlg::IDC_FILE, Text(IDS_FILTER_FILE_NAME_MISSING)},
    };
    CCreateFilterDlg dialog(m_pTrace);
    EXPECT_EQ(dialog.GetCaption(), CString(L"Create Weighting filter"));
    EXPECT_EQ(dialog.GetUnit(), UNIT_RELATIVE_DB);
    EXPECT_NEAR(std::wcstod(dialog.GetValueText().GetString(), nullptr), 1.27, 0.01); // A weighting peaks near 2.5 kHz
    for (const auto& row : kRows) {
        dialog.SetValueText(row.szValue);
        dialog.SetFileName(row.szFile);
        int iControl = -1;
        const std::wstring sMessage = dialog.Validate(&iControl).GetString();
        EXPECT_EQ(iControl, row.iControl) << row.szValue;
        EXPECT_EQ(sMessage.substr(0, row.sMessage.size()), row.sMessage) << row.szValue;
        EXPECT_EQ(sMessage.empty(), row.sMessage.empty()) << row.szValue;
    }
    EXPECT_FALSE(dialog.SetUnitIndex(static_cast<int>(dialog.GetUnits().size())));
    CCreateFilterDlg none(nullptr);
    int iControl = 0;
    EXPECT_EQ(std::wstring(none.Validate(&iControl).GetString()), Text(IDS_FILTER_NO_TRACE_DATA));
}

TEST_F(CreateFilterDialog, HeadlessHostRunsItIntoAFilterFile)
{
    ASSERT_NE(m_pTrace, nullptr);
    // A refused OK shows its message and waits for the next answer; then 0 dB, inverted.
    CScriptedDialogs dialogs;
    dialogs.QueueAnswer([](CDialogModel& model) {
        static_cast<CCreateFilterDlg&>(model).SetValueText(L"loud");
        return IDOK;
    });
    dialogs.QueueAnswer([](CDialogModel& model) {
        auto& dialog = static_cast<CCreateFilterDlg&>(model);
        dialog.SetValueText(L"0");
        dialog.SetInvert(true);
        dialog.SetFileName(L"inverse-a.flt");
        return IDOK;
    });
    CCreateFilterDlg dialog(m_pTrace);
    EXPECT_EQ(DoModalDialog(dialog), IDOK);
    EXPECT_EQ(dialogs.GetDialogsShown(), std::vector<int>{CCreateFilterDlg::kTemplateID});
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(dialog.GetFailedControl(), 0);

    // Read back over 480 bins of 50 Hz: A weighting inverted, 1 at 1 kHz.
    std::vector<double> aGains;
    ASSERT_EQ(GetUserTableSettings()->ReadWeightingFilterFromFile(L"inverse-a.flt", 480, 24000.0, aGains), 480);
    EXPECT_NEAR(aGains[20], 1.0, 1e-3);
    EXPECT_NEAR(aGains[2], 9.06, 0.01);  // +19.14 dB at 100 Hz
    EXPECT_NEAR(aGains[200], 1.33, 0.01); // +2.5 dB at 10 kHz
    EXPECT_EQ(GetUserTableSettings()->GetRecordedCalls().front().iCount, m_pTrace->GetDataSize());

    // Cancel leaves no file behind; with no answers the dialog cancels too.
    dialogs.QueueAnswer([](CDialogModel&) { return IDCANCEL; });
    CCreateFilterDlg other(m_pTrace);
    other.SetFileName(L"never.flt");
    EXPECT_EQ(DoModalDialog(other), IDCANCEL);
    EXPECT_EQ(DoModalDialog(other), IDCANCEL);
    EXPECT_EQ(GetUserTableSettings()->ReadWeightingFilterFromFile(L"never.flt", 4, 24000.0, aGains),
              CUserTableSettings::kReadFailed);
}
