// Saving, loading and describing graph document files.
//
// A file is read into a document of its own, installed for the read as the
// graph document its traces ask for; the open document takes the result
// over only when every byte was read as the layout says. So a bad file
// leaves the open document, its traces and its scales as they were.

#include "trace/file/DocumentFile.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/app/HostObjects.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SweepManager.h"
#include "platform/Archive.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/RecordSink.h"
#include "trace/file/TraceFileInfo.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <memory>
#include <new>
#include <utility>

namespace {

// The document file replaces the open document: its traces come off first.
class CReplacingLoadScope {
public:
    CReplacingLoadScope() : m_pApp(GetQuorixApp())
    {
        if (!m_pApp) return;
        m_bWas = m_pApp->IsConfigurationReplacing();
        m_pApp->SetConfigurationReplacing(true);
    }
    ~CReplacingLoadScope()
    {
        if (m_pApp) m_pApp->SetConfigurationReplacing(m_bWas);
    }
    CReplacingLoadScope(const CReplacingLoadScope&) = delete;
    CReplacingLoadScope& operator=(const CReplacingLoadScope&) = delete;

private:
    CQuorixApp* m_pApp;
    bool m_bWas = false;
};

// Reads a whole document file into doc, which must be installed
// (CGraphDocScope) and fresh. Empty on success, else why not, in words.
std::string ReadDocumentFile(const CString& sPath, CGraphDoc& doc, STraceFileHeader& header)
{
    EInputFileProblem eProblem = EInputFileProblem::none;
    std::unique_ptr<CArchive> pArchive = CArchive::OpenFile(sPath, CArchive::load, &eProblem);
    if (!pArchive) return DescribeInputFileProblem(eProblem);
    const char* szPart = "the header";
    try {
        const EHeaderResult eHeader = ReadDocumentFileHeader(*pArchive, header);
        if (eHeader != EHeaderResult::ok) return DescribeHeaderRefusal(eHeader, header, "graph document file");
        CArchiveVersionScope version(*pArchive);
        CReplacingLoadScope replacing;
        szPart = "the document record";
        if (!doc.Initialise()) return "the document's live traces could not be made";
        doc.Serialize(*pArchive);
        if (pArchive->GetRemaining() != 0)
            return "corrupt: " + std::to_string(pArchive->GetRemaining()) + " bytes after the document record";
    } catch (const CArchiveException& e) {
        QXDebugLog(2, "CGraphDoc::LoadDocumentFile", "SER: %s at byte %llu", e.what(),
                   static_cast<unsigned long long>(pArchive->GetPosition()));
        return DescribeCorruption(*pArchive, szPart, e.what());
    } catch (const std::bad_alloc&) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return "out of memory";
    }
    return {};
}

} // namespace

// ---- The header ------------------------------------------------------------------------------

void WriteDocumentFileHeader(CArchive& ar)
{
    ar << GRAPH_DOC_FILE_MAGIC << static_cast<std::uint32_t>(QX_FILE_VERSION_NUMBER)
       << static_cast<std::uint8_t>(QX_FILE_VERSION_LETTER) << static_cast<std::uint32_t>(QX_CONFIG_VERSION);
}

EHeaderResult ReadDocumentFileHeader(CArchive& ar, STraceFileHeader& header)
{
    std::uint32_t uMagic = 0;
    ar >> uMagic;
    header.uMagic = uMagic;
    if (uMagic != GRAPH_DOC_FILE_MAGIC) return EHeaderResult::badMagic;
    std::uint32_t uNumber = 0;
    std::uint8_t uLetter = 0;
    std::uint32_t uConfig = 0;
    ar >> uNumber >> uLetter >> uConfig;
    header.iVersionNumber = static_cast<int>(uNumber);
    header.iVersionLetter = uLetter;
    header.iConfigVersion = static_cast<int>(uConfig);
    ar.SetFileVersion(header.iVersionNumber, static_cast<char>(uLetter));
    ar.SetConfigVersion(header.iConfigVersion);
    if (CompareFileVersion(header.iVersionNumber, header.iVersionLetter, 90, '.') < 0)
        return EHeaderResult::refusedVersion;
    return EHeaderResult::ok;
}

bool IsDocumentFile(const CString& sPath)
{
    std::unique_ptr<CArchive> pArchive = CArchive::OpenFile(sPath, CArchive::load);
    if (!pArchive || pArchive->GetRemaining() < 4) return false;
    std::uint32_t uMagic = 0;
    *pArchive >> uMagic;
    return uMagic == GRAPH_DOC_FILE_MAGIC;
}

// ---- Saving and loading ------------------------------------------------------------------------

int CGraphDoc::SaveDocumentFile(const CString& sPath, std::string* psReason)
{
    auto fail = [&](const std::string& sWhy) {
        if (psReason) *psReason = sWhy;
        return 0;
    };
    std::unique_ptr<CArchive> pArchive = CArchive::OpenFile(sPath, CArchive::store);
    if (!pArchive) return fail("the file cannot be created");
    CGraphDocScope scope(this);
    try {
        WriteDocumentFileHeader(*pArchive);
        Serialize(*pArchive);
    } catch (const CArchiveException& e) {
        pArchive->Close();
        return fail(e.what());
    }
    if (!pArchive->Close()) return fail("the file could not be written");
    return 1;
}

