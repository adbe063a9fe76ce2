#include "host/settings/SettingsBase.h"

#include "host/app/DebugLog.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/units/DblUnitProperty.h"
#include "host/units/Unit.h"
#include "host/units/UnitSet.h"
#include "host/units/UnitSets.h"

#include <algorithm>
#include <cfloat>

namespace {

// Seconds per unit for the time units; 0 for samples/bins (rate-dependent),
// -1 for anything else.
double SecondsPerUnit(EUnit eUnit)
{
    switch (eUnit) {
    case UNIT_SECONDS: return 1.0;
    case UNIT_MS: return 0.001;
    case UNIT_SAMPLES:
    case UNIT_BINS: return 0.0;
    default: return -1.0;
    }
}

bool IsStorageRequest(EUnit eUnit)
{
    return eUnit == UNIT_INVALID || eUnit == UNIT_USESTORAGE;
}

} // namespace

bool ConvertTimeUnits(double dValue, EUnit eFrom, EUnit eTo, double dSampleRate, double& dResult)
{
    const double dFrom = SecondsPerUnit(eFrom);
    const double dTo = SecondsPerUnit(eTo);
    if (dFrom < 0.0 || dTo < 0.0) return false;
    const bool bNeedsRate = dFrom == 0.0 || dTo == 0.0;
    if (bNeedsRate && !(dSampleRate > 0.0)) return false;
    const double dSeconds = dFrom == 0.0 ? dValue / dSampleRate : dValue * dFrom;
    dResult = dTo == 0.0 ? dSeconds * dSampleRate : dSeconds / dTo;
    return true;
}

const CSettingsBase::SProperty* CSettingsBase::Find(int iId) const
{
    auto it = std::lower_bound(m_aProperties.begin(), m_aProperties.end(), iId,
                               [](const SProperty& p, int id) { return p.iId < id; });
    return (it != m_aProperties.end() && it->iId == iId) ? &*it : nullptr;
}

CSettingsBase::SProperty* CSettingsBase::Find(int iId)
{
    return const_cast<SProperty*>(static_cast<const CSettingsBase*>(this)->Find(iId));
}

CSettingsBase::SProperty& CSettingsBase::Define(int iId, ESettingKind eKind)
{
    QXASSERT(Find(iId) == nullptr);
    auto it = std::lower_bound(m_aProperties.begin(), m_aProperties.end(), iId,
                               [](const SProperty& p, int id) { return p.iId < id; });
    if (it != m_aProperties.end() && it->iId == iId) *it = SProperty();
    else it = m_aProperties.insert(it, SProperty());
    it->iId = iId;
    it->eKind = eKind;
    return *it;
}

void CSettingsBase::DefineInt(int iId, int iDefault)
{
    SProperty& p = Define(iId, ESettingKind::eInt);
    p.iValue = p.iDefault = iDefault;
}

void CSettingsBase::DefineDouble(int iId, double dDefault, EUnit eUnit, int iUnitSet, EUnit eDisplayUnit)
{
    SProperty& p = Define(iId, ESettingKind::eDouble);
    p.dValue = p.dDefault = dDefault;
    p.eUnit = eUnit;
    p.eDisplayUnit = eDisplayUnit == UNIT_INVALID ? eUnit : eDisplayUnit;
    p.iUnitSet = iUnitSet;
}

void CSettingsBase::DefineString(int iId, const wchar_t* szDefault)
{
    SProperty& p = Define(iId, ESettingKind::eString);
    p.sValue = p.sDefault = CString(szDefault);
}

void CSettingsBase::ResetToDefaults()
{
    for (SProperty& p : m_aProperties) {
        p.iValue = p.iDefault;
        p.dValue = p.dDefault;
        p.sValue = p.sDefault;
    }
}

const CSettingsBase::SProperty* CSettingsBase::FindOfKind(int iId, ESettingKind eKind, const char* szFunction) const
{
    const SProperty* p = Find(iId);
    if (p == nullptr) {
        QXDebugLog(1, szFunction, "%s: no property %d", m_szName, iId);
        QXASSERT(p != nullptr);
        return nullptr;
    }
    if (!QXVERIFY(p->eKind == eKind)) return nullptr;
    return p;
}

ESettingKind CSettingsBase::GetPropertyKind(int iId) const
{
    const SProperty* p = Find(iId);
    if (!QXVERIFY(p != nullptr)) return ESettingKind::eInt;
    return p->eKind;
}

EUnit CSettingsBase::GetPropertyUnit(int iId) const
{
    const SProperty* p = Find(iId);
    if (!QXVERIFY(p != nullptr)) return UNIT_INVALID;
    return p->eUnit;
}

EUnit CSettingsBase::GetPropertyDisplayUnit(int iId) const
{
    const SProperty* p = Find(iId);
    if (!QXVERIFY(p != nullptr)) return UNIT_INVALID;
    return p->eDisplayUnit;
}

int CSettingsBase::GetPropertyUnitSet(int iId) const
{
    const SProperty* p = Find(iId);
    if (!QXVERIFY(p != nullptr)) return -1;
    return p->iUnitSet;
}

bool CSettingsBase::IsPropertyUnitValid(int iId, int iUnit) const
{
    const SProperty* p = Find(iId);
    if (!QXVERIFY(p != nullptr)) return false;
    if (iUnit == p->eUnit) return true;
    const CUnitSet* pSet = p->iUnitSet != UNITSET_NONE ? GetUnitSet(p->iUnitSet) : nullptr;
    return pSet != nullptr && pSet->IsUnitValid(iUnit);
}

