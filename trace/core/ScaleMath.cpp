#include "trace/core/ScaleMath.h"

#include "host/app/DebugLog.h"
#include "host/app/RateLimiter.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringTable.h"
#include "trace/core/TickArray.h"

#include <cfloat>
#include <cmath>
#include <cwchar>
#include <vector>

namespace {

// A few lines a second at most for each diagnostic.
constexpr unsigned kDiagPerSecond = 4;

constexpr int kDiagLevel = 2;

double PowerOfTen(int iExponent) { return std::pow(10.0, iExponent); }

bool ContainsMultiplier(const wchar_t* sMultipliers, wchar_t ch)
{
    return sMultipliers && std::wcschr(sMultipliers, ch) != nullptr;
}

bool IsVoltOrWattUnit(int iUnit)
{
    return iUnit == UNIT_VRMS || iUnit == UNIT_VP || iUnit == UNIT_VPP || iUnit == UNIT_W || iUnit == UNIT_V;
}

// The first usable log start to try for a unit, before it is brought below the end.
double LogStartCandidate(int iUnit, double dEnd, double dMinAllowed)
{
    if (iUnit == UNIT_FREQ_HZ) return dEnd < 50.0 ? 0.1 : (dEnd < 500.0 ? 1.0 : 10.0);
    if (IsVoltOrWattUnit(iUnit)) return 1e-8;
    return dMinAllowed;
}

// log10 that reads non-positive limits as log 0, so a broken log range
// gives flat positions rather than NaN.
double SafeLog10(double dValue) { return dValue > 0.0 ? std::log10(dValue) : 0.0; }

double RoundTickValue(double dValue) { return RoundToResolution(dValue, kTickResolution); }

// Ticks are written through this so that a generator can never run past the
// array: the last slot is kept for the 1.0 entry that ends every axis.
class CTickWriter {
public:
    explicit CTickWriter(CTickArray* pTicks) : m_pTicks(pTicks) {}
    bool Full() const { return m_iCount >= CTickArray::kMaxTicks - 1; }
    void Add(double dPosition)
    {
        if (!QXVERIFY(!Full())) return;
        m_pTicks->SetAt(m_iCount++, dPosition);
    }
    int Finish()
    {
        m_pTicks->SetAt(m_iCount++, 1.0);
        m_pTicks->SetNumTicks(m_iCount);
        return m_iCount;
    }
    // The tick just added is the zero tick: label selection must keep it.
    void MarkLastMustHave()
    {
        if (m_iCount > 0) m_pTicks->SetMustHaveLabel(m_iCount - 1, 1);
    }

private:
    CTickArray* m_pTicks;
    int m_iCount = 0;
};

void ClearMustHaveLabels(CTickArray* pTicks)
{
    for (int i = 0; i < CTickArray::kMaxTicks; ++i) pTicks->SetMustHaveLabel(i, 0);
}

} // namespace

// ---- Rounding ----------------------------------------------------------------

double RoundToResolution(double dValue, double dFactor)
{
    if (!std::isfinite(dValue) || !(dFactor > 0.0)) return dValue;
    const double dScaled = dValue * dFactor;
    // Beyond 2^52 every double is already a whole number at this resolution.
    if (!std::isfinite(dScaled) || std::fabs(dScaled) >= 4503599627370496.0) return dValue;
    return std::floor(dScaled + 0.5) / dFactor;
}

int GetRoundingDPs(int iUnit)
{
    const CUnit* pUnit = FindUnitObject(iUnit);
    if (!pUnit) return -1;
    const wchar_t* sMultipliers = pUnit->GetAllowedMultipliers();
    if (sMultipliers && *sMultipliers) {
        if (ContainsMultiplier(sMultipliers, L'u')) return 8;
        if (ContainsMultiplier(sMultipliers, L'm')) return 5;
        if (ContainsMultiplier(sMultipliers, L'M')) return 3;
    }
    return pUnit->GetNumDPs();
}

double RoundValue(double dValue, int iUnit)
{
    const int iDPs = GetRoundingDPs(iUnit);
    if (!QXVERIFY(iDPs >= 0)) return dValue;
    return RoundToResolution(dValue, PowerOfTen(iDPs));
}

// ---- Logarithmic axes --------------------------------------------------------

