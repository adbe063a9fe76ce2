#include "trace/output/ExportFormat.h"

namespace {

IPictureEncoder* g_pEncoder = nullptr;

CString Lower(CString s)
{
    s.MakeLower();
    return s;
}

// The patterns of an extension list: "*.jpg;*.jpeg" gives "jpg", "jpeg".
std::vector<CString> Patterns(const CString& sExtensions)
{
    std::vector<CString> a;
    int iStart = 0;
    while (iStart <= sExtensions.GetLength()) {
        int iEnd = sExtensions.Find(L';', iStart);
        if (iEnd < 0) iEnd = sExtensions.GetLength();
        CString s = sExtensions.Mid(iStart, iEnd - iStart);
        s.Trim();
        if (s.Left(2) == L"*.") s = s.Mid(2, s.GetLength() - 2);
        if (!s.IsEmpty()) a.push_back(s);
        iStart = iEnd + 1;
    }
    return a;
}

int LastSeparator(const CString& sPath)
{
    return std::max(sPath.ReverseFind(L'/'), sPath.ReverseFind(L'\\'));
}

} // namespace

void InstallPictureEncoder(IPictureEncoder* pEncoder) { g_pEncoder = pEncoder; }
IPictureEncoder* GetPictureEncoder() { return g_pEncoder; }

CExportFormatManager::CExportFormatManager(const std::vector<SPictureEncoder>& aEncoders)
{
    m_aFormats.push_back({CString(L"image/emf"), CString(L"EMF"), CString(L"Windows Enhanced Metafile"),
                          CString(L"*.emf;*.wmf"), EExportKind::Metafile});
    for (const SPictureEncoder& e : aEncoders) {
        SExportFormat f;
        f.sMimeType = e.sMimeType;
        f.sFormatName = e.sFormatName;
        if (e.sFormatName == L"BMP") f.sFileTypeName = L"Bitmap file";
        else f.sFileTypeName.Format(L"%s file", e.sFormatName.GetString());
        f.sExtensions = Lower(e.sExtensions);
        f.eKind = e.eKind;
        m_aFormats.push_back(f);
    }
}

CExportFormatManager CExportFormatManager::FromInstalled()
{
    return CExportFormatManager(g_pEncoder ? g_pEncoder->GetEncoders() : std::vector<SPictureEncoder>());
}

int CExportFormatManager::FindFormatForExtension(const CString& sExtension) const
{
    const CString sWanted = Lower(sExtension);
    if (sWanted.IsEmpty()) return -1;
    for (size_t i = 0; i < m_aFormats.size(); ++i)
        for (const CString& s : Patterns(m_aFormats[i].sExtensions))
            if (s == sWanted) return static_cast<int>(i);
    return -1;
}

CString CExportFormatManager::GetFilter() const
{
    CString sFilter;
    for (size_t i = 0; i < m_aFormats.size(); ++i) {
        const SExportFormat& f = m_aFormats[i];
        CString sOne;
        sOne.Format(L"%ss (%s)|%s|", f.sFileTypeName.GetString(), f.sExtensions.GetString(), f.sExtensions.GetString());
        sFilter += sOne;
    }
    return sFilter + L"All files (*.*)|*.*||";
}

CString DefaultExtensionOf(const SExportFormat& format)
{
    const std::vector<CString> a = Patterns(format.sExtensions);
    return a.empty() ? CString() : Lower(a.front());
}

CString FileExtensionOf(const CString& sPath)
{
    const int iDot = sPath.ReverseFind(L'.');
    if (iDot < 0 || iDot < LastSeparator(sPath)) return CString();
    return sPath.Mid(iDot + 1, sPath.GetLength() - iDot - 1);
}

CString WithFileExtension(const CString& sPath, const CString& sExtension)
{
    const int iDot = sPath.ReverseFind(L'.');
    const CString sStem = (iDot < 0 || iDot < LastSeparator(sPath)) ? sPath : sPath.Left(iDot);
    return sStem + L"." + sExtension;
}
