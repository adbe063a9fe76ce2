#include "host/units/UnitFunctions.h"

#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "host/units/UnitMath.h"
#include "host/units/UnitTraits.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>

namespace {

std::atomic<int> g_iAnalyzerUnit {UNIT_V};
std::atomic<int> g_iGeneratorUnit {UNIT_VRMS};

EUnit DefaultUnit(int iResultKind, EUnit eAmplitudeUnit)
{
    switch (iResultKind) {
    case RESULTKIND_AMPLITUDE: return eAmplitudeUnit;
    case RESULTKIND_FREQUENCY: return UNIT_FREQ_HZ;
    case RESULTKIND_PHASE: return UNIT_PHASE_DEGREES;
    case RESULTKIND_JITTER: return UNIT_JITTER_NS;
    case RESULTKIND_DEVIATION: return UNIT_PPM;
    case RESULTKIND_TIME: return UNIT_MS;
    default:
        QXASSERT(iResultKind >= RESULTKIND_AMPLITUDE && iResultKind <= RESULTKIND_TIME);
        return UNIT_INVALID;
    }
}

bool SetPanelUnit(std::atomic<int>& unit, int iUnit)
{
    if (!QXVERIFY(IsValidUnit(iUnit))) return false;
    unit = iUnit;
    return true;
}

// One absolute amplitude conversion of a sample magnitude through the family arithmetic.
double HexToUnit(double dHex, EUnit eUnit, const SReferences& refs, int bNoNegInf)
{
    double dResult = DBL_MAX;
    ConvertInFamily(GetAmplitudeAbsScale, dHex, UNIT_HEX, eUnit, refs, dResult);
    return (bNoNegInf && dResult == -DBL_MAX) ? -200.0 : dResult;
}

double UnitToHex(double dValue, EUnit eUnit, const SReferences& refs)
{
    double dResult = DBL_MAX;
    ConvertInFamily(GetAmplitudeAbsScale, dValue, eUnit, UNIT_HEX, refs, dResult);
    return dResult;
}

SReferences Analogue(double dRangemV, double dImpedance = 0.0, double dZerodBSPLmV = 0.0)
{
    return SReferences::ForAbsoluteY(dRangemV, 0.0, dImpedance, dZerodBSPLmV);
}

} // namespace

EUnit GetDefaultAnalogueUnit(int iResultKind) { return DefaultUnit(iResultKind, UNIT_V); }
EUnit GetDefaultDigitalUnit(int iResultKind) { return DefaultUnit(iResultKind, UNIT_DBFS); }
EUnit GetDefaultSoundcardUnit(int iResultKind) { return DefaultUnit(iResultKind, UNIT_DBFS); }

EUnit GetDefaultRelativeUnit(int iResultKind)
{
    return iResultKind == RESULTKIND_FREQUENCY ? UNIT_FREQ_RATIO : DefaultUnit(iResultKind, UNIT_RELATIVE_DB);
}

EUnit GetAnalyzerUnit() { return static_cast<EUnit>(g_iAnalyzerUnit.load()); }
EUnit GetGeneratorUnit() { return static_cast<EUnit>(g_iGeneratorUnit.load()); }
bool SetAnalyzerUnit(int iUnit) { return SetPanelUnit(g_iAnalyzerUnit, iUnit); }
bool SetGeneratorUnit(int iUnit) { return SetPanelUnit(g_iGeneratorUnit, iUnit); }

bool IsValidUnit(int iUnit)
{
    return FindUnitObject(iUnit) != nullptr;
}

bool AreSameKindsOfUnit(int iUnitA, int iUnitB)
{
    const EUnitKind eA = GetUnitKind(iUnitA);
    const EUnitKind eB = GetUnitKind(iUnitB);
    if (eA == UNITKIND_NONE || eB == UNITKIND_NONE) return false;
    if (eA == eB) return true;
    auto matchesBins = [](EUnitKind e) { return e == UNITKIND_FREQUENCY || e == UNITKIND_TIME; };
    auto isPhase = [](EUnitKind e) { return e == UNITKIND_ANAPHASE || e == UNITKIND_CARRIERPHASE; };
    if (eA == UNITKIND_BINS || eB == UNITKIND_BINS) return matchesBins(eA) || matchesBins(eB);
    const bool bDegrees = iUnitA == UNIT_PHASE_DEGREES || iUnitB == UNIT_PHASE_DEGREES;
    return bDegrees && isPhase(eA) && isPhase(eB);
}

