// The graph document's members for scripts (TW_ and the shared constants)
// and what the document keeps for them. Each row calls the document
// operation it names; this file adds only the automation rules: channel
// checks, the automation trace, the display and message switches, and the
// wait for print and export.

#include "trace/document/GraphOLEData.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/app/PathResolver.h"
#include "platform/Dispatch.h"
#include "platform/PerfCounter.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/QXTrace.h"

#include <new>

// ---- The document's automation state ---------------------------------------------------------

CGraphOLEData::CGraphOLEData() = default;
CGraphOLEData::~CGraphOLEData() = default;

bool CGraphOLEData::InitLimitTable(const CString& sFileName)
{
    m_pLimitTable.reset();
    m_sLimitTableFileName.Empty();
    m_iLimitTableError = 0;
    try {
        m_pLimitTable = std::make_unique<CLimitTable>();
    } catch (const std::bad_alloc&) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        m_iLimitTableError = LIMIT_TABLE_ERROR_NOT_MADE;
        return false;
    }
    if (!sFileName.IsEmpty()) m_sLimitTableFileName = sFileName;
    return true;
}

EPrintExportStatus CGraphOLEData::GetPrintExportStatus(ChannelNumber eChannel) const
{
    return eChannel == CHANNEL_B ? m_aeStatus[1] : m_aeStatus[0];
}

void CGraphOLEData::SetPrintExportStatus(ChannelNumber eChannel, EPrintExportStatus eStatus)
{
    m_aeStatus[eChannel == CHANNEL_B ? 1 : 0] = eStatus;
}

bool CGraphOLEData::RequestOutput(unsigned uMessage, ChannelNumber eChannel, const CString* psFileName)
{
    // With no window nothing would ever answer: fail before posting.
    if (!IsGraphWindowOpen()) return false;
    const ChannelNumber eStatusChannel = eChannel == CHANNEL_BOTH ? CHANNEL_A : eChannel;
    SetPrintExportStatus(eStatusChannel, PRINTEXPORTSTATUS_PENDING);
    m_eRequestChannel = eChannel;
    m_sRequestFileName = psFileName ? *psFileName : CString();
    const LPARAM lFile = psFileName ? reinterpret_cast<LPARAM>(m_sRequestFileName.GetString()) : 0;
    PostAppMessage(uMessage, static_cast<WPARAM>(eChannel), lFile);
    const std::int64_t iStart = QueryPerformanceCounter();
    const std::int64_t iFrequency = QueryPerformanceFrequency();
    std::int64_t iNextReport = iStart + iFrequency;
    // No time-out: the graph window ends the wait by setting the status.
    while (GetPrintExportStatus(eStatusChannel) == PRINTEXPORTSTATUS_PENDING) {
        Sleep(1);
        DoMessageLoop();
        const std::int64_t iNow = QueryPerformanceCounter();
        if (iNow >= iNextReport) {
            QXDebugLog(4, "CGraphDoc::WaitForPrintExport", "WAITING for print export: %ums (with idle processing)",
                       static_cast<unsigned>((iNow - iStart) * 1000 / iFrequency));
            iNextReport = iNow + iFrequency;
        }
    }
    const bool bOK = GetPrintExportStatus(eStatusChannel) == PRINTEXPORTSTATUS_OK;
    SetPrintExportStatus(eStatusChannel, PRINTEXPORTSTATUS_NONE);
    return bOK;
}

void CGraphOLEData::SetEditImpulseWindow(int bEdit)
{
    bEdit = bEdit ? 1 : 0;
    if (bEdit == m_bEditImpulseWindow) return;
    m_bEditImpulseWindow = bEdit;
    PostAppMessage(bEdit ? APPMSG_START_IMPULSE_EDIT : APPMSG_END_IMPULSE_EDIT, 0, 0);
}

void ReportOLEFailure(CGraphDoc& doc, int iStringId, const wchar_t* szArgument)
{
    CString sText = LoadResString(iStringId);
    if (szArgument) {
        const CString sFormat = sText;
        sText.Format(sFormat.GetString(), szArgument);
    }
    doc.GetOLEData().SetLastFailure(sText);
    if (GetOLEShowMessages()) AfxMessageBox(sText, MB_OK);
}

CGraphOLEData& CGraphDoc::GetOLEData()
{
    if (!m_pOLEData) m_pOLEData = std::make_unique<CGraphOLEData>();
    return *m_pOLEData;
}

// ---- The TW_ members ---------------------------------------------------------------------------

