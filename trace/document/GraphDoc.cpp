// CGraphDoc: lifecycle, lookups, trace IDs, menu positions, the scales the
// traces share, the graph colours and the drawing situation.

#include "trace/document/GraphDoc.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/FileVersion.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "platform/DC.h"
#include "resources/StringTable.h"
#include "trace/display/XScale.h"
#include "trace/document/GraphColours.h"
#include "trace/document/GraphOLEData.h"
#include "trace/display/YScale.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <climits>
#include <set>

IMPLEMENT_DYNAMIC(CGraphDoc, CObject) // CCmdTarget has no run-time record of its own

namespace {

bool IsSweepType(TraceType eType) { return eType >= TT_SWEEP1 && eType <= TT_SWEEP4; }

// The trace type whose colour an X scale of a kind shows.
TraceType TraceTypeForScale(ScaleType eType)
{
    switch (eType) {
    case ST_SCOPE: return TT_SCOPE;
    case ST_FFT: return TT_FFT;
    case ST_USER: return TT_USER;
    default: return TT_SWEEP1;
    }
}

template <class T>
void EraseValue(std::vector<T*>& a, const void* p)
{
    a.erase(std::remove_if(a.begin(), a.end(), [p](const T* q) { return q == p; }), a.end());
}

constexpr ChannelNumber kBothChannels[] = {CHANNEL_A, CHANNEL_B};

} // namespace

CGraphDoc::CGraphDoc()
{
    EnableAutomation();
    InitialiseGraphColors();
}

CGraphDoc::~CGraphDoc() { DeleteAllTracesAndScales(); }

void CGraphDoc::DeleteAllTracesAndScales()
{
    // A trace deleting its own scales asks the installed document whether
    // another trace shares them; this document need not be the installed
    // one. So the traces forget their scales first, and each scale the
    // document knows of, or a trace held, is deleted here exactly once.
    std::set<CXScale*> xScales(m_apXScales.begin(), m_apXScales.end());
    std::set<CYScale*> yScales(m_apYScales.begin(), m_apYScales.end());
    for (CQXTrace* pTrace : m_aChATraces)
        if (pTrace) xScales.insert(pTrace->GetXScale()), yScales.insert(pTrace->GetYScale());
    for (CQXTrace* pTrace : m_aChBTraces)
        if (pTrace) xScales.insert(pTrace->GetXScale()), yScales.insert(pTrace->GetYScale());
    ForEachTraceAndLimitLine([](CQXTrace* pTrace) {
        pTrace->DetachScales();
        return false;
    });

    m_pCurrentTrace = m_pOtherChannelCurrentTrace = m_pAutomationTrace = nullptr;
    for (std::vector<CQXTrace*>* pArray : {&m_aChATraces, &m_aChBTraces}) {
        while (!pArray->empty()) {
            CQXTrace* pTrace = pArray->back();
            pArray->pop_back();
            delete pTrace; // its limit lines go with it
        }
    }
    for (auto* pTable : {&m_aChASaveTable, &m_aChBSaveTable, &m_aChALoadTable, &m_aChBLoadTable}) pTable->clear();
    m_apXScales.clear();
    m_apYScales.clear();
    for (CXScale* pScale : xScales) delete pScale;
    for (CYScale* pScale : yScales) delete pScale;
}

// ---- Walking the traces ---------------------------------------------------------

template <class Fn>
void CGraphDoc::ForEachTraceAndLimitLine(Fn fn)
{
    for (ChannelNumber eChannel : kBothChannels) {
        for (CQXTrace* pTrace : GetTraceArray(eChannel)) {
            if (!pTrace) continue;
            if (fn(pTrace)) return;
            if (CQXTrace* pMax = pTrace->GetMaxLimitLine(); pMax && fn(pMax)) return;
            if (CQXTrace* pMin = pTrace->GetMinLimitLine(); pMin && fn(pMin)) return;
        }
    }
}

CQXTrace* CGraphDoc::OwnerOf(CQXTrace* pTrace)
{
    if (!pTrace || !pTrace->IsLimitLine()) return pTrace;
    if (CQXTrace* pOwner = pTrace->GetOwnerTrace()) return pOwner;
    // A line that has lost its parent pointer is still owned by a trace here.
    CQXTrace* pFound = nullptr;
    ForEachTraceAndLimitLine([&](CQXTrace* pCandidate) {
        if (pCandidate->GetMaxLimitLine() == pTrace || pCandidate->GetMinLimitLine() == pTrace) pFound = pCandidate;
        return pFound != nullptr;
    });
    return pFound ? pFound : pTrace;
}