void EnsureLogStartCorrect(double* pdStart, double dEnd, int iUnit)
{
    static CRateLimitedDiagnostic s_bailOut(kDiagPerSecond, 1000);
    static CRateLimitedDiagnostic s_gotcha(kDiagPerSecond, 1000);

    if (!QXVERIFY(pdStart != nullptr)) return;
    if (!(dEnd > 0.0)) {
        if (const unsigned n = s_bailOut.Next())
            QXDebugLog(kDiagLevel, "EnsureLogStartCorrect",
                       "SCALE: Bail out - MaxValue:%g <= 0.0 (MinValue:%g Unit:%d=%s) <#%u>", dEnd, *pdStart, iUnit,
                       GetUnitDiagName(iUnit), n);
        return;
    }
    if (RoundValue(*pdStart, iUnit) > 0.0) return;

    const int iDPs = GetRoundingDPs(iUnit);
    const double dMinAllowed = iDPs >= 0 ? 1.0 / PowerOfTen(iDPs) : 1e-8;
    const double dCandidate = LogStartCandidate(iUnit, dEnd, dMinAllowed);
    // Bring the candidate below the end a decade at a time, computed by index.
    double dNewStart = dCandidate;
    for (int i = 1; dNewStart >= dEnd && dNewStart > 0.0; ++i) dNewStart = dCandidate / PowerOfTen(i);

    if (dNewStart < *pdStart || dNewStart < dMinAllowed) {
        if (const unsigned n = s_gotcha.Next())
            QXDebugLog(kDiagLevel, "EnsureLogStartCorrect",
                       "SCALE: GOTCHA! Failed to increase MinValue:%g => %g  (MinAllowed:%g MaxValue:%g Unit:%d=%s) <#%u>",
                       *pdStart, dNewStart, dMinAllowed, dEnd, iUnit, GetUnitDiagName(iUnit), n);
    }
    *pdStart = dNewStart;
}

double GetFirstDecadeValueAfterStart(double dStart)
{
    static CRateLimitedDiagnostic s_notPositive(kDiagPerSecond, 1000);
    if (!(dStart > 0.0)) {
        if (const unsigned n = s_notPositive.Next())
            QXDebugLog(kDiagLevel, "GetFirstDecadeValueAfterStart",
                       "SCALE: Was ASSERT: dStart = %g ! should be strictly > 0.0 <#%u>", dStart, n);
        return 1.0;
    }
    if (!std::isfinite(dStart)) return dStart;
    // log10 only gives a first guess; the exact powers of ten decide.
    int iExp = static_cast<int>(std::floor(std::log10(dStart))) - 1;
    const bool bStrict = dStart > 1.0;
    while (bStrict ? PowerOfTen(iExp) <= dStart : PowerOfTen(iExp) < dStart) ++iExp;
    return PowerOfTen(iExp);
}

double GetLinearValueAtPosition(double dMin, double dMax, double dPosition)
{
    return dMin + (dMax - dMin) * dPosition;
}

double GetLogValueAtPosition(double dMin, double dMax, double dPosition)
{
    const double dLogMin = SafeLog10(dMin);
    double dSpan = SafeLog10(dMax) - dLogMin;
    if (dSpan == 0.0) dSpan = 1.0;
    return std::pow(10.0, dLogMin + dPosition * dSpan);
}

// ---- Tick positions ----------------------------------------------------------

