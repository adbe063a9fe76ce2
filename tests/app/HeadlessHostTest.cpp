// The headless host: installation, neutral answers without one, views, messages, dialogs and scripts,
// clipboard, progress, its folders and its log.

#include "host/app/HeadlessHost.h"

#include "host/app/FileDialog.h"
#include "host/app/FileVersion.h"
#include "host/app/PathResolver.h"
#include "platform/Object.h"
#include "resources/StringIds.h"

#include <gtest/gtest.h>

#include <tuple>


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