bool CGraphDoc::IsTraceOrItsLimitLine(const CQXTrace* pCandidate, const CQXTrace* pTrace) const
{
    if (!pCandidate || !pTrace) return false;
    return pCandidate == pTrace || pCandidate == pTrace->GetMaxLimitLine() || pCandidate == pTrace->GetMinLimitLine();
}

void CGraphDoc::GetChannelRange(int& iFirst, int& iLast)
{
    iFirst = CHANNEL_A;
    iLast = CHANNEL_B;
    if (const CAnalyserSettings* pSettings = GetAnalyserSettings()) pSettings->GetAnalyserChannelRange(iFirst, iLast);
}

// ---- Trace arrays and tables -------------------------------------------------------

std::vector<CQXTrace*>& CGraphDoc::GetTraceArray(ChannelNumber eChannel)
{
    QXASSERT(IsSingleChannel(eChannel));
    if (eChannel == CHANNEL_B) return m_aChBTraces;
    if (eChannel == CHANNEL_A) return m_aChATraces;
    static thread_local std::vector<CQXTrace*> s_aNone;
    s_aNone.clear();
    return s_aNone;
}

std::vector<SaveTableDetails>* CGraphDoc::GetSaveTable(ChannelNumber eChannel)
{
    if (!QXVERIFY(IsSingleChannel(eChannel))) return nullptr;
    return eChannel == CHANNEL_B ? &m_aChBSaveTable : &m_aChASaveTable;
}

std::vector<SaveTableDetails>* CGraphDoc::GetLoadTable(ChannelNumber eChannel)
{
    if (!QXVERIFY(IsSingleChannel(eChannel))) return nullptr;
    return eChannel == CHANNEL_B ? &m_aChBLoadTable : &m_aChALoadTable;
}

void CGraphDoc::AddTrace(CQXTrace* pTrace)
{
    if (!pTrace) return;
    const std::vector<CQXTrace*>& aTraces = GetTraceArray(pTrace->GetChannel());
    if (std::find(aTraces.begin(), aTraces.end(), pTrace) == aTraces.end()) AddTraceToArray(pTrace);
}

int CGraphDoc::GetInsertionPoint(CQXTrace* pTrace)
{
    if (!pTrace) return 0;
    const std::vector<CQXTrace*>& aTraces = GetTraceArray(pTrace->GetChannel());
    const TraceType eType = pTrace->GetOwnTraceType();
    const auto it = std::find_if(aTraces.begin(), aTraces.end(), [&](CQXTrace* pOther) {
        const TraceType eOther = pOther->GetOwnTraceType();
        return eOther > eType || (eOther == eType && pOther->IsCopy() > pTrace->IsCopy());
    });
    return static_cast<int>(it - aTraces.begin());
}

int CGraphDoc::AddTraceToArray(CQXTrace* pTrace)
{
    if (!QXVERIFY(pTrace != nullptr) || !QXVERIFY(IsSingleChannel(pTrace->GetChannel()))) return 0;
    std::vector<CQXTrace*>& aTraces = GetTraceArray(pTrace->GetChannel());
    std::vector<SaveTableDetails>& aTable = *GetSaveTable(pTrace->GetChannel());
    const auto iIndex = static_cast<std::ptrdiff_t>(GetInsertionPoint(pTrace));
    try {
        // Room first, so that a failure leaves trace and row both out.
        aTraces.reserve(aTraces.size() + 1);
        aTable.reserve(aTable.size() + 1);
        aTraces.insert(aTraces.begin() + iIndex, pTrace);
        SaveTableDetails row;
        row.m_pTrace = pTrace;
        // Rows and traces go in step, so the row's index is the trace's.
        aTable.insert(aTable.begin() + std::min(iIndex, static_cast<std::ptrdiff_t>(aTable.size())), row);
    } catch (const std::bad_alloc&) {
        EraseValue(aTraces, pTrace);
        return 0;
    }
    return 1;
}

void CGraphDoc::UpdateAllViews(int iHint, CObject* pObject) { UpdateViews(nullptr, iHint, pObject); }

// ---- Lookups ------------------------------------------------------------------------

CQXTrace* CGraphDoc::GetTraceFromID(short sID)
{
    if (sID == TRACE_NULL_ID || sID == 0) return nullptr;
    CQXTrace* pFound = nullptr;
    ForEachTraceAndLimitLine([&](CQXTrace* pTrace) {
        if (pTrace->GetTraceID() == sID) pFound = pTrace;
        return pFound != nullptr;
    });
    return pFound;
}

