// The trace values table: its text layout against files written by hand,
// the copy rules, the cancelled export and the update hints it follows.

#include "host/units/References.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "support/Bytes.h"
#include "support/HostDocFixture.h"
#include "trace/output/TraceValuesFrame.h"

#include <cfloat>
#include <filesystem>

namespace {

// Samples of a full-scale sine (0 dBFS), one tenth (-20 dBFS), one hundredth (-40 dBFS).
constexpr double k0dB = SReferences::kFullScaleSineHex;
constexpr double kMinus20dB = k0dB / 10;
constexpr double kMinus40dB = k0dB / 100;

class TraceValues : public HostDocFixture {
protected:
    TraceValues()
    {
        // Five FFT bins at 48 kHz: 6 kHz apart, 0 to 24 kHz.
        m_pTrace = AddShownTrace(TT_FFT, CHANNEL_A, 5);
        m_pTrace->FillYData({k0dB, kMinus20dB, DBL_MAX, kMinus40dB, k0dB});
    }
    // Cursor on bin 1, marks on bins 1 ("peak") and 3.
    void PlaceCursorAndMarks()
    {
        m_pTrace->CursorOn();
        m_pTrace->SetCursorPosition(1);
        m_pTrace->AddMark(1, 0);
        m_pTrace->AddMark(3, 0);
        CString sLabel(L"peak");
        m_pTrace->SetMarkLabel(0, sLabel, false);
        m_pTrace->MarksOn();
    }
    // Transformed data: 0 dBFS, -40 dBFS, none, zero (read as -200 dB), -20 dBFS.
    void Transform()
    {
        ASSERT_TRUE(m_pTrace->AllocateTransformedYDataBuffer(1));
        double* p = m_pTrace->GetYDataBuffer(1);
        const double a[] = {k0dB, kMinus40dB, DBL_MAX, 0.0, kMinus20dB};
        std::copy(std::begin(a), std::end(a), p);
    }
    // The file holds exactly this text as UTF-16LE.
    void ExpectFile(const char* szName, const std::wstring& sText) const
    {
        const Bytes aFile = ReadBytes(Path(szName));
        EXPECT_TRUE(aFile == Utf16LE(sText)) << szName << " holds:\n" << Utf16LEText(aFile);
    }
    std::string Path(const char* szName) const { return (m_folder / szName).string(); }

    CTestTrace* m_pTrace = nullptr;
    std::filesystem::path m_folder = std::filesystem::path(m_host.GetRoot().str());
};

} // namespace

TEST_F(TraceValues, ExportedFilesMatchTheLayoutByteForByte)
{
    PlaceCursorAndMarks();
    Transform();
    CTraceValuesFrame frame(m_pTrace);
    ASSERT_EQ(frame.SaveAs(CString(Path("v.txt")), kTabSeparator), ETraceValuesExport::written);
    ASSERT_EQ(frame.SaveAs(CString(Path("v.csv")), kCommaSeparator), ETraceValuesExport::written);

    ExpectFile("v.txt",
              (L"Bin\tX (Hz)\tY (dBFS)\tY - transformed (dBFS)\tComment\r\n"
                      L"0\t0.00\t0.00\t0.00000000000000\t\r\n"
                      L"1\t6000.00\t-20.00\t-40.00000000000000\tCursor here; Mark 1 (peak)\r\n"
                      L"2\t12000.00\t\t\t\r\n"
                      L"3\t18000.00\t-40.00\t-200.00000000000000\tMark 2\r\n"
                      L"4\t24000.00\t0.00\t-20.00000000000000\t\r\n"));
    ExpectFile("v.csv",
              (L"Bin,X (Hz),Y (dBFS),Y - transformed (dBFS),Comment\r\n"
                      L"0,0.00,0.00,0.00000000000000,\r\n"
                      L"1,6000.00,-20.00,-40.00000000000000,Cursor here; Mark 1 (peak)\r\n"
                      L"2,12000.00,,,\r\n"
                      L"3,18000.00,-40.00,-200.00000000000000,Mark 2\r\n"
                      L"4,24000.00,0.00,-20.00000000000000,\r\n"));
}

