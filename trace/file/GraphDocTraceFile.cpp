// Saving and loading single traces, and the file dialogs for trace and limit files.

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/FileDialog.h"
#include "host/app/PathResolver.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/TraceFileHeader.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

bool EndsWithNoCase(const CString& sText, const CString& sEnd)
{
    return sText.GetLength() >= sEnd.GetLength() && sText.Right(sEnd.GetLength()).CompareNoCase(sEnd) == 0;
}

CString FolderOf(const CString& sPath)
{
    const int iSlash = std::max(sPath.ReverseFind(L'/'), sPath.ReverseFind(L'\\'));
    return iSlash > 0 ? sPath.Left(iSlash) : CString();
}

STraceFileHeader HeaderFor(CQXTrace& trace)
{
    if (const auto* pLimit = dynamic_cast<const CLimitLine*>(&trace))
        return MakeLimitFileHeader(pLimit->HasLimitTable() != 0);
    return MakeTraceFileHeader(trace.GetOwnTraceType(), trace.GetChannel(), trace.GetTraceCreateExtraInfo());
}

// Writes header and body to sPath resolved in the traces or limits folder,
// the default extension added; 1 on success, else 0 after message 18796 when
// bReportErrors.
template <class Write>
int SaveFileResolved(const CString& sPath, bool bLimit, int bReportErrors, Write write)
{
    const int iSubtype = bLimit ? PATH_SUBTYPE_LIMITS : PATH_SUBTYPE_TRACES;
    const CString sExt = LoadResString(bLimit ? IDS_LIMIT_FILE_EXT : IDS_TRACE_FILE_EXT);
    CString sFull = PrivatePathResolver::getInstance()->getFilePath(sPath, iSubtype);
    if (!EndsWithNoCase(sFull, sExt)) sFull += sExt;

    auto reportFailure = [&] {
        if (!bReportErrors) return 0;
        CString sText;
        sText.Format(LoadResString(IDS_TRACE_SAVE_FAILED), sFull.GetString());
        AfxMessageBox(sText, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    };
    std::unique_ptr<CArchive> pArchive = CArchive::OpenFile(sFull, CArchive::store);
    if (!pArchive) return reportFailure();
    try {
        write(*pArchive);
    } catch (const CArchiveException& e) {
        QXDebugLog(1, "CGraphDoc::SaveTrace", "SER: %s", e.what());
        pArchive->Close();
        return reportFailure();
    }
    if (!pArchive->Close()) return reportFailure();
    PrivatePathResolver::getInstance()->setDirPath(iSubtype, FolderOf(sFull));
    return 1;
}

} // namespace

int CGraphDoc::SaveTrace(CQXTrace* pTrace, const CString& sPath, int bReportErrors)
{
    if (!QXVERIFY(pTrace != nullptr)) return 0;
    return SaveFileResolved(sPath, pTrace->IsLimitLine(), bReportErrors, [pTrace](CArchive& ar) {
        WriteTraceFileHeader(ar, HeaderFor(*pTrace));
        pTrace->SetSerializingConfig(0);
        pTrace->Serialize(ar);
    });
}

int CGraphDoc::SaveLimitTable(CLimitTable& table, const CString& sPath, int bReportErrors)
{
    return SaveFileResolved(sPath, true, bReportErrors, [&table](CArchive& ar) {
        WriteTraceFileHeader(ar, MakeLimitFileHeader(true));
        table.Serialize(ar);
    });
}

int CGraphDoc::OpenTraceFileForReading(std::unique_ptr<CArchive>& pArchive, const CString& sPath, CString* psResolved,
                                       EInputFileProblem* peProblem)
{
    CString sFull = PrivatePathResolver::getInstance()->getFilePath(sPath, PATH_SUBTYPE_TRACES);
    EInputFileProblem eProblem = EInputFileProblem::none;
    pArchive = CArchive::OpenFile(sFull, CArchive::load, &eProblem);
    if (!pArchive && eProblem == EInputFileProblem::missing) {
        const CString sWithExtension = sFull + LoadResString(IDS_TRACE_FILE_EXT);
        EInputFileProblem eSecond = EInputFileProblem::none;
        pArchive = CArchive::OpenFile(sWithExtension, CArchive::load, &eSecond);
        // The name as given is the one to report unless the other exists.
        if (eSecond != EInputFileProblem::missing) {
            sFull = sWithExtension;
            eProblem = eSecond;
        }
    }
    if (peProblem) *peProblem = eProblem;
    if (!pArchive) return 0;
    if (psResolved) *psResolved = sFull;
    return 1;
}