namespace {

constexpr double kBinaryFullScale = 4194303.5;
// Enough steps for any finite range; the loops stop long before.
constexpr int kMaxSpacingSteps = 2200;

// The i-th spacing of the decimal series from a start: start x 1, 2, 5, 10,
// 20, 50 ..., or x 2^i for hexadecimal units.
double DecimalSpacing(double dStart, int i, bool bHex)
{
    if (bHex) return std::ldexp(dStart, i);
    static constexpr double kMantissa[3] = {1.0, 2.0, 5.0};
    return dStart * kMantissa[i % 3] * PowerOfTen(i / 3);
}

double GetDecimalDivisionSize(double dRange, int iUnit)
{
    const double dStart = dRange < 1.0 ? 1e-7 : (dRange < 10.0 ? 0.001 : 1.0);
    const bool bHex = iUnit == UNIT_HEX;
    int i = 0;
    while (i < kMaxSpacingSteps && dRange / DecimalSpacing(dStart, i, bHex) >= 10.0) ++i;
    return DecimalSpacing(dStart, i, bHex);
}

double GetBinaryDivisionSize(double dRange)
{
    int iExp = 0;
    while (iExp > -kMaxSpacingSteps && std::ldexp(kBinaryFullScale, iExp) != 0.0 &&
           dRange / std::ldexp(kBinaryFullScale, iExp) <= 4.0)
        --iExp;
    while (iExp < kMaxSpacingSteps && dRange / std::ldexp(kBinaryFullScale, iExp) + 1.0 >= 51.0) ++iExp;
    return std::ldexp(kBinaryFullScale, iExp);
}

// How a linear range splits at zero.
struct SRangeSplit {
    double dNegative = 0.0;
    double dPositive = 0.0;
    double dZeroFraction = 0.0;
    double Total() const { return dNegative + dPositive; }
    bool CrossesZero() const { return dNegative > 0.0 && dPositive > 0.0; }
};

SRangeSplit SplitAtZero(double dMin, double dMax)
{
    SRangeSplit split;
    if (dMax > 0.0 && dMin >= 0.0) {
        split.dPositive = dMax - dMin;
    } else if (dMax < 0.0 && dMin <= 0.0) {
        split.dNegative = std::fabs(dMax - dMin);
        split.dZeroFraction = 1.0;
    } else {
        split.dNegative = 0.0 - dMin;
        split.dPositive = dMax - 0.0;
        const double dTotal = split.Total();
        split.dZeroFraction = dTotal > 0.0 ? split.dNegative / dTotal : 0.0;
    }
    return split;
}

// Ticks of a range that crosses zero: the multiples below zero, the zero
// tick (which must keep its label), then the multiples above it.
void WriteTicksAcrossZero(double dMin, double dMax, double dSpacing, const SRangeSplit& split, CTickWriter& writer)
{
    const double dTotal = split.Total();
    int iBelow = 0;
    while (iBelow < CTickArray::kMaxTicks && RoundTickValue(-(iBelow + 1) * dSpacing) > dMin) ++iBelow;

    writer.Add(0.0);
    // Written in axis order: the multiple farthest below zero first.
    for (int i = iBelow; i >= 1 && !writer.Full(); --i)
        writer.Add(std::fabs(RoundTickValue(-i * dSpacing) - dMin) / dTotal);
    if (writer.Full()) return;
    writer.Add(split.dZeroFraction);
    writer.MarkLastMustHave();
    for (int i = 1; !writer.Full(); ++i) {
        const double dValue = RoundTickValue(i * dSpacing);
        if (!(dValue < dMax)) break;
        writer.Add((dValue + split.dNegative) / dTotal);
    }
}

// Ticks of a range on one side of zero, on multiples of the spacing.
void WriteOneSidedTicks(double dMin, double dMax, double dSpacing, const SRangeSplit& split, CTickWriter& writer)
{
    const double dTotal = split.Total();
    // The multiple of the spacing at or just below the start.
    double dAnchor = RoundTickValue(std::trunc(dMin / dSpacing) * dSpacing);
    if (dAnchor > dMin) dAnchor -= dSpacing;
    writer.Add(0.0);
    for (int i = 1; !writer.Full(); ++i) {
        const double dValue = RoundTickValue(dAnchor + i * dSpacing);
        if (!(dValue < dMax)) break;
        writer.Add(std::fabs(dValue - dMin) / dTotal);
    }
}

} // namespace

double GetDivisionSize(double dRange, int iUnit, int bBinary)
{
    if (!(dRange > 0.0) || !std::isfinite(dRange)) return 0.0;
    return bBinary ? GetBinaryDivisionSize(dRange) : GetDecimalDivisionSize(dRange, iUnit);
}

int AutoCalcLinearTicks(double dMin, double dMax, int iUnit, int bBinary, CTickArray* pTicks)
{
    if (!QXVERIFY(pTicks != nullptr)) return 0;
    dMin = RoundTickValue(dMin);
    dMax = RoundTickValue(dMax);
    const int iOldCount = pTicks->GetNumTicks();
    if (!std::isfinite(dMin) || !std::isfinite(dMax) || !(dMin < dMax)) return iOldCount;

    const SRangeSplit split = SplitAtZero(dMin, dMax);
    if (split.dNegative < 0.0 || split.dPositive < 0.0 || split.Total() <= 0.0) return iOldCount;
    const double dSpacing = GetDivisionSize(split.Total(), iUnit, bBinary);
    if (!(dSpacing > 0.0) || !std::isfinite(dSpacing)) return iOldCount;

    ClearMustHaveLabels(pTicks);
    CTickWriter writer(pTicks);
    if (split.CrossesZero()) {
        WriteTicksAcrossZero(dMin, dMax, dSpacing, split, writer);
    } else {
        WriteOneSidedTicks(dMin, dMax, dSpacing, split, writer);
    }
    return writer.Finish();
}