namespace {

using Args = std::vector<CVariant>;

CGraphDoc& Doc(CCmdTarget& target) { return static_cast<CGraphDoc&>(target); }
int ShowMessages() { return GetOLEShowMessages() ? 1 : 0; }
int Display() { return GetOLEDisplay() ? 1 : 0; }
short IdOf(const CQXTrace* pTrace) { return pTrace ? pTrace->GetTraceID() : TRACE_NULL_ID; }
CVariant Id(const CQXTrace* pTrace) { return CVariant::I2(IdOf(pTrace)); }

// A channel outside what the member accepts: message 18799 with the member's name.
bool ChannelAccepted(CGraphDoc& doc, int iChannel, bool bAllowBoth, const wchar_t* szMember)
{
    if (iChannel == CHANNEL_A || iChannel == CHANNEL_B || (bAllowBoth && iChannel == CHANNEL_BOTH)) return true;
    ReportOLEFailure(doc, IDS_OLE_INVALID_CHANNEL, szMember);
    return false;
}

bool OutputChannelAccepted(CGraphDoc& doc, int iChannel, const wchar_t* szMember)
{
    return ChannelAccepted(doc, iChannel, doc.DrawingAllOnSameView() != 0, szMember);
}

CVariant OLESetCurrentTrace(CGraphDoc& doc, CQXTrace* pTrace, bool bMakeCurrent)
{
    if (!pTrace) return CVariant::Bool(false);
    if (!pTrace->IsInUse()) {
        ReportOLEFailure(doc, IDS_OLE_SET_CURRENT_TRACE_FAILED);
        return CVariant::Bool(false);
    }
    doc.SetAutomationTrace(pTrace);
    if (bMakeCurrent) doc.SetCurrentTrace(pTrace, 1);
    return CVariant::Bool(true);
}

// The first in-use trace of the type in the array from index iFrom; it becomes the automation trace.
CVariant OLEFindTraceOfType(CGraphDoc& doc, ChannelNumber eChannel, int iType, size_t iFrom)
{
    const std::vector<CQXTrace*>& aTraces = doc.GetTraceArray(eChannel);
    for (size_t i = iFrom; i < aTraces.size(); ++i) {
        if (aTraces[i]->IsInUse() && aTraces[i]->GetTraceType() == iType) {
            doc.SetAutomationTrace(aTraces[i]);
            return Id(aTraces[i]);
        }
    }
    return Id(nullptr);
}

CVariant OLEGetNextTraceOfType(CGraphDoc& doc, int iType)
{
    CQXTrace* pFrom = doc.GetAutomationTrace();
    if (!pFrom) {
        ReportOLEFailure(doc, IDS_OLE_GET_TRACE_OF_TYPE_FAILED);
        return Id(nullptr);
    }
    const std::vector<CQXTrace*>& aTraces = doc.GetTraceArray(pFrom->GetChannel());
    for (size_t i = 0; i < aTraces.size(); ++i)
        if (aTraces[i] == pFrom) return OLEFindTraceOfType(doc, pFrom->GetChannel(), iType, i + 1);
    return Id(nullptr); // an attached limit line: no array holds it
}

CVariant OLELoadTrace(CGraphDoc& doc, const CString& sFile, int iChannel)
{
    if (!ChannelAccepted(doc, iChannel, false, L"TW_LoadTrace")) return Id(nullptr);
    CQXTrace* pTrace = doc.LoadTrace(sFile, static_cast<ChannelNumber>(iChannel), ShowMessages());
    if (!pTrace) return Id(nullptr);
    doc.SetCurrentTrace(pTrace, 1);
    doc.SetAutomationTrace(pTrace);
    return Id(pTrace);
}

CVariant OLECopyTrace(CGraphDoc& doc, short sID)
{
    CQXTrace* pTrace = sID == TRACE_NULL_ID ? nullptr : doc.GetTraceFromID(sID);
    return Id(pTrace ? doc.CopyTrace(pTrace, 0, Display()) : nullptr);
}

CVariant OLEExport(CGraphDoc& doc, int iChannel, const CString& sFile)
{
    if (!OutputChannelAccepted(doc, iChannel, L"TW_Export")) return CVariant::Bool(false);
    CString sPath = sFile;
    const std::wstring& s = sPath.str();
    const size_t iSlash = s.find_last_of(L"/\\");
    if (s.find(L'.', iSlash == std::wstring::npos ? 0 : iSlash + 1) == std::wstring::npos)
        sPath += CString(L".") + doc.GetExportFileExt();
    sPath = PrivatePathResolver::getInstance()->getFilePath(sPath, PATH_SUBTYPE_EXPORT);
    const bool bOK = doc.GetOLEData().RequestOutput(APPMSG_EXPORT_GRAPH, static_cast<ChannelNumber>(iChannel), &sPath);
    if (!bOK) ReportOLEFailure(doc, IDS_OLE_EXPORT_FAILED, sPath.GetString());
    return CVariant::Bool(bOK);
}

CVariant OLEPrintOrCopy(CGraphDoc& doc, int iChannel, bool bPrint)
{
    if (!OutputChannelAccepted(doc, iChannel, bPrint ? L"TW_Print" : L"TW_CopyToClipboard"))
        return CVariant::Bool(false);
    const bool bOK = doc.GetOLEData().RequestOutput(bPrint ? APPMSG_PRINT_GRAPH : APPMSG_EXPORT_GRAPH,
                                                    static_cast<ChannelNumber>(iChannel), nullptr);
    if (!bOK)
        ReportOLEFailure(doc, bPrint ? IDS_OLE_PRINT_FAILED : IDS_OLE_CLIPBOARD_FAILED);
    return CVariant::Bool(bOK);
}

template <void (CGraphDoc::*Zoom)(ChannelNumber, int)>
CVariant OLEZoomAll(CGraphDoc& doc, int iChannel, const wchar_t* szMember)
{
    if (!ChannelAccepted(doc, iChannel, true, szMember)) return CVariant::Bool(false);
    (doc.*Zoom)(static_cast<ChannelNumber>(iChannel), Display());
    return CVariant::Bool(true);
}

#define TW_CONSTANT(name, value)                                                                               \
    SDispEntry                                                                                                 \
    {                                                                                                          \
        name, EDispKind::readOnly, VT_I2, {}, [](CCmdTarget&, Args&) { return CVariant::I2(value); }, nullptr, \
            L"constant " #value                                                                                \
    }

} // namespace

