#include "host/units/Unit.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitTraits.h"

#include <array>

namespace {

struct SUnitRow {
    int iUnit;
    unsigned uTraits;
    EUnitKind eKind;
};

constexpr unsigned AMP = UNITTRAIT_AMPLITUDE;
constexpr unsigned ABS = UNITTRAIT_AMPLITUDE | UNITTRAIT_ABSOLUTE;
constexpr unsigned REL = UNITTRAIT_AMPLITUDE | UNITTRAIT_RELATIVE;
constexpr unsigned DIG = ABS | UNITTRAIT_DIGITAL;

constexpr std::array<SUnitRow, 44> kRows = {{
    {UNIT_NULL, 0, UNITKIND_NULL},
    {UNIT_BINS, 0, UNITKIND_BINS},
    {UNIT_SECONDS, 0, UNITKIND_TIME},
    {UNIT_MS, 0, UNITKIND_TIME},
    {UNIT_FREQ_HZ, UNITTRAIT_FREQUENCY, UNITKIND_FREQUENCY},
    {UNIT_FREQ_OFFSET, UNITTRAIT_FREQUENCY | UNITTRAIT_SIGN, UNITKIND_FREQUENCY},
    {UNIT_FREQ_RATIO, UNITTRAIT_FREQUENCY, UNITKIND_FREQUENCY},
    {UNIT_SAMPLES, 0, UNITKIND_TIME},
    {UNIT_DBSPL, ABS | UNITTRAIT_DB, UNITKIND_ABSAMPLITUDE},
    {UNIT_DBFS, DIG | UNITTRAIT_DB, UNITKIND_ABSAMPLITUDE},
    {UNIT_FS, DIG | UNITTRAIT_PERCENT, UNITKIND_ABSAMPLITUDE},
    {UNIT_FFS, DIG, UNITKIND_ABSAMPLITUDE},
    {UNIT_HEX, DIG | UNITTRAIT_HEXBASE, UNITKIND_ABSAMPLITUDE},
    {UNIT_VRMS, ABS, UNITKIND_ABSAMPLITUDE},
    {UNIT_VP, ABS, UNITKIND_ABSAMPLITUDE},
    {UNIT_VPP, ABS, UNITKIND_ABSAMPLITUDE},
    {UNIT_DBU, ABS | UNITTRAIT_DB, UNITKIND_ABSAMPLITUDE},
    {UNIT_DBV, ABS | UNITTRAIT_DB, UNITKIND_ABSAMPLITUDE},
    {UNIT_DBM, ABS | UNITTRAIT_DB, UNITKIND_ABSAMPLITUDE},
    {UNIT_W, ABS, UNITKIND_ABSAMPLITUDE},
    {UNIT_DBR, ABS | UNITTRAIT_REFERENCE | UNITTRAIT_DB | UNITTRAIT_SIGN, UNITKIND_ABSAMPLITUDE},
    {UNIT_PERCENTREF, ABS | UNITTRAIT_REFERENCE | UNITTRAIT_PERCENT, UNITKIND_ABSAMPLITUDE},
    {UNIT_RELATIVE_DB, REL | UNITTRAIT_DB | UNITTRAIT_SIGN, UNITKIND_RELAMPLITUDE},
    {UNIT_RELATIVE_PERCENT, REL | UNITTRAIT_PERCENT, UNITKIND_RELAMPLITUDE},
    {UNIT_JITTER_UI, UNITTRAIT_JITTER, UNITKIND_JITTER},
    {UNIT_JITTER_NS, UNITTRAIT_JITTER, UNITKIND_JITTER},
    {UNIT_JITTER_DBUI, UNITTRAIT_JITTER | UNITTRAIT_DB, UNITKIND_JITTER},
    {UNIT_JITTER_UIPP, UNITTRAIT_JITTER, UNITKIND_JITTER},
    {UNIT_JITTER_NSPP, UNITTRAIT_JITTER, UNITKIND_JITTER},
    {UNIT_PHASE_UI, UNITTRAIT_CARRIERPHASE, UNITKIND_CARRIERPHASE},
    {UNIT_PHASE_PERCENT, UNITTRAIT_CARRIERPHASE | UNITTRAIT_PERCENT, UNITKIND_CARRIERPHASE},
    {UNIT_PHASE_SAMPLES, UNITTRAIT_ANAPHASE, UNITKIND_ANAPHASE},
    {UNIT_PHASE_DEGREES, UNITTRAIT_ANAPHASE, UNITKIND_ANAPHASE},
    {UNIT_PHASE_RADIANS, UNITTRAIT_ANAPHASE, UNITKIND_ANAPHASE},
    {UNIT_PHASE_US, UNITTRAIT_ANAPHASE, UNITKIND_ANAPHASE},
    {UNIT_DUTYCYCLE_PERCENT, UNITTRAIT_PERCENT, UNITKIND_DUTYCYCLE},
    {UNIT_DUTYCYCLE_SAMPLES, 0, UNITKIND_DUTYCYCLE},
    {UNIT_V, ABS, UNITKIND_ABSAMPLITUDE},
    {UNIT_PPM, UNITTRAIT_SIGN, UNITKIND_DEVIATION},
    {UNIT_IMPEDANCE_R, 0, UNITKIND_IMPEDANCE},
    {UNIT_RELATIVE_RATIO, REL, UNITKIND_RELAMPLITUDE},
    {UNIT_RELATIVE_GAIN, REL, UNITKIND_RELAMPLITUDE},
    {UNIT_RELATIVE_ANAVSGEN, REL, UNITKIND_RELAMPLITUDE},
    {UNIT_NUMPERIODS, 0, UNITKIND_TIME},
}};

const SUnitRow* FindRow(int iUnit)
{
    if (iUnit < 0) return nullptr;
    for (const auto& row : kRows)
        if (row.iUnit == iUnit) return &row;
    return nullptr;
}

struct SDiagName {
    int iUnit;
    const char* sName;
};

constexpr SDiagName kDiagNames[] = {
    {UNIT_USEFIRST, "UNIT_USEFIRST"}, {UNIT_USESTORAGE, "UNIT_USESTORAGE"},
    {UNIT_USECURRENT, "UNIT_USECURRENT"}, {UNIT_INVALID, "UNIT_INVALID"},
    {UNIT_NULL, "UNIT_NULL"}, {UNIT_BINS, "UNIT_BINS"}, {UNIT_SECONDS, "UNIT_SECONDS"},
    {UNIT_MS, "UNIT_MS"}, {UNIT_FREQ_HZ, "UNIT_FREQ_HZ"}, {UNIT_FREQ_OFFSET, "UNIT_FREQ_OFFSET"},
    {UNIT_FREQ_RATIO, "UNIT_FREQ_RATIO"}, {UNIT_SAMPLES, "UNIT_SAMPLES"}, {UNIT_DBSPL, "UNIT_DBSPL"},
    {UNIT_DBFS, "UNIT_DBFS"}, {UNIT_FS, "UNIT_FS"}, {UNIT_FFS, "UNIT_FFS"}, {UNIT_HEX, "UNIT_HEX"},
    {UNIT_VRMS, "UNIT_VRMS"}, {UNIT_VP, "UNIT_VP"}, {UNIT_VPP, "UNIT_VPP"}, {UNIT_DBU, "UNIT_DBU"},
    {UNIT_DBV, "UNIT_DBV"}, {UNIT_DBM, "UNIT_DBM"}, {UNIT_W, "UNIT_W"}, {UNIT_DBR, "UNIT_DBR"},
    {UNIT_PERCENTREF, "UNIT_PERCENTREF"}, {UNIT_RELATIVE_DB, "UNIT_RELATIVE_DB"},
    {UNIT_RELATIVE_PERCENT, "UNIT_RELATIVE_PERCENT"}, {UNIT_JITTER_UI, "UNIT_JITTER_UI"},
    {UNIT_JITTER_NS, "UNIT_JITTER_NS"}, {UNIT_JITTER_DBUI, "UNIT_JITTER_DBUI"},
    {UNIT_JITTER_UIPP, "UNIT_JITTER_UIPP"}, {UNIT_JITTER_NSPP, "UNIT_JITTER_NSPP"},
    {UNIT_PHASE_UI, "UNIT_PHASE_UI"}, {UNIT_PHASE_PERCENT, "UNIT_PHASE_PERCENT"},
    {UNIT_PHASE_SAMPLES, "UNIT_PHASE_SAMPLES"}, {UNIT_PHASE_DEGREES, "UNIT_PHASE_DEGREES"},
    {UNIT_PHASE_RADIANS, "UNIT_PHASE_RADIANS"}, {UNIT_PHASE_US, "UNIT_PHASE_US"},
    {UNIT_DUTYCYCLE_PERCENT, "UNIT_DUTYCYCLE_PERCENT"}, {UNIT_DUTYCYCLE_SAMPLES, "UNIT_DUTYCYCLE_SAMPLES"},
    {UNIT_V, "UNIT_V"}, {UNIT_PPM, "UNIT_PPM"}, {UNIT_IMPEDANCE_R, "UNIT_IMPEDANCE_R"},
    {UNIT_RELATIVE_RATIO, "UNIT_RELATIVE_RATIO"}, {UNIT_RELATIVE_GAIN, "UNIT_RELATIVE_GAIN"},
    {UNIT_RELATIVE_ANAVSGEN, "UNIT_RELATIVE_ANAVSGEN"}, {UNIT_BINPOWER, "UNIT_BINPOWER"},
    {UNIT_NUMPERIODS, "UNIT_NUMPERIODS"},
};

bool Has(const CUnit* pUnit, unsigned uTrait)
{
    return (GetUnitTraits(pUnit->GetEUnit()) & uTrait) != 0;
}

} // namespace

