// Helpers the trace kinds share.

#include "trace/types/KindHelpers.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/HostObjects.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "trace/core/ScaleMath.h"
#include "trace/core/TraceMath.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

double LookUpYLimit(YLimitsTable pfnTable, EUnit eUnit, bool bMax)
{
    if (eUnit == UNIT_RELATIVE_ANAVSGEN) {
        const EUnit eAnalyser = GetAnalyzerUnit();
        // The analyser unit is never the relative one; guard the recursion anyway.
        if (eAnalyser == UNIT_RELATIVE_ANAVSGEN) return 0.0;
        return LookUpYLimit(pfnTable, eAnalyser, bMax);
    }
    double dMin = 0.0;
    double dMax = 0.0;
    const bool bInTable = pfnTable(eUnit, &dMin, &dMax);
    QXASSERT(bInTable);
    return bMax ? dMax : dMin;
}

SReferences AmplitudeYReferences(CQXTrace& trace, int bDefault, bool bTimeDomain)
{
    const CQXTrace::SReferenceBlock& block = trace.GetReferenceBlock();
    SAmplitudeYRefInputs in;
    in.bRelative = trace.IsRelative();
    in.bJitterMode = trace.IsJDO();
    in.bDataJitter = trace.GetMode() == CQXTrace::eModeJDOData;
    in.bAnalogue = trace.GetMode() == CQXTrace::eModeAnalogue;
    in.bUnlocked = trace.IsUnlocked();
    in.bDefault = bDefault != 0;
    in.bTimeDomain = bTimeDomain;
    in.iResponse = trace.IsRMS() ? 0 : 1;
    in.dAnalogueRange = block.dAnalogueInputRange;
    in.dReference = block.dAnaAnalogueReference;
    in.dImpedance = block.dAnaImpedance;
    in.dZerodBSPL = block.dAnaZerodBSPL;
    in.dJitterSampleRate = trace.GetJDOSampleRate();
    // The trace keeps no relativity-other value yet: the defaults stand in.
    in.dRelativityOther = 0.0;
    in.dAnaVsGenFactor = trace.GetAnaVsGenFactor(bDefault);
    in.iAnalyserUnit = GetAnalyzerUnit();
    in.iGeneratorUnit = GetGeneratorUnit();
    return MakeAmplitudeYReferences(in);
}

int ImpulseResponseRelativity(bool* pbFromImpulseResponse)
{
    if (pbFromImpulseResponse) *pbFromImpulseResponse = false;
    const CImpulseResponseSettings* pImpulseResponse = GetImpulseResponseSettingsData();
    if (!pImpulseResponse || !pImpulseResponse->GetPropertyAsBool(PROP_IR_GATE_ON)) return 0;
    if (pbFromImpulseResponse) *pbFromImpulseResponse = true;
    if (pImpulseResponse->GetPropertyAsBool(PROP_IR_KEEP_ABSOLUTE)) return 0;
    if (pImpulseResponse->GetPropertyAsEnum(PROP_IR_RELATIVITY) != 0) {
        QXASSERT(pImpulseResponse->GetPropertyAsEnum(PROP_IR_RELATIVITY) == 1);
        return 3;
    }
    return 2;
}

int ResolveAxisUnit(CQXTrace& trace, int iAxis, int iUnit)
{
    if (iUnit != -1 && iUnit != -2) return iUnit;
    return iAxis == X_AXIS ? trace.GetXUnit() : trace.GetYUnit();
}

void SetXWindowFromDefaultValues(CQXTrace& trace)
{
    double dMin = 0.0;
    double dMax = 0.0;
    trace.CalcDefaultXScaleValues(&dMin, &dMax);
    const int iUnit = trace.GetXUnit();
    const int iFirst = trace.GetMinXPos();
    const int iLast = std::max(iFirst, trace.GetMaxXPos());
    trace.SetCurrentMinXPos(std::clamp(trace.GetXPosForValue(dMin, iUnit), iFirst, iLast));
    trace.SetCurrentMaxXPos(std::clamp(trace.GetXPosForValue(dMax, iUnit), iFirst, iLast));
    trace.SetCurrentMinXScaleValue(dMin);
    trace.SetCurrentMaxXScaleValue(dMax);
}

