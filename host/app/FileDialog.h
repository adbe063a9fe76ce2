#pragma once
// The host's open and save dialogs. The library creates one, runs it modally
// and deletes it with deleteFunc; the installed host answers (a real dialog, or
// a scripted list of answers in the headless host).

#include "host/app/AppServices.h"

class CMyFileDialog {
public:
    // `filter` is "Name (*.ext)|*.ext|...||"; `subtype` selects the starting
    // folder (EPathSubtype), which follows the user's choice on OK.
    static CMyFileDialog* createOpenDialog(const CString& defaultExt, const CString& fileName,
                                           const CString& filter, int subtype, void* parent = nullptr);
    static CMyFileDialog* createSaveDialog(const CString& defaultExt, const CString& fileName,
                                           const CString& filter, int subtype, void* parent = nullptr);
    static void deleteFunc(CMyFileDialog* dialog);

    // IDOK or IDCANCEL.
    int DoModal();
    // Full path chosen (a relative answer lies in the subtype's folder); on save,
    // the default extension is added when the name has none.
    CString GetPathName() const { return m_sPathName; }
    CString GetFileName() const;
    const SFileDialogRequest& GetRequest() const { return m_request; }

private:
    CMyFileDialog(bool open, const CString& defaultExt, const CString& fileName, const CString& filter, int subtype);

    SFileDialogRequest m_request;
    int m_iSubtype;
    CString m_sPathName;
};