unsigned GetUnitTraits(int iUnit)
{
    const SUnitRow* pRow = FindRow(iUnit);
    return pRow ? pRow->uTraits : 0u;
}

EUnitKind GetUnitKind(int iUnit)
{
    const SUnitRow* pRow = FindRow(iUnit);
    return pRow ? pRow->eKind : UNITKIND_NONE;
}

const wchar_t* CUnit::GetAllowedMultipliers() const
{
    switch (m_eUnit) {
    case UNIT_FREQ_HZ:
    case UNIT_FREQ_OFFSET:
    case UNIT_FREQ_RATIO:
        return L"kK";
    case UNIT_IMPEDANCE_R:
        return L"kKM";
    case UNIT_VRMS:
    case UNIT_V:
    case UNIT_VP:
    case UNIT_VPP:
    case UNIT_W:
        return L"mu";
    default:
        return L"";
    }
}

NUMBERBASE CUnit::GetBase() const
{
    return Has(this, UNITTRAIT_HEXBASE) ? NUMBERBASE_HEXADECIMAL : NUMBERBASE_DECIMAL;
}

bool CUnit::IncludeSign() const { return Has(this, UNITTRAIT_SIGN); }
bool CUnit::IsAmplitudeUnit() const { return Has(this, UNITTRAIT_AMPLITUDE); }
bool CUnit::IsAbsoluteAmplitudeUnit() const { return Has(this, UNITTRAIT_ABSOLUTE); }
bool CUnit::IsRelativeAmplitudeUnit() const { return Has(this, UNITTRAIT_RELATIVE); }
bool CUnit::IsReferenceAmplitudeUnit() const { return Has(this, UNITTRAIT_REFERENCE); }
bool CUnit::IsDigitalAmplitudeUnit() const { return Has(this, UNITTRAIT_DIGITAL); }
bool CUnit::IsdBUnit() const { return Has(this, UNITTRAIT_DB); }
bool CUnit::IsPercentUnit() const { return Has(this, UNITTRAIT_PERCENT); }
bool CUnit::IsFrequencyUnit() const { return Has(this, UNITTRAIT_FREQUENCY); }
bool CUnit::IsJitterUnit() const { return Has(this, UNITTRAIT_JITTER); }
bool CUnit::IsAnalyserPhaseUnit() const { return Has(this, UNITTRAIT_ANAPHASE); }
bool CUnit::IsCarrierPhaseUnit() const { return Has(this, UNITTRAIT_CARRIERPHASE); }

