#pragma once
// A complete host without a GUI, for tests and command-line tools. It installs
// itself as the application services on construction (and puts back whatever
// was installed before on destruction), and records everything the library
// asks of it: log lines, update hints, posted messages, message boxes, beeps,
// file dialogs, progress, clipboard and print calls. Questions are answered
// from scripted lists.

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/app/HostObjects.h"
#include "host/app/Registry.h"
#include "host/app/ViewList.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CMeasurementSettings;

class CHeadlessHost : public IAppServices {
public:
    struct SLogLine {
        int iLevel = 0;
        std::string sFunction;
        std::string sText;
    };
    struct SUpdate {
        IGraphViewSink* pSender = nullptr;
        LPARAM lHint = 0;
        CObject* pObject = nullptr;
    };
    struct SMessage {
        unsigned uMessage = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    struct SMessageBox {
        CString sText;
        unsigned uType = 0;
        int iAnswer = 0;
    };
    struct SPrintCall {
        EPrintService eService = PRINT_INITIALISE;
        CDC* pDC = nullptr;
        int iPage = 0;
    };

    // Files are kept under `rootFolder`; with none, under a new temporary
    // folder that is removed again on destruction.
    explicit CHeadlessHost(const CString& rootFolder = CString());
    ~CHeadlessHost() override;
    CHeadlessHost(const CHeadlessHost&) = delete;
    CHeadlessHost& operator=(const CHeadlessHost&) = delete;

    // --- set-up and scripting ---
    void SetGraphDoc(CGraphDoc* doc) { m_pGraphDoc = doc; }
    // The measurement settings the library reads: owned by the host,
    // installed for its lifetime, with analyser defaults; tests change them.
    CMeasurementSettings* GetSettingsService() const { return m_pSettings.get(); }
    void SetOLEDisplay(bool on) { m_bOLEDisplay = on; }
    void SetOLEShowMessages(bool on) { m_bOLEShowMessages = on; }
    // Says a graph window is open; its handlers of 0x8096/0x8097 then answer the request.
    void SetGraphWindowOpen(bool open) { m_bGraphWindowOpen = open; }
    // Answers for the next message boxes, in order; afterwards the default button.
    void QueueMessageBoxAnswer(int answer) { m_aBoxAnswers.push_back(answer); }
    // Answers for the next file dialogs: a path, or std::nullopt for Cancel (also
    // the answer when the list is empty).
    void QueueFileDialogAnswer(std::optional<CString> path) { m_aDialogAnswers.push_back(std::move(path)); }
    // A front end that shows message boxes itself (the Qt front end); the
    // scripted answers are then unused.
    void SetMessageBoxRunner(std::function<int(const CString&, unsigned)> runner) { m_boxRunner = std::move(runner); }
    // The progress window reports a cancel from its n-th update on (-1: never).
    void SetProgressCancelAfter(int updates) { m_iCancelProgressAfter = updates; }
    void SetClipboardAvailable(bool available) { m_bClipboardAvailable = available; }
    // Handles a posted message while pumping, in addition to the built-in
    // handling of APPMSG_DELETE_TRACE.
    void SetMessageHandler(unsigned message, std::function<void(WPARAM, LPARAM)> handler);
    // Loads the registry from an INI file; false (registry unchanged) when it cannot be read.
    bool LoadRegistry(const CString& iniPath) { return m_registry.LoadIni(iniPath); }
    bool SaveRegistry(const CString& iniPath) const { return m_registry.SaveIni(iniPath); }

    // Handles every queued message, including those posted while pumping;
    // returns how many were handled. APPMSG_DELETE_TRACE deletes its CObject.
    int PumpMessages();