const CDispatchTable* CGraphDoc::GetDispatchTable() const { return &GetGraphDocDispatchTable(); }

const CDispatchTable& GetGraphDocDispatchTable()
{
    static const CDispatchTable table({
        {"TW_GraphTitle", EDispKind::property, VT_BSTR, {},
         [](CCmdTarget& t, Args&) { return CVariant::BStr(Doc(t).GetGraphTitle()); },
         [](CCmdTarget& t, Args& a) {
             Doc(t).SetGraphTitle(a[0].AsBStr());
             return CVariant();
         },
         L"graph title; a set sends UPDATE_GRAPH_TITLE"},
        {"TW_GraphComment", EDispKind::property, VT_BSTR, {},
         [](CCmdTarget& t, Args&) { return CVariant::BStr(Doc(t).GetGraphComment()); },
         [](CCmdTarget& t, Args& a) {
             Doc(t).SetGraphComment(a[0].AsBStr());
             return CVariant();
         },
         L"graph comment"},
        TW_CONSTANT("TW_CHA", CHANNEL_A),
        TW_CONSTANT("TW_CHB", CHANNEL_B),
        TW_CONSTANT("TW_CHBOTH", CHANNEL_BOTH),
        TW_CONSTANT("TRACE_NULL_ID", TRACE_NULL_ID),
        {"TRACE_NULL_VALUE", EDispKind::readOnly, VT_R8, {},
         [](CCmdTarget&, Args&) { return CVariant::R8(TRACE_NULL_VALUE); }, nullptr,
         L"constant DBL_MAX, the largest finite double"},
        TW_CONSTANT("TRACETYPE_SCOPE", TT_SCOPE),
        TW_CONSTANT("TRACETYPE_FFT", TT_FFT),
        TW_CONSTANT("TRACETYPE_CTA", TT_CTDET),
        TW_CONSTANT("TRACETYPE_CTFFT", TT_CTFFT),
        TW_CONSTANT("TRACETYPE_MAXLIMITLINE", TT_MAXLIMITLINE),
        TW_CONSTANT("TRACETYPE_MINLIMITLINE", TT_MINLIMITLINE),
        TW_CONSTANT("TRACETYPE_FILTER", TT_FILTER),
        TW_CONSTANT("TRACETYPE_WINDOW", TT_WINDOW),
        TW_CONSTANT("TRACETYPE_SWEEP1", TT_SWEEP1),
        TW_CONSTANT("TRACETYPE_SWEEP2", TT_SWEEP2),
        TW_CONSTANT("TRACETYPE_SWEEP3", TT_SWEEP3),
        TW_CONSTANT("TRACETYPE_SWEEP4", TT_SWEEP4),
        TW_CONSTANT("TRACETYPE_USER", TT_USER),
        TW_CONSTANT("TRACETYPE_FFTRESPONSE", TT_FFTRESPONSE),
        {"TW_EditImpulseWindow", EDispKind::property, VT_BOOL, {},
         [](CCmdTarget& t, Args&) { return CVariant::Bool(Doc(t).GetOLEData().GetEditImpulseWindow() != 0); },
         [](CCmdTarget& t, Args& a) {
             Doc(t).GetOLEData().SetEditImpulseWindow(a[0].AsBool());
             return CVariant();
         },
         L"impulse-window editing mode; a change posts 0x8098 (on) or 0x8099 (off)"},
        {"LMT_InitTable", EDispKind::method, VT_BOOL, {{VT_BSTR, "fileName"}},
         [](CCmdTarget& t, Args& a) {
             if (Doc(t).GetOLEData().InitLimitTable(a[0].AsBStr())) return CVariant::Bool(true);
             ReportOLEFailure(Doc(t), IDS_OLE_LIMIT_TABLE_INIT_FAILED);
             return CVariant::Bool(false);
         },
         nullptr, L"starts a new, empty limit table (any table in progress goes)", IDS_OLE_LIMIT_TABLE_INIT_FAILED},
        {"TW_CreateTrace", EDispKind::method, VT_I2,
         {{VT_I2, "channel"}, {VT_I4, "numPoints"}, {VT_R8, "xMin"}, {VT_R8, "xMax"}, {VT_R8, "yMin"}, {VT_R8, "yMax"}},
         [](CCmdTarget& t, Args& a) {
             return CVariant::I2(Doc(t).DoCreateUserTrace(static_cast<ChannelNumber>(a[0].AsI2()), a[1].AsI4(),
                                                          a[2].AsR8(), a[3].AsR8(), a[4].AsR8(), a[5].AsR8()));
         },
         nullptr, L"creates a user trace over the two ranges and shows it; its ID or TRACE_NULL_ID"},
        {"TW_CreateTraceFromSweepTrace", EDispKind::method, VT_I2, {{VT_I2, "sweepType"}, {VT_I2, "channel"}},
         [](CCmdTarget& t, Args& a) {
             return CVariant::I2(Doc(t).CreateUserTraceFromSweepTrace(static_cast<TraceType>(a[0].AsI2()),
                                                                      static_cast<ChannelNumber>(a[1].AsI2())));
         },
         nullptr, L"a user trace holding the points of the live sweep trace (in use and on); its ID or TRACE_NULL_ID"},
        {"TW_SetCurrentTrace", EDispKind::method, VT_BOOL, {{VT_I2, "traceID"}, {VT_BOOL, "makeCurrent"}},
         [](CCmdTarget& t, Args& a) {
             return OLESetCurrentTrace(Doc(t), Doc(t).GetTraceFromID(a[0].AsI2()), a[1].AsBool());
         },
         nullptr, L"makes the trace the automation trace (and the current trace with makeCurrent); false for no such trace",
         IDS_OLE_SET_CURRENT_TRACE_FAILED},
        {"TW_SetCurrentTraceFromEventParam", EDispKind::method, VT_BOOL, {{VT_I4, "eventParam"}, {VT_BOOL, "makeCurrent"}},
         [](CCmdTarget& t, Args& a) {
             CEventManager* pEvents = GetEventManager();
             const LPARAM lOwner = pEvents ? pEvents->GetOwnerOfEventParam(a[0].AsI4()) : 0;
             CQXTrace* pTrace = lOwner && Doc(t).CheckTraceExists(lOwner)
                                    ? reinterpret_cast<CQXTrace*>(lOwner)
                                    : nullptr;
             return OLESetCurrentTrace(Doc(t), pTrace, a[1].AsBool());
         },
         nullptr, L"as TW_SetCurrentTrace for the trace a script event names; false for a parameter of no trace",
         IDS_OLE_SET_CURRENT_TRACE_FAILED},
        {"TW_GetCurrentTrace", EDispKind::method, VT_I2, {},
         [](CCmdTarget& t, Args&) { return Id(Doc(t).GetAutomationTrace()); }, nullptr,
         L"ID of the automation trace, or TRACE_NULL_ID"},
        {"TW_RemoveTrace", EDispKind::method, VT_BOOL, {{VT_I2, "traceID"}},
         [](CCmdTarget& t, Args& a) {
             CQXTrace* pTrace = Doc(t).GetTraceFromID(a[0].AsI2());
             return CVariant::Bool(pTrace && Doc(t).RemoveTrace(pTrace, 1));
         },
         nullptr, L"takes the trace off the graph (it stops being the automation trace); false for no such trace"},
        {"TW_LoadTrace", EDispKind::method, VT_I2, {{VT_BSTR, "fileName"}, {VT_I2, "channel"}},
         [](CCmdTarget& t, Args& a) { return OLELoadTrace(Doc(t), a[0].AsBStr(), a[1].AsI2()); }, nullptr,
         L"loads a trace file onto channel A or B; it becomes current and the automation trace; its ID or TRACE_NULL_ID",
         IDS_OLE_INVALID_CHANNEL},
        {"TW_GetFirstTraceOfType", EDispKind::method, VT_I2, {{VT_I2, "traceType"}, {VT_I2, "channel"}},
         [](CCmdTarget& t, Args& a) {
             if (!ChannelAccepted(Doc(t), a[1].AsI2(), false, L"TW_GetFirstTraceOfType")) return Id(nullptr);
             return OLEFindTraceOfType(Doc(t), static_cast<ChannelNumber>(a[1].AsI2()), a[0].AsI2(), 0);
         },
         nullptr, L"the first in-use trace of the type on channel A or B becomes the automation trace; its ID or TRACE_NULL_ID",
         IDS_OLE_INVALID_CHANNEL},
        {"TW_GetNextTraceOfType", EDispKind::method, VT_I2, {{VT_I2, "traceType"}},
         [](CCmdTarget& t, Args& a) { return OLEGetNextTraceOfType(Doc(t), a[0].AsI2()); }, nullptr,
         L"the next in-use trace of the type after the automation trace, on its channel, becomes the automation trace; "
         L"TRACE_NULL_ID at the end",
         IDS_OLE_GET_TRACE_OF_TYPE_FAILED},
        {"TW_CopyTrace", EDispKind::method, VT_I2, {{VT_I2, "traceID"}},
         [](CCmdTarget& t, Args& a) { return OLECopyTrace(Doc(t), a[0].AsI2()); }, nullptr,
         L"a copy of the trace, shown; its ID, or TRACE_NULL_ID (also for an ID no trace has), without a message"},
        {"TW_Export", EDispKind::method, VT_BOOL, {{VT_I2, "channel"}, {VT_BSTR, "fileName"}},
         [](CCmdTarget& t, Args& a) { return OLEExport(Doc(t), a[0].AsI2(), a[1].AsBStr()); }, nullptr,
         L"exports the graph to the file (the default extension added when there is none); waits for the graph window; "
         L"fails at once with none open",
         IDS_OLE_EXPORT_FAILED},
        {"TW_Print", EDispKind::method, VT_BOOL, {{VT_I2, "channel"}},
         [](CCmdTarget& t, Args& a) { return OLEPrintOrCopy(Doc(t), a[0].AsI2(), true); }, nullptr,
         L"prints the graph; waits for the graph window; fails at once with none open", IDS_OLE_PRINT_FAILED},
        {"TW_CopyToClipboard", EDispKind::method, VT_BOOL, {{VT_I2, "channel"}},
         [](CCmdTarget& t, Args& a) { return OLEPrintOrCopy(Doc(t), a[0].AsI2(), false); }, nullptr,
         L"copies the graph to the clipboard; waits for the graph window; fails at once with none open",
         IDS_OLE_CLIPBOARD_FAILED},
        {"TW_AutoZoomAll", EDispKind::method, VT_BOOL, {{VT_I2, "channel"}},
         [](CCmdTarget& t, Args& a) {
             return OLEZoomAll<&CGraphDoc::AutoZoomAll>(Doc(t), a[0].AsI2(), L"TW_AutoZoomAll");
         },
         nullptr, L"auto-zooms every trace of the channel (0 to 2)", IDS_OLE_INVALID_CHANNEL},
        {"TW_DefaultZoomAll", EDispKind::method, VT_BOOL, {{VT_I2, "channel"}},
         [](CCmdTarget& t, Args& a) {
             return OLEZoomAll<&CGraphDoc::DefaultZoomAll>(Doc(t), a[0].AsI2(), L"TW_DefaultZoomAll");
         },
         nullptr, L"sets every trace of the channel (0 to 2) to its default zoom", IDS_OLE_INVALID_CHANNEL},
    });
    return table;
}