SReferences CSettingsBase::GetPropertyReferences(int iId) const
{
    const EUnit eUnit = GetPropertyUnit(iId);
    const double dRate = GetAnalyserSettings()->GetAnalyserSampleRate(0, false);
    const CUnit* pUnit = FindUnitObject(eUnit);
    if (pUnit != nullptr && (pUnit->IsFrequencyUnit() || pUnit->IsAnalyserPhaseUnit()))
        return SReferences::ForFrequency(GetSignalAnalyserSettings()->GetFrequency(0), dRate);
    if (pUnit != nullptr && (pUnit->IsJitterUnit() || pUnit->IsCarrierPhaseUnit()))
        return SReferences::ForJitterY(dRate, false);
    const CSignalAnalyserSettings* pAnalyser = GetSignalAnalyserSettings();
    return SReferences::ForAbsoluteY(GetAnalogueInputsSettings()->GetCurrentRangeInV(0) * 1000.0,
                                     SReferences::kFullScaleSineHex,
                                     pAnalyser->GetPropertyAsDouble(PROP_SA_IMPEDANCE),
                                     pAnalyser->GetZerodBSPLmVValue(), true, true);
}

std::unique_ptr<CDblUnitProperty> CSettingsBase::MakeUnitProperty(int iId) const
{
    const SProperty* p = FindOfKind(iId, ESettingKind::eDouble, "CSettingsBase::MakeUnitProperty");
    if (p == nullptr) return nullptr;
    auto pProperty = std::make_unique<CDblUnitProperty>(iId, p->iUnitSet, p->eUnit, p->eDisplayUnit);
    pProperty->SetValue(p->dValue);
    pProperty->SetReferences(GetPropertyReferences(iId));
    return pProperty;
}

int CSettingsBase::GetPropertyAsInt(int iId) const
{
    const SProperty* p = FindOfKind(iId, ESettingKind::eInt, "CSettingsBase::GetPropertyAsInt");
    return p ? p->iValue : 0;
}

double CSettingsBase::GetPropertyAsDouble(int iId, EUnit eUnit) const
{
    const SProperty* p = Find(iId);
    if (p != nullptr && p->eKind == ESettingKind::eInt) return static_cast<double>(p->iValue);
    p = FindOfKind(iId, ESettingKind::eDouble, "CSettingsBase::GetPropertyAsDouble");
    if (p == nullptr) return 0.0;
    if (IsStorageRequest(eUnit) || eUnit == p->eUnit) return p->dValue;
    double dResult = 0.0;
    if (!QXVERIFY(ConvertValue(iId, p->dValue, p->eUnit, eUnit, dResult))) return 0.0;
    return dResult;
}

CString CSettingsBase::GetPropertyAsString(int iId) const
{
    const SProperty* p = Find(iId);
    if (!QXVERIFY(p != nullptr)) return CString();
    CString s;
    switch (p->eKind) {
    case ESettingKind::eString: return p->sValue;
    case ESettingKind::eInt: s.Format(L"%d", p->iValue); break;
    case ESettingKind::eDouble: s.Format(L"%.10g", p->dValue); break;
    }
    return s;
}

bool CSettingsBase::SetProperty(int iId, int iValue)
{
    SProperty* p = Find(iId);
    if (p != nullptr && p->eKind == ESettingKind::eDouble) return SetProperty(iId, static_cast<double>(iValue));
    p = const_cast<SProperty*>(FindOfKind(iId, ESettingKind::eInt, "CSettingsBase::SetProperty"));
    if (p == nullptr) return false;
    p->iValue = iValue;
    return true;
}

bool CSettingsBase::SetProperty(int iId, double dValue, EUnit eUnit)
{
    SProperty* p = const_cast<SProperty*>(FindOfKind(iId, ESettingKind::eDouble, "CSettingsBase::SetProperty"));
    if (p == nullptr) return false;
    if (IsStorageRequest(eUnit) || eUnit == p->eUnit) {
        p->dValue = dValue;
        return true;
    }
    double dStored = 0.0;
    if (!QXVERIFY(ConvertValue(iId, dValue, eUnit, p->eUnit, dStored))) return false;
    p->dValue = dStored;
    return true;
}

bool CSettingsBase::SetProperty(int iId, const CString& sValue)
{
    SProperty* p = const_cast<SProperty*>(FindOfKind(iId, ESettingKind::eString, "CSettingsBase::SetProperty"));
    if (p == nullptr) return false;
    p->sValue = sValue;
    return true;
}

int CSettingsBase::DoGetUnitSet(int iId, int, int, int) const
{
    const SProperty* p = Find(iId);
    return p ? p->iUnitSet : UNITSET_NONE;
}

bool CSettingsBase::ConvertValue(int iId, double dValue, EUnit eFrom, EUnit eTo, double& dResult) const
{
    if (eFrom == eTo) {
        dResult = dValue;
        return true;
    }
    const double dRate = GetAnalyserSettings()->GetAnalyserSampleRate(0, false);
    if (ConvertTimeUnits(dValue, eFrom, eTo, dRate, dResult)) return true;
    const int iSet = GetPropertyUnitSet(iId);
    const CUnitSet* pSet = iSet > UNITSET_NONE ? GetUnitSet(iSet) : nullptr;
    if (pSet == nullptr) return false;
    const SReferences refs = GetPropertyReferences(iId);
    dResult = pSet->ConvertValue(dValue, eFrom, eTo, &refs);
    // The set answers DBL_MAX for units it cannot convert.
    return dResult != DBL_MAX || dValue == DBL_MAX;
}
