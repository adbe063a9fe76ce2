#include "host/sim/DeviceUnderTest.h"

#include "host/app/DebugLog.h"
#include "host/units/References.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kFullScale = SReferences::kFullScaleHex;

} // namespace

CDeviceUnderTest::CDeviceUnderTest(const SDeviceParams& params, double dSampleRate) : m_Params(params)
{
    const bool bValid = std::isfinite(params.dCornerHz) && params.dCornerHz > 0.0 && dSampleRate > 0.0 &&
                        params.dCornerHz < dSampleRate / 2.0;
    m_dGain = std::isfinite(params.dGaindB) ? std::pow(10.0, params.dGaindB / 20.0) : 1.0;
    if (!QXVERIFY(bValid)) return;
    // Pre-warped analogue corner; Q = 1/sqrt(2) for the Butterworth response.
    const double k = std::tan(std::numbers::pi * params.dCornerHz / dSampleRate);
    const double q = std::numbers::sqrt2 / 2.0;
    const double norm = 1.0 / (1.0 + k / q + k * k);
    m_b0 = k * k * norm;
    m_b1 = 2.0 * m_b0;
    m_b2 = m_b0;
    m_a1 = 2.0 * (k * k - 1.0) * norm;
    m_a2 = (1.0 - k / q + k * k) * norm;
}

void CDeviceUnderTest::Reset() { m_z1 = m_z2 = 0.0; }

void CDeviceUnderTest::Process(const double* pIn, double* pOut, int iCount)
{
    if (!pIn || !pOut || iCount <= 0) return;
    for (int i = 0; i < iCount; ++i) {
        const double s = pIn[i];
        const double y = m_b0 * s + m_z1;
        m_z1 = m_b1 * s - m_a1 * y + m_z2;
        m_z2 = m_b2 * s - m_a2 * y;
        const double x = m_dGain * y / kFullScale;
        pOut[i] = (x + m_Params.dSecondOrder * x * x + m_Params.dThirdOrder * x * x * x) * kFullScale;
    }
}
