#include "host/settings/SettingsBase.h"

#include "host/app/DebugLog.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"

#include <algorithm>

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

void CSettingsBase::DefineDouble(int iId, double dDefault, EUnit eUnit, int iUnitSet)
{
    SProperty& p = Define(iId, ESettingKind::eDouble);
    p.dValue = p.dDefault = dDefault;
    p.eUnit = eUnit;
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

int CSettingsBase::GetPropertyUnitSet(int iId) const
{
    const SProperty* p = Find(iId);
    if (!QXVERIFY(p != nullptr)) return -1;
    return p->iUnitSet;
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
    return p ? p->iUnitSet : -1;
}

bool CSettingsBase::ConvertValue(int, double dValue, EUnit eFrom, EUnit eTo, double& dResult) const
{
    if (eFrom == eTo) {
        dResult = dValue;
        return true;
    }
    const double dRate = GetAnalyserSettings()->GetAnalyserSampleRate(0, false);
    return ConvertTimeUnits(dValue, eFrom, eTo, dRate, dResult);
}
