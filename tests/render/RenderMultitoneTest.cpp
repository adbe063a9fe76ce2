// The simulated multitone through the document's response traces: each
// tone reads the device's gain at its frequency, a response relative to its
// own saved copy reads 0 dB until the device changes by 1 dB, and a limit
// window about it fails once the device changes by 3 dB.

#include "apps/common/BuiltInDocument.h"
#include "apps/common/ComputeOption.h"
#include "apps/common/LiveSource.h"
#include "host/app/EventManager.h"
#include "host/app/HeadlessHost.h"
#include "host/units/UnitIds.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeRelative.h"
#include "trace/limits/LimitLine.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/FFTResponseTrace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

double ShowndB(CQXTrace& trace, int i, int bTransformed)
{
    return trace.GetYValueForData(trace.GetYDataBuffer(bTransformed)[i], trace.GetYUnit(), 1, bTransformed);
}

// The built-in document with the multitone playing; channel A's response.
class RenderMultitone : public ::testing::Test {
protected:
    CBuiltInDocument m_Built;
    CLiveSource m_Live{m_Built.GetHost(), m_Built.GetDoc(), ELiveSignal::Multitone};
    CFFTResponseTrace* const m_pResponse = m_Live.GetResponseTrace(CHANNEL_A);
};

} // namespace

TEST_F(RenderMultitone, ResponseRelativeToItsSavedCopyReadsTheDeviceChange)
{
    ASSERT_TRUE(m_Built.IsValid() && m_pResponse && m_Live.RunBlocks(2));
    ASSERT_EQ(m_pResponse->GetDataSize(), 33); // 31 tones and the range's two ends
    EXPECT_EQ(m_Built.GetDoc().GetCurrentTrace(CHANNEL_A), m_pResponse);
    // Tone 10 (200 Hz) is far below the 5 kHz corner: the level played; tone 27 (10 kHz) an octave above it.
    const double dLow = ShowndB(*m_pResponse, 11, 0);
    EXPECT_NEAR(m_pResponse->GetXValueAtPos(11, UNIT_FREQ_HZ), 200.0, 2.0);
    // Second order through the bilinear transform at 48 kHz: 10 kHz maps to
    // tan(pi 10/48) / tan(pi 5/48) = 2.26 corners, 1 / (1 + 2.26^4) = -14.3 dB.
    EXPECT_NEAR(dLow - ShowndB(*m_pResponse, 28, 0), 14.3, 0.2);

    const std::string sGolden = (std::filesystem::temp_directory_path() / "tracewin-golden-response.trc").string();
    ASSERT_TRUE(m_Built.GetDoc().SaveTrace(m_pResponse, CString(sGolden), 0));
    std::string sError;
    ASSERT_TRUE(ShowComputes(*m_pResponse, {"relative:" + sGolden}, false, sError)) << sError;
    // The golden copy is told from its live trace (0xC0FFFF) by the first copy colour.
    const auto& relative = static_cast<CComputeRelative&>(*m_pResponse->GetComputeList()->GetComputeObjectAt(0));
    EXPECT_EQ(relative.GetGoldenTrace()->GetScreenColor(), COLORREF{0xC0C0C0});
    for (const auto& [dGain, dExpected] : {std::pair{0.0, 0.0}, std::pair{1.0, 1.0}}) {
        m_Live.SetDeviceGain(dGain);
        ASSERT_TRUE(m_Live.RunBlocks(1));
        EXPECT_EQ(m_pResponse->GetYDataBuffer(1)[0], DBL_MAX);
        for (int i = 1; i <= 31; ++i) EXPECT_NEAR(ShowndB(*m_pResponse, i, 1), dExpected, 0.05) << "tone " << i;
    }
    std::filesystem::remove(sGolden);
}

// A window of +/-1 dB about the device's response, checked by every block:
// the device as measured passes, 3 dB more gain breaches the upper limit at
// all 31 tones, once per block (event 422 each time), and never the lower.
TEST_F(RenderMultitone, LimitWindowAboutTheResponseFailsOnceTheDeviceGains3dB)
{
    ASSERT_TRUE(m_Built.IsValid() && m_pResponse && m_Live.RunBlocks(1));
    for (const auto& [eType, dOffset] : {std::pair{TT_MAXLIMITLINE, 1.0}, std::pair{TT_MINLIMITLINE, -1.0}}) {
        auto* pLine = new CLimitLine(m_pResponse, eType == TT_MAXLIMITLINE, 0);
        ASSERT_EQ(pLine->CopyDataFromTrace(), 1);
        pLine->AlterAllValues(dOffset, 0);
        ASSERT_EQ(m_pResponse->SetLimitLineForTrace(pLine, eType, 1, 0, 0), 1);
    }
    for (const double dGaindB : {0.0, 3.0}) {
        const bool bLouder = dGaindB > 0.0;
        m_Live.SetDeviceGain(dGaindB);
        m_Built.GetHost().Events().ClearFiredEvents();
        ASSERT_TRUE(m_Live.RunBlocks(2));
        EXPECT_EQ(m_pResponse->GetLimitBreachPositions(true).size(), bLouder ? 31u : 0u) << dGaindB;
        EXPECT_TRUE(m_pResponse->GetLimitBreachPositions(false).empty()) << dGaindB;
        const auto aFired = m_Built.GetHost().Events().GetFiredEvents();
        EXPECT_EQ(std::count_if(aFired.begin(), aFired.end(), [](auto& e) { return e.iKind == EVENT_MAX_LIMIT_BREACHED; }),
                  bLouder ? 2 : 0) << dGaindB;
    }
}
