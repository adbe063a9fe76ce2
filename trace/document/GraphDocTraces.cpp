// CGraphDoc: the initial traces, new traces and copies, removing traces,
// the current trace, showing and hiding traces, trace properties and the
// reaction to a change of the analyser's channels.

#include "trace/document/GraphDoc.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/app/Registry.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SweepManager.h"
#include "platform/CriticalSection.h"
#include "resources/StringTable.h"
#include "trace/display/YScale.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"
#include "trace/types/SweepTrace.h"

#include <algorithm>
#include <new>

namespace {

ChannelNumber OtherChannel(ChannelNumber eChannel) { return eChannel == CHANNEL_B ? CHANNEL_A : CHANNEL_B; }

// Makes the trace the one its Y scale labels, where it can be.
void BindYScale(CQXTrace* pTrace)
{
    if (pTrace && pTrace->GetYScale() && pTrace->IsLive() && !pTrace->IsLimitLine())
        pTrace->GetYScale()->SetLiveTrace(pTrace);
}

// The live traces Initialise makes for each channel, in creation order
// within a step; each step makes channel A's then channel B's.
struct SInitialStep {
    TraceType aTypes[4];
    int iCount;
    int bInUse;
    int bAutoZoomX;
};

constexpr SInitialStep kInitialSteps[] = {
    {{TT_SCOPE}, 1, 1, 1},
    {{TT_FFT}, 1, 1, 1},
    {{TT_CTDET}, 1, 0, 1},
    {{TT_CTFFT}, 1, 0, 1},
    {{TT_SWEEP1, TT_SWEEP2, TT_SWEEP3, TT_SWEEP4}, 4, 0, 0},
};

// A running sweep keeps the limit lines of its results; a line going away
// must not stay in any slot.
void ForgetSweepLimitLine(const CQXTrace* pLimit)
{
    CSweepManager* pSweeps = GetSweepManager();
    if (!pSweeps) return;
    for (int i = 0; i < CSweepManager::kNumResultSlots; ++i) {
        CSweepManager::SResultSlot* pSlot = pSweeps->GetResultSlot(i);
        if (!pSlot) continue;
        if (static_cast<const CQXTrace*>(pSlot->pMaxLimit) == pLimit) pSlot->pMaxLimit = nullptr;
        if (static_cast<const CQXTrace*>(pSlot->pMinLimit) == pLimit) pSlot->pMinLimit = nullptr;
    }
}

} // namespace

// ---- Initial traces ---------------------------------------------------------------

CQXTrace* CGraphDoc::CreateInitialTrace(TraceType eType, ChannelNumber eChannel, int bInUse)
{
    // Sweeps start empty, whatever their slot.
    const int iDataSize = CQXTrace::GetDefaultDataSize(eType >= TT_SWEEP1 && eType <= TT_SWEEP4 ? TT_SWEEP1 : eType);
    return CreateTrace(eType, eChannel, iDataSize, 0, 0, 1, 0, bInUse, bInUse, 1);
}

int CGraphDoc::Initialise()
{
    int bOk = 1;
    try {
        for (const SInitialStep& step : kInitialSteps) {
            for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
                for (int i = 0; i < step.iCount && bOk; ++i) {
                    CQXTrace* pTrace = CreateInitialTrace(step.aTypes[i], eChannel, step.bInUse);
                    if (!pTrace) bOk = 0;
                    else if (step.bAutoZoomX) AutoZoomX(pTrace, 0, 0);
                }
            }
        }
    } catch (const std::bad_alloc&) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        bOk = 0;
    }
    m_pCurrentTrace = GetFirstInUseAndOnTrace(CHANNEL_A);
    if (!m_pCurrentTrace) InitialiseCurrentTrace(CHANNEL_B);
    m_sExportFileExt = CRegistry::GetRegistryValue(0, L"TraceExport", L"FileExt", L"emf");
    m_crExportBackground = 0xFFFFFF;
    return bOk;
}

// ---- New traces and copies --------------------------------------------------------

