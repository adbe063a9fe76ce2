// CGraphDoc::Serialize: the record of a whole trace window inside the host's
// configuration. Writing lists the fields once (DescribeRecord) for the
// archive and for `tracewin info`; reading applies the rules for older
// archives and rebuilds the traces entry by entry.

#include "trace/document/GraphDoc.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/app/FileVersion.h"
#include "host/app/HostObjects.h"
#include "host/settings/AnalyserSettings.h"
#include "platform/Archive.h"
#include "trace/display/YScale.h"
#include "trace/file/RecordSink.h"
#include "trace/file/TraceRecord.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <memory>
#include <vector>

namespace {

// Print and export settings of configurations before they were stored.
constexpr int kDefaultPrintFontSize = 10;
constexpr int kDefaultExportFontSize = 16;

// The smallest entry an archive can hold: type, channel, save flag and an
// empty narrow name. Entry counts are checked against it before anything is
// sized from them.
constexpr int kSmallestEntryBytes = 13;

bool From(int iNumber, int iLetter) { return CheckFileVersion(iNumber, iLetter) >= 0; }
bool Config(int iVersion) { return GetConfigVersion() >= iVersion; }

bool IsLimitLineType(int iType) { return iType == TT_MAXLIMITLINE || iType == TT_MINLIMITLINE; }

std::int32_t I32(CArchive& ar)
{
    std::int32_t v = 0;
    ar >> v;
    return v;
}

int Flag8(CArchive& ar)
{
    std::uint8_t v = 0;
    ar >> v;
    return v != 0;
}

CString Str(CArchive& ar)
{
    CString s;
    ar >> s;
    return s;
}

// One row of a channel as the record lists it: a trace entry or a limit-line
// entry after its saved owner.
struct SEntry {
    CQXTrace* pTrace;
    int bSave;
    bool bLimit;
};

void DescribeOutputGroup(IRecordSink& s, const char* szPrefix, int iFontSize, const SGraphOutputSettings& o)
{
    const std::string p(szPrefix);
    s.Int32((p + "ScaleFontSize").c_str(), iFontSize);
    s.Int32((p + "GraticuleLineWidth").c_str(), o.iGraticuleLineWidth);
    s.Int32((p + "TraceLineWidth").c_str(), o.iTraceLineWidth);
    s.Int32((p + "GraticuleSolid").c_str(), o.bGraticuleSolid);
}

bool IsInspecting()
{
    const CQuorixApp* pApp = GetQuorixApp();
    return pApp && pApp->IsInspectionOnlyLoad();
}

bool IsReplacing()
{
    const CQuorixApp* pApp = GetQuorixApp();
    return pApp && pApp->IsConfigurationReplacing();
}

} // namespace

// ---- Writing --------------------------------------------------------------------------------

void CGraphDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CArchiveSink sink(ar);
        DescribeRecord(sink);
    } else {
        ReadRecord(ar);
    }
}

