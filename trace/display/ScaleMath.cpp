#include "trace/display/ScaleMath.h"

#include "host/app/DebugLog.h"
#include "host/app/RateLimiter.h"
#include "host/units/Unit.h"
#include "trace/display/TickArray.h"

#include <cfloat>
#include <cmath>
#include <cwchar>
#include <mutex>

namespace {

// One rate-limited diagnostic: at most a few lines a second, each numbered
// by its occurrence so a reader sees how many were dropped in between.
class CScaleDiagnostic {
public:
    CScaleDiagnostic() : m_limiter(4, 1000) {}

    // Returns the occurrence number to log, or 0 when the line is suppressed.
    unsigned Next()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_uOccurrences;
        return m_limiter.Allow(QXSteadyMilliseconds()) ? m_uOccurrences : 0;
    }

private:
    std::mutex m_mutex;
    CRateLimiter m_limiter;
    unsigned m_uOccurrences = 0;
};

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
    static CScaleDiagnostic s_bailOut;
    static CScaleDiagnostic s_gotcha;

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
