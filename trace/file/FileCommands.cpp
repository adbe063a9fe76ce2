#include "trace/file/FileCommands.h"

#include "host/app/AppServices.h"
#include "host/app/PathResolver.h"
#include "host/app/Registry.h"
#include "resources/StringTable.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/DocumentFile.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <filesystem>

namespace {

const wchar_t* const kRecentKey = L"Recent Files";

CString RecentValueName(int iIndex)
{
    CString sName;
    sName.Format(L"File%d", iIndex + 1);
    return sName;
}

// The library's message, then the file and why in words.
void ReportFailure(int iMessageId, const CString& sPath, const std::string& sReason)
{
    CString sText;
    sText.Format(LoadResString(IDS_FILE_FAILURE_REASON), LoadResString(iMessageId).GetString(), sPath.GetString(),
                 CString(sReason).GetString());
    AfxMessageBox(sText, MB_OK | MB_ICONEXCLAMATION);
}

bool Exists(const CString& sPath)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(sPath.str()), error);
}

// A running mode may hold traces of the document a configuration replaces: it leaves first.
bool LeaveMode(CGraphFrame& frame)
{
    CFrameMode* pMode = frame.GetMode();
    return !pMode || pMode->RequestLeave(IDS_LIMIT_EXIT_DRAWING_TO_OPEN);
}

bool OpenTrace(CGraphDoc& doc, const CString& sPath)
{
    ChannelNumber eChannel = CHANNEL_A;
    CGraphDoc::GetTraceChannel(sPath, &eChannel);
    std::string sReason;
    CQXTrace* pLoaded = LoadTraceBeside(doc, sPath, eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A, sReason);
    if (!pLoaded) {
        ReportFailure(IDS_TRACE_LOAD_FAILED, sPath, sReason);
        return false;
    }
    doc.SetCurrentTrace(pLoaded, 1);
    return true;
}

bool OpenDocument(CGraphFrame& frame, CGraphDoc& doc, const CString& sPath)
{
    if (!LeaveMode(frame)) return false;
    std::string sReason;
    if (!doc.LoadDocumentFile(sPath, 0, &sReason)) {
        ReportFailure(IDS_DOCUMENT_LOAD_FAILED, sPath, sReason);
        return false;
    }
    return true;
}

bool SaveTraceOfCommand(CQXTrace* pTrace)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || !pTrace) return false;
    const CString sPath =
        pTrace->IsLimitLine() ? pDoc->OnBrowseLimitFile(nullptr, pTrace) : pDoc->OnBrowseTrace(nullptr, pTrace);
    if (sPath.IsEmpty() || !pDoc->SaveTrace(pTrace, sPath, 1)) return false;
    CRecentFiles::Add(sPath);
    return true;
}

bool SaveDocument(CGraphDoc& doc)
{
    const CString sPath = CGraphDoc::ShowModalFileDialog(false, CString(), IDS_DOCUMENT_FILE_EXT, IDS_DOCUMENT_FILE_FILTER,
                                                         PATH_SUBTYPE_GENERAL, nullptr);
    if (sPath.IsEmpty()) return false;
    std::string sReason;
    if (!doc.SaveDocumentFile(sPath, &sReason)) {
        CString sText;
        sText.Format(LoadResString(IDS_DOCUMENT_SAVE_FAILED), sPath.GetString());
        sText += L"\n\n" + CString(sReason);
        AfxMessageBox(sText, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    CRecentFiles::Add(sPath);
    return true;
}

SCommandStatus WithDocument(bool bEnabled = true) { return {bEnabled && GetGraphDoc() != nullptr, false}; }

} // namespace

bool HasValues(CQXTrace* pTrace)
{
    return pTrace && pTrace->IsInUse() && (pTrace->IsLimitLine() || pTrace->GetDataSize() > 0);
}

// ---- Recent files ----------------------------------------------------------------------------

std::vector<CString> CRecentFiles::Load()
{
    std::vector<CString> asPaths;
    for (int i = 0; i < kMaxFiles; ++i) {
        const CString sPath = CRegistry::GetRegistryValue(0, kRecentKey, RecentValueName(i), L"");
        if (!sPath.IsEmpty() && std::find(asPaths.begin(), asPaths.end(), sPath) == asPaths.end())
            asPaths.push_back(sPath);
    }
    return asPaths;
}

void CRecentFiles::Save(const std::vector<CString>& asPaths)
{
    for (int i = 0; i < kMaxFiles; ++i)
        CRegistry::SetRegistryValue(0, kRecentKey, RecentValueName(i),
                                    i < static_cast<int>(asPaths.size()) ? asPaths[i].GetString() : L"");
}

void CRecentFiles::Add(const CString& sPath)
{
    if (sPath.IsEmpty()) return;
    std::vector<CString> asPaths = Load();
    std::erase(asPaths, sPath);
    asPaths.insert(asPaths.begin(), sPath);
    if (asPaths.size() > static_cast<size_t>(kMaxFiles)) asPaths.resize(kMaxFiles);
    Save(asPaths);
}

void CRecentFiles::Remove(const CString& sPath)
{
    std::vector<CString> asPaths = Load();
    if (std::erase(asPaths, sPath)) Save(asPaths);
}

// ---- Opening ---------------------------------------------------------------------------------

CQXTrace* LoadTraceBeside(CGraphDoc& doc, const CString& sPath, ChannelNumber eChannel, std::string& sReason)
{
    CQXTrace* pLoaded = doc.LoadTrace(sPath, eChannel, 0, &sReason);
    if (!pLoaded) return nullptr;
    for (const CQXTrace* pShown : doc.GetTraceArray(eChannel)) {
        if (pShown == pLoaded || !pShown->IsOn() || pShown->GetScreenColor() != pLoaded->GetScreenColor()) continue;
        pLoaded->SetColor(pLoaded->GetNextCopyColor());
        break;
    }
    return pLoaded;
}

bool OpenWindowFile(CGraphFrame& frame, const CString& sPath, EOpenAs eAs)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || sPath.IsEmpty()) return false;
    if (!Exists(sPath)) {
        CString sText;
        sText.Format(LoadResString(IDS_RECENT_FILE_MISSING), sPath.GetString());
        AfxMessageBox(sText, MB_OK | MB_ICONEXCLAMATION);
        CRecentFiles::Remove(sPath);
        return false;
    }
    const bool bDocument = eAs == EOpenAs::content ? IsDocumentFile(sPath) : eAs == EOpenAs::document;
    const bool bOpened = bDocument ? OpenDocument(frame, *pDoc, sPath) : OpenTrace(*pDoc, sPath);
    if (bOpened) CRecentFiles::Add(sPath);
    return bOpened;
}