void CGraphDoc::NewTrace(CQXTrace* pTrace, int bOn, int bUpdate)
{
    if (!QXVERIFY(pTrace != nullptr)) return;
    pTrace->SetInUse(1);
    if (bOn) TraceOn(pTrace, 0);
    if (bUpdate) UpdateAllViews(UPDATE_TRACE_ADD, pTrace);

    if (!m_pCurrentTrace && pTrace->IsOn()) {
        SetCurrentTrace(pTrace, bUpdate);
    } else if (!m_pOtherChannelCurrentTrace && m_pCurrentTrace &&
               m_pCurrentTrace->GetChannel() != pTrace->GetChannel() && pTrace->IsOn()) {
        m_pOtherChannelCurrentTrace = pTrace;
    }
    EnableLimitLineEvents(pTrace);
}

void CGraphDoc::EnableLimitLineEvents(CQXTrace* pTrace)
{
    CEventManager* pEvents = GetEventManager();
    if (!pEvents) return;
    const LPARAM owner = reinterpret_cast<LPARAM>(pTrace);
    const std::pair<CQXTrace*, int> limits[] = {{pTrace->GetMinLimitLine(), EVENT_MIN_LIMIT_BREACHED},
                                                {pTrace->GetMaxLimitLine(), EVENT_MAX_LIMIT_BREACHED}};
    for (const auto& [pLimit, iKind] : limits) {
        SEventDetails details;
        if (!pLimit || !pEvents->GetEventDetails(iKind, owner, details)) continue;
        details.bEnabled = 1;
        if (!details.bStateFlag1 && !details.bStateFlag2 && !details.sText.IsEmpty()) details.bStateFlag1 = 1;
        pEvents->UpdateEvent(details);
    }
}

CQXTrace* CGraphDoc::CopyTrace(CQXTrace* pTrace, int bSweepCopy, int bUpdate)
{
    if (!pTrace || !pTrace->CanCopy() || !pTrace->IsOn()) return nullptr;
    CQXTrace* pCopy = CreateTrace(pTrace->GetOwnTraceType(), pTrace->GetChannel(), 0,
                                  pTrace->GetTraceCreateExtraInfo(), 0, 0, 1, 0, 0, 0);
    if (!pCopy) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return nullptr;
    }
    pCopy->CopyFrom(pTrace);
    pCopy->SetCopyDetails(pTrace);
    if (!pTrace->GetUserName().IsEmpty()) pCopy->SetTraceName(LoadResString(IDS_COPY_OF) + pTrace->GetUserName());
    if (pCopy->IsKindOf(RUNTIME_CLASS(CSweepTrace))) static_cast<CSweepTrace*>(pCopy)->SetSweepCopy(bSweepCopy);

    if (pCopy->IsOn()) TraceOff(pCopy, 0);
    pCopy->SetInUse(0);
    if (!AddTraceToArray(pCopy)) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        delete pCopy;
        return nullptr;
    }
    NewTrace(pCopy, 1, bUpdate);
    return pCopy;
}

// ---- Removing traces ----------------------------------------------------------------

