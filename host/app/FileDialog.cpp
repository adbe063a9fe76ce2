#include "host/app/FileDialog.h"

#include "host/app/PathResolver.h"

#include <filesystem>

namespace fs = std::filesystem;

CMyFileDialog::CMyFileDialog(bool open, const CString& defaultExt, const CString& fileName, const CString& filter,
                             int subtype)
    : m_iSubtype(subtype)
{
    m_request.bOpen = open;
    m_request.sDefaultExt = defaultExt;
    m_request.sFileName = fileName;
    m_request.sFilter = filter;
    m_request.sInitialDir = PrivatePathResolver::getInstance()->getDirPath(subtype);
}

CMyFileDialog* CMyFileDialog::createOpenDialog(const CString& defaultExt, const CString& fileName,
                                               const CString& filter, int subtype, void*)
{
    return new CMyFileDialog(true, defaultExt, fileName, filter, subtype);
}

CMyFileDialog* CMyFileDialog::createSaveDialog(const CString& defaultExt, const CString& fileName,
                                               const CString& filter, int subtype, void*)
{
    return new CMyFileDialog(false, defaultExt, fileName, filter, subtype);
}

void CMyFileDialog::deleteFunc(CMyFileDialog* dialog)
{
    delete dialog;
}

int CMyFileDialog::DoModal()
{
    IAppServices* host = GetAppServices();
    CString chosen;
    if (!host || !host->AskFilePath(m_request, chosen) || chosen.IsEmpty()) return IDCANCEL;
    fs::path path(PrivatePathResolver::getInstance()->getFilePath(chosen, m_iSubtype).str());
    // Default extensions come with or without their dot.
    std::wstring extension = m_request.sDefaultExt.str();
    if (!extension.empty() && extension.front() == L'.') extension.erase(0, 1);
    if (!m_request.bOpen && !path.has_extension() && !extension.empty()) path += L"." + extension;
    m_sPathName = CString(path.wstring());
    if (path.has_parent_path()) {
        PrivatePathResolver::getInstance()->setDirPath(m_iSubtype, CString(path.parent_path().wstring()));
    }
    return IDOK;
}

CString CMyFileDialog::GetFileName() const
{
    return ExtractFileNameFromPath(m_sPathName, 1);
}
