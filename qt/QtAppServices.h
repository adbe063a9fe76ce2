#pragma once
// CQtAppServices: the application services of the window on screen. What
// both hosts do alike (the documents, views and update hints, the event
// manager, the registry store, the message queue and its handlers, the
// automation switches, the printing hooks) stays with the headless host it
// delegates to; the user sees the rest: message boxes, file dialogs, the
// progress window, beeps and the system clipboard. Posted messages are
// handled on the Qt event loop, the registry is kept in an INI file under
// the user's config folder. Installed while it lives; the headless host is
// put back afterwards.
//
// While automation has "show messages" off, a message box is not shown: it
// answers as the headless host does (its default button), so a script never
// waits on a modal box.

#include "host/app/AppServices.h"

#include <QObject>
#include <QString>

#include <memory>

class CHeadlessHost;
class QProgressDialog;
class QWidget;

class CQtAppServices : public IAppServices {
public:
    // The registry is read from sIniPath (default: DefaultIniPath()) and saved there on destruction.
    CQtAppServices(CHeadlessHost& host, QWidget* pWindow, const QString& sIniPath = DefaultIniPath());
    ~CQtAppServices() override;
    CQtAppServices(const CQtAppServices&) = delete;
    CQtAppServices& operator=(const CQtAppServices&) = delete;

    // tracewin/tracewin.ini in the user's config folder.
    static QString DefaultIniPath();
    const QString& GetIniPath() const { return m_sIniPath; }

    CGraphDoc* GetGraphDoc() override;
    CQuorixApp* GetQuorixApp() override;
    CQuorixDoc* GetQuorixDoc() override;
    void RegisterView(IGraphViewSink* view) override;
    void UnregisterView(IGraphViewSink* view) override;
    void UpdateViews(IGraphViewSink* sender, LPARAM hint, CObject* object) override;
    bool GetOLEDisplay() override;
    bool GetOLEShowMessages() override;
    CEventManager* GetEventManager() override;
    CRegistryStore* GetRegistry() override;
    // Queued on the host and handled by the event loop (from any thread).
    void PostAppMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    void DoMessageLoop() override;
    bool IsGraphWindowOpen() override;
    int MessageBox(const CString& text, unsigned type) override;
    void MessageBeep(unsigned type) override;
    bool AskFilePath(const SFileDialogRequest& request, CString& path) override;
    bool ShowProgress(const SProgressState& state) override;
    void EndProgress() override;
    bool SetClipboardText(const CString& text) override;
    bool SetClipboardMetafile(const std::vector<unsigned char>& emf) override;
    bool SetClipboardPicture(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png) override;
    CString GetClipboardText() override;
    void OnPrintService(EPrintService service, CDC* dc, int page) override;

private:
    CHeadlessHost& m_host;
    QWidget* m_pWindow;
    QString m_sIniPath;
    // Lives on the UI thread: the posted messages' passes run there.
    std::unique_ptr<QObject> m_pQueueContext;
    IAppServices* m_pPrevious;
    std::unique_ptr<QProgressDialog> m_pProgress;
};
