#include "trace/core/ZoomMath.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/units/QXProperty.h"
#include "host/units/Unit.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

// ---- X windows -------------------------------------------------------------------

void CalcZoomedXWindow(const SXWindow& window, double dFactor, int iCentre, int* piMin, int* piMax)
{
    if (!piMin || !piMax) {
        QXASSERT(piMin && piMax);
        return;
    }
    const int iSpan = window.iCurrentMax - window.iCurrentMin;
    long long llNewSpan = iSpan == 0 ? 2 : static_cast<long long>(std::floor(iSpan * dFactor + 0.5));
    if (iCentre == window.iMin || iCentre == window.iMax) llNewSpan *= 2;
    // Clamped in 64 bits so a huge factor cannot overflow the positions.
    *piMin = static_cast<int>(std::max<long long>(iCentre - llNewSpan / 2, window.iMin));
    *piMax = static_cast<int>(std::min<long long>(iCentre + llNewSpan / 2, window.iMax));
}

int GetXWindowCentre(const SXWindow& window)
{
    const bool bAtStart = window.iCurrentMin == window.iMin;
    const bool bAtEnd = window.iCurrentMax == window.iMax;
    if (bAtEnd && !bAtStart) return window.iCurrentMax;
    if (bAtStart && !bAtEnd) return window.iCurrentMin;
    return window.iCurrentMin + (window.iCurrentMax - window.iCurrentMin) / 2;
}

// ---- Y windows ---------------------------------------------------------------------

void PlaceYWindow(double dMin, double dMax, double dFullMin, double dFullMax, double dNewSpan, double* pdNewMin,
                  double* pdNewMax)
{
    if (!pdNewMin || !pdNewMax) {
        QXASSERT(pdNewMin && pdNewMax);
        return;
    }
    const bool bAtStart = dMin == dFullMin;
    const bool bAtEnd = dMax == dFullMax;
    if (bAtStart && !bAtEnd) {
        *pdNewMin = dMin;
        *pdNewMax = dMin + dNewSpan;
    } else if (bAtEnd && !bAtStart) {
        *pdNewMin = dMax - dNewSpan;
        *pdNewMax = dMax;
    } else {
        const double dMid = (dMin + dMax) / 2.0;
        *pdNewMin = dMid - dNewSpan / 2.0;
        *pdNewMax = dMid + dNewSpan / 2.0;
    }
}

double GetYMoveStep(double dSpan, int n)
{
    dSpan = std::fabs(dSpan);
    if (!(dSpan > 0.0) || !std::isfinite(dSpan) || dSpan >= DBL_MAX) return 0.0;
    static constexpr double aMantissas[] = {1.0, 2.0, 5.0};
    // Entry k of the table is aMantissas[k mod 3] x 10^(k div 3).
    const double dTenth = dSpan / 10.0;
    int k = 3 * static_cast<int>(std::floor(std::log10(dTenth)));
    const auto Entry = [](int i) {
        const int iDecade = i >= 0 ? i / 3 : -((-i + 2) / 3);
        return aMantissas[i - 3 * iDecade] * std::pow(10.0, iDecade);
    };
    // Rounding in log10 may leave k one entry off either way.
    while (Entry(k + 1) <= dTenth * (1.0 + 1e-12)) ++k;
    while (Entry(k) > dTenth * (1.0 + 1e-12)) --k;
    return Entry(k + std::clamp(n, -30, 30));
}

// ---- Automatic windows -----------------------------------------------------------------

double GetAutoZoomStep(double dSpan)
{
    struct SStep {
        double dBelow;
        double dStep;
    };
    // Spans below dBelow take dStep; anything larger takes the last step.
    static constexpr SStep aSteps[] = {
        {0.0001, 0.00001}, {0.001, 0.0001}, {0.01, 0.001}, {0.1, 0.01}, {1.0, 0.1},      {20.0, 1.0},
        {50.0, 5.0},       {500.0, 10.0},   {1000.0, 50.0}, {5000.0, 100.0}, {10000.0, 1000.0}, {100000.0, 10000.0},
    };
    if (!(dSpan == dSpan)) return 1.0; // NaN: no sensible step
    dSpan = std::fabs(dSpan);
    if (dSpan == 0.0) return 1.0;
    for (const SStep& step : aSteps)
        if (dSpan < step.dBelow) return step.dStep;
    return 100000.0;
}

namespace {

bool IsUsableEnd(double d)
{
    return std::isfinite(d) && std::fabs(d) != DBL_MAX;
}

} // namespace

void RoundAutoZoomWindow(double* pdMin, double* pdMax, double dSpan, const SAutoZoomRounding& rounding)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    const double dStep = std::max(GetAutoZoomStep(dSpan), rounding.dMinMultiple);
    const double dOldMin = *pdMin;
    const double dOldMax = *pdMax;
    if (IsUsableEnd(dOldMin)) {
        double dMin = std::floor(dOldMin / dStep) * dStep;
        if (rounding.bStartInsideData) {
            if (dMin < dOldMin) dMin += dStep;
        } else if (dMin > dOldMin) {
            dMin -= dStep;
        }
        *pdMin = dMin;
    }
    if (IsUsableEnd(dOldMax)) {
        double dMax = std::ceil(dOldMax / dStep) * dStep;
        if (dMax < dOldMax) dMax += dStep;
        *pdMax = dMax;
    }
    if (*pdMin == *pdMax && dSpan == 0.0) {
        *pdMin -= dStep;
        *pdMax += dStep;
    }
}

double GetMinMultipleForScales(int iUnit)
{
    const CUnit* pUnit = FindUnitObject(iUnit);
    if (!pUnit) {
        QXASSERT(pUnit != nullptr);
        return 1.0;
    }
    double dMultiple = std::pow(10.0, -(pUnit->GetNumDPs() - 1));
    switch (iUnit) {
    case UNIT_VRMS:
    case UNIT_VP:
    case UNIT_VPP:
    case UNIT_W:
    case UNIT_V:
        dMultiple /= 1000.0;
        break;
    default:
        break;
    }
    return dMultiple;
}

// ---- Entry ranges ----------------------------------------------------------------------

CString GetInvalidRangeText(const CString& sWhat, double dMin, double dMax, int iUnit, int iMode)
{
    QXASSERT(iUnit != -1);
    const CString sSubject = sWhat.IsEmpty() ? LoadResString(IDS_VALUE_ENTERED) : sWhat;
    const CUnit* pUnit = FindUnitObject(iUnit);
    CString sUnit;
    if (iUnit != UNIT_NULL && pUnit) sUnit = CString(L" ") + pUnit->GetName();
    // An id without a unit is formatted as a plain number rather than asserting twice.
    const int iFormatUnit = pUnit ? iUnit : UNIT_NULL;
    const CString sMin = CQXProperty::DoFormatValue(dMin, iFormatUnit, 0, nullptr);
    const CString sMax = CQXProperty::DoFormatValue(dMax, iFormatUnit, 0, nullptr);
    const CString sFormat = LoadResString(iMode == 0 ? IDS_INVALID_RANGE : IDS_INVALID_RANGE_ALT);
    CString sText;
    sText.Format(sFormat, sSubject.GetString(), sMin.GetString(), sMax.GetString(), sUnit.GetString());
    return sText;
}

void ShowInvalidRange(CString sWhat, double dMin, double dMax, int iUnit, int iMode)
{
    AfxMessageBox(GetInvalidRangeText(sWhat, dMin, dMax, iUnit, iMode), MB_OK | MB_ICONINFORMATION);
}
