// The window's file commands run through the frame as its menu runs them:
// trace and document files saved and opened again, bad files refused with
// the document as it was, and the recent files in the registry.

#include "support/Bytes.h"
#include "support/HostDocFixture.h"

#include "resources/StringTable.h"
#include "trace/display/GraphFrame.h"
#include "trace/file/FileCommands.h"
#include "trace/output/TraceValuesView.h"

#include <algorithm>

namespace {

std::vector<double> YData(CQXTrace* pTrace)
{
    const double* pd = pTrace->GetYDataBuffer(0);
    return std::vector<double>(pd, pd + pTrace->GetDataSize());
}

} // namespace

class FileCommandsTest : public HostDocFixture {
protected:
    FileCommandsTest()
    {
        m_pDoc->Initialise();
        InstallFileCommands(m_frame);
    }
    CString Path(const char* szName) const { return m_host.GetRoot() + L"/" + CString(szName); }
    // Runs a command whose file dialog answers sAnswer.
    bool Run(UINT uId, std::optional<CString> sAnswer)
    {
        m_host.QueueFileDialogAnswer(std::move(sAnswer));
        return m_frame.Execute(uId);
    }
    std::string LastBox() const
    {
        return m_host.GetMessageBoxes().empty() ? std::string() : m_host.GetMessageBoxes().back().sText.ToUtf8();
    }
    size_t TraceCount() const { return m_pDoc->GetTraceArray(CHANNEL_A).size(); }
    static std::vector<std::string> Recent()
    {
        std::vector<std::string> as;
        for (const CString& s : CRecentFiles::Load()) as.push_back(s.ToUtf8());
        return as;
    }

    CGraphFrame m_frame;
};

TEST_F(FileCommandsTest, TraceAndDocumentComeBackThroughTheCommandsAndBadFilesChangeNothing)
{
    CQXTrace* pFft = m_pDoc->GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1);
    ASSERT_NE(pFft, nullptr);
    pFft->SetYUnit(UNIT_DBV);
    for (int i = 0; i < pFft->GetDataSize(); ++i)
        pFft->GetYDataBuffer(0)[i] = pFft->GetYDataForValue(-30.0 - 0.01 * i, UNIT_DBV, 0);
    m_pDoc->SetCurrentTrace(pFft, 0);
    const size_t iTraces = TraceCount();

    // Cancelled choosers do nothing.
    for (UINT uId : {UINT(ID_TRACE_SAVE), UINT(ID_FILE_OPEN_TRACE), UINT(ID_FILE_SAVE_DOCUMENT), UINT(ID_FILE_OPEN_DOCUMENT)})
        EXPECT_FALSE(Run(uId, std::nullopt)) << uId;
    EXPECT_TRUE(Recent().empty());

    // A relative name goes to the traces folder with the extension added.
    ASSERT_TRUE(Run(ID_TRACE_SAVE, CString(L"spectrum")));
    const std::string sTrace = (m_host.GetRoot() + L"/Traces/spectrum.trc").ToUtf8();
    ASSERT_TRUE(Run(ID_FILE_OPEN_TRACE, CString(sTrace)));
    ASSERT_EQ(TraceCount(), iTraces + 1);
    CQXTrace* pLoaded = m_pDoc->GetCurrentTrace();
    ASSERT_NE(pLoaded, pFft);
    EXPECT_EQ(std::make_tuple(pLoaded->GetTraceType(), pLoaded->GetChannel(), pLoaded->IsLive(), pLoaded->IsOn()),
              std::make_tuple(TT_FFT, CHANNEL_A, 0, 1));
    EXPECT_EQ(YData(pLoaded), YData(pFft));
    EXPECT_NE(pLoaded->GetScreenColor(), pFft->GetScreenColor());

    ASSERT_TRUE(Run(ID_FILE_SAVE_DOCUMENT, CString(L"window")));
    const std::string sDocument = Path("window.twc").ToUtf8();
    EXPECT_EQ(Recent(), (std::vector<std::string>{sDocument, sTrace}));
    m_pDoc->RemoveTrace(pLoaded, 1);
    m_host.PumpMessages();
    ASSERT_EQ(TraceCount(), iTraces);
    // A values table of a trace the document replaces lets go of it.
    CTraceValuesView values(pFft);
    ASSERT_TRUE(Run(ID_FILE_OPEN_DOCUMENT, CString(sDocument)));
    EXPECT_EQ(values.GetTrace(), nullptr);
    ASSERT_EQ(TraceCount(), iTraces + 1);
    const auto& apBack = m_pDoc->GetTraceArray(CHANNEL_A);
    const auto itLoaded = std::find_if(apBack.begin(), apBack.end(), [](CQXTrace* p) { return !p->IsLive(); });
    ASSERT_NE(itLoaded, apBack.end());
    EXPECT_EQ(YData(*itLoaded), YData(m_pDoc->GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1)));

    // Files that are not what they claim: the library's message, the file and why; nothing changes.
    WriteBytes(Path("bad.twc").ToUtf8(), Bytes{1, 2, 3, 4, 5});
    WriteBytes(Path("bad.trc").ToUtf8(), Bytes{1, 2, 3, 4, 5});
    const struct {
        UINT uId;
        const char* szFile;
        int iMessage;
    } aBad[] = {{ID_FILE_OPEN_DOCUMENT, "bad.twc", IDS_DOCUMENT_LOAD_FAILED},
                {ID_FILE_OPEN_TRACE, "bad.trc", IDS_TRACE_LOAD_FAILED}};
    for (const auto& bad : aBad) {
        EXPECT_FALSE(Run(bad.uId, Path(bad.szFile))) << bad.szFile;
        EXPECT_EQ(LastBox().rfind(LoadResString(bad.iMessage).ToUtf8(), 0), 0u) << LastBox();
        EXPECT_NE(LastBox().find(Path(bad.szFile).ToUtf8() + ": "), std::string::npos) << LastBox();
        EXPECT_EQ(TraceCount(), iTraces + 1);
    }
    // A document file cut short keeps the magic word but not the record.
    Bytes cut = ReadBytes(sDocument);
    cut.resize(40);
    WriteBytes(Path("cut.twc").ToUtf8(), cut);
    EXPECT_FALSE(Run(ID_FILE_OPEN_DOCUMENT, Path("cut.twc")));
    EXPECT_EQ(LastBox().rfind(LoadResString(IDS_DOCUMENT_LOAD_FAILED).ToUtf8(), 0), 0u) << LastBox();
    EXPECT_EQ(TraceCount(), iTraces + 1);
    EXPECT_EQ(Recent(), (std::vector<std::string>{sDocument, sTrace}));
}

