#include "trace/model/TraceValue.h"

#include "host/units/UnitSet.h"
#include "trace/model/QXTrace.h"

CTraceValue::CTraceValue(int iAxis)
    : CDblUnitProperty(iAxis, static_cast<const CUnitSet*>(nullptr), UNIT_NULL, UNIT_NULL), m_iAxis(iAxis)
{
}

const CUnitSet* CTraceValue::GetUnitSet() const
{
    return m_pTrace ? m_pTrace->GetUnitSet(m_iAxis) : nullptr;
}

EUnit CTraceValue::GetStorageUnit() const
{
    return m_pTrace ? m_pTrace->GetStorageUnit(m_iAxis) : CDblUnitProperty::GetStorageUnit();
}

bool CTraceValue::IsUnitValid(int iUnit) const
{
    if (const CUnitSet* pSet = GetUnitSet()) return pSet->IsUnitValid(static_cast<EUnit>(iUnit));
    return CDblUnitProperty::IsUnitValid(iUnit);
}
