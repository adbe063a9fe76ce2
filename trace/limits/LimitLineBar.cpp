#include "trace/limits/LimitLineBar.h"

#include "trace/display/CursorReadOut.h"
#include "host/units/UnitSet.h"
#include "trace/core/PlotMaps.h"
#include "trace/limits/LimitLineManager.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

namespace {

struct SButton {
    const wchar_t* pszText;
    UINT uCommand;
};

constexpr std::array<SButton, CLimitLineBar::BTN_COUNT> kButtons{{
    {L"Finish", ID_LIMIT_FINISH},
    {L"Cancel", ID_LIMIT_CANCEL},
    {L"End segment", ID_LIMIT_END_SEGMENT},
    {L"Undo", ID_LIMIT_UNDO},
    {L"Redo", ID_LIMIT_REDO},
    {L"Delete line", ID_LIMIT_DELETE_LINE},
}};

std::vector<EUnit> UnitsOf(CQXTrace* pTrace, int iAxis)
{
    const CUnitSet* pSet = pTrace ? pTrace->GetUnitSet(iAxis) : nullptr;
    return pSet ? pSet->GetUnits() : std::vector<EUnit>();
}

int IndexOf(const std::vector<EUnit>& aeUnits, int iUnit)
{
    const auto it = std::find(aeUnits.begin(), aeUnits.end(), static_cast<EUnit>(iUnit));
    return it == aeUnits.end() ? 0 : static_cast<int>(it - aeUnits.begin());
}

} // namespace

void CLimitLineBar::InitControls()
{
    CQXTrace* pTrace = m_manager.GetParentTrace();
    m_aeXUnits = UnitsOf(pTrace, 1);
    m_aeYUnits = UnitsOf(pTrace, 2);
    m_iXUnit = pTrace ? IndexOf(m_aeXUnits, pTrace->GetXUnit()) : 0;
    m_iYUnit = pTrace ? IndexOf(m_aeYUnits, pTrace->GetYUnit()) : 0;
    m_bValid = false;
    NotifyChanged();
}

CString CLimitLineBar::GetButtonText(EButton eButton) { return kButtons[static_cast<size_t>(eButton)].pszText; }

UINT CLimitLineBar::GetButtonCommand(EButton eButton) { return kButtons[static_cast<size_t>(eButton)].uCommand; }

bool CLimitLineBar::IsButtonEnabled(EButton eButton) const
{
    switch (eButton) {
    case BTN_END_SEGMENT: return m_manager.CanEndSegment();
    case BTN_UNDO: return m_manager.CanUndo();
    case BTN_REDO: return m_manager.CanRedo();
    case BTN_DELETE: return m_manager.HasPoints();
    default: return true;
    }
}

bool CLimitLineBar::OnButton(EButton eButton)
{
    if (eButton < 0 || eButton >= BTN_COUNT || !IsButtonEnabled(eButton)) return false;
    return m_manager.OnCmdMsg(GetButtonCommand(eButton), 0, nullptr);
}

bool CLimitLineBar::SetXUnitIndex(int iIndex)
{
    if (iIndex < 0 || iIndex >= static_cast<int>(m_aeXUnits.size())) return false;
    m_iXUnit = iIndex;
    NotifyChanged();
    return true;
}

bool CLimitLineBar::SetYUnitIndex(int iIndex)
{
    if (iIndex < 0 || iIndex >= static_cast<int>(m_aeYUnits.size())) return false;
    m_iYUnit = iIndex;
    NotifyChanged();
    return true;
}

void CLimitLineBar::UpdateCursorPos(int iColumn, double dYData, bool bValid)
{
    m_iColumn = iColumn;
    m_dYData = dYData;
    m_bValid = bValid;
    NotifyChanged();
}

CString CLimitLineBar::GetXCursorText() const
{
    CQXTrace* pTrace = m_manager.GetParentTrace();
    if (!m_bValid || !pTrace || m_aeXUnits.empty()) return L"-";
    const EUnit eUnit = m_aeXUnits[static_cast<size_t>(m_iXUnit)];
    const double dValue = pTrace->MakeXMapInUnit(eUnit).ValueAtColumn(m_iColumn);
    return WithUnit(pTrace->GetValueStringForXValue(dValue, eUnit, nullptr), eUnit);
}

CString CLimitLineBar::GetYCursorText() const
{
    CQXTrace* pTrace = m_manager.GetParentTrace();
    if (!m_bValid || !pTrace || m_aeYUnits.empty() || m_dYData == DBL_MAX) return L"-";
    const EUnit eUnit = m_aeYUnits[static_cast<size_t>(m_iYUnit)];
    return WithUnit(pTrace->GetValueStringForYData(m_dYData, eUnit, 0, 0, nullptr), eUnit);
}