TEST_F(FileCommandsTest, RecentFilesKeepTheEightLatestFirstAndAMissingOneIsDropped)
{
    for (int i = 0; i < 10; ++i) CRecentFiles::Add(CString("/f" + std::to_string(i)));
    CRecentFiles::Add(L"/f5");
    const std::vector<std::string> asExpected{"/f5", "/f9", "/f8", "/f7", "/f6", "/f4", "/f3", "/f2"};
    EXPECT_EQ(Recent(), asExpected);
    CString sFirst;
    ASSERT_TRUE(m_host.Registry().GetString(0, L"Recent Files", L"File1", sFirst));
    EXPECT_EQ(sFirst.ToUtf8(), "/f5");

    // The menu lists them under the commands, numbered, each enabled.
    const CMenuItems aMenu = FillFileMenu(m_frame);
    std::vector<std::string> asListed;
    for (const SMenuItem& item : aMenu)
        if (item.uCommand >= ID_FILE_RECENT_FIRST && item.uCommand <= ID_FILE_RECENT_LAST && item.bEnabled)
            asListed.push_back(item.sText.ToUtf8());
    EXPECT_EQ(asListed.front(), "&1 /f5");
    EXPECT_EQ(asListed.back(), "&8 /f2");
    EXPECT_EQ(asListed.size(), 8u);

    // None of them exists: the second says so and leaves the list.
    EXPECT_FALSE(m_frame.Execute(ID_FILE_RECENT_FIRST + 1));
    EXPECT_EQ(LastBox(), "The file /f9 no longer exists. It has been removed from the list of recent files.");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"/f5", "/f8", "/f7", "/f6", "/f4", "/f3", "/f2"}));
    EXPECT_FALSE(m_frame.GetCommandStatus(ID_FILE_RECENT_FIRST + 7).bEnabled);
    EXPECT_FALSE(m_frame.Execute(ID_FILE_RECENT_FIRST + 7));
}