int CalcLogTicks(double dMin, double dMax, int iUnit, AxisType eAxis, CTickArray* pTicks)
{
    if (!QXVERIFY(pTicks != nullptr)) return 0;
    if (IsValidUnit(iUnit)) {
        dMin = RoundValue(dMin, iUnit);
        dMax = RoundValue(dMax, iUnit);
    }
    EnsureLogStartCorrect(&dMin, dMax, iUnit);
    const double dLogMin = SafeLog10(dMin);
    double dDecades = SafeLog10(dMax) - dLogMin;
    if (dDecades == 0.0) dDecades = 1.0;

    ClearMustHaveLabels(pTicks);
    CTickWriter writer(pTicks);
    writer.Add(0.0);
    const double dFirst = GetFirstDecadeValueAfterStart(dMin);
    if (std::isfinite(dFirst) && std::isfinite(dDecades)) {
        const int iFirstExp = static_cast<int>(std::lround(std::log10(dFirst)));
        const double dSteps = std::floor(dDecades + 1.0);
        for (int i = 0; i < dSteps && !writer.Full(); ++i) {
            // Each decade from its exponent, so no error builds up along the axis.
            const double dDecade = PowerOfTen(iFirstExp + i);
            if (!(dDecade < dMax)) break;
            const double dPosition = (iFirstExp + i - dLogMin) / dDecades;
            const bool bAtStart = eAxis == X_AXIS ? !(dPosition > 0.0) : dDecade == dMin;
            if (!bAtStart) writer.Add(dPosition);
        }
    }
    return writer.Finish();
}

int CalcFixedIntervalTicks(CTickArray* pTicks)
{
    if (!QXVERIFY(pTicks != nullptr)) return 0;
    ClearMustHaveLabels(pTicks);
    const int iCount = pTicks->GetNumTicks();
    if (iCount <= 1) {
        pTicks->SetAt(0, 1.0);
        return iCount;
    }
    for (int i = 0; i < iCount - 1; ++i) pTicks->SetAt(i, static_cast<double>(i) / (iCount - 1));
    pTicks->SetAt(iCount - 1, 1.0);
    return iCount;
}

// ---- Label selection ---------------------------------------------------------

namespace {

// Pixels free for labels between two ticks. On X the end labels of the axis
// are edge-aligned and take a whole label, inner ones half; Y labels sit on
// their lines and may overhang by half a label at each end.
int AvailableLabelPixels(const CTickArray& ticks, const SLabelLayout& layout, int iLastTick, int iStart, int iEnd)
{
    const int s = layout.iLabelSize;
    int iAvailable = static_cast<int>(std::floor(layout.iPixelLength * (ticks.GetAt(iEnd) - ticks.GetAt(iStart))));
    if (layout.eAxis == X_AXIS) {
        iAvailable -= iStart == 0 ? s : s / 2;
        iAvailable -= iEnd == iLastTick ? s : s / 2;
    } else {
        iAvailable += 2 * (s / 2);
    }
    return iAvailable;
}

// The smallest step k whose labels fit; a step must divide the intervals
// evenly unless the tick count is even. n when none fits.
int ChooseLabelStep(int iTicks, int iLabelSize, int iAvailable)
{
    const int iIntervals = iTicks - 1;
    for (int k = 1; k < iTicks; ++k) {
        if (iTicks % 2 != 0 && iIntervals % k != 0) continue;
        const double dNeeded = (static_cast<double>(iTicks) / k + 0.5) * iLabelSize;
        if (static_cast<long long>(std::trunc(dNeeded)) <= iAvailable) return k;
    }
    return iTicks;
}

void AddLabel(CTickArray* pTicks, int i, int& iCount)
{
    pTicks->SetLabel(i, 1);
    ++iCount;
}

// An end tick outside the regular run gets a label only when it has room.
bool EndLabelFits(const SLabelLayout& layout, double dSpacing)
{
    const int s = layout.iLabelSize;
    return layout.iPixelLength * dSpacing - s / 2 >= s;
}

void ClearLabels(CTickArray* pTicks)
{
    for (int i = 0; i < CTickArray::kMaxTicks; ++i) pTicks->SetLabel(i, 0);
}

} // namespace