bool IsDigitalAmplitudeUnit(int iUnitA, int iUnitB)
{
    return (GetUnitTraits(iUnitA) & UNITTRAIT_DIGITAL) && (GetUnitTraits(iUnitB) & UNITTRAIT_DIGITAL);
}

double ConvertHexTodB(double dHex, double dReferenceHex, int bNoNegInf)
{
    if (dHex == DBL_MAX) return dHex;
    if (!QXVERIFY(dReferenceHex != 0.0)) return DBL_MAX;
    const double dB = ScaleFromBase(dHex, SUnitScale::Decibel(std::fabs(dReferenceHex)));
    return (bNoNegInf && dB == -DBL_MAX) ? -200.0 : dB;
}

double ConvertHexTodBFS(double dHex, int bNoNegInf) { return HexToUnit(dHex, UNIT_DBFS, SReferences(), bNoNegInf); }
double ConvertHexToFS(double dHex) { return HexToUnit(dHex, UNIT_FS, SReferences(), 0); }
double ConvertHexToFFS(double dHex) { return HexToUnit(dHex, UNIT_FFS, SReferences(), 0); }

double ConvertHexToV(double dHex, double dAnalogueRangemV)
{
    return HexToUnit(dHex, UNIT_VRMS, Analogue(dAnalogueRangemV), 0);
}

double ConvertHexToW(double dHex, double dAnalogueRangemV, double dImpedance)
{
    return HexToUnit(dHex, UNIT_W, Analogue(dAnalogueRangemV, dImpedance), 0);
}

double ConvertHexTodBu(double dHex, double dAnalogueRangemV, int bNoNegInf)
{
    return HexToUnit(dHex, UNIT_DBU, Analogue(dAnalogueRangemV), bNoNegInf);
}

double ConvertHexTodBV(double dHex, double dAnalogueRangemV, int bNoNegInf)
{
    return HexToUnit(dHex, UNIT_DBV, Analogue(dAnalogueRangemV), bNoNegInf);
}

double ConvertHexTodBm(double dHex, double dAnalogueRangemV, double dImpedance, int bNoNegInf)
{
    return HexToUnit(dHex, UNIT_DBM, Analogue(dAnalogueRangemV, dImpedance), bNoNegInf);
}

double ConvertHexTodBSPL(double dHex, double dAnalogueRangemV, double dZerodBSPLmV, int bNoNegInf)
{
    return HexToUnit(dHex, UNIT_DBSPL, Analogue(dAnalogueRangemV, 0.0, dZerodBSPLmV), bNoNegInf);
}

double ConvertVToHex(double dVolts, double dAnalogueRangemV)
{
    return UnitToHex(dVolts, UNIT_VRMS, Analogue(dAnalogueRangemV));
}

double ConvertdBFSToHex(double ddBFS) { return UnitToHex(ddBFS, UNIT_DBFS, SReferences()); }

double ConvertdBToHex(double ddB, double dReferenceHex)
{
    return ScaleToBase(ddB, SUnitScale::Decibel(std::fabs(dReferenceHex)));
}

double ConvertUITons(double dUI, double dSampleRate)
{
    double dResult = DBL_MAX;
    ConvertInFamily(GetJitterScale, dUI, UNIT_JITTER_UI, UNIT_JITTER_NS, SReferences::ForJitterY(dSampleRate, false),
                    dResult);
    return dResult;
}

double ConvertUIToDataJitterHex(double dUI)
{
    return dUI == DBL_MAX ? dUI : dUI * kDataJitterHexPerUI;
}

double ConvertUITofsJitterHex(double dUI)
{
    return dUI == DBL_MAX ? dUI : dUI * kFsJitterHexPerUI;
}

CString GetDPsString(int iDecimalPlaces, int iFlags)
{
    CString sFormat;
    sFormat.Format((iFlags & FORMAT_INCLUDESIGN) ? L"%%+.%df" : L"%%.%df", std::clamp(iDecimalPlaces, 0, 15));
    return sFormat;
}