CQXTrace* CGraphDoc::GetTraceFromArray(ChannelNumber eChannel, TraceType eType, long lExtraInfo, int bLive)
{
    if (!IsSingleChannel(eChannel)) return nullptr;
    for (CQXTrace* pTrace : GetTraceArray(eChannel))
        if (pTrace->GetOwnTraceType() == eType && (pTrace->IsLive() != 0) == (bLive != 0) &&
            pTrace->GetTraceCreateExtraInfo() == lExtraInfo)
            return pTrace;
    return nullptr;
}

CQXTrace* CGraphDoc::GetFirstMatchingTraceFromArray(CQXTrace* pTrace, ChannelNumber eChannel, int bLive, int bInUse,
                                                     int bOn)
{
    if (!pTrace || !IsSingleChannel(eChannel)) return nullptr;
    const TraceType eType = pTrace->GetTraceType();
    for (CQXTrace* pOther : GetTraceArray(eChannel)) {
        const TraceType eOther = pOther->GetTraceType();
        const bool bSameKind = eOther == eType || (IsSweepType(eOther) && IsSweepType(eType));
        if (bSameKind && (pOther->IsLive() != 0) == (bLive != 0) && (pOther->IsInUse() != 0) == (bInUse != 0) &&
            (pOther->IsOn() != 0) == (bOn != 0))
            return pOther;
    }
    return nullptr;
}

CQXTrace* CGraphDoc::GetFirstInUseAndOnTrace(ChannelNumber eChannel)
{
    if (!IsSingleChannel(eChannel)) return nullptr;
    for (CQXTrace* pTrace : GetTraceArray(eChannel))
        if (pTrace->IsInUse() && pTrace->IsOn()) return pTrace;
    return nullptr;
}

CQXTrace* CGraphDoc::GetNextInUseTrace(const std::vector<CQXTrace*>& aTraces, int iIndex)
{
    if (iIndex < 0 || iIndex >= static_cast<int>(aTraces.size()) - 1) return nullptr;
    for (size_t i = static_cast<size_t>(iIndex); i < aTraces.size(); ++i)
        if (aTraces[i] && aTraces[i]->IsInUse()) return aTraces[i];
    return nullptr;
}

CQXTrace* CGraphDoc::GetNextInUseAndOnTraceAfter(CQXTrace* pTrace)
{
    if (!pTrace || !IsSingleChannel(pTrace->GetChannel())) return nullptr;
    const std::vector<CQXTrace*>& aTraces = GetTraceArray(pTrace->GetChannel());
    auto it = std::find(aTraces.begin(), aTraces.end(), pTrace);
    if (it == aTraces.end()) return nullptr;
    for (++it; it != aTraces.end(); ++it)
        if ((*it)->IsInUse() && (*it)->IsOn()) return *it;
    return nullptr;
}

CQXTrace* CGraphDoc::GetMatchingTrace(ChannelNumber eChannel, TracePredicate fnPredicate, void* pContext)
{
    if (!QXVERIFY(fnPredicate != nullptr)) return nullptr;
    for (ChannelNumber eVisit : kBothChannels) {
        if (eChannel != CHANNEL_BOTH && eChannel != eVisit) continue;
        for (CQXTrace* pTrace : GetTraceArray(eVisit))
            if (fnPredicate(pTrace, pContext)) return pTrace;
    }
    return nullptr;
}

int CGraphDoc::FillTraceCombo(ITraceCombo* pCombo, ChannelNumber eChannel, TraceComboCallback fnCallback,
                              void* pContext)
{
    if (!QXVERIFY(pCombo != nullptr) || !QXVERIFY(fnCallback != nullptr)) return 0;
    pCombo->ResetContent();
    for (ChannelNumber eVisit : kBothChannels) {
        if (eChannel != CHANNEL_BOTH && eChannel != eVisit) continue;
        for (CQXTrace* pTrace : GetTraceArray(eVisit))
            if (!fnCallback(pCombo, pTrace, pContext)) return 0;
    }
    return 1;
}

int CGraphDoc::CheckTraceExists(std::intptr_t lHandle) const
{
    for (const std::vector<CQXTrace*>* pArray : {&m_aChATraces, &m_aChBTraces})
        for (const CQXTrace* pTrace : *pArray)
            if (reinterpret_cast<std::intptr_t>(pTrace) == lHandle) return 1;
    return 0;
}

// ---- Menu positions ------------------------------------------------------------------