    // --- what was recorded ---
    std::vector<std::string> GetLogLines() const;
    std::vector<SLogLine> GetLogRecords() const;
    bool HasLogLine(const std::string& text) const;
    void ClearLog();
    const std::vector<SUpdate>& GetUpdates() const { return m_aUpdates; }
    std::vector<SMessage> GetPostedMessages() const;
    std::vector<SMessage> GetPendingMessages() const;
    const std::vector<SMessageBox>& GetMessageBoxes() const { return m_aBoxes; }
    int GetBeepCount() const { return m_iBeeps; }
    const std::vector<SFileDialogRequest>& GetFileDialogRequests() const { return m_aDialogRequests; }
    const std::vector<SProgressState>& GetProgressStates() const { return m_aProgress; }
    int GetProgressEnds() const { return m_iProgressEnds; }
    const std::vector<unsigned char>& GetClipboardMetafile() const { return m_aClipboardMetafile; }
    const std::vector<unsigned char>& GetClipboardPng() const { return m_aClipboardPng; }
    const std::vector<SPrintCall>& GetPrintCalls() const { return m_aPrintCalls; }
    CString GetRoot() const { return m_sRoot; }
    CRegistryStore& Registry() { return m_registry; }
    CEventManager& Events() { return m_events; }
    CViewList& Views() { return m_views; }

    // --- IAppServices ---
    CGraphDoc* GetGraphDoc() override { return m_pGraphDoc; }
    CQuorixApp* GetQuorixApp() override { return &m_app; }
    CQuorixDoc* GetQuorixDoc() override { return &m_doc; }
    void RegisterView(IGraphViewSink* view) override { m_views.Add(view); }
    void UnregisterView(IGraphViewSink* view) override { m_views.Remove(view); }
    void UpdateViews(IGraphViewSink* sender, LPARAM hint, CObject* object) override;
    bool GetOLEDisplay() override { return m_bOLEDisplay; }
    bool GetOLEShowMessages() override { return m_bOLEShowMessages; }
    CEventManager* GetEventManager() override { return &m_events; }
    CRegistryStore* GetRegistry() override { return &m_registry; }
    void PostAppMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void DoMessageLoop() override { PumpMessages(); }
    bool IsGraphWindowOpen() override { return m_bGraphWindowOpen; }
    int MessageBox(const CString& text, unsigned type) override;
    void MessageBeep(unsigned) override { ++m_iBeeps; }
    bool AskFilePath(const SFileDialogRequest& request, CString& path) override;
    bool ShowProgress(const SProgressState& state) override;
    void EndProgress() override { ++m_iProgressEnds; }
    bool SetClipboardText(const CString& text) override;
    bool SetClipboardMetafile(const std::vector<unsigned char>& emf) override;
    bool SetClipboardPicture(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png) override;
    CString GetClipboardText() override { return m_sClipboardText; }
    void OnPrintService(EPrintService service, CDC* dc, int page) override;

private:
    void OnLog(int level, const char* function, const std::string& text);
    void HandleMessage(const SMessage& message);

    IAppServices* m_pPreviousServices = nullptr;
    QXLogSink m_previousSink;
    CString m_sPreviousRoot;
    CString m_sRoot;
    bool m_bOwnsRoot = false;
    bool m_bEchoLog = false;

    CQuorixDoc m_doc;
    CQuorixApp m_app;
    CGraphDoc* m_pGraphDoc = nullptr;
    std::unique_ptr<CMeasurementSettings> m_pSettings;
    CMeasurementSettings* m_pPreviousSettings = nullptr;
    CViewList m_views;
    CEventManager m_events;
    CRegistryStore m_registry;
    bool m_bOLEDisplay = true;
    bool m_bOLEShowMessages = true;
    bool m_bGraphWindowOpen = false;

    mutable std::mutex m_logMutex;
    std::vector<SLogLine> m_aLog;

    mutable std::mutex m_queueMutex;
    std::deque<SMessage> m_aQueue;
    std::vector<SMessage> m_aPosted;
    std::map<unsigned, std::function<void(WPARAM, LPARAM)>> m_mapHandlers;

    std::vector<SUpdate> m_aUpdates;
    std::deque<int> m_aBoxAnswers;
    std::vector<SMessageBox> m_aBoxes;
    int m_iBeeps = 0;
    std::deque<std::optional<CString>> m_aDialogAnswers;
    std::vector<SFileDialogRequest> m_aDialogRequests;
    std::function<int(const CString&, unsigned)> m_boxRunner;
    std::vector<SProgressState> m_aProgress;
    int m_iCancelProgressAfter = -1;
    int m_iProgressEnds = 0;
    bool m_bClipboardAvailable = true;
    CString m_sClipboardText;
    std::vector<unsigned char> m_aClipboardMetafile;
    std::vector<unsigned char> m_aClipboardPng;
    std::vector<SPrintCall> m_aPrintCalls;
};