void CGraphDoc::DescribeRecord(IRecordSink& s)
{
    s.Int32("graphDisplay", m_Options.iGraphDisplay);
    s.Flag32("m_bAllOnSameView", m_bAllOnSameView);
    s.Flag8("showGraphTitle", m_Options.bShowGraphTitle);
    s.String("m_sGraphTitle", m_sGraphTitle);
    s.Flag8("showGraphComment", m_Options.bShowGraphComment);
    s.String("m_sGraphComment", m_sGraphComment);
    s.Int32("printOption", m_Options.iPrintOption);
    s.Flag32("printBlackAndWhite", m_bBlackAndWhite);
    s.Flag32("exportBlackAndWhite", m_Options.bExportBlackAndWhite);
    s.Flag32("printScalesBlackAndWhite", m_bScalesBlackAndWhite);
    s.Flag32("printScales", m_PrintSettings.bDrawScales);
    s.Flag32("printTitle", m_PrintSettings.bDrawTitle);
    s.Flag32("printScalesAgain", m_Options.bPrintScalesAgain);
    s.Flag32("printLegend", m_PrintSettings.bDrawLegend);
    s.Flag32("printComment", m_PrintSettings.bDrawComment);
    s.Flag32("exportTitle", m_ExportSettings.bDrawTitle);
    s.Flag32("exportScales", m_ExportSettings.bDrawScales);
    s.Flag32("exportLegend", m_ExportSettings.bDrawLegend);
    s.Flag32("exportComment", m_ExportSettings.bDrawComment);
    DescribeOutputGroup(s, "print", m_iPrintScaleFontSize, m_PrintSettings);
    DescribeOutputGroup(s, "export", m_iExportScaleFontSize, m_ExportSettings);

    std::vector<SEntry> aEntries[2];
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        const std::vector<SaveTableDetails>& aTable = *GetSaveTable(eChannel);
        std::vector<SEntry>& a = aEntries[eChannel];
        for (size_t i = 0; i < aTable.size(); ++i) {
            CQXTrace* pTrace = aTable[i].m_pTrace;
            if (!pTrace) {
                QXDebugLog(1, "CGraphDoc::Serialize", "LIMITLINE: Was ASSERT: Ch%c pTrace == NULL in pSaveTable at %d of %d",
                           eChannel == CHANNEL_A ? 'A' : 'B', static_cast<int>(i), static_cast<int>(aTable.size()));
                continue;
            }
            if (!pTrace->IsInUse() || pTrace->IsComputeTrace()) continue;
            const int bSave = aTable[i].m_bSave ? 1 : 0;
            a.push_back({pTrace, bSave, false});
            if (!bSave) continue;
            for (CQXTrace* pLimit : {pTrace->GetMinLimitLine(), pTrace->GetMaxLimitLine()})
                if (pLimit) a.push_back({pLimit, 1, true});
        }
        int iRecords = 0;
        for (const SEntry& e : a) iRecords += e.bSave;
        const char* szName = eChannel == CHANNEL_A ? "channelA" : "channelB";
        s.Int32((std::string(szName) + "EntryCount").c_str(), static_cast<std::int32_t>(a.size()));
        s.Int32((std::string(szName) + "RecordCount").c_str(), iRecords);
    }
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        s.BeginList(eChannel == CHANNEL_A ? "channelA" : "channelB");
        for (const SEntry& e : aEntries[eChannel]) {
            CQXTrace& t = *e.pTrace;
            s.BeginRecord(nullptr);
            s.Int32("traceType", t.GetOwnTraceType());
            s.Int32("channel", eChannel);
            s.Int32("extraInfo", static_cast<std::int32_t>(t.GetTraceCreateExtraInfo()));
            s.Flag32("save", e.bSave);
            if (!e.bLimit) s.Flag32("on", t.IsOn());
            s.String("name", t.GetTraceName(1, 0, 0));
            s.Flag32("live", t.IsLive());
            if (e.bLimit) {
                s.Int32("color", static_cast<std::int32_t>(t.GetScreenColor()));
                s.Flag32("on", t.IsOn());
                s.Flag32("hasLimitTable", static_cast<CLimitLine&>(t).HasLimitTable());
            }
            if (e.bSave) {
                // Inside a configuration the record carries the Y scale's presence.
                t.SetSerializingConfig(1);
                s.TraceRecord("record", t);
                t.SetSerializingConfig(0);
                s.Flag8("current", &t == m_pCurrentTrace);
            }
            s.EndRecord();
        }
        s.EndList();
    }
}

// ---- Reading --------------------------------------------------------------------------------

void CGraphDoc::ReadOptions(CArchive& ar)
{
    m_Options.iGraphDisplay = I32(ar);
    m_bAllOnSameView = From(94, 'b') ? I32(ar) != 0 : 0;
    m_Options.bShowGraphTitle = Flag8(ar);
    m_sGraphTitle = Str(ar);
    m_Options.bShowGraphComment = Flag8(ar);
    m_sGraphComment = Str(ar);

    const SGraphDocOptions defaults;
    const SGraphOutputSettings output;
    m_Options.iPrintOption = defaults.iPrintOption;
    m_bBlackAndWhite = m_Options.bExportBlackAndWhite = m_bScalesBlackAndWhite = 0;
    m_PrintSettings.bDrawScales = m_ExportSettings.bDrawScales = output.bDrawScales;
    m_PrintSettings.bDrawTitle = m_ExportSettings.bDrawTitle = output.bDrawTitle;
    m_PrintSettings.bDrawLegend = m_ExportSettings.bDrawLegend = output.bDrawLegend;
    m_PrintSettings.bDrawComment = m_ExportSettings.bDrawComment = output.bDrawComment;
    m_Options.bPrintScalesAgain = defaults.bPrintScalesAgain;
    if (From(95, 'd')) {
        m_Options.iPrintOption = I32(ar);
        m_bBlackAndWhite = I32(ar) != 0;
        if (From(96, 'c')) m_Options.bExportBlackAndWhite = I32(ar) != 0;
        if (From(97, 'f')) m_bScalesBlackAndWhite = I32(ar) != 0;
        m_PrintSettings.bDrawScales = I32(ar) != 0;
        m_PrintSettings.bDrawTitle = I32(ar) != 0;
        m_Options.bPrintScalesAgain = I32(ar) != 0;
        m_PrintSettings.bDrawLegend = I32(ar) != 0;
        m_PrintSettings.bDrawComment = I32(ar) != 0;
        m_ExportSettings.bDrawTitle = I32(ar) != 0;
        m_ExportSettings.bDrawScales = I32(ar) != 0;
        m_ExportSettings.bDrawLegend = I32(ar) != 0;
        m_ExportSettings.bDrawComment = I32(ar) != 0;
    }

    struct SGroup {
        int* piFontSize;
        SGraphOutputSettings* pSettings;
        int iDefaultFont;
    };
    const SGroup groups[] = {{&m_iPrintScaleFontSize, &m_PrintSettings, kDefaultPrintFontSize},
                             {&m_iExportScaleFontSize, &m_ExportSettings, kDefaultExportFontSize}};
    for (const SGroup& g : groups) {
        const bool bStored = Config(79);
        // Configuration 79 stored the print group without its font size.
        const bool bFontStored = bStored && (g.pSettings != &m_PrintSettings || Config(80));
        *g.piFontSize = bFontStored ? I32(ar) : g.iDefaultFont;
        g.pSettings->iGraticuleLineWidth = bStored ? I32(ar) : output.iGraticuleLineWidth;
        g.pSettings->iTraceLineWidth = bStored ? I32(ar) : output.iTraceLineWidth;
        g.pSettings->bGraticuleSolid = bStored ? I32(ar) : output.bGraticuleSolid;
    }
}