bool CGraphDoc::GetTraceChannel(const CString& sPath, ChannelNumber* peChannel)
{
    std::unique_ptr<CArchive> pArchive;
    if (!OpenTraceFileForReading(pArchive, sPath)) return false;
    try {
        STraceFileHeader header;
        if (ReadTraceFileHeader(*pArchive, header, false) != EHeaderResult::ok) return false;
        if (peChannel) *peChannel = header.eChannel;
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

CQXTrace* CGraphDoc::LoadTrace(const CString& sPath, ChannelNumber eChannel, int bReportErrors, std::string* psReason)
{
    auto refuse = [&](std::string sWhy) -> CQXTrace* {
        if (psReason) *psReason = std::move(sWhy);
        if (bReportErrors) ShowMessage(IDS_TRACE_LOAD_FAILED, MB_OK | MB_ICONEXCLAMATION, 1);
        return nullptr;
    };
    if (!QXVERIFY(eChannel == CHANNEL_A || eChannel == CHANNEL_B)) return nullptr;
    std::unique_ptr<CArchive> pArchive;
    CString sOpened;
    EInputFileProblem eProblem = EInputFileProblem::none;
    if (!OpenTraceFileForReading(pArchive, sPath, &sOpened, &eProblem)) {
        if (psReason) *psReason = DescribeInputFileProblem(eProblem);
        return nullptr;
    }

    // The trace is built aside and joins the document only when it was read
    // whole, so a bad file leaves the document as it was.
    std::unique_ptr<CQXTrace> pTrace;
    const char* szPart = "the header";
    try {
        STraceFileHeader header;
        const EHeaderResult eHeader = ReadTraceFileHeader(*pArchive, header, false);
        if (eHeader != EHeaderResult::ok) return refuse(DescribeHeaderRefusal(eHeader, header, "trace file"));
        CArchiveVersionScope version(*pArchive);
        if (header.eTraceType == TT_MAXLIMITLINE || header.eTraceType == TT_MINLIMITLINE)
            return refuse("a limit line, not a trace (load it as a limit)");
        if (header.eTraceType < 0 || header.eTraceType >= TT_COUNT)
            return refuse("unknown trace type " + std::to_string(header.eTraceType));
        pTrace.reset(CreateTrace(header.eTraceType, eChannel, 0, header.lExtraInfo, 0, 0, 0, 0, 0, 0));
        if (!pTrace) return refuse("the trace could not be made");
        szPart = "the trace record";
        pTrace->SetSerializingConfig(0);
        pTrace->LoadTrace(*pArchive, 1);
        pTrace->SetLive(0);
        // The name of the file opened, with the extension the lookup may have added.
        pTrace->SetFileName(ExtractFileNameFromPath(sOpened, 1));
    } catch (const CArchiveException& e) {
        QXDebugLog(2, "CGraphDoc::LoadTrace", "SER: %s at byte %llu", e.what(),
                   static_cast<unsigned long long>(pArchive->GetPosition()));
        pTrace.reset();
        return refuse(DescribeCorruption(*pArchive, szPart, e.what()));
    } catch (const std::bad_alloc&) {
        pTrace.reset();
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        if (psReason) *psReason = "out of memory";
        return nullptr;
    }
    pArchive->Close();

    CQXTrace* pLoaded = pTrace.release();
    if (!AddTraceToArray(pLoaded)) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        delete pLoaded;
        return nullptr;
    }
    MatchToExistingScales(pLoaded, 0);
    if (pLoaded->IsInUse() && pLoaded->IsOn()) pLoaded->TraceOff(0);
    pLoaded->PostSerializeTransformations();
    NewTrace(pLoaded, 1, 1);
    EnsureTraceIDUnique(pLoaded);
    return pLoaded;
}

CString CGraphDoc::ShowModalFileDialog(bool bOpen, const CString& sPath, int iExtensionId, int iFilterId, int iSubtype,
                                       void* pParent)
{
    const CString sExt = LoadResString(iExtensionId);
    const CString sFilter = LoadResString(iFilterId);
    CMyFileDialog* pDialog = bOpen ? CMyFileDialog::createOpenDialog(sExt, sPath, sFilter, iSubtype, pParent)
                                   : CMyFileDialog::createSaveDialog(sExt, sPath, sFilter, iSubtype, pParent);
    if (!pDialog) return CString();
    CString sChosen;
    if (pDialog->DoModal() == IDOK) sChosen = pDialog->GetPathName();
    CMyFileDialog::deleteFunc(pDialog);
    return sChosen;
}

CString CGraphDoc::OnBrowseTrace(void* pParent, CQXTrace* pTrace)
{
    const CString sName = pTrace ? pTrace->GetTraceName(1, 0, 0) : CString();
    return ShowModalFileDialog(pTrace == nullptr, sName, IDS_TRACE_FILE_EXT, IDS_TRACE_FILE_FILTER,
                               PATH_SUBTYPE_TRACES, pParent);
}

CString CGraphDoc::OnBrowseLimitFile(void* pParent, CQXTrace* pLimitLine)
{
    const CString sName = pLimitLine ? pLimitLine->GetTraceName(1, 0, 0) : CString();
    return ShowModalFileDialog(pLimitLine == nullptr, sName, IDS_LIMIT_FILE_EXT, IDS_LIMIT_FILE_FILTER,
                               PATH_SUBTYPE_LIMITS, pParent);
}
