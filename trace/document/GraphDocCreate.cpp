// CGraphDoc: the traces the document derives for the measurement (response
// and window-function traces), user traces, and the sweep traces around a
// new sweep.

#include "trace/document/GraphDoc.h"

#include "host/app/AppMessages.h"
#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SweepManager.h"
#include "resources/StringTable.h"
#include "trace/core/ResponseMath.h"
#include "trace/display/XScale.h"
#include "trace/types/FFTResponseTrace.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/UserTrace.h"
#include "trace/types/WindowFunction.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

void ClearCursorsAndMarks(CQXTrace* pTrace)
{
    pTrace->CursorOff();
    pTrace->RelativeCursorOff();
    pTrace->RemoveAllMarks(0);
}

// A sweep copy left by an earlier sweep; user copies are not.
bool IsSweepCopy(CQXTrace* pTrace)
{
    return pTrace->IsKindOf(RUNTIME_CLASS(CSweepTrace)) && static_cast<CSweepTrace*>(pTrace)->IsSweepCopy();
}

// The host's sweep axis records that take a live sweep trace's window:
// those enabled (all of them for a table sweep) whose source is the trace's.
template <class Fn>
int ForEachSweepAxisRecord(CQXTrace* pTrace, Fn fn)
{
    if (!pTrace || !pTrace->IsKindOf(RUNTIME_CLASS(CSweepTrace)) || !pTrace->IsLive()) return 1;
    CSweepManager* pSweeps = GetSweepManager();
    if (!pSweeps) return 1;
    const int iSource = static_cast<CSweepTrace*>(pTrace)->GetXAxisSourceType();
    for (int i = 0; i < CSweepManager::kNumAxisRecords; ++i) {
        CSweepManager::SAxisRecord* pRecord = pSweeps->GetAxisRecord(i);
        if (pRecord && (pRecord->bEnabled || pSweeps->IsTableSweep()) && pRecord->iSource == iSource) fn(*pRecord);
    }
    return 1;
}

// A user trace keeps values in the unit shown: data and values are one.
void SetUserYRange(CUserTrace& user, double dLow, double dHigh)
{
    user.SetYScaleRange(dLow, dHigh);
    user.SetCurrentMinYData(dLow);
    user.SetCurrentMaxYData(dHigh);
    user.SetCurrentMinYScaleValue(dLow);
    user.SetCurrentMaxYScaleValue(dHigh);
    user.CalcYTicks();
}

// Puts a finished user trace into its array; false (reported, the trace
// deleted) when memory runs out.
bool AddUserTrace(CGraphDoc& doc, CUserTrace* pUser)
{
    if (doc.AddTraceToArray(pUser)) return true;
    ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
    delete pUser;
    return false;
}

int FFTLength()
{
    const CFFTParametersSettings* pFFT = GetFFTParametersSettings();
    return pFFT ? pFFT->GetPropertyAsInt(PROP_FFT_LENGTH) : CQXTrace::GetDefaultDataSize(TT_WINDOW);
}

} // namespace

// ---- Response traces ----------------------------------------------------------------

CQXTrace* CGraphDoc::CreateResponseTrace(ChannelNumber eChannel, const ResponseDetails& details, int bUpdate)
{
    if (!QXVERIFY(IsSingleChannel(eChannel))) return nullptr;
    // One live trace per kind of response on a channel: a measurement of the
    // same kind reuses it, another kind gets a trace of its own.
    const long lKey = ResponseCreationKey(details.sFunction, details.sSumBinsType, details.sIncludeType,
                                          details.sRelativeTo);
    CQXTrace* pTrace = GetTraceFromArray(eChannel, TT_FFTRESPONSE, lKey, 1);
    const bool bNew = pTrace == nullptr;
    if (bNew) pTrace = CreateTrace(TT_FFTRESPONSE, eChannel, CQXTrace::GetDefaultDataSize(TT_FFTRESPONSE), 0, 0, 1, 0,
                                   0, 0, 1);
    if (!pTrace) return nullptr;
    auto* pResponse = static_cast<CFFTResponseTrace*>(pTrace);
    if (!pResponse->SetResponseDetails(details)) {
        if (bNew) RemoveTrace(pResponse, 0);
        return nullptr;
    }
    pResponse->InitialiseXData();
    if (!pResponse->GetYScale()) pResponse->CreateYScale();
    const int iUnit = pResponse->GetYUnit();
    pResponse->SetCurrentMinYData(pResponse->GetYDataForValue(pResponse->GetCurrentMinYScaleValue(), iUnit, 1));
    pResponse->SetCurrentMaxYData(pResponse->GetYDataForValue(pResponse->GetCurrentMaxYScaleValue(), iUnit, 1));
    NewTrace(pResponse, 1, bUpdate);
    return pResponse;
}

