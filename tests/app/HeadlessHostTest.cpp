// The headless host: installation, neutral answers without one, views, messages, dialogs and scripts,
// clipboard, progress, its folders and its log.

#include "host/app/HeadlessHost.h"

#include "host/app/FileDialog.h"
#include "host/app/FileVersion.h"
#include "host/app/PathResolver.h"
#include "host/app/ProgressWnd.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "platform/Object.h"
#include "resources/StringIds.h"

#include <gtest/gtest.h>

#include <tuple>

#include <filesystem>

namespace {

class CDeleteProbe : public CObject {
public:
    explicit CDeleteProbe(bool* deleted) : m_pDeleted(deleted) {}
    ~CDeleteProbe() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

struct CRecordingView : IGraphViewSink {
    std::vector<LPARAM> aHints;
    void OnUpdate(IGraphViewSink*, LPARAM hint, CObject*) override { aHints.push_back(hint); }
};

} // namespace

TEST(HeadlessHost, InstallsItselfWithAnalyserDefaultSettingsAndRestoresThePreviousHost)
{
    ASSERT_EQ(GetAppServices(), nullptr);
    ASSERT_EQ(GetInstalledMeasurementSettings(), nullptr);
    {
        CHeadlessHost outer;
        EXPECT_EQ(GetAppServices(), &outer);
        EXPECT_EQ(GetInstalledMeasurementSettings(), outer.GetSettingsService());
        EXPECT_TRUE(GetAnalyserSettings()->IsAnalogueInput());
        EXPECT_EQ(GetQuorixDoc()->GetSharedData(), GetSharedMeasurementData());
        EXPECT_TRUE(outer.GetLogLines().empty()); // no assertion on the way
        {
            CHeadlessHost inner;
            EXPECT_EQ(GetAppServices(), &inner);
            EXPECT_EQ(GetEventManager(), &inner.Events());
        }
        EXPECT_EQ(GetAppServices(), &outer);
        EXPECT_EQ(GetQuorixApp()->GetMasterDoc(), GetQuorixDoc());
    }
    EXPECT_EQ(GetAppServices(), nullptr);
    EXPECT_EQ(GetInstalledMeasurementSettings(), nullptr);
}

TEST(HeadlessHost, WithoutAHostCallsAnswerNeutrally)
{
    ASSERT_EQ(GetAppServices(), nullptr);
    EXPECT_EQ(GetGraphDoc(), nullptr);
    EXPECT_EQ(GetEventManager(), nullptr);
    EXPECT_EQ(AfxMessageBox(L"x", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_FALSE(SetClipboardText(L"x"));
    PostAppMessage(APPMSG_ERROR_FATAL, 1, 2); // dropped, no crash
    CMyFileDialog* dialog = CMyFileDialog::createOpenDialog(L"trc", L"", L"", PATH_SUBTYPE_TRACES);
    EXPECT_EQ(dialog->DoModal(), IDCANCEL);
    CMyFileDialog::deleteFunc(dialog);
}

TEST(HeadlessHost, UpdateViewsReachesEveryRegisteredViewButTheSender)
{
    CHeadlessHost host;
    CRecordingView a, b, c;
    RegisterGraphView(&a);
    RegisterGraphView(&b);
    RegisterGraphView(&b); // registered once only
    RegisterGraphView(&c);
    UpdateViews(&b, -806, nullptr);
    UnregisterGraphView(&c);
    UpdateViews(nullptr, -821, nullptr);

    EXPECT_EQ(a.aHints, (std::vector<LPARAM>{-806, -821}));
    EXPECT_EQ(b.aHints, (std::vector<LPARAM>{-821}));
    EXPECT_EQ(c.aHints, (std::vector<LPARAM>{-806}));
    ASSERT_EQ(host.GetUpdates().size(), 2u);
    EXPECT_EQ(host.GetUpdates()[0].pSender, &b);

    // A view removed during a broadcast is not called.
    UnregisterGraphView(&a);
    UnregisterGraphView(&b);
    CRecordingView second;
    struct CRemover : IGraphViewSink {
        IGraphViewSink* pVictim = nullptr;
        void OnUpdate(IGraphViewSink*, LPARAM, CObject*) override { UnregisterGraphView(pVictim); }
    } first;
    first.pVictim = &second;
    RegisterGraphView(&first);
    RegisterGraphView(&second);
    UpdateViews(nullptr, -801, nullptr);
    EXPECT_TRUE(second.aHints.empty());
}

TEST(HeadlessHost, MessagesAreDeferredToThePumpAndQueuedDeletionsAlwaysHappen)
{
    bool deleted = false;
    bool deletedAtExit = false;
    {
        CHeadlessHost host;
        PostAppMessage(APPMSG_DELETE_TRACE, 0, reinterpret_cast<LPARAM>(new CDeleteProbe(&deleted)));
        EXPECT_FALSE(deleted); // deferred until the queue runs
        ASSERT_EQ(host.GetPendingMessages().size(), 1u);
        EXPECT_EQ(host.PumpMessages(), 1);
        EXPECT_TRUE(deleted && host.GetPendingMessages().empty());
        EXPECT_EQ(host.GetPostedMessages().size(), 1u);

        // A message posted while pumping is handled in the same pump.
        std::vector<unsigned> seen;
        host.SetMessageHandler(APPMSG_PRINT_GRAPH, [&](WPARAM channel, LPARAM) {
            seen.push_back(APPMSG_PRINT_GRAPH);
            PostAppMessage(APPMSG_EXPORT_GRAPH, channel, 0);
        });
        host.SetMessageHandler(APPMSG_EXPORT_GRAPH, [&](WPARAM, LPARAM) { seen.push_back(APPMSG_EXPORT_GRAPH); });
        PostAppMessage(APPMSG_PRINT_GRAPH, 1, 0);
        EXPECT_EQ(host.PumpMessages(), 2);
        EXPECT_EQ(seen, (std::vector<unsigned>{APPMSG_PRINT_GRAPH, APPMSG_EXPORT_GRAPH}));

        // Destruction deletes objects still queued.
        PostAppMessage(APPMSG_DELETE_TRACE, 0, reinterpret_cast<LPARAM>(new CDeleteProbe(&deletedAtExit)));
    }
    EXPECT_TRUE(deletedAtExit);
}

TEST(HeadlessHost, MessageBoxesBeepsAndClipboard)
{
    CHeadlessHost host;
    host.QueueMessageBoxAnswer(IDNO);
    EXPECT_EQ(AfxMessageBox(L"first?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxMessageBox(L"second?", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox(L"third?", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(AfxMessageBox(L"fourth", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    ASSERT_EQ(host.GetMessageBoxes().size(), 4u);
    EXPECT_EQ(host.GetMessageBoxes()[0].sText, CString(L"first?"));
    EXPECT_EQ(host.GetMessageBoxes()[0].uType, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(host.GetMessageBoxes()[1].iAnswer, IDYES);

    // Beeps are counted; the clipboard holds one thing.
    MessageBeep(0);
    MessageBeep(0);
    EXPECT_EQ(host.GetBeepCount(), 2);

    EXPECT_TRUE(SetClipboardText(L"1\t2"));
    EXPECT_EQ(GetClipboardText(), CString(L"1\t2"));
    EXPECT_TRUE(SetClipboardMetafile({1, 2, 3}));
    EXPECT_TRUE(GetClipboardText().IsEmpty()); // the clipboard holds one thing
    host.SetClipboardAvailable(false);
    EXPECT_FALSE(SetClipboardText(L"lost"));
    EXPECT_EQ(host.GetClipboardMetafile(), (std::vector<unsigned char>{1, 2, 3}));
}

TEST(HeadlessHost, FileDialogsAnswerFromTheScriptAndResolvePaths)
{
    CHeadlessHost host;
    host.QueueFileDialogAnswer(CString(L"saved"));
    host.QueueFileDialogAnswer(std::nullopt);

    CMyFileDialog* save = CMyFileDialog::createSaveDialog(L".trc", L"", L"Traces|*.trc||", PATH_SUBTYPE_TRACES);
    ASSERT_EQ(save->DoModal(), IDOK);
    const std::filesystem::path chosen(save->GetPathName().str());
    EXPECT_EQ(chosen.filename(), "saved.trc");
    EXPECT_EQ(chosen.parent_path().wstring(),
              PrivatePathResolver::getInstance()->getDefaultDir(PATH_SUBTYPE_TRACES).str());
    EXPECT_FALSE(host.GetFileDialogRequests()[0].bOpen);
    CMyFileDialog::deleteFunc(save);

    CMyFileDialog* open = CMyFileDialog::createOpenDialog(L"trc", L"", L"", PATH_SUBTYPE_TRACES);
    EXPECT_EQ(open->DoModal(), IDCANCEL);
    EXPECT_EQ(open->DoModal(), IDCANCEL); // empty script: cancelled
    EXPECT_TRUE(open->GetPathName().IsEmpty());
    CMyFileDialog::deleteFunc(open);
}

TEST(HeadlessHost, ProgressWindowReportsCancelFromTheScriptedUpdate)
{
    CHeadlessHost host;
    host.SetProgressCancelAfter(4);
    {
        CProgressWnd progress(nullptr, L"Export Trace values");
        progress.GoModal();           // update 1
        progress.SetRange(0, 2);      // update 2
        progress.SetStep(5);
        EXPECT_EQ(progress.StepIt(), 0); // update 3, clamped to the range
        EXPECT_EQ(progress.GetState().iPos, 2);
        EXPECT_FALSE(progress.PeekAndPump()); // update 4: cancelled
        EXPECT_TRUE(progress.Cancelled());
    }
    EXPECT_EQ(host.GetProgressEnds(), 1);
    EXPECT_EQ(host.GetProgressStates().front().sCaption, CString(L"Export Trace values"));
    EXPECT_TRUE(host.GetProgressStates().front().bModal);
}

TEST(HeadlessHost, RootFolderHoldsTheDefaultFoldersAndTempRootIsRemoved)
{
    std::filesystem::path root;
    {
        CHeadlessHost host;
        root = host.GetRoot().str();
        EXPECT_TRUE(std::filesystem::is_directory(root / "Traces") && std::filesystem::is_directory(root / "Limits"));
    }
    EXPECT_FALSE(std::filesystem::exists(root));
}

TEST(HeadlessHost, RecordsLogLinesAndErrorReportsPostTheirMessages)
{
    CHeadlessHost host;
    const unsigned fatalLine = __LINE__ + 1;
    ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
    const unsigned normalLine = __LINE__ + 1;
    ERROR_NORMAL(IDS_ERROR_CREATEWINDOWFAILED);

    const auto lines = host.GetLogLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], FormatNarrow("ERROR_FATAL: 11304=<<IDS_ERROR_OUTOFMEMORY>> at %s(%u)", __FILE__, fatalLine));
    EXPECT_EQ(lines[1],
              FormatNarrow("ERROR_NORMAL: 11307=<<IDS_ERROR_CREATEWINDOWFAILED>> at %s(%u)", __FILE__, normalLine));
    const auto messages = host.GetPostedMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(std::make_tuple(messages[0].uMessage, messages[0].wParam), std::make_tuple(0x8004u, 11304u));
    EXPECT_EQ(std::make_tuple(messages[1].uMessage, messages[1].wParam), std::make_tuple(0x8000u, 11307u));
}

TEST(HeadlessHost, AssertionsAreLoggedExecutionContinuesAndLevelsAreFiltered)
{
    CHeadlessHost host;
    int value = 3;
    QXASSERT(value == 4);
    EXPECT_FALSE(QXVERIFY(++value == 5));
    EXPECT_EQ(value, 4); // evaluated exactly once
    const auto records = host.GetLogRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].iLevel, 1);
    EXPECT_EQ(records[0].sText.rfind("FAILED ASSERT: <<value == 4>> at ", 0), 0u);
    EXPECT_EQ(records[1].sText.rfind("FAILED VERIFY: <<++value == 5>> at ", 0), 0u);

    host.ClearLog();
    const int saved = QXDebugLogLevel;
    QXDebugLogLevel = 3;
    QXDebugLog(3, "T", "SCALE: kept");
    QXDebugLog(4, "T", "SCALE: dropped");
    QXDebugLog(1, "T", "always");
    QXDebugLogLevel = saved;
    EXPECT_EQ(host.GetLogLines(), (std::vector<std::string>{"SCALE: kept", "always"}));
}
