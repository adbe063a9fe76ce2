#pragma once
// The application services the trace library calls. A host (the headless host
// in tests and tools, the Qt host in the demo) implements IAppServices and
// installs it; the free functions below forward to the installed host so that
// library code reads as it would in the original application. With no host
// installed the calls answer neutrally (null objects, cancel, no-ops).

#include "host/app/AppMessages.h"
#include "platform/String.h"

#include <vector>

class CObject;
class CGraphDoc;
class CQuorixApp;
class CQuorixDoc;
class CEventManager;
class CRegistryStore;
class IGraphViewSink;
class CDC;

// What a file dialog is asked to show.
struct SFileDialogRequest {
    bool bOpen = true;
    CString sFilter;       // "Text (*.txt)|*.txt||"
    CString sDefaultExt;   // without the dot
    CString sFileName;     // initial name or path
    CString sInitialDir;
};

// The visible state of a progress window, passed to the host on every change.
struct SProgressState {
    CString sCaption;
    CString sText;
    int iLower = 0;
    int iUpper = 100;
    int iPos = 0;
    int iStep = 1;
    bool bModal = false;
};

// Printing and metafile calls the host decorates or records.
enum EPrintService : int {
    PRINT_INITIALISE = 0,
    PRINT_PAGE_HEADER = 1,
    PRINT_PAGE_FOOTER = 2,
    PRINT_BITMAP = 3,
    PRINT_START_METAFILE_GROUP = 4,
    PRINT_END_METAFILE_GROUP = 5,
};

class IAppServices {
public:
    virtual ~IAppServices() = default;

    // Documents: none of these objects belong to the caller.
    virtual CGraphDoc* GetGraphDoc() = 0;
    virtual CQuorixApp* GetQuorixApp() = 0;
    virtual CQuorixDoc* GetQuorixDoc() = 0;

    // Views and update broadcasting.
    virtual void RegisterView(IGraphViewSink* view) = 0;
    virtual void UnregisterView(IGraphViewSink* view) = 0;
    virtual void UpdateViews(IGraphViewSink* sender, LPARAM hint, CObject* object) = 0;

    // Automation switches.
    virtual bool GetOLEDisplay() = 0;
    virtual bool GetOLEShowMessages() = 0;

    virtual CEventManager* GetEventManager() = 0;
    virtual CRegistryStore* GetRegistry() = 0;

    // The main window's message queue.
    virtual void PostAppMessage(unsigned message, WPARAM wParam, LPARAM lParam) = 0;
    // One pass of the host's message loop (used while the library waits on the host).
    virtual void DoMessageLoop() = 0;
    // Whether a graph window is open to handle print and export requests
    // (0x8096, 0x8097) and answer them; without one they fail at once.
    virtual bool IsGraphWindowOpen() { return false; }

    // User interaction.
    virtual int MessageBox(const CString& text, unsigned type) = 0;
    virtual void MessageBeep(unsigned type) = 0;
    // Fills `path` and returns true on OK; false when the user cancels.
    virtual bool AskFilePath(const SFileDialogRequest& request, CString& path) = 0;
    // Shows the progress state; returns false when the user has asked to cancel.
    virtual bool ShowProgress(const SProgressState& state) = 0;
    virtual void EndProgress() = 0;

    // Clipboard: false when the clipboard cannot be opened.
    virtual bool SetClipboardText(const CString& text) = 0;
    virtual bool SetClipboardMetafile(const std::vector<unsigned char>& emf) = 0;
    // A picture in two forms at once (a PNG may be empty); without a host
    // of its own, the metafile alone.
    virtual bool SetClipboardPicture(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& /*png*/)
    {
        return SetClipboardMetafile(emf);
    }
    virtual CString GetClipboardText() = 0;

    // Printing: page decorations, bitmaps and metafile groups.
    virtual void OnPrintService(EPrintService service, CDC* dc, int page) = 0;
};

// Installs the host (null uninstalls); returns the previous one.
IAppServices* InstallAppServices(IAppServices* services);
IAppServices* GetAppServices();

CGraphDoc* GetGraphDoc();

// While it lives, GetGraphDoc() answers with pDoc on this thread: a document
// read aside (a configuration being loaded) is the one its traces ask for
// scales and settings. Scopes nest.
class CGraphDocScope {
public:
    explicit CGraphDocScope(CGraphDoc* pDoc);
    ~CGraphDocScope();
    CGraphDocScope(const CGraphDocScope&) = delete;
    CGraphDocScope& operator=(const CGraphDocScope&) = delete;

private:
    CGraphDoc* m_pOuter;
};
CQuorixApp* GetQuorixApp();
CQuorixDoc* GetQuorixDoc();

void RegisterGraphView(IGraphViewSink* view);
void UnregisterGraphView(IGraphViewSink* view);
// Every registered view except `sender` receives OnUpdate(sender, hint, object).
void UpdateViews(IGraphViewSink* sender, LPARAM hint, CObject* object);

bool GetOLEDisplay();
bool GetOLEShowMessages();
CEventManager* GetEventManager();

void PostAppMessage(unsigned message, WPARAM wParam, LPARAM lParam);
void DoMessageLoop();
bool IsGraphWindowOpen();

// Returns the button pressed (IDOK, IDYES, ...); without a host, the default button.
int AfxMessageBox(const CString& text, unsigned type = MB_OK);
void MessageBeep(unsigned type);

bool SetClipboardText(const CString& text);
bool SetClipboardMetafile(const std::vector<unsigned char>& emf);
bool SetClipboardPicture(const std::vector<unsigned char>& emf, const std::vector<unsigned char>& png);
CString GetClipboardText();