// ---- The commands ----------------------------------------------------------------------------

void InstallFileCommands(CGraphFrame& frame)
{
    frame.SetCommand({ID_FILE_OPEN_TRACE,
                      [&frame](CQXTrace*) {
                          CGraphDoc* pDoc = GetGraphDoc();
                          const CString sPath = pDoc ? pDoc->OnBrowseTrace(nullptr, nullptr) : CString();
                          return !sPath.IsEmpty() && OpenWindowFile(frame, sPath, EOpenAs::trace);
                      },
                      [](CQXTrace*) { return WithDocument(); }});
    frame.SetCommand({ID_TRACE_SAVE, SaveTraceOfCommand, [](CQXTrace* pTrace) { return WithDocument(HasValues(pTrace)); }});
    frame.SetCommand({ID_FILE_OPEN_DOCUMENT,
                      [&frame](CQXTrace*) {
                          const CString sPath = CGraphDoc::ShowModalFileDialog(
                              true, CString(), IDS_DOCUMENT_FILE_EXT, IDS_DOCUMENT_FILE_FILTER, PATH_SUBTYPE_GENERAL, nullptr);
                          return !sPath.IsEmpty() && OpenWindowFile(frame, sPath, EOpenAs::document);
                      },
                      [](CQXTrace*) { return WithDocument(); }});
    frame.SetCommand({ID_FILE_SAVE_DOCUMENT,
                      [](CQXTrace*) {
                          CGraphDoc* pDoc = GetGraphDoc();
                          return pDoc && SaveDocument(*pDoc);
                      },
                      [](CQXTrace*) { return WithDocument(); }});
    for (UINT uId = ID_FILE_RECENT_FIRST; uId <= ID_FILE_RECENT_LAST; ++uId) {
        const size_t iIndex = uId - ID_FILE_RECENT_FIRST;
        frame.SetCommand({uId,
                          [&frame, iIndex](CQXTrace*) {
                              const std::vector<CString> asPaths = CRecentFiles::Load();
                              return iIndex < asPaths.size() && OpenWindowFile(frame, asPaths[iIndex]);
                          },
                          [iIndex](CQXTrace*) { return WithDocument(iIndex < CRecentFiles::Load().size()); }});
    }
}

CMenuItems FillFileMenu(const CGraphFrame& frame)
{
    const auto Item = [&frame](const wchar_t* pszText, UINT uId) {
        const SCommandStatus status = frame.GetCommandStatus(uId);
        return SMenuItem{pszText, uId, status.bEnabled, status.bChecked, {}};
    };
    CMenuItems aItems{Item(L"&Open Trace...", ID_FILE_OPEN_TRACE),
                      Item(L"&Save Trace...", ID_TRACE_SAVE),
                      {},
                      Item(L"Open graph &document...", ID_FILE_OPEN_DOCUMENT),
                      Item(L"Save graph do&cument...", ID_FILE_SAVE_DOCUMENT),
                      {},
                      Item(L"&Export graph...", ID_GRAPH_EXPORT),
                      Item(L"Cop&y picture", ID_GRAPH_COPY),
                      Item(L"Print pre&view...", ID_GRAPH_PRINT_PREVIEW),
                      Item(L"&Print...", ID_GRAPH_PRINT),
                      Item(L"Print se&tup...", ID_GRAPH_PRINT_SETUP),
                      {},
                      Item(L"&Run script...", ID_FILE_RUN_SCRIPT)};
    const std::vector<CString> asPaths = CRecentFiles::Load();
    if (!asPaths.empty()) aItems.push_back({});
    for (size_t i = 0; i < asPaths.size(); ++i) {
        CString sText;
        sText.Format(L"&%d %s", static_cast<int>(i + 1), asPaths[i].GetString());
        aItems.push_back(Item(L"", ID_FILE_RECENT_FIRST + static_cast<UINT>(i)));
        aItems.back().sText = sText;
    }
    return aItems;
}