int CGraphDoc::RemoveResponseTraces(int bUpdate)
{
    int bOk = 1;
    bool bRemoved = false;
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        std::vector<CQXTrace*>& aTraces = GetTraceArray(eChannel);
        for (int i = static_cast<int>(aTraces.size()) - 1; i >= 0; --i) {
            if (i >= static_cast<int>(aTraces.size()) || aTraces[i]->GetOwnTraceType() != TT_FFTRESPONSE) continue;
            if (RemoveTrace(aTraces[i], 0)) bRemoved = true;
            else bOk = 0;
        }
    }
    if (bRemoved && bUpdate) UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    return bOk;
}

// ---- Window functions ------------------------------------------------------------------

int CGraphDoc::CreateWindowFunction(ChannelNumber eChannel, int bImpulse, int iWindowType, const CString& sName,
                                    int bShow, const CString& sWindowFile)
{
    if (!QXVERIFY(IsSingleChannel(eChannel))) return 0;
    const long lExtra = bImpulse ? 1 : 0;
    CQXTrace* pTrace = GetTraceFromArray(eChannel, TT_WINDOW, lExtra, 0);
    const bool bNew = pTrace == nullptr;
    if (bNew) pTrace = CreateTrace(TT_WINDOW, eChannel, FFTLength(), lExtra, 0, 0, 0, 0, 0, 1);
    if (!pTrace) return 0;

    // An impulse window shows the channel's gate; it has no window type.
    auto* pWindow = static_cast<CWindowFunction*>(pTrace);
    if (!bImpulse) pWindow->SetWindowType(static_cast<WINDOWFUNCTION>(iWindowType), sWindowFile);
    const int bBuilt = pWindow->SetWindow(FFTLength(), 1);
    if (!bBuilt) {
        if (bNew) RemoveTrace(pTrace, 0);
        ShowMessage(IDS_WINDOW_FUNCTION_LOAD_FAILED, MB_OK | MB_ICONEXCLAMATION, GetOLEShowMessages());
        return 0;
    }

    if (!sName.IsEmpty()) pTrace->SetTraceName(sName);
    double dMin = 0.0;
    double dMax = 0.0;
    if (pTrace->GetYAutoZoomData(&dMin, &dMax) && dMin < dMax) {
        // Gain is both the storage and the display unit of a window.
        pTrace->SetCurrentMinYData(dMin);
        pTrace->SetCurrentMaxYData(dMax);
        pTrace->SetCurrentMinYScaleValue(dMin);
        pTrace->SetCurrentMaxYScaleValue(dMax);
        pTrace->CalcYTicks();
    }
    NewTrace(pTrace, bShow, 0);
    if (bShow) SetCurrentTrace(pTrace, 0);
    UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    return 1;
}

// ---- Filter traces -----------------------------------------------------------------------

CQXTrace* CGraphDoc::CreateFilterTrace(ChannelNumber eChannel, int iSource, int bShow)
{
    if (!QXVERIFY(IsSingleChannel(eChannel))) return nullptr;
    const int iBins = GetDataSize(eChannel) > 0 ? GetDataSize(eChannel) : FFTLength() / 2;
    CQXTrace* pTrace = CreateTrace(TT_FILTER, eChannel, iBins + 1, 0, 0, 0, 0, 0, 0, 1);
    if (!pTrace) return nullptr;
    auto* pFilter = static_cast<CFilterTrace*>(pTrace);
    pFilter->SetFilterType(iSource);
    if (!pFilter->SetFilter(iBins, 1, 0)) {
        RemoveTrace(pFilter, 0);
        return nullptr;
    }
    NewTrace(pFilter, bShow, 0);
    if (bShow) SetCurrentTrace(pFilter, 0);
    UpdateAllViews(UPDATE_GRAPH_REDRAWALL, nullptr);
    return pFilter;
}

// ---- User traces --------------------------------------------------------------------------

short CGraphDoc::DoCreateUserTrace(ChannelNumber eChannel, int iNumPoints, double dXMin, double dXMax, double dYMin,
                                   double dYMax)
{
    if (!IsSingleChannel(eChannel) || iNumPoints < 1) return TRACE_NULL_ID;
    for (double d : {dXMin, dXMax, dYMin, dYMax})
        if (!std::isfinite(d)) return TRACE_NULL_ID;
    CQXTrace* pTrace = CreateTrace(TT_USER, eChannel, iNumPoints, 0, 0, 0, 0, 0, 0, 0);
    if (!pTrace) return TRACE_NULL_ID;
    auto* pUser = static_cast<CUserTrace*>(pTrace);

    pUser->SetXValueRange(std::min(dXMin, dXMax), std::max(dXMin, dXMax), 1);
    pUser->InitialiseXValues();
    pUser->CalcXTicks();
    SetUserYRange(*pUser, std::min(dYMin, dYMax), std::max(dYMin, dYMax));
    if (!AddUserTrace(*this, pUser)) return TRACE_NULL_ID;
    NewTrace(pUser, 1, GetOLEDisplay());
    return pUser->GetTraceID();
}