void CGraphDoc::ReadRecord(CArchive& ar)
{
    const bool bInspecting = IsInspecting();
    ReadOptions(ar);

    std::int32_t aiEntries[2] = {0, 0};
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        aiEntries[eChannel] = I32(ar);
        I32(ar); // the entries with a record: the entries say so themselves
        CTraceRecord::CheckCount(ar, aiEntries[eChannel], kSmallestEntryBytes, "entry count");
    }
    CTraceRecord::CheckCount(ar, static_cast<std::int64_t>(aiEntries[0]) + aiEntries[1], kSmallestEntryBytes,
                             "entry count");

    if (!bInspecting && IsReplacing()) {
        for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
            // A copy: removing may change the array under the loop.
            const std::vector<CQXTrace*> aTraces = GetTraceArray(eChannel);
            for (auto it = aTraces.rbegin(); it != aTraces.rend(); ++it) RemoveTraceBeforeSerialize(*it);
        }
    }

    CQXTrace* pCurrent = nullptr;
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        std::vector<SaveTableDetails>& aLoad = *GetLoadTable(eChannel);
        aLoad.assign(static_cast<size_t>(aiEntries[eChannel]), SaveTableDetails());
        CQXTrace* pOwner = nullptr;
        for (int i = 0; i < aiEntries[eChannel]; ++i) ReadEntry(ar, eChannel, i, pOwner, pCurrent);
    }
    if (bInspecting) return;

    ChooseCurrentTraceAfterLoading(pCurrent);
    EnsureTraceIDsCorrect();
    PostSerializeTransformations();
    if (CEventManager* pEvents = GetEventManager())
        pEvents->VerifyTraceEvents([this](LPARAM owner) { return CheckTraceExists(owner) != 0; });
}

void CGraphDoc::ReadEntry(CArchive& ar, ChannelNumber eChannel, int iIndex, CQXTrace*& pOwner, CQXTrace*& pCurrent)
{
    const bool bInspecting = IsInspecting();
    const std::int32_t iType = I32(ar);
    const std::int32_t iChannel = I32(ar);
    if (iType < 0 || iType >= TT_COUNT)
        throw CArchiveException(CArchiveException::badSchema, "unknown trace type " + std::to_string(iType));
    if (iChannel != eChannel)
        QXDebugLog(2, "CGraphDoc::Serialize", "SER: entry %d of channel %c names channel %d", iIndex,
                   eChannel == CHANNEL_A ? 'A' : 'B', iChannel);
    const auto eType = static_cast<TraceType>(iType);
    const long lExtraInfo = Config(39) ? I32(ar) : 0;
    SaveTableDetails& row = (*GetLoadTable(eChannel))[static_cast<size_t>(iIndex)];
    row.m_bSave = I32(ar) != 0;
    const bool bLimit = IsLimitLineType(iType);
    // Before the on flag was stored the record's own flag counts.
    const int iOn = (!bLimit && From(99, 'w')) ? (I32(ar) != 0) : -1;
    row.m_sText = Str(ar);
    const int bLive = From(91, '*') ? (I32(ar) != 0) : 0;
    if (bLimit) {
        ReadLimitLineEntry(ar, eType, pOwner, pCurrent, row);
        return;
    }

    const bool bUseLive = bLive && !bInspecting && eType != TT_FFTRESPONSE;
    CQXTrace* pLive = bUseLive ? GetTraceFromArray(eChannel, eType, lExtraInfo, 1) : nullptr;
    if (!row.m_bSave) {
        // No record: a live trace of the entry is shown again as it was.
        if (pLive && iOn == 1 && !(pLive->IsInUse() && pLive->IsOn())) NewTrace(pLive, 1, 0);
        row.m_pTrace = pLive;
        return;
    }

    std::unique_ptr<CQXTrace> pNew;
    CQXTrace* pTrace = pLive;
    if (!pTrace) {
        pNew.reset(CreateTrace(eType, eChannel, 0, lExtraInfo, 0, bUseLive, 0, 0, 0, 0));
        if (!pNew) throw CArchiveException(CArchiveException::genericException, "the trace could not be made");
        pTrace = pNew.get();
    }
    pTrace->SetSerializingConfig(1);
    pTrace->LoadTrace(ar, 1);
    const int bCurrent = Flag8(ar);
    if (bInspecting) {
        pTrace->SetSerializingConfig(0);
        return;
    }
    const int bOn = iOn >= 0 ? iOn : pTrace->IsOn();
    if (pTrace->IsInUse() && pTrace->IsOn()) pTrace->TraceOff(0);
    if (pNew) {
        if (!AddTraceToArray(pTrace))
            throw CArchiveException(CArchiveException::genericException, "out of memory for the trace arrays");
        pNew.release();
        MatchToExistingScales(pTrace, 0);
    }
    NewTrace(pTrace, bOn, 0);
    pTrace->SetSerializingConfig(0);
    row.m_pTrace = pTrace;
    pOwner = pTrace;
    if (bCurrent) pCurrent = pTrace;
}

