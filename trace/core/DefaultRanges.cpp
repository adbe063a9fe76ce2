// The default Y range of each measurement result (GetDefaultRangeForResultID,
// declared in ZoomMath.h). docs/default-ranges.md lists every cell.

#include "trace/core/ZoomMath.h"

#include "host/app/DebugLog.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"
#include "trace/core/ResultTable.h"

#include <cfloat>
#include <cmath>
#include <string>

namespace {

constexpr const char* kFunction = "GetDefaultRangeForResultID";

// Absolute ranges are fixed to the nominal analogue range, so a default
// window does not move with the input range.
constexpr double kRangeReferencemV = 15455.3019;
// The dB floor shown for a zero amplitude, and for a zero jitter.
constexpr double kAmplitudeDbFloor = -200.0;
constexpr double kJitterDbFloor = -100.0;
constexpr double kMaxJitterUI = 0.5;


struct SRequest {
    int iResultID = 0;
    int iFFTDetectorID = 0;
    int iUnit = 0;
    bool bJDO = false;
    const CSettingsBase* pSettings = nullptr;
};

struct SRange {
    double dMin = 0.0;
    double dMax = 0.0;
};

EResultRange GetRow(int iActualResultID)
{
    const SResultRow* pRow = FindResultRow(iActualResultID);
    return pRow ? pRow->eRange : ROW_UNKNOWN;
}

std::string Describe(const char* szResLabel, const SRequest& request, const SRange& range)
{
    return FormatNarrow("%s:%d=%s/%d Unit:%d=%s, JDO:%c (range:%g/%g)", szResLabel, request.iResultID,
                        GetResultIDName(request.iResultID), request.iFFTDetectorID, request.iUnit,
                        GetUnitDiagName(request.iUnit), request.bJDO ? 'Y' : 'N', range.dMin, range.dMax);
}

bool Unhandled(const SRequest& request, const SRange& range)
{
    QXDebugLog(1, kFunction, "Was ASSERT! Unhandled Unit for %s", Describe("ResID", request, range).c_str());
    return false;
}

// Converts the ends of a range within one unit family.
bool ConvertRange(UnitScaleFunction family, SRange from, EUnit eFrom, int iTo, const SReferences& refs,
                  SRange& to)
{
    SRange result;
    if (!ConvertInFamily(family, from.dMin, eFrom, static_cast<EUnit>(iTo), refs, result.dMin)) return false;
    if (!ConvertInFamily(family, from.dMax, eFrom, static_cast<EUnit>(iTo), refs, result.dMax)) return false;
    to = result;
    return true;
}

template <class Convert>
SRange FromHex(Convert convert)
{
    return {convert(0.0), convert(kFullScaleSineHex)};
}

// Zero to the full-scale sine, in an absolute amplitude unit.
bool GetAbsoluteAmplitudeCell(const SRequest& request, SRange& range)
{
    const CSignalAnalyserSettings* pSA = GetSignalAnalyserSettings();
    const double dImpedance = pSA->GetPropertyAsDouble(PROP_SA_IMPEDANCE);
    const double dZerodBSPL = pSA->GetZerodBSPLmVValue();
    switch (request.iUnit) {
    case UNIT_DBFS: range = FromHex([](double x) { return ConvertHexTodBFS(x, 1); }); return true;
    case UNIT_FS: range = FromHex([](double x) { return ConvertHexToFS(x); }); return true;
    case UNIT_FFS: range = FromHex([](double x) { return ConvertHexToFFS(x); }); return true;
    case UNIT_HEX: range = {0.0, kFullScaleSineHex}; return true;
    case UNIT_DBU: range = FromHex([](double x) { return ConvertHexTodBu(x, kRangeReferencemV); }); return true;
    case UNIT_DBV: range = FromHex([](double x) { return ConvertHexTodBV(x, kRangeReferencemV); }); return true;
    case UNIT_V:
    case UNIT_VRMS: range = FromHex([](double x) { return ConvertHexToV(x, kRangeReferencemV); }); return true;
    case UNIT_DBM:
        range = FromHex([&](double x) { return ConvertHexTodBm(x, kRangeReferencemV, dImpedance); });
        return true;
    case UNIT_W:
        range = FromHex([&](double x) { return ConvertHexToW(x, kRangeReferencemV, dImpedance); });
        return true;
    case UNIT_DBSPL:
        range = FromHex([&](double x) { return ConvertHexTodBSPL(x, kRangeReferencemV, dZerodBSPL); });
        return true;
    default: {
        // Peak volts and the reference units (0 dBr at the full-scale sine).
        const SReferences refs = SReferences::ForAbsoluteY(kRangeReferencemV, 0.0, dImpedance, dZerodBSPL);
        if (ConvertRange(GetAmplitudeAbsScale, {0.0, kFullScaleSineHex}, UNIT_HEX, request.iUnit, refs, range))
            return true;
        return Unhandled(request, range);
    }
    }
}

// The sample rate of the jittered interface, for jitter in ns.
double GetJitterSampleRate()
{
    const double dRate = GetAnalyserSettings()->GetPropertyAsDouble(RES_DI_FRAMERATE_ACTUAL, UNIT_FREQ_HZ);
    return dRate > 0.0 ? dRate : SReferences::kDefaultSampleRate;
}

// Zero to half a unit interval, in a jitter unit (sample magnitudes excluded).
bool GetJitterCell(const SRequest& request, SRange& range)
{
    switch (request.iUnit) {
    case UNIT_JITTER_UI:
    case UNIT_JITTER_UIPP: range = {0.0, kMaxJitterUI}; return true;
    case UNIT_JITTER_NS:
    case UNIT_JITTER_NSPP: {
        const double dRate = GetJitterSampleRate();
        range = {ConvertUITons(0.0, dRate), ConvertUITons(kMaxJitterUI, dRate)};
        return true;
    }
    case UNIT_JITTER_DBUI: range = {kJitterDbFloor, 20.0 * std::log10(kMaxJitterUI)}; return true;
    default: return Unhandled(request, range);
    }
}

// An amplitude result measured on a jitter demodulator reads jitter.
bool GetJDOAmplitudeCell(const SRequest& request, SRange& range)
{
    if (request.iUnit != UNIT_HEX) return GetJitterCell(request, range);
    const int iInput = GetAnalyserSettings()->GetPropertyAsEnum(PROP_ANA_JDO_SELECTION);
    if (iInput == 1) {
        range = {ConvertUITofsJitterHex(0.0), ConvertUITofsJitterHex(kMaxJitterUI)};
        return true;
    }
    if (iInput == 2) {
        range = {ConvertUIToDataJitterHex(0.0), ConvertUIToDataJitterHex(kMaxJitterUI)};
        return true;
    }
    QXDebugLog(1, kFunction, "Was ASSERT! Unhandled iInput=%d=%s for %s", iInput, "JDO_UNKNOWN",
               Describe("ResID", request, range).c_str());
    return false;
}

bool IsRelativeAmplitudeUnit(int iUnit)
{
    switch (iUnit) {
    case UNIT_RELATIVE_DB:
    case UNIT_RELATIVE_PERCENT:
    case UNIT_RELATIVE_GAIN:
    case UNIT_RELATIVE_RATIO:
    case UNIT_RELATIVE_ANAVSGEN: return true;
    default: return false;
    }
}

// The relative cells of an amplitude row: a dB range and a percent range;
// the linear relative units read the dB range.
bool GetRelativeCell(const SRequest& request, SRange dB, SRange percent, SRange& range)
{
    if (request.iUnit == UNIT_RELATIVE_DB) {
        range = dB;
        return true;
    }
    if (request.iUnit == UNIT_RELATIVE_PERCENT) {
        range = percent;
        return true;
    }
    if (ConvertRange(GetAmplitudeRelScale, dB, UNIT_RELATIVE_DB, request.iUnit, SReferences(), range)) return true;
    return Unhandled(request, range);
}

bool GetAmplitudeCell(EResultRange eRow, const SRequest& request, SRange& range)
{
    const CSettingsBase* pSettings = request.pSettings;
    if (eRow == ROW_FFT_AMPLITUDE) {
        // Without a detector the reading is taken as relative to its reference.
        const bool bRelative = !pSettings || pSettings->GetPropertyAsEnum(PROP_FFTD_RELATIVITY) == 1;
        if (request.iUnit == UNIT_PERCENTREF) {
            const bool bBandOff = pSettings && pSettings->GetPropertyAsEnum(PROP_FFTD_BAND_MODE) == 0;
            range = bBandOff ? SRange{-100.0, 100.0} : SRange{0.0, 100.0};
            return true;
        }
        if (IsRelativeAmplitudeUnit(request.iUnit))
            return GetRelativeCell(request, bRelative ? SRange{-150.0, 0.0} : SRange{-20.0, 20.0},
                                   bRelative ? SRange{0.0, 100.0} : SRange{-100.0, 100.0}, range);
    } else if (eRow == ROW_CT_AMPLITUDE) {
        const bool bRelative = pSettings->GetPropertyAsEnum(PROP_CT_RELATIVITY) == 1;
        const bool bCrossTalk = pSettings->GetPropertyAsString(PROP_CT_RESPONSE_NAME) == L"Cross-talk";
        if (IsRelativeAmplitudeUnit(request.iUnit))
            return GetRelativeCell(request, (bRelative || bCrossTalk) ? SRange{-150.0, 0.0} : SRange{-20.0, 20.0},
                                   bRelative ? SRange{0.0, 1.0} : SRange{80.0, 120.0}, range);
    } else if (IsRelativeAmplitudeUnit(request.iUnit)) {
        return GetRelativeCell(request, {-20.0, 20.0}, {80.0, 120.0}, range);
    }
    return request.bJDO ? GetJDOAmplitudeCell(request, range) : GetAbsoluteAmplitudeCell(request, range);
}

double GetFrequencySpan()
{
    const CAnalyserSettings* pAnalyser = GetAnalyserSettings();
    const double dRate = pAnalyser->GetAnalyserSampleRate(0, true);
    if (dRate > 0.0) return dRate / 2.0;
    return pAnalyser->IsAnalogueInput() ? 48000.0 : 24000.0;
}

bool GetOtherCell(EResultRange eRow, const SRequest& request, SRange& range)
{
    switch (eRow) {
    case ROW_FREQUENCY: range = {0.0, GetFrequencySpan()}; return true;
    case ROW_SAMPLE_RATE:
        // Every rate the interfaces run at, up to 192 kHz.
        if (request.iUnit != UNIT_FREQ_HZ) return Unhandled(request, range);
        range = {0.0, 200000.0};
        return true;
    case ROW_DEVIATION:
        if (request.iUnit != UNIT_PPM) return Unhandled(request, range);
        range = {-100.0, 100.0};
        return true;
    case ROW_CARRIER_AMPL:
        if (request.iUnit != UNIT_V) return Unhandled(request, range);
        range = {0.0, 10.0};
        return true;
    case ROW_CARRIER_JITTER: return GetJitterCell(request, range);
    case ROW_CARRIER_PHASE:
        if (ConvertRange(GetCarrierPhaseScale, {-180.0, 180.0}, UNIT_PHASE_DEGREES, request.iUnit, SReferences(),
                         range))
            return true;
        return Unhandled(request, range);
    case ROW_PHASE: {
        const SReferences refs = SReferences::ForFrequency(GetSignalAnalyserSettings()->GetFrequency(0),
                                                           GetAnalyserSettings()->GetAnalyserSampleRate(0, false));
        if (ConvertRange(GetAnaPhaseScale, {-180.0, 180.0}, UNIT_PHASE_DEGREES, request.iUnit, refs, range))
            return true;
        return Unhandled(request, range);
    }
    default: return false;
    }
}

bool IsAmplitudeRow(EResultRange eRow)
{
    return eRow == ROW_SA_AMPLITUDE || eRow == ROW_CT_AMPLITUDE || eRow == ROW_FFT_AMPLITUDE;
}

void NoteNegativeInfinity(const SRequest& request, SRange& range)
{
    if (range.dMin != -DBL_MAX) return;
    static unsigned uCount = 0;
    QXDebugLog(2, kFunction, "NEGATIVE_INFINITY for %s <#%u>", Describe("Res", request, range).c_str(), ++uCount);
    // A scale cannot start at minus infinity: zero amplitude shows at the floor.
    range.dMin = kAmplitudeDbFloor;
}

} // namespace

