#include "qt/QtAppServices.h"

#include "host/app/HeadlessHost.h"
#include "qt/QtConvert.h"
#include "qt/QtGraphOutput.h"
#include "qt/dialogs/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMetaObject>
#include <QProgressDialog>
#include <QStandardPaths>

CQtAppServices::CQtAppServices(CHeadlessHost& host, QWidget* pWindow, const QString& sIniPath)
    : m_host(host), m_pWindow(pWindow), m_sIniPath(sIniPath), m_pQueueContext(std::make_unique<QObject>()),
      m_pPrevious(InstallAppServices(this))
{
    // A first start has no file yet: the registry keeps its defaults.
    if (QFileInfo::exists(m_sIniPath)) m_host.LoadRegistry(FromQString(m_sIniPath));
}

CQtAppServices::~CQtAppServices()
{
    InstallAppServices(m_pPrevious);
    if (!m_sIniPath.isEmpty() && QDir().mkpath(QFileInfo(m_sIniPath).absolutePath()))
        m_host.SaveRegistry(FromQString(m_sIniPath));
}

QString CQtAppServices::DefaultIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/tracewin/tracewin.ini";
}

CGraphDoc* CQtAppServices::GetGraphDoc() { return m_host.GetGraphDoc(); }
CQuorixApp* CQtAppServices::GetQuorixApp() { return m_host.GetQuorixApp(); }
CQuorixDoc* CQtAppServices::GetQuorixDoc() { return m_host.GetQuorixDoc(); }
void CQtAppServices::RegisterView(IGraphViewSink* view) { m_host.RegisterView(view); }
void CQtAppServices::UnregisterView(IGraphViewSink* view) { m_host.UnregisterView(view); }
void CQtAppServices::UpdateViews(IGraphViewSink* sender, LPARAM hint, CObject* object)
{
    m_host.UpdateViews(sender, hint, object);
}
bool CQtAppServices::GetOLEDisplay() { return m_host.GetOLEDisplay(); }
bool CQtAppServices::GetOLEShowMessages() { return m_host.GetOLEShowMessages(); }
CEventManager* CQtAppServices::GetEventManager() { return m_host.GetEventManager(); }
CRegistryStore* CQtAppServices::GetRegistry() { return m_host.GetRegistry(); }
bool CQtAppServices::IsGraphWindowOpen() { return m_host.IsGraphWindowOpen(); }
void CQtAppServices::OnPrintService(EPrintService service, CDC* dc, int page) { m_host.OnPrintService(service, dc, page); }

void CQtAppServices::PostAppMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    m_host.PostAppMessage(message, wParam, lParam);
    // One pass per post handles it and whatever came before it; passes still
    // queued when the services go are dropped with their context.
    QMetaObject::invokeMethod(m_pQueueContext.get(), [pHost = &m_host]() { pHost->PumpMessages(); }, Qt::QueuedConnection);
}

void CQtAppServices::DoMessageLoop()
{
    QCoreApplication::processEvents();
    m_host.PumpMessages();
}

int CQtAppServices::MessageBox(const CString& text, unsigned type)
{
    if (!m_host.GetOLEShowMessages()) return m_host.MessageBox(text, type);
    return QtMessageBox(text, type);
}

void CQtAppServices::MessageBeep(unsigned) { QApplication::beep(); }

bool CQtAppServices::AskFilePath(const SFileDialogRequest& request, CString& path)
{
    QFileDialog dialog(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_pWindow);
    dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(ToQtFileFilter(request.sFilter));
    dialog.setDefaultSuffix(ToQString(request.sDefaultExt));
    if (!request.sInitialDir.IsEmpty()) dialog.setDirectory(ToQString(request.sInitialDir));
    if (!request.sFileName.IsEmpty()) dialog.selectFile(ToQString(request.sFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = FromQString(QDir::toNativeSeparators(dialog.selectedFiles().front()));
    return true;
}

bool CQtAppServices::ShowProgress(const SProgressState& state)
{
    if (!m_pProgress) {
        m_pProgress = std::make_unique<QProgressDialog>(m_pWindow);
        m_pProgress->setMinimumDuration(0);
        m_pProgress->setAutoReset(false);
        m_pProgress->setAutoClose(false);
    }
    m_pProgress->setWindowModality(state.bModal ? Qt::ApplicationModal : Qt::NonModal);
    m_pProgress->setWindowTitle(ToQString(state.sCaption));
    m_pProgress->setLabelText(ToQString(state.sText));
    m_pProgress->setRange(state.iLower, state.iUpper);
    m_pProgress->setValue(state.iPos);
    m_pProgress->show();
    // The Cancel button is pressed only while events are handled.
    QCoreApplication::processEvents();
    return !m_pProgress->wasCanceled();
}

void CQtAppServices::EndProgress() { m_pProgress.reset(); }

bool CQtAppServices::SetClipboardText(const CString& text)
{
    QClipboard* pClipboard = QGuiApplication::clipboard();
    if (!pClipboard) return false;
    pClipboard->setText(ToQString(text));
    return true;
}

bool CQtAppServices::SetClipboardMetafile(const std::vector<unsigned char>& emf) { return PutPictureOnClipboard(emf, {}); }

bool CQtAppServices::SetClipboardPicture(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png)
{
    return PutPictureOnClipboard(emf, png);
}

CString CQtAppServices::GetClipboardText()
{
    const QClipboard* pClipboard = QGuiApplication::clipboard();
    return pClipboard ? FromQString(pClipboard->text()) : CString();
}
