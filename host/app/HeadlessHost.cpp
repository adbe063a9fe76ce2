#include "host/app/HeadlessHost.h"

#include "host/settings/MeasurementSettings.h"

#include "host/app/PathResolver.h"
#include "platform/Object.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A fresh folder under the system's temporary folder.
CString MakeTempRoot()
{
    static std::atomic<unsigned> counter{0};
    std::error_code error;
    const fs::path temp = fs::temp_directory_path(error);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            temp / ("tracewin-headless-" + std::to_string(random()) + "-" + std::to_string(++counter));
        if (fs::create_directories(candidate, error)) return CString(candidate.wstring());
    }
    return CString();
}

void CreateFolders(const CString& root)
{
    std::error_code error;
    fs::create_directories(fs::path(root.str()), error);
    for (int subtype : {PATH_SUBTYPE_EXPORT, PATH_SUBTYPE_TRACES, PATH_SUBTYPE_LIMITS, PATH_SUBTYPE_FILTERS}) {
        fs::create_directories(fs::path(PrivatePathResolver::getInstance()->getDefaultDir(subtype).str()), error);
    }
}

} // namespace

CHeadlessHost::CHeadlessHost(const CString& rootFolder) : m_app(&m_doc)
{
    const char* echo = std::getenv("TRACEWIN_LOG");
    m_bEchoLog = echo && *echo && std::string(echo) != "0";
    m_previousSink = QXSetLogSink(
        [this](int level, const char* function, const std::string& text) { OnLog(level, function, text); });

    m_sRoot = rootFolder;
    if (m_sRoot.IsEmpty()) {
        m_sRoot = MakeTempRoot();
        m_bOwnsRoot = !m_sRoot.IsEmpty();
    }
    PrivatePathResolver* paths = PrivatePathResolver::getInstance();
    m_sPreviousRoot = paths->getRoot();
    paths->setRoot(m_sRoot);
    paths->reset();
    CreateFolders(m_sRoot);

    m_pSettings = std::make_unique<CMeasurementSettings>();
    m_pPreviousSettings = InstallMeasurementSettings(m_pSettings.get());
    m_doc.SetSharedData(m_pSettings->GetSharedMeasurementData());

    m_pPreviousServices = InstallAppServices(this);
}

CHeadlessHost::~CHeadlessHost()
{
    // Objects still waiting for deferred deletion are deleted now, so that
    // nothing leaks when a test ends without pumping.
    PumpMessages();
    InstallAppServices(m_pPreviousServices);
    InstallMeasurementSettings(m_pPreviousSettings);
    PrivatePathResolver::getInstance()->setRoot(m_sPreviousRoot);
    PrivatePathResolver::getInstance()->reset();
    QXSetLogSink(std::move(m_previousSink));
    if (m_bOwnsRoot) {
        std::error_code error;
        fs::remove_all(fs::path(m_sRoot.str()), error);
    }
}

void CHeadlessHost::OnLog(int level, const char* function, const std::string& text)
{
    if (m_bEchoLog) std::fprintf(stderr, "[%d] %s: %s\n", level, function ? function : "", text.c_str());
    std::lock_guard<std::mutex> lock(m_logMutex);
    m_aLog.push_back(SLogLine{level, function ? function : "", text});
}

std::vector<std::string> CHeadlessHost::GetLogLines() const
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    std::vector<std::string> lines;
    lines.reserve(m_aLog.size());
    for (const SLogLine& line : m_aLog) lines.push_back(line.sText);
    return lines;
}

std::vector<CHeadlessHost::SLogLine> CHeadlessHost::GetLogRecords() const
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    return m_aLog;
}

bool CHeadlessHost::HasLogLine(const std::string& text) const
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    return std::any_of(m_aLog.begin(), m_aLog.end(), [&](const SLogLine& line) { return line.sText == text; });
}