short CGraphDoc::CreateUserTraceFromSweepTrace(TraceType eSweepType, ChannelNumber eChannel)
{
    if (eSweepType < TT_SWEEP1 || eSweepType > TT_SWEEP4 || !IsSingleChannel(eChannel)) return TRACE_NULL_ID;
    CQXTrace* pSweep = GetTraceFromArray(eChannel, eSweepType, 0, 1);
    if (!pSweep || !pSweep->IsInUse() || !pSweep->IsOn()) return TRACE_NULL_ID;
    const int iSize = pSweep->GetDataSize();
    const double* pdY = pSweep->GetYDataBuffer(pSweep->HasTransformedYData());
    const double* pdX = pSweep->GetXData();
    if (iSize < 1 || !pdY || !pdX) return TRACE_NULL_ID;

    CQXTrace* pTrace = CreateTrace(TT_USER, eChannel, iSize, 0, 0, 0, 0, 0, 0, 0);
    if (!pTrace) return TRACE_NULL_ID;
    auto* pUser = static_cast<CUserTrace*>(pTrace);
    // The user trace keeps the points in the units the sweep shows them in.
    const int iXUnit = pSweep->GetXUnit();
    const int iYUnit = pSweep->GetYUnit();
    pUser->SetXUnit(iXUnit);
    pUser->SetYUnit(iYUnit);
    {
        double* pdUserY = pUser->GetYDataBuffer(0);
        const int bTransformed = pSweep->HasTransformedYData();
        for (int i = 0; i < iSize; ++i) {
            pUser->SetXValue(i, pSweep->GetXValueAtPos(i, iXUnit));
            pdUserY[i] = pSweep->GetYValueForData(pdY[i], iYUnit, 0, bTransformed);
        }
    }
    pUser->SetXValueRange(pSweep->GetMinXScaleValue(), pSweep->GetMaxXScaleValue(), 0);
    pUser->SetCurrentMinXScaleValue(pSweep->GetCurrentMinXScaleValue());
    pUser->SetCurrentMaxXScaleValue(pSweep->GetCurrentMaxXScaleValue());
    pUser->SetCurrentMinXPos(pSweep->GetCurrentMinXPos());
    pUser->SetCurrentMaxXPos(pSweep->GetCurrentMaxXPos());
    pUser->CalcXTicks();
    SetUserYRange(*pUser, pSweep->GetCurrentMinYScaleValue(), pSweep->GetCurrentMaxYScaleValue());
    pUser->RecalcTrace();
    if (!AddUserTrace(*this, pUser)) return TRACE_NULL_ID;
    NewTrace(pUser, 1, 0);
    SetCurrentTrace(pUser, 1);
    return pUser->GetTraceID();
}

// ---- Sweeps ----------------------------------------------------------------------------------

int CGraphDoc::PrepareTracesForSweep(int bKeepPrevious)
{
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        std::vector<CQXTrace*>& aTraces = GetTraceArray(eChannel);
        std::vector<CQXTrace*> aInUse;
        for (int i = static_cast<int>(aTraces.size()) - 1; i >= 1; --i) {
            CQXTrace* pTrace = aTraces[i];
            if (!pTrace->IsSweepTrace()) continue;
            if (pTrace->IsInUse()) aInUse.push_back(pTrace);
            else ClearCursorsAndMarks(pTrace);
        }
        for (CQXTrace* pTrace : aInUse) {
            // Copies the user made stay; earlier sweep copies and the results go.
            if (pTrace->IsCopy() && !IsSweepCopy(pTrace)) continue;
            if (bKeepPrevious && pTrace->IsLive()) CopyTrace(pTrace, 1, 0);
            ClearCursorsAndMarks(pTrace);
            RemoveTrace(pTrace, 0);
        }
    }
    return 1;
}

int CGraphDoc::UpdateSweepXDetails(CQXTrace* pTrace)
{
    return ForEachSweepAxisRecord(pTrace, [pTrace](CSweepManager::SAxisRecord& record) {
        record.iXUnit = pTrace->GetXUnit();
        if (const CXScale* pScale = pTrace->GetXScale()) record.iNumTicks = pScale->GetTicks().GetNumTicks() - 1;
        record.bLogX = pTrace->GetLogX();
        record.dMinX = pTrace->GetCurrentMinXScaleValue();
        record.dMaxX = pTrace->GetCurrentMaxXScaleValue();
    });
}

int CGraphDoc::UpdateSweepYDetails(CQXTrace* pTrace)
{
    return ForEachSweepAxisRecord(pTrace, [pTrace](CSweepManager::SAxisRecord& record) {
        record.dMinY = pTrace->GetCurrentMinYScaleValue();
        record.dMaxY = pTrace->GetCurrentMaxYScaleValue();
    });
}

// ---- Compute traces --------------------------------------------------------------------------

CQXTrace* CGraphDoc::GetLiveTraceForComputeTrace(CQXTrace* pComputeTrace)
{
    if (!pComputeTrace || !IsSingleChannel(pComputeTrace->GetChannel())) return nullptr;
    for (CQXTrace* pTrace : GetTraceArray(pComputeTrace->GetChannel()))
        if (pTrace != pComputeTrace && pTrace->GetComputeTrace() == pComputeTrace) return pTrace;
    return nullptr;
}
