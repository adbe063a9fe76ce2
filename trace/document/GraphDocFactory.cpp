// CGraphDoc: the trace factory. Each trace type maps to one class; the
// document gives a trace that is not bare its ID, state and array place.

#include "trace/document/GraphDoc.h"

#include "host/app/DebugLog.h"
#include "resources/StringTable.h"
#include "trace/limits/LimitLine.h"
#include "trace/types/CTFFTTrace.h"
#include "trace/types/CTTrace.h"
#include "trace/types/FFTResponseTrace.h"
#include "trace/types/FFTTrace.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/ImpulseWindowFunction.h"
#include "trace/types/ScopeTrace.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/UserTrace.h"
#include "trace/types/WindowFunction.h"

#include <new>

CQXTrace* CGraphDoc::ConstructTrace(TraceType eType, ChannelNumber eChannel, int iDataSize, long lExtraInfo,
                                    int bBare, int bCopy)
{
    switch (eType) {
    case TT_SCOPE: return new CScopeTrace(eChannel, iDataSize, bCopy, bBare);
    case TT_FFT: return new CFFTTrace(eChannel, iDataSize, bCopy, bBare);
    case TT_CTDET: return new CCTTrace(eChannel, iDataSize, bCopy, bBare);
    case TT_CTFFT: return new CCTFFTTrace(eChannel, iDataSize, bCopy, bBare);
    case TT_MAXLIMITLINE:
    case TT_MINLIMITLINE: return new CLimitLine(eChannel, iDataSize, eType, bBare);
    case TT_FILTER: return new CFilterTrace(eChannel, iDataSize, bBare);
    case TT_WINDOW:
        // The extra information tells an impulse window from an FFT window.
        if (lExtraInfo) return new CImpulseWindowFunction(eChannel, iDataSize, bBare);
        return new CWindowFunction(eChannel, iDataSize, bBare);
    case TT_SWEEP1:
    case TT_SWEEP2:
    case TT_SWEEP3:
    case TT_SWEEP4: return new CSweepTrace(eChannel, iDataSize, eType, bCopy, bBare);
    case TT_USER: return new CUserTrace(eChannel, iDataSize, bCopy, bBare);
    case TT_FFTRESPONSE: return new CFFTResponseTrace(eChannel, iDataSize, bCopy, bBare);
    }
    QXASSERT(!"unknown trace type");
    return nullptr;
}

CQXTrace* CGraphDoc::CreateTrace(TraceType eType, ChannelNumber eChannel, int iDataSize, long lExtraInfo, int bBare,
                                 int bLive, int bCopy, int bInUse, int bTurnOn, int bAdd)
{
    if (bInUse) QXASSERT(iDataSize > 0 || eType == TT_USER);
    // The ID is decided before the trace exists: a kind's constructor may
    // already make objects that take part in the ID scan.
    const short sID = GetNextTraceID();

    CQXTrace* pTrace = nullptr;
    try {
        pTrace = ConstructTrace(eType, eChannel, iDataSize, lExtraInfo, bBare, bCopy);
    } catch (const std::bad_alloc&) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return nullptr;
    }
    if (!pTrace || bBare) return pTrace;

    pTrace->SetTraceID(sID);
    pTrace->SetLive(bLive);
    pTrace->SetInUse(bInUse);
    if (bTurnOn) pTrace->TraceOn(bAdd, 0);
    if (bAdd && !AddTraceToArray(pTrace)) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        delete pTrace;
        return nullptr;
    }
    return pTrace;
}