int CGraphDoc::LoadDocumentFile(const CString& sPath, int bReportErrors, std::string* psReason)
{
    std::unique_ptr<CGraphDoc> pRead;
    std::string sWhy;
    // Reading re-points the script events of the traces it finds to the new ones.
    CEventManager* pEvents = GetEventManager();
    const std::vector<SEventDetails> aEvents = pEvents ? pEvents->GetEvents() : std::vector<SEventDetails>();
    {
        // Everything the read makes (traces, scales, IDs) belongs to pRead.
        pRead = std::make_unique<CGraphDoc>();
        CGraphDocScope scope(pRead.get());
        STraceFileHeader header;
        sWhy = ReadDocumentFile(sPath, *pRead, header);
        if (!sWhy.empty()) pRead.reset();
    }
    if (!pRead) {
        if (pEvents) pEvents->SetEvents(aEvents);
        if (psReason) *psReason = sWhy;
        if (bReportErrors) ShowMessage(IDS_DOCUMENT_LOAD_FAILED, MB_OK | MB_ICONEXCLAMATION, 1);
        return 0;
    }
    SwapContents(*pRead);
    // Whoever keeps one of the old traces (a values window, a legend row)
    // lets go of it while it still lives.
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pOld : pRead->GetTraceArray(eChannel)) {
            for (CQXTrace* pLimit : {pOld->GetMaxLimitLine(), pOld->GetMinLimitLine()})
                if (pLimit) UpdateAllViews(UPDATE_TRACE_REMOVE, pLimit);
            UpdateAllViews(UPDATE_TRACE_REMOVE, pOld);
        }
    // What this document held goes with pRead; a running sweep must not
    // keep its limit lines.
    if (CSweepManager* pSweeps = GetSweepManager())
        for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
            for (CQXTrace* pOld : pRead->GetTraceArray(eChannel))
                for (CQXTrace* pLimit : {pOld->GetMaxLimitLine(), pOld->GetMinLimitLine()})
                    if (pLimit) pSweeps->ClearLimitLine(static_cast<CLimitLine*>(pLimit));
    pRead.reset();
    if (pEvents)
        pEvents->VerifyTraceEvents([this](LPARAM owner) { return CheckTraceExists(owner) != 0; });
    RecalcMaxAllowedXScaleValue();
    SetCTAFlags();
    UpdateAllViews(UPDATE_GRAPH_TRACES, nullptr);
    UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    return 1;
}

void CGraphDoc::SwapContents(CGraphDoc& other)
{
    using std::swap;
    swap(m_aChATraces, other.m_aChATraces);
    swap(m_aChBTraces, other.m_aChBTraces);
    swap(m_aChASaveTable, other.m_aChASaveTable);
    swap(m_aChBSaveTable, other.m_aChBSaveTable);
    swap(m_aChALoadTable, other.m_aChALoadTable);
    swap(m_aChBLoadTable, other.m_aChBLoadTable);
    swap(m_pCurrentTrace, other.m_pCurrentTrace);
    swap(m_pOtherChannelCurrentTrace, other.m_pOtherChannelCurrentTrace);
    swap(m_pAutomationTrace, other.m_pAutomationTrace);
    swap(m_apXScales, other.m_apXScales);
    swap(m_apYScales, other.m_apYScales);
    swap(m_sGraphTitle, other.m_sGraphTitle);
    swap(m_sGraphComment, other.m_sGraphComment);
    swap(m_Options, other.m_Options);
    swap(m_bAllOnSameView, other.m_bAllOnSameView);
    swap(m_bBlackAndWhite, other.m_bBlackAndWhite);
    swap(m_bScalesBlackAndWhite, other.m_bScalesBlackAndWhite);
    swap(m_iPrintScaleFontSize, other.m_iPrintScaleFontSize);
    swap(m_iExportScaleFontSize, other.m_iExportScaleFontSize);
    swap(m_PrintSettings, other.m_PrintSettings);
    swap(m_ExportSettings, other.m_ExportSettings);
    swap(m_dMaxAllowedXScaleValue, other.m_dMaxAllowedXScaleValue);
}

// ---- Describing ----------------------------------------------------------------------------------

bool DescribeDocumentFile(const CString& sPath, std::string& sJson, std::string& sError)
{
    CGraphDoc doc;
    CGraphDocScope scope(&doc);
    STraceFileHeader header;
    sError = ReadDocumentFile(sPath, doc, header);
    if (!sError.empty()) return false;
    CJsonSink sink;
    sink.String("path", sPath);
    sink.BeginObject("header");
    sink.Int64("magic", header.uMagic);
    sink.Int32("versionNumber", header.iVersionNumber);
    sink.String("versionLetter", CString(static_cast<wchar_t>(header.iVersionLetter)));
    sink.Int32("configVersion", header.iConfigVersion);
    sink.EndObject();
    sink.BeginObject("document");
    doc.DescribeRecord(sink);
    sink.EndObject();
    sJson = sink.GetText();
    return true;
}
