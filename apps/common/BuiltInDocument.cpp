#include "apps/common/BuiltInDocument.h"

#include "host/app/HeadlessHost.h"
#include "host/sim/StaticSignals.h"
#include "host/units/UnitIds.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"
#include "trace/types/TraceKindTables.h"

#include <cfloat>
#include <cmath>

namespace {

SSignal AtTraceRate(CQXTrace& trace, const SSignal& signal)
{
    SSignal atRate = signal;
    atRate.dSampleRate = EffectiveSampleRate(trace.GetSampleRate(), trace.IsUnlocked());
    return atRate;
}

// Copies values into the trace's Y array under its lock, as a refill
// from the measurement would, then has the plot rebuilt.
template <class Fn>
bool WriteYData(CQXTrace& trace, int iCount, Fn valueAt)
{
    trace.LockTrace();
    double* pdY = trace.GetYDataBuffer(0);
    const bool bFits = pdY && trace.GetDataSize() >= iCount;
    if (bFits)
        for (int i = 0; i < iCount; ++i) pdY[i] = valueAt(i);
    trace.UnlockTrace();
    if (bFits) trace.RecalcTrace();
    return bFits;
}

} // namespace

bool FillScopeTrace(CQXTrace& trace, const SSignal& signal)
{
    const int iCount = trace.GetDataSize();
    if (iCount <= 0) return false;
    const std::vector<double> adSamples = MakeSamples(AtTraceRate(trace, signal), iCount);
    return WriteYData(trace, iCount, [&](int i) { return adSamples[static_cast<size_t>(i)]; });
}

bool FillFFTTrace(CQXTrace& trace, const SSignal& signal, const SSpectrumSettings& settings)
{
    const std::vector<double> adPowers = MakeSpectrum(AtTraceRate(trace, signal), settings);
    const int iCount = static_cast<int>(adPowers.size());
    if (iCount < 2 || !trace.SetBuffer(iCount)) return false;
    return WriteYData(trace, iCount, [&](int k) {
        return k == iCount - 1 ? DBL_MAX : std::sqrt(adPowers[static_cast<size_t>(k)]);
    });
}

bool FillBuiltInSignals(CGraphDoc& doc)
{
    const SSpectrumSettings spectrum;
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
        const SSignal signal = GetBuiltInSignal(eChannel);
        CQXTrace* pScope = doc.GetTraceFromArray(eChannel, TT_SCOPE, 0, 1);
        CQXTrace* pFFT = doc.GetTraceFromArray(eChannel, TT_FFT, 0, 1);
        if (!pScope || !pFFT) return false;
        if (!FillScopeTrace(*pScope, signal) || !FillFFTTrace(*pFFT, signal, spectrum)) return false;
        // The signals are defined on the converter's scale.
        pFFT->SetYUnit(UNIT_DBFS);
        for (CQXTrace* pTrace : {pScope, pFFT}) {
            if (!pTrace->IsInUse()) pTrace->SetInUse(1);
            if (!pTrace->IsOn()) doc.TraceOn(pTrace, 0);
            pTrace->DefaultZoomXAndY(0);
        }
    }
    return true;
}

CBuiltInDocument::CBuiltInDocument() : m_pHost(std::make_unique<CHeadlessHost>()), m_pDoc(std::make_unique<CGraphDoc>())
{
    m_pHost->SetGraphDoc(m_pDoc.get());
    m_bValid = m_pDoc->Initialise() && FillBuiltInSignals(*m_pDoc);
}

CBuiltInDocument::~CBuiltInDocument()
{
    m_pDoc.reset();
    m_pHost->PumpMessages();
}

CQXTrace* CBuiltInDocument::GetLiveTrace(ChannelNumber eChannel, TraceType eType)
{
    return m_pDoc->GetTraceFromArray(eChannel, eType, 0, 1);
}