void CHeadlessHost::ClearLog()
{
    std::lock_guard<std::mutex> lock(m_logMutex);
    m_aLog.clear();
}

void CHeadlessHost::UpdateViews(IGraphViewSink* sender, LPARAM hint, CObject* object)
{
    m_aUpdates.push_back(SUpdate{sender, hint, object});
    m_views.Broadcast(sender, hint, object);
}

void CHeadlessHost::PostAppMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    const SMessage posted{message, wParam, lParam};
    m_aQueue.push_back(posted);
    m_aPosted.push_back(posted);
}

void CHeadlessHost::SetMessageHandler(unsigned message, std::function<void(WPARAM, LPARAM)> handler)
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    m_mapHandlers[message] = std::move(handler);
}

std::vector<CHeadlessHost::SMessage> CHeadlessHost::GetPostedMessages() const
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    return m_aPosted;
}

std::vector<CHeadlessHost::SMessage> CHeadlessHost::GetPendingMessages() const
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    return std::vector<SMessage>(m_aQueue.begin(), m_aQueue.end());
}

void CHeadlessHost::HandleMessage(const SMessage& message)
{
    std::function<void(WPARAM, LPARAM)> handler;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        const auto it = m_mapHandlers.find(message.uMessage);
        if (it != m_mapHandlers.end()) handler = it->second;
    }
    if (handler) handler(message.wParam, message.lParam);
    if (message.uMessage == APPMSG_DELETE_TRACE) {
        // The trace classes derive from CObject, whose destructor is virtual.
        delete reinterpret_cast<CObject*>(message.lParam);
    }
}

int CHeadlessHost::PumpMessages()
{
    int handled = 0;
    for (;;) {
        SMessage message;
        {
            std::lock_guard<std::mutex> lock(m_queueMutex);
            if (m_aQueue.empty()) break;
            message = m_aQueue.front();
            m_aQueue.pop_front();
        }
        HandleMessage(message);
        ++handled;
    }
    return handled;
}

int CHeadlessHost::MessageBox(const CString& text, unsigned type)
{
    int answer = DefaultMessageBoxAnswer(type);
    if (m_boxRunner) {
        answer = m_boxRunner(text, type);
    } else if (!m_aBoxAnswers.empty()) {
        answer = m_aBoxAnswers.front();
        m_aBoxAnswers.pop_front();
    }
    m_aBoxes.push_back(SMessageBox{text, type, answer});
    return answer;
}

bool CHeadlessHost::AskFilePath(const SFileDialogRequest& request, CString& path)
{
    m_aDialogRequests.push_back(request);
    if (m_aDialogAnswers.empty()) return false;
    const std::optional<CString> answer = m_aDialogAnswers.front();
    m_aDialogAnswers.pop_front();
    if (!answer) return false;
    path = *answer;
    return true;
}

bool CHeadlessHost::ShowProgress(const SProgressState& state)
{
    m_aProgress.push_back(state);
    return m_iCancelProgressAfter < 0 || static_cast<int>(m_aProgress.size()) < m_iCancelProgressAfter;
}

bool CHeadlessHost::SetClipboardText(const CString& text)
{
    if (!m_bClipboardAvailable) return false;
    m_sClipboardText = text;
    m_aClipboardMetafile.clear();
    return true;
}

bool CHeadlessHost::SetClipboardMetafile(const std::vector<unsigned char>& emf)
{
    if (!m_bClipboardAvailable) return false;
    m_aClipboardMetafile = emf;
    m_aClipboardPng.clear();
    m_sClipboardText.Empty();
    return true;
}

bool CHeadlessHost::SetClipboardPicture(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png)
{
    if (!SetClipboardMetafile(emf)) return false;
    m_aClipboardPng = png;
    return true;
}

void CHeadlessHost::OnPrintService(EPrintService service, CDC* dc, int page)
{
    m_aPrintCalls.push_back(SPrintCall{service, dc, page});
}