void CGraphDoc::ReadLimitLineEntry(CArchive& ar, TraceType eType, CQXTrace* pOwner, CQXTrace*& pCurrent,
                                   SaveTableDetails& row)
{
    const auto crColor = static_cast<COLORREF>(I32(ar));
    const int bOn = I32(ar) != 0;
    const int bTable = I32(ar) != 0;
    const bool bKeep = pOwner && !IsInspecting();
    if (!pOwner)
        QXDebugLog(1, "CGraphDoc::Serialize", "LIMITLINE: a limit-line entry without a trace before it, read and dropped");
    // A line without an owner is read into one of its own and dropped.
    std::unique_ptr<CLimitLine> pLine =
        bKeep ? std::make_unique<CLimitLine>(pOwner, eType == TT_MAXLIMITLINE ? 1 : 0, 0) : std::make_unique<CLimitLine>();
    pLine->SetSerializingConfig(1);
    pLine->SetTableFlag(bTable);
    pLine->SerializeInConfig(ar);
    pLine->PostSerialize(ar);
    pLine->SetSerializingConfig(0);
    const int bCurrent = Flag8(ar);
    if (!bKeep) return;
    pLine->SetColor(crColor);
    CLimitLine* pKept = pLine.release();
    if (!pOwner->SetLimitLineForTrace(pKept, eType, bOn, 0, 0)) {
        delete pKept;
        return;
    }
    if (!bOn && pKept->IsOn()) pKept->TraceOff(0);
    row.m_pTrace = pKept;
    if (bCurrent) pCurrent = pKept;
}

void CGraphDoc::ChooseCurrentTraceAfterLoading(CQXTrace* pCurrent)
{
    if (pCurrent && pCurrent->IsInUse()) SetCurrentTrace(pCurrent, 0);
    CQXTrace* pTrace = m_pCurrentTrace && m_pCurrentTrace->IsInUse() ? m_pCurrentTrace : nullptr;
    if (!pTrace) {
        int iFirst = CHANNEL_A;
        int iLast = CHANNEL_B;
        GetChannelRange(iFirst, iLast);
        const int iSetting = iFirst == iLast ? iFirst : CHANNEL_BOTH;
        pTrace = GetFirstInUseAndOnTrace(iSetting == CHANNEL_B ? CHANNEL_B : CHANNEL_A);
        if (!pTrace && iSetting == CHANNEL_BOTH) {
            InitialiseCurrentTrace(CHANNEL_B);
            pTrace = m_pCurrentTrace;
        }
    }
    SetCurrentTrace(pTrace, 1);
    // Chosen now where SetCurrentTrace found no match on the other channel,
    // and labelling its Y scale.
    CQXTrace* pOther = GetOtherChannelCurrentTrace();
    if (pOther && pOther->GetYScale() && pOther->IsLive() && !pOther->IsLimitLine())
        pOther->GetYScale()->SetLiveTrace(pOther);
}

void CGraphDoc::RemoveTraceBeforeSerialize(CQXTrace* pTrace)
{
    if (pTrace) RemoveTrace(pTrace, 0);
}