int GetDefaultRangeForResultID(int iResultID, int iFFTDetectorID, int iUnit, int bJDO, double* pdMin, double* pdMax)
{
    if (pdMin) *pdMin = 0.0;
    if (pdMax) *pdMax = 0.0;
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return 0;
    }
    SRequest request{iResultID, iFFTDetectorID, iUnit, bJDO != 0, nullptr};
    SRange range;
    const int iActual = GetActualResultID(iResultID);
    const EResultRange eRow = GetRow(iActual);
    if (eRow == ROW_UNKNOWN) {
        QXDebugLog(1, kFunction, "Was ASSERT! UNRECOGNISED %s", Describe("ResID", request, range).c_str());
        return 0;
    }
    if (eRow == ROW_UNUSED) {
        QXDebugLog(1, kFunction, "Was ASSERT! UNHANDLED %s", Describe("ResID", request, range).c_str());
        return 0;
    }
    request.pSettings = GetSettingsForID(iActual, iFFTDetectorID);
    // An FFT result without a detector still has a row: "no detector".
    if (!request.pSettings && eRow != ROW_FFT_AMPLITUDE) {
        QXDebugLog(1, kFunction, "Was ASSERT! GetSettingsForID(res, fftd) FAILED for %s",
                   Describe("Res", request, range).c_str());
        return 0;
    }
    const bool bFound = IsAmplitudeRow(eRow) ? GetAmplitudeCell(eRow, request, range)
                                             : GetOtherCell(eRow, request, range);
    if (!bFound) return 0;
    NoteNegativeInfinity(request, range);
    *pdMin = range.dMin;
    *pdMax = range.dMax;
    return 1;
}

const char* GetResultIDName(int iResultID)
{
    const SResultRow* pRow = FindResultRow(iResultID);
    return pRow ? pRow->szName : "RES_UNKNOWN";
}