TEST_F(TraceValues, WithoutTransformedDataAFileHasFourFieldsTheCommentAfterASpace)
{
    m_pTrace->CursorOn();
    m_pTrace->SetCursorPosition(0);
    m_pTrace->RelativeCursorOn();
    m_pTrace->SetRelativeCursorPosition(4);
    CTraceValuesFrame frame(m_pTrace);
    EXPECT_EQ(frame.GetView().GetColumn(CTraceValuesView::COLUMN_Y_TRANSFORMED).iWidth, 0);
    ASSERT_EQ(frame.SaveAs(CString(Path("v.csv")), kCommaSeparator), ETraceValuesExport::written);
    ExpectFile("v.csv", (L"Bin,X (Hz),Y (dBFS),Comment\r\n"
                                                L"0,0.00,0.00, Cursor here\r\n"
                                                L"1,6000.00,-20.00, \r\n"
                                                L"2,12000.00,, \r\n"
                                                L"3,18000.00,-40.00, \r\n"
                                                L"4,24000.00,0.00, Relative cursor here\r\n"));
}

TEST_F(TraceValues, CellsFollowTheColumns)
{
    PlaceCursorAndMarks();
    Transform();
    CTraceValuesView view(m_pTrace);
    const struct { int iRow, iColumn; const wchar_t* szText; } aCases[] = {
        {1, 0, L"1"},      {1, 1, L"6000.00"},   {1, 2, L"-20.00"}, {1, 3, L"-40.00"},
        {2, 2, L""},       {3, 3, L"-200.00"},      {1, 4, L"Cursor here; Mark 1 (peak)"},
        {5, 1, L""},       {-1, 0, L""},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(view.GetCellText(c.iRow, c.iColumn), c.szText) << c.iRow << "," << c.iColumn;
}

TEST_F(TraceValues, ACancelledExportKeepsTheHeaderAndTheFirstBlock)
{
    CTestTrace* pLong = AddShownTrace(TT_FFT, CHANNEL_A, 100);
    pLong->FillYData([](int) { return k0dB; });
    CTraceValuesFrame frame(pLong);
    // Three updates set the window up; the first block's step is the fourth.
    m_host.SetProgressCancelAfter(4);
    ASSERT_EQ(frame.SaveAs(CString(Path("cut.txt")), kTabSeparator), ETraceValuesExport::cancelled);

    const CString sExpected = frame.GetView().GetHeaderText('\t') + frame.GetView().GetTraceValuesText(0, 31, '\t');
    ExpectFile("cut.txt", sExpected.str());
    ASSERT_FALSE(m_host.GetProgressStates().empty());
    const SProgressState& state = m_host.GetProgressStates().back();
    EXPECT_EQ(state.sCaption, LoadResString(IDS_TRACE_VALUES_EXPORT_CAPTION));
    EXPECT_EQ(state.iUpper, 100 / 32);
    EXPECT_EQ(state.iPos, 1);
}

TEST_F(TraceValues, AFileThatCannotBeOpenedIsReportedAndNotWritten)
{
    CTraceValuesFrame frame(m_pTrace);
    const std::string sPath = Path("no-such-folder/v.txt");
    EXPECT_EQ(frame.SaveAs(CString(sPath), kTabSeparator), ETraceValuesExport::cannotOpen);
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_NE(m_host.GetMessageBoxes()[0].sText.Find(CString(sPath)), -1);
    EXPECT_FALSE(std::filesystem::exists(sPath));
}

TEST_F(TraceValues, SaveAsFileAsksForTheFileOfTheCommandsKind)
{
    CTraceValuesFrame frame(m_pTrace);
    m_host.QueueFileDialogAnswer(CString(Path("chosen")));
    EXPECT_TRUE(frame.OnSaveAsFile(CTraceValuesFrame::ID_VALUES_SAVE_COMMA));
    EXPECT_TRUE(std::filesystem::exists(Path("chosen.csv")));
    EXPECT_FALSE(frame.OnSaveAsFile(CTraceValuesFrame::ID_VALUES_SAVE_TAB)); // cancelled
    EXPECT_EQ(CTraceValuesFrame::SeparatorForCommand(1), ' ');
}

TEST_F(TraceValues, CopyRules)
{
    CTraceValuesView view(m_pTrace);
    const CString sRows123 = view.GetTraceValuesText(1, 4, '\t');

    view.SelectRows(1, 1);
    ASSERT_TRUE(view.OnEditCopy());
    EXPECT_EQ(m_host.GetClipboardText(), view.GetHeaderText('\t') + sRows123); // one row: header, rows to the end

    view.SelectRows(3, 2);
    ASSERT_TRUE(view.OnEditCopy());
    EXPECT_EQ(m_host.GetClipboardText(), sRows123); // several rows: no header

    m_host.SetClipboardAvailable(false);
    EXPECT_FALSE(view.OnEditCopy());
    m_host.SetClipboardAvailable(true);
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.GetMessageBoxes()[0].sText, LoadResString(IDS_CLIPBOARD_IN_USE));
}