bool IsdBUnit(int iUnit)
{
    const CUnit* pUnit = FindUnitObject(iUnit);
    return pUnit && pUnit->IsdBUnit();
}

CPUnit::CPUnit(EUnit eUnit) : m_eUnit(eUnit), m_pUnit(FindUnitObject(eUnit)) {}

CPUnit::CPUnit(int iUnit) : m_eUnit(static_cast<EUnit>(iUnit)), m_pUnit(FindUnitObject(iUnit)) {}

const CUnit* CPUnit::operator->() const
{
    QXASSERT(m_pUnit != nullptr);
    return m_pUnit ? m_pUnit : FindUnitObject(UNIT_NULL);
}

const char* GetUnitDiagName(int iUnit)
{
    for (const auto& entry : kDiagNames)
        if (entry.iUnit == iUnit) return entry.sName;
    return "UNIT_UNKNOWN";
}

EUnit FindUnitByName(const wchar_t* sName)
{
    if (!sName || !*sName) return UNIT_INVALID;
    const CString sWanted(sName);
    for (EUnit eUnit : AllUnitIds())
        if (FindUnitObject(eUnit)->GetOLEName().CompareNoCase(sWanted) == 0) return eUnit;
    for (const auto& entry : kDiagNames)
        if (FindUnitObject(entry.iUnit) && CString(entry.sName).CompareNoCase(sWanted) == 0)
            return static_cast<EUnit>(entry.iUnit);
    for (EUnit eUnit : AllUnitIds())
        if (FindUnitObject(eUnit)->GetName().CompareNoCase(sWanted) == 0) return eUnit;
    return UNIT_INVALID;
}
