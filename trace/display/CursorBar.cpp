#include "trace/display/CursorBar.h"

#include "host/app/AppServices.h"
#include "host/units/UnitSet.h"
#include "trace/core/TraceDefs.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

namespace {

bool HasCursorOn(CQXTrace* pTrace)
{
    return pTrace && pTrace->IsInUse() && pTrace->IsOn() && pTrace->IsCursorOn() && pTrace->GetCursor();
}

void CursorMoved(CQXTrace* pTrace)
{
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(UPDATE_TRACE_CURSOR, pTrace);
}

// The units a user may choose for an axis; without a unit set only the unit in use.
std::vector<EUnit> UnitsOf(CQXTrace* pTrace, int iAxis, EUnit eInUse)
{
    if (const CUnitSet* pSet = pTrace ? pTrace->GetUnitSet(iAxis) : nullptr) return pSet->GetUnits();
    return eInUse > UNIT_NULL ? std::vector<EUnit>{eInUse} : std::vector<EUnit>{};
}

} // namespace

SCommandStatus GetCursorCommandStatus(UINT uCommand, CQXTrace* pTrace)
{
    if (uCommand < ID_CURSOR_LEFT || uCommand > ID_CURSOR_RESET || !HasCursorOn(pTrace)) return {};
    return {true, uCommand == ID_CURSOR_RELATIVE && pTrace->IsRelativeCursorOn()};
}

bool ExecuteCursorCommand(UINT uCommand, CQXTrace* pTrace)
{
    if (!GetCursorCommandStatus(uCommand, pTrace).bEnabled) return false;
    switch (uCommand) {
    case ID_CURSOR_LEFT:
    case ID_CURSOR_RIGHT:
        if (!pTrace->AdjustCursorPosition(uCommand == ID_CURSOR_LEFT, 0)) return false;
        CursorMoved(pTrace);
        return true;
    case ID_CURSOR_RELATIVE:
        if (pTrace->IsRelativeCursorOn())
            pTrace->RelativeCursorOff();
        else
            pTrace->RelativeCursorOn();
        return true;
    default: // ID_CURSOR_RESET
        pTrace->RelativeCursorOff();
        pTrace->GetCursor()->SetPosition(pTrace->GetMinCursorXPos(true));
        CursorMoved(pTrace);
        return true;
    }
}

CQXTrace* CCursorBar::GetTrace() const
{
    const CGraphDoc* pDoc = GetGraphDoc();
    return pDoc ? pDoc->GetCurrentTrace() : nullptr;
}

void CCursorBar::Update()
{
    CQXTrace* pTrace = GetTrace();
    m_eXUnit = pTrace ? static_cast<EUnit>(pTrace->GetCursorXUnit()) : UNIT_INVALID;
    m_eYUnit = pTrace ? static_cast<EUnit>(pTrace->GetCursorYUnit()) : UNIT_INVALID;
    m_aeXUnits = UnitsOf(pTrace, 1, m_eXUnit);
    m_aeYUnits = UnitsOf(pTrace, 2, m_eYUnit);
    if (m_fnChanged) m_fnChanged();
}

int CCursorBar::IndexOf(const std::vector<EUnit>& aeUnits, EUnit eUnit)
{
    const auto it = std::find(aeUnits.begin(), aeUnits.end(), eUnit);
    return it == aeUnits.end() ? -1 : static_cast<int>(it - aeUnits.begin());
}

bool CCursorBar::ChooseUnit(AxisType eAxis, int iIndex)
{
    const std::vector<EUnit>& aeUnits = eAxis == X_AXIS ? m_aeXUnits : m_aeYUnits;
    CQXTrace* pTrace = GetTrace();
    if (!pTrace || iIndex < 0 || iIndex >= static_cast<int>(aeUnits.size())) return false;
    const EUnit eUnit = aeUnits[static_cast<size_t>(iIndex)];
    (eAxis == X_AXIS ? m_eXUnit : m_eYUnit) = eUnit;
    if (eAxis == X_AXIS)
        pTrace->SetCursorXUnit(eUnit, 0);
    else
        pTrace->SetCursorYUnit(eUnit, 0);
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->AdjustCursorUnitOfRelatedTraces(pTrace, eAxis == X_AXIS ? 0 : 1);
    CursorMoved(pTrace);
    return true;
}

CString CCursorBar::GetXCursorText(CQXTrace* pTrace) const
{
    return pTrace ? pTrace->GetXCursorText(m_eXUnit) : CString();
}

CString CCursorBar::GetYCursorText(CQXTrace* pTrace) const
{
    return pTrace ? pTrace->GetYCursorText(m_eYUnit) : CString();
}