int CGraphDoc::RemoveTrace(CQXTrace* pTrace, int bUpdate)
{
    if (!QXVERIFY(pTrace != nullptr)) return 0;
    bool bDelete = false;
    {
        // The acquisition side may be delivering data to the trace.
        pTrace->LockTrace();
        if (pTrace->IsOn()) pTrace->TraceOff(1);
        pTrace->SetInUse(0);
        for (CQXTrace* pLimit : {pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
            if (pLimit && pLimit->IsOn()) pLimit->TraceOff(1);

        if (!IsSingleChannel(pTrace->GetChannel())) {
            pTrace->UnlockTrace();
            return 0;
        }
        if (IsTraceOrItsLimitLine(m_pAutomationTrace, pTrace)) m_pAutomationTrace = nullptr;
        if (IsTraceOrItsLimitLine(m_pCurrentTrace, pTrace)) SetCurrentTrace(SelectNewCurrentTrace(pTrace), 0);
        if (IsTraceOrItsLimitLine(m_pOtherChannelCurrentTrace, pTrace)) {
            // Replaced within its own channel, so that the current trace stays put.
            CQXTrace* pNext = GetNextInUseAndOnTraceAfter(OwnerOf(pTrace));
            m_pOtherChannelCurrentTrace = pNext ? pNext : GetFirstInUseAndOnTrace(pTrace->GetChannel());
        }

        if (pTrace->IsLimitLine()) {
            CQXTrace* pOwner = OwnerOf(pTrace);
            if (pOwner != pTrace && pOwner->IsSweepTrace()) ForgetSweepLimitLine(pTrace);
            if (pOwner != pTrace) pOwner->DetachLimitLine(pTrace);
            bDelete = true;
        } else if (pTrace->IsUserTrace() || pTrace->GetOwnTraceType() == TT_FFTRESPONSE || !pTrace->IsLive()) {
            RemoveTraceFromArray(pTrace);
            pTrace->DeleteXScale();
            pTrace->DeleteYScale();
            bDelete = true;
        }
        pTrace->UnlockTrace();
    }
    if (bUpdate) UpdateAllViews(UPDATE_TRACE_REMOVE, pTrace);
    if (bDelete) {
        TellTracesOfDeletion(pTrace);
        DeleteTrace(pTrace);
    }
    return 1;
}

void CGraphDoc::RemoveTraceFromArray(CQXTrace* pTrace)
{
    if (!pTrace || !IsSingleChannel(pTrace->GetChannel())) return;
    const ChannelNumber eChannel = pTrace->GetChannel();
    std::vector<CQXTrace*>& aTraces = GetTraceArray(eChannel);
    const auto it = std::find(aTraces.begin(), aTraces.end(), pTrace);
    if (!QXVERIFY(it != aTraces.end())) return;
    const auto iIndex = it - aTraces.begin();
    aTraces.erase(it);
    std::vector<SaveTableDetails>& aTable = *GetSaveTable(eChannel);
    if (QXVERIFY(iIndex < static_cast<std::ptrdiff_t>(aTable.size()))) aTable.erase(aTable.begin() + iIndex);
    if (m_pOtherChannelCurrentTrace == pTrace) m_pOtherChannelCurrentTrace = nullptr;
    if (m_pCurrentTrace == pTrace) SetCurrentTrace(GetFirstInUseAndOnTrace(eChannel), 1);
}

void CGraphDoc::TellTracesOfDeletion(CQXTrace* pDeleted)
{
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pTrace : GetTraceArray(eChannel)) {
            if (!pTrace || pTrace == pDeleted) continue;
            for (CQXTrace* p : {pTrace, pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
                if (p && p != pDeleted) p->OnTraceDeleted(pDeleted);
        }
}

void CGraphDoc::PostSerializeTransformations()
{
    // Over a copy: showing a live trace's transforms adds its compute trace
    // to the array, which may move the array's storage.
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pTrace : std::vector<CQXTrace*>(GetTraceArray(eChannel))) {
            if (!pTrace) continue;
            for (CQXTrace* p : {pTrace, pTrace->GetMaxLimitLine(), pTrace->GetMinLimitLine()})
                if (p) p->PostSerializeTransformations();
        }
}

void CGraphDoc::DeleteTrace(CQXTrace* pTrace)
{
    if (!pTrace) return;
    // The trace outlives every caller still on the stack: the host deletes
    // it when its message loop next runs.
    PostAppMessage(APPMSG_DELETE_TRACE, 0, reinterpret_cast<LPARAM>(static_cast<CObject*>(pTrace)));
}

// ---- The current trace ----------------------------------------------------------------

CQXTrace* CGraphDoc::GetCurrentTrace() const
{
    QXASSERT(!m_pCurrentTrace || m_pCurrentTrace->IsInUse());
    return m_pCurrentTrace;
}

CQXTrace* CGraphDoc::GetCurrentTrace(ChannelNumber eChannel) const
{
    if (m_pCurrentTrace && m_pCurrentTrace->GetChannel() == eChannel) return m_pCurrentTrace;
    if (m_pOtherChannelCurrentTrace && m_pOtherChannelCurrentTrace->GetChannel() == eChannel)
        return m_pOtherChannelCurrentTrace;
    // The other channel's current trace is chosen when first asked for
    // (GetOtherChannelCurrentTrace); until then it would be this one.
    if (!m_pCurrentTrace || !IsSingleChannel(eChannel)) return nullptr;
    const std::vector<CQXTrace*>& aTraces = eChannel == CHANNEL_B ? m_aChBTraces : m_aChATraces;
    const auto it =
        std::find_if(aTraces.begin(), aTraces.end(), [](const CQXTrace* p) { return p->IsInUse() && p->IsOn(); });
    return it != aTraces.end() ? *it : nullptr;
}

void CGraphDoc::SetCurrentTrace(ChannelNumber eChannel, CQXTrace* pTrace)
{
    if (!QXVERIFY(IsSingleChannel(eChannel))) return;
    if (!m_pCurrentTrace || m_pCurrentTrace->GetChannel() == eChannel) m_pCurrentTrace = pTrace;
    else m_pOtherChannelCurrentTrace = pTrace;
}

CQXTrace* CGraphDoc::GetOtherChannelCurrentTrace()
{
    if (!m_pOtherChannelCurrentTrace && m_pCurrentTrace && IsSingleChannel(m_pCurrentTrace->GetChannel()))
        m_pOtherChannelCurrentTrace = GetFirstInUseAndOnTrace(OtherChannel(m_pCurrentTrace->GetChannel()));
    return m_pOtherChannelCurrentTrace;
}

void CGraphDoc::SetCurrentTrace(CQXTrace* pTrace, int bUpdate)
{
    if (pTrace) {
        QXASSERT(pTrace->IsInUse());
        if (!pTrace->IsOn()) TraceOn(pTrace, bUpdate);
    }
    CQXTrace* pPrevious = m_pCurrentTrace;
    if (pTrace && pPrevious && pPrevious->GetChannel() != pTrace->GetChannel())
        m_pOtherChannelCurrentTrace = pPrevious;
    if (pTrace && m_pOtherChannelCurrentTrace && m_pOtherChannelCurrentTrace->GetChannel() == pTrace->GetChannel())
        m_pOtherChannelCurrentTrace = nullptr;

    m_pCurrentTrace = pTrace;
    BindYScale(pTrace);

    if (pTrace && IsSingleChannel(pTrace->GetChannel())) {
        const ChannelNumber eOther = OtherChannel(pTrace->GetChannel());
        CQXTrace* pMatch = GetFirstMatchingTraceFromArray(pTrace, eOther, 1, 1, 1);
        if (!pMatch) pMatch = GetFirstMatchingTraceFromArray(pTrace, eOther, 0, 1, 1);
        if (pMatch) {
            m_pOtherChannelCurrentTrace = pMatch;
            if (pMatch->GetYScale() != pTrace->GetYScale()) BindYScale(pMatch);
        }
    }
    if (bUpdate) UpdateAllViews(UPDATE_TRACE_CURRENT, pTrace);
}

CQXTrace* CGraphDoc::SelectNewCurrentTrace(CQXTrace* pLeaving)
{
    pLeaving = OwnerOf(pLeaving);
    if (!pLeaving || !IsSingleChannel(pLeaving->GetChannel())) {
        m_pCurrentTrace = nullptr;
        return nullptr;
    }
    if (CQXTrace* pNext = GetNextInUseAndOnTraceAfter(pLeaving)) {
        SetCurrentTrace(pNext, 0);
        return pNext;
    }
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    GetChannelRange(iFirst, iLast);
    const ChannelNumber eChannel = pLeaving->GetChannel();
    CQXTrace* pNew = nullptr;
    if ((eChannel == CHANNEL_A && iLast == CHANNEL_B) || (eChannel == CHANNEL_B && iFirst == CHANNEL_A)) {
        pNew = GetFirstInUseAndOnTrace(CHANNEL_B);
        if (!pNew) pNew = GetFirstInUseAndOnTrace(CHANNEL_A);
    } else {
        pNew = GetFirstInUseAndOnTrace(eChannel);
    }
    m_pCurrentTrace = pNew;
    return pNew;
}

void CGraphDoc::InitialiseCurrentTrace(ChannelNumber eChannel)
{
    m_pCurrentTrace = GetFirstInUseAndOnTrace(eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A);
    if (!m_pCurrentTrace && eChannel == CHANNEL_BOTH) m_pCurrentTrace = GetFirstInUseAndOnTrace(CHANNEL_B);
}

// ---- Showing and hiding -------------------------------------------------------------------

void CGraphDoc::TraceOn(CQXTrace* pTrace, int bUpdate)
{
    if (!QXVERIFY(pTrace != nullptr)) return;
    pTrace->TraceOn(bUpdate, 1);
    if (!m_pCurrentTrace) SetCurrentTrace(pTrace, bUpdate);
    if (bUpdate) UpdateAllViews(UPDATE_TRACE_ON, pTrace);
}

void CGraphDoc::TraceOff(CQXTrace* pTrace, int bUpdate)
{
    if (!QXVERIFY(pTrace != nullptr)) return;
    const bool bCurrentGoes = IsTraceOrItsLimitLine(m_pCurrentTrace, pTrace);
    const bool bTraceWasCurrent = m_pCurrentTrace == pTrace;
    CQXTrace* pMin = pTrace->GetMinLimitLine();
    CQXTrace* pMax = pTrace->GetMaxLimitLine();

    pTrace->TraceOff(1);
    for (CQXTrace* pLimit : {pMax, pMin})
        if (pLimit && pLimit->IsOn()) pLimit->TraceOff(1);

    CQXTrace* pReplacement = bCurrentGoes ? SelectNewCurrentTrace(m_pCurrentTrace) : nullptr;
    if (bUpdate) {
        UpdateAllViews(UPDATE_TRACE_OFF, pTrace);
        if (pMin) UpdateAllViews(UPDATE_TRACE_OFF, pMin);
        if (pMax) UpdateAllViews(UPDATE_TRACE_OFF, pMax);
    }
    if (bTraceWasCurrent) SetCurrentTrace(pReplacement, bUpdate);
}

// ---- Trace properties ---------------------------------------------------------------------

void CGraphDoc::SetTraceName(CQXTrace* pTrace, const CString& sName)
{
    if (!QXVERIFY(pTrace != nullptr)) return;
    pTrace->SetTraceName(sName);
    UpdateAllViews(UPDATE_TRACE_NAME, pTrace);
}

void CGraphDoc::SetTraceComment(CQXTrace* pTrace, const CString& sText)
{
    if (!QXVERIFY(pTrace != nullptr)) return;
    pTrace->SetComment(sText);
    UpdateAllViews(UPDATE_TRACE_COMMENT, pTrace);
}

void CGraphDoc::SetTracePrintStyle(CQXTrace* pTrace, int iStyle)
{
    if (!QXVERIFY(pTrace != nullptr)) return;
    if (!QXVERIFY(iStyle >= TRACE_PRINTSTYLE_SOLID && iStyle <= TRACE_PRINTSTYLE_DASHDOTDOT)) return;
    pTrace->SetPrintStyle(iStyle);
    UpdateAllViews(UPDATE_TRACE_PRINTSTYLE, pTrace);
}

void CGraphDoc::TraceColorChange(CQXTrace* pTrace, COLORREF crColor, int bUpdate)
{
    if (!QXVERIFY(pTrace != nullptr)) return;
    pTrace->SetColor(crColor);
    if (bUpdate) UpdateAllViews(UPDATE_TRACE_COLOR, pTrace);
}

// ---- The graph ------------------------------------------------------------------------------

void CGraphDoc::SetGraphTitle(const CString& sText)
{
    m_sGraphTitle = sText;
    UpdateAllViews(UPDATE_GRAPH_TITLE, this);
}

void CGraphDoc::OnOneChannel(int bFlag)
{
    m_bAllOnSameView = bFlag;
    UpdateAllViews(UPDATE_GRAPH_CHANNELCHANGED, m_pCurrentTrace);
}

void CGraphDoc::OnGlobalChannelChanged()
{
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    GetChannelRange(iFirst, iLast);
    const ChannelNumber eShown = (iFirst == CHANNEL_A && iLast == CHANNEL_B && !m_bAllOnSameView)
                                     ? CHANNEL_BOTH
                                     : static_cast<ChannelNumber>(iFirst);
    CQXTrace* pFormer = m_pCurrentTrace;
    const bool bSingle = iFirst == iLast;
    if (bSingle && (!pFormer || pFormer->GetChannel() != eShown)) {
        CQXTrace* pNew = m_pOtherChannelCurrentTrace;
        if (!pNew && pFormer) {
            const auto shownMatch = [&](int bLive) {
                CQXTrace* p = GetTraceFromArray(eShown, pFormer->GetOwnTraceType(), pFormer->GetTraceCreateExtraInfo(),
                                                bLive);
                return (p && p->IsInUse() && p->IsOn()) ? p : nullptr;
            };
            pNew = shownMatch(pFormer->IsLive());
            if (!pNew && !pFormer->IsLive()) pNew = shownMatch(1);
        }
        if (!pNew) {
            InitialiseCurrentTrace(eShown);
            pNew = m_pCurrentTrace;
            m_pCurrentTrace = pFormer; // SetCurrentTrace below moves it to the other channel
        }
        if (pNew != pFormer) SetCurrentTrace(pNew, 0);
    }
    UpdateAllViews(UPDATE_GRAPH_CHANNELCHANGED, m_pCurrentTrace);
}