template <class Fn>
void CGraphDoc::ForEachMenuEntry(ChannelNumber eChannel, bool bVisitOther, Fn fn)
{
    const auto shown = [](const CQXTrace* pLimit) { return pLimit && pLimit->IsInUse() && pLimit->IsOn(); };
    for (ChannelNumber eVisit : kBothChannels) {
        if (eVisit != eChannel && eChannel != CHANNEL_BOTH && !bVisitOther) continue;
        for (CQXTrace* pTrace : GetTraceArray(eVisit)) {
            if (!pTrace->IsInUse()) continue;
            if (fn(pTrace)) return;
            if (shown(pTrace->GetMaxLimitLine()) && fn(pTrace->GetMaxLimitLine())) return;
            if (shown(pTrace->GetMinLimitLine()) && fn(pTrace->GetMinLimitLine())) return;
        }
    }
}

CQXTrace* CGraphDoc::GetTraceFromMenuIndex(ChannelNumber eChannel, int iIndex)
{
    CQXTrace* pFound = nullptr;
    int iPosition = 0;
    ForEachMenuEntry(eChannel, DrawingAllOnSameView() != 0, [&](CQXTrace* pEntry) {
        if (iPosition++ == iIndex) pFound = pEntry;
        return pFound != nullptr;
    });
    QXASSERT(pFound != nullptr);
    return pFound;
}

int CGraphDoc::GetMenuIndexOfTrace(CQXTrace* pTrace)
{
    int iFound = -1;
    if (pTrace) {
        int iPosition = 0;
        ForEachMenuEntry(OwnerOf(pTrace)->GetChannel(), DrawingAllOnSameView() != 0, [&](CQXTrace* pEntry) {
            if (pEntry == pTrace) iFound = iPosition;
            ++iPosition;
            return iFound >= 0;
        });
    }
    QXASSERT(iFound >= 0);
    return iFound;
}

// ---- Trace IDs -------------------------------------------------------------------------

short CGraphDoc::GetNextTraceID()
{
    short sMax = 0;
    std::set<short> used;
    ForEachTraceAndLimitLine([&](CQXTrace* pTrace) {
        sMax = std::max(sMax, pTrace->GetTraceID());
        used.insert(pTrace->GetTraceID());
        return false;
    });
    if (sMax < SHRT_MAX) return static_cast<short>(sMax + 1);
    // The largest ID is taken: reuse the first gap rather than wrap to a negative ID.
    for (short sID = 1; sID < SHRT_MAX; ++sID)
        if (!used.count(sID)) return sID;
    QXASSERT(!"no free trace ID");
    return TRACE_NULL_ID;
}

void CGraphDoc::EnsureTraceIDUnique(CQXTrace* pTrace)
{
    if (!pTrace) return;
    for (ChannelNumber eChannel : kBothChannels) {
        for (CQXTrace* pOther : GetTraceArray(eChannel)) {
            if (pOther != pTrace && pOther->GetTraceID() == pTrace->GetTraceID()) {
                pTrace->SetTraceID(GetNextTraceID());
                return;
            }
        }
    }
}

int CGraphDoc::HasDuplicateTraceID(CQXTrace* pTrace, int bFix)
{
    if (!pTrace) return 0;
    short sMax = 0;
    bool bDuplicate = false;
    ForEachTraceAndLimitLine([&](CQXTrace* pOther) {
        sMax = std::max(sMax, pOther->GetTraceID());
        if (pOther != pTrace && pOther->GetTraceID() == pTrace->GetTraceID()) bDuplicate = true;
        return false;
    });
    if (bDuplicate && bFix) pTrace->SetTraceID(sMax < SHRT_MAX ? static_cast<short>(sMax + 1) : GetNextTraceID());
    return bDuplicate ? 1 : 0;
}

void CGraphDoc::EnsureTraceIDsCorrect()
{
    // Archives up to 1.21k could hold loaded traces that kept the ID of
    // their file; later ones only clash through limit lines.
    const bool bOldArchive = CheckFileVersion(121, 107) < 1;
    for (ChannelNumber eChannel : kBothChannels) {
        for (CQXTrace* pTrace : GetTraceArray(eChannel)) {
            if (bOldArchive && !pTrace->GetFileName().IsEmpty()) EnsureTraceIDUnique(pTrace);
            if (CQXTrace* pMin = pTrace->GetMinLimitLine()) HasDuplicateTraceID(pMin, 1);
            if (CQXTrace* pMax = pTrace->GetMaxLimitLine()) HasDuplicateTraceID(pMax, 1);
        }
    }
}

// ---- Scales ---------------------------------------------------------------------

void CGraphDoc::AddXScale(CXScale* pScale)
{
    if (pScale && std::find(m_apXScales.begin(), m_apXScales.end(), pScale) == m_apXScales.end())
        m_apXScales.push_back(pScale);
}

