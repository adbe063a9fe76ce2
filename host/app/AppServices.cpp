#include "host/app/AppServices.h"

#include <atomic>

namespace {

std::atomic<IAppServices*> g_pServices{nullptr};

} // namespace

int DefaultMessageBoxAnswer(unsigned type)
{
    const unsigned buttons = type & 0x0F;
    const unsigned defaultIndex = (type & 0x0F00) >> 8;
    switch (buttons) {
    case MB_OKCANCEL: return defaultIndex == 1 ? IDCANCEL : IDOK;
    case MB_YESNO: return defaultIndex == 1 ? IDNO : IDYES;
    case MB_YESNOCANCEL: return defaultIndex == 1 ? IDNO : (defaultIndex == 2 ? IDCANCEL : IDYES);
    default: return IDOK;
    }
}

IAppServices* InstallAppServices(IAppServices* services)
{
    return g_pServices.exchange(services);
}

IAppServices* GetAppServices()
{
    return g_pServices.load();
}

namespace {
thread_local CGraphDoc* t_pScopedGraphDoc = nullptr;
} // namespace

CGraphDocScope::CGraphDocScope(CGraphDoc* pDoc) : m_pOuter(t_pScopedGraphDoc) { t_pScopedGraphDoc = pDoc; }
CGraphDocScope::~CGraphDocScope() { t_pScopedGraphDoc = m_pOuter; }

CGraphDoc* GetGraphDoc()
{
    if (t_pScopedGraphDoc) return t_pScopedGraphDoc;
    IAppServices* host = GetAppServices();
    return host ? host->GetGraphDoc() : nullptr;
}

CQuorixApp* GetQuorixApp()
{
    IAppServices* host = GetAppServices();
    return host ? host->GetQuorixApp() : nullptr;
}

CQuorixDoc* GetQuorixDoc()
{
    IAppServices* host = GetAppServices();
    return host ? host->GetQuorixDoc() : nullptr;
}

void RegisterGraphView(IGraphViewSink* view)
{
    if (IAppServices* host = GetAppServices()) host->RegisterView(view);
}

void UnregisterGraphView(IGraphViewSink* view)
{
    if (IAppServices* host = GetAppServices()) host->UnregisterView(view);
}

void UpdateViews(IGraphViewSink* sender, LPARAM hint, CObject* object)
{
    if (IAppServices* host = GetAppServices()) host->UpdateViews(sender, hint, object);
}

bool GetOLEDisplay()
{
    IAppServices* host = GetAppServices();
    return host ? host->GetOLEDisplay() : true;
}

bool GetOLEShowMessages()
{
    IAppServices* host = GetAppServices();
    return host ? host->GetOLEShowMessages() : false;
}

CEventManager* GetEventManager()
{
    IAppServices* host = GetAppServices();
    return host ? host->GetEventManager() : nullptr;
}

void PostAppMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    if (IAppServices* host = GetAppServices()) host->PostAppMessage(message, wParam, lParam);
}

void DoMessageLoop()
{
    if (IAppServices* host = GetAppServices()) host->DoMessageLoop();
}

bool IsGraphWindowOpen()
{
    IAppServices* host = GetAppServices();
    return host && host->IsGraphWindowOpen();
}

int AfxMessageBox(const CString& text, unsigned type)
{
    IAppServices* host = GetAppServices();
    return host ? host->MessageBox(text, type) : DefaultMessageBoxAnswer(type);
}

void MessageBeep(unsigned type)
{
    if (IAppServices* host = GetAppServices()) host->MessageBeep(type);
}

bool SetClipboardText(const CString& text)
{
    IAppServices* host = GetAppServices();
    return host && host->SetClipboardText(text);
}

bool SetClipboardMetafile(const std::vector<unsigned char>& emf)
{
    IAppServices* host = GetAppServices();
    return host && host->SetClipboardMetafile(emf);
}

bool SetClipboardPicture(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png)
{
    IAppServices* host = GetAppServices();
    return host && host->SetClipboardPicture(emf, png);
}

CString GetClipboardText()
{
    IAppServices* host = GetAppServices();
    return host ? host->GetClipboardText() : CString();
}