void SetLabelFlags(CTickArray* pTicks, const SLabelLayout& layout, int iLastTick, int iStart, int iEnd, int& iCount)
{
    if (!QXVERIFY(pTicks != nullptr)) return;
    if (!QXVERIFY(iStart >= 0 && iStart <= iEnd && iEnd <= iLastTick && iLastTick < CTickArray::kMaxTicks)) return;

    const int iAvailable = AvailableLabelPixels(*pTicks, layout, iLastTick, iStart, iEnd);
    const int k = ChooseLabelStep(iEnd - iStart + 1, layout.iLabelSize, iAvailable);

    const int z = pTicks->GetMustHaveLabel();
    if (z < iStart || z > iEnd) {
        for (int i = iStart; i <= iEnd; i += k) AddLabel(pTicks, i, iCount);
        return;
    }
    // Counted outward from the zero tick, so zero always reads as a label.
    for (int i = z; i >= iStart; i -= k) AddLabel(pTicks, i, iCount);
    for (int i = z; i <= iEnd; i += k) AddLabel(pTicks, i, iCount);
}

int DoCalcScaleSpacing(CTickArray* pTicks, const SLabelLayout& layout)
{
    if (!QXVERIFY(pTicks != nullptr)) return 0;
    const int iTicks = pTicks->GetNumTicks();
    if (!QXVERIFY(iTicks >= 2)) return 0;
    const int iLast = iTicks - 1;
    const CTickArray& t = *pTicks;

    const double dRegular =
        RoundToResolution(iTicks == 2 ? t.GetAt(iLast) - t.GetAt(0) : t.GetAt(2) - t.GetAt(1), kSpacingResolution);
    const double dFirst = RoundToResolution(t.GetAt(1) - t.GetAt(0), kSpacingResolution);
    const double dEnd = RoundToResolution(t.GetAt(iLast) - t.GetAt(iLast - 1), kSpacingResolution);
    const bool bFirstRegular = dFirst == dRegular;
    const bool bEndRegular = dEnd == dRegular;

    ClearLabels(pTicks);
    int iCount = 0;
    const int iStart = bFirstRegular ? 0 : 1;
    const int iEnd = bEndRegular ? iLast : iLast - 1;
    if (iStart <= iEnd) SetLabelFlags(pTicks, layout, iLast, iStart, iEnd, iCount);
    if (!bFirstRegular && EndLabelFits(layout, dFirst)) AddLabel(pTicks, 0, iCount);
    if (!bEndRegular && EndLabelFits(layout, dEnd)) AddLabel(pTicks, iLast, iCount);

    if (iCount <= 1) {
        ClearLabels(pTicks);
        pTicks->SetLabel(0, 1);
        pTicks->SetLabel(iLast, 1);
    }
    int iLabelled = 0;
    for (int i = 0; i < iTicks; ++i) iLabelled += pTicks->HasLabel(i);
    return iLabelled;
}

// ---- Range checks of the scale settings --------------------------------------

CString GetScaleRangeError(AxisType eAxis, double dFrom, double dTo, int iIntervals)
{
    const wchar_t* sAxis = eAxis == X_AXIS ? L"X" : L"Y";
    CString sMessage;
    if (dTo < dFrom) {
        sMessage.Format(LoadResString(IDS_AXIS_TO_LESS_THAN_FROM), sAxis);
    } else if (dFrom == dTo) {
        sMessage.Format(LoadResString(IDS_AXIS_FROM_EQUALS_TO), sAxis);
    } else if (iIntervals != TRACE_INTERVALS_AUTO &&
               (iIntervals < kMinScaleIntervals || iIntervals > kMaxScaleIntervals)) {
        sMessage.Format(LoadResString(IDS_AXIS_INTERVAL_INVALID), sAxis, kMinScaleIntervals, kMaxScaleIntervals);
    }
    return sMessage;
}