void CGraphDoc::AddYScale(CYScale* pScale)
{
    if (pScale && std::find(m_apYScales.begin(), m_apYScales.end(), pScale) == m_apYScales.end())
        m_apYScales.push_back(pScale);
}

void CGraphDoc::RemoveScaleFromArrays(CScale* pScale)
{
    EraseValue(m_apXScales, pScale);
    EraseValue(m_apYScales, pScale);
}

double CGraphDoc::GetMaxAllowedXScaleValue(CQXTrace* pTrace) const
{
    if (!pTrace || !IsSingleChannel(pTrace->GetChannel())) return DBL_MAX;
    return m_dMaxAllowedXScaleValue[pTrace->GetChannel()];
}

void CGraphDoc::RecalcMaxAllowedXScaleValue()
{
    // No channel limits its X range until the live traces set one.
    m_dMaxAllowedXScaleValue[0] = m_dMaxAllowedXScaleValue[1] = DBL_MAX;
}

// ---- Colours --------------------------------------------------------------------

void CGraphDoc::InitialiseGraphColors() { SetGraphColours(*this, ReadGraphColours()); }

COLORREF CGraphDoc::GetDefaultTraceColor(TraceType eType, int bCopy) const
{
    if (!QXVERIFY(eType >= 0 && eType < TT_COUNT)) return 0xFFFFFF;
    return m_acrTraceColors[eType][bCopy ? 1 : 0];
}

void CGraphDoc::SetDefaultTraceColor(TraceType eType, int bCopy, COLORREF crColor)
{
    if (QXVERIFY(eType >= 0 && eType < TT_COUNT)) m_acrTraceColors[eType][bCopy ? 1 : 0] = crColor;
}

void CGraphDoc::ResetTraceColors(int bUpdate)
{
    ForEachTraceAndLimitLine([this](CQXTrace* pTrace) {
        const COLORREF crColor = GetDefaultTraceColor(pTrace->GetOwnTraceType(), pTrace->IsCopy());
        // A cycling copy colour was handed out when the copy was made.
        if (crColor != COLOR_CYCLE) pTrace->SetColor(crColor);
        return false;
    });
    if (bUpdate) UpdateAllViews(UPDATE_GRAPH_REDRAWALL, this);
}

COLORREF CGraphDoc::GetXScaleColor(ScaleType eType, ChannelNumber /*eChannel*/) const
{
    const COLORREF crColor = m_acrTraceColors[TraceTypeForScale(eType)][0];
    // A cycling marker is not a colour; a scale then shows white.
    return crColor == COLOR_CYCLE ? 0xFFFFFF : crColor;
}

// ---- Drawing situation -------------------------------------------------------------

SDrawContext CGraphDoc::GetDrawContext(const CDC* pDC) const { return DrawContextOf(this, pDC); }

SDrawContext CGraphDoc::DrawContextOf(const CGraphDoc* pDoc, const CDC* pDC)
{
    SDrawRequest request;
    request.bDevicePrinting = pDC && pDC->IsPrinting();
    request.bDeviceMetafile = pDC && pDC->IsMetafile();
    if (pDoc) {
        request.bExporting = pDoc->m_bExporting;
        request.bExportPreview = pDoc->m_bExportPreview;
        request.bPrinting = pDoc->m_bPrinting;
        request.bPrintPreview = pDoc->m_bPrintPreview;
        const bool bExport = pDoc->m_bExporting || pDoc->m_bExportPreview;
        request.bBlackAndWhite = bExport ? pDoc->m_Options.bExportBlackAndWhite : pDoc->m_bBlackAndWhite;
        request.bScalesBlackAndWhite = pDoc->m_bScalesBlackAndWhite;
        request.bBoldCurrentTrace = pDoc->m_bDrawCurrentTraceBold;
        request.crScreenBackground = pDoc->m_crBackground;
        request.iPrintFontPoints = pDoc->m_iPrintScaleFontSize;
        request.iExportFontPoints = pDoc->m_iExportScaleFontSize;
    }
    return MakeDrawContext(request);
}

int CGraphDoc::DrawingAllOnSameView() const
{
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    GetChannelRange(iFirst, iLast);
    return (iFirst == CHANNEL_A && iLast == CHANNEL_B && m_bAllOnSameView) ? 1 : 0;
}

int CGraphDoc::ShowMessage(int iStringId, unsigned uType, int bShowMessages)
{
    if (!bShowMessages) return DefaultMessageBoxAnswer(uType);
    return AfxMessageBox(LoadResString(iStringId), uType);
}
