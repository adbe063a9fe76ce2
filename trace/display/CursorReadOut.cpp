#include "trace/display/CursorReadOut.h"

#include "host/units/Unit.h"
#include "trace/model/QXTrace.h"

CString WithUnit(const CString& sValue, int iUnit)
{
    if (sValue.IsEmpty()) return L"-";
    CString sText = sValue;
    if (const CUnit* pUnit = FindUnitObject(iUnit)) {
        sText += L" ";
        sText += pUnit->GetName();
    }
    return sText;
}

CString GetCursorReadOutText(CQXTrace* pTrace)
{
    if (!pTrace) return CString();
    CString sText = pTrace->GetTraceName(1, 0, 0);
    if (!pTrace->IsCursorOn() || !pTrace->GetCursor()) return sText + L": cursor off";
    const int iXUnit = pTrace->GetCursorXUnit();
    const int iYUnit = pTrace->GetCursorYUnit();
    sText += L": cursor X ";
    sText += WithUnit(pTrace->GetXCursorText(iXUnit), iXUnit);
    sText += L", Y ";
    sText += WithUnit(pTrace->GetYCursorText(iYUnit), iYUnit);
    return sText;
}