int FrequencyDomainReferences(CQXTrace& trace, int iAxis, int bDefault, int iXDataSize, SReferences* pReferences)
{
    if (!pReferences || (iAxis != 1 && iAxis != 2)) {
        QXASSERT(pReferences && ((iAxis == 1) || (iAxis == 2)));
        return 0;
    }
    if (iAxis == 1) {
        *pReferences = SReferences::ForFFTX(EffectiveSampleRate(trace.GetSampleRate(), trace.IsUnlocked()), iXDataSize);
        pReferences->SetUnlocked(trace.IsUnlocked());
    } else {
        *pReferences = AmplitudeYReferences(trace, bDefault, false);
    }
    return 1;
}

void RefreshCTAFlags()
{
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->SetCTAFlags();
}

bool IsInspectionOnlyLoad()
{
    const CQuorixApp* pApp = GetQuorixApp();
    return pApp && pApp->IsInspectionOnlyLoad();
}

int ValueWindowYOrigin(CQXTrace& trace)
{
    const double mn = trace.GetCurrentMinYScaleValue();
    const double mx = trace.GetCurrentMaxYScaleValue();
    const int t = trace.GetDrawRect().top;
    const int b = trace.GetDrawRect().bottom;
    const double h = b - t;
    if (mx <= 0.0 && mn >= 0.0) {
        QXASSERT(!(mx <= 0.0 && mn >= 0.0));
        return 0;
    }
    if (!QXVERIFY(mx > mn)) return b;
    if (mx <= 0.0) return t - FloorToInt(h * std::fabs(mx / (mx - mn)));
    if (mn >= 0.0) return b + FloorToInt(h * mn / (mx - mn));
    return b - std::abs(FloorToInt(h * mn / (mx - mn)));
}

int ValueWindowYPoint(CQXTrace& trace, double v)
{
    const int iOrigin = ValueWindowYOrigin(trace);
    const int t = trace.GetDrawRect().top;
    const int b = trace.GetDrawRect().bottom;
    if (v == -DBL_MAX) return iOrigin - b;
    const double mn = trace.GetCurrentMinYScaleValue();
    const double mx = trace.GetCurrentMaxYScaleValue();
    if (v >= 0.0) return mx == 0.0 ? 0 : FloorToInt((iOrigin - t) * v / mx);
    return mn == 0.0 ? 0 : -FloorToInt((b - iOrigin) * v / mn);
}

double ValueWindowYDataAtPoint(CQXTrace& trace, int iDeviceY)
{
    const int t = trace.GetDrawRect().top;
    const int b = trace.GetDrawRect().bottom;
    if (iDeviceY < t) return trace.GetCurrentMaxYData();
    if (iDeviceY > b) return trace.GetCurrentMinYData();
    const int iUnit = trace.GetYUnit();
    double mn = trace.GetCurrentMinYScaleValue();
    const double mx = trace.GetCurrentMaxYScaleValue();
    const double h = b - t;
    if (h <= 0.0) return trace.GetCurrentMinYData();
    double dValue = 0.0;
    if (trace.GetLogY()) {
        EnsureLogStartCorrect(&mn, mx, iUnit);
        const double dDecades = std::log10(mx) - std::log10(mn);
        if (!QXVERIFY(dDecades != 0.0)) return trace.GetCurrentMinYData();
        dValue = std::pow(10.0, (b - iDeviceY) / (h / dDecades) + std::log10(mn));
    } else {
        dValue = mn + (mx - mn) * (b - iDeviceY) / h;
    }
    return trace.GetYDataForValue(dValue, iUnit, 0);
}