TEST_F(TraceValues, MoreRowsThanTheClipboardTakesAreRefused)
{
    CTestTrace* pLong = AddShownTrace(TT_FFT, CHANNEL_A, CTraceValuesView::kMaxCopyRows + 1);
    CTraceValuesView view(pLong);
    view.SelectRows(1, CTraceValuesView::kMaxCopyRows); // exactly the limit: copied
    EXPECT_TRUE(view.OnEditCopy());
    view.OnEditSelectAll();
    EXPECT_EQ(view.GetSelectedCount(), CTraceValuesView::kMaxCopyRows + 1);
    const CString sBefore = m_host.GetClipboardText();
    EXPECT_FALSE(view.OnEditCopy());
    EXPECT_EQ(m_host.GetClipboardText(), sBefore);
    ASSERT_EQ(m_host.GetMessageBoxes().size(), 1u);
    EXPECT_EQ(m_host.GetMessageBoxes()[0].sText, LoadResString(IDS_CLIPBOARD_TOO_MUCH_DATA));
}

TEST_F(TraceValues, TheTableFollowsItsTracesHints)
{
    CTestTrace* pOther = AddShownTrace(TT_FFT, CHANNEL_A, 5);
    CTraceValuesView view(m_pTrace);
    std::vector<CTraceValuesView::EChange> aChanges;
    view.SetChangeListener([&](CTraceValuesView::EChange e) { aChanges.push_back(e); });

    m_pTrace->CursorOn();
    m_pTrace->SetCursorPosition(2);
    EXPECT_EQ(view.GetComment(2), LoadResString(IDS_VALUES_CURSOR_HERE));
    EXPECT_EQ(aChanges.back(), CTraceValuesView::CHANGE_COMMENTS);
    aChanges.clear();
    UpdateViews(nullptr, UPDATE_TRACE_CURSOR, pOther); // another trace's: ignored

    view.SelectRows(0, 4);
    m_pTrace->SetBuffer(3);
    UpdateViews(nullptr, UPDATE_TRACE_NUMPOINTS, m_pTrace);
    EXPECT_EQ(view.GetRowCount(), 3);
    EXPECT_EQ(view.GetSelectedCount(), 3);

    UpdateViews(nullptr, UPDATE_TRACE_REMOVE, m_pTrace);
    EXPECT_EQ(view.GetTrace(), nullptr);
    EXPECT_EQ(view.GetRowCount(), 0);
    EXPECT_EQ(aChanges, (std::vector<CTraceValuesView::EChange>{CTraceValuesView::CHANGE_ALL,
                                                                 CTraceValuesView::CHANGE_DETACHED}));
}
