// The built-in document: which traces carry the built-in signals, in what
// form, and how filling fails.

#include "apps/common/BuiltInDocument.h"
#include "apps/common/LiveSource.h"
#include "host/app/HeadlessHost.h"
#include "host/sim/StaticSignals.h"
#include "host/units/References.h"
#include "host/units/UnitIds.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"
#include "trace/types/TraceKindTables.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>

namespace {

// The position of the largest value among positions from .. to - 1.
int PeakPosition(CQXTrace& trace, int iFrom, int iTo)
{
    int iPeak = iFrom;
    for (int k = iFrom; k < iTo; ++k)
        if (trace.GetYDataAtXPos(k, 0) > trace.GetYDataAtXPos(iPeak, 0)) iPeak = k;
    return iPeak;
}

} // namespace

TEST(RenderBuiltInDocument, ScopeAndFFTTracesOfBothChannelsCarryTheSignals)
{
    CBuiltInDocument built;
    ASSERT_TRUE(built.IsValid());
    const struct {
        ChannelNumber eChannel;
        double dFundamental;
        double dLevel;
    } cases[] = {{CHANNEL_A, 1000.0, -6.0}, {CHANNEL_B, 3000.0, -12.0}};
    for (const auto& c : cases) {
        CQXTrace* pScope = built.GetLiveTrace(c.eChannel, TT_SCOPE);
        CQXTrace* pFFT = built.GetLiveTrace(c.eChannel, TT_FFT);
        ASSERT_TRUE(pScope && pFFT);
        EXPECT_TRUE(pScope->IsOn() && pScope->IsInUse() && pFFT->IsOn() && pFFT->IsInUse());

        // The scope holds the converter's samples at the trace's own rate.
        SSignal signal = GetBuiltInSignal(c.eChannel);
        signal.dSampleRate = EffectiveSampleRate(pScope->GetSampleRate(), pScope->IsUnlocked());
        const auto adSamples = MakeSamples(signal, pScope->GetDataSize());
        for (int i : {0, 1, 17, pScope->GetDataSize() - 1})
            EXPECT_EQ(pScope->GetYDataAtXPos(i, 0), adSamples[static_cast<size_t>(i)]) << i;

        // The spectrum: L / 2 + 1 bins, no value in the Nyquist bin, shown in dBFS.
        const SSpectrumSettings spectrum;
        ASSERT_EQ(pFFT->GetDataSize(), spectrum.iLength / 2 + 1);
        EXPECT_EQ(pFFT->GetYDataAtXPos(pFFT->GetDataSize() - 1, 0), DBL_MAX);
        EXPECT_EQ(pFFT->GetYUnit(), UNIT_DBFS);
        const double dBinWidth = EffectiveSampleRate(pFFT->GetSampleRate(), pFFT->IsUnlocked()) / spectrum.iLength;
        const int iPeak = PeakPosition(*pFFT, 1, pFFT->GetDataSize() - 1);
        EXPECT_NEAR(pFFT->GetXValueAtPos(iPeak, UNIT_FREQ_HZ), c.dFundamental, dBinWidth / 2) << c.eChannel;
        // The peak bin reads the tone less the window's scalloping, under 1 dB.
        const double dPeak = pFFT->GetYValueForData(pFFT->GetYDataAtXPos(iPeak, 0), UNIT_DBFS, 1, 0);
        EXPECT_LE(dPeak, c.dLevel + 0.01);
        EXPECT_GT(dPeak, c.dLevel - 1.0);
    }
    EXPECT_EQ(built.GetDoc().GetCurrentTrace(), built.GetLiveTrace(CHANNEL_A, TT_SCOPE));
}

TEST(RenderBuiltInDocument, FillingFailsWithoutTracesToFill)
{
    CHeadlessHost host;
    CGraphDoc doc;
    host.SetGraphDoc(&doc);
    EXPECT_FALSE(FillBuiltInSignals(doc)); // not initialised: no live traces

    std::unique_ptr<CQXTrace> pEmpty(doc.CreateTrace(TT_SCOPE, CHANNEL_A, 0, 0, 1, 1, 0, 0, 0, 0));
    ASSERT_TRUE(pEmpty);
    EXPECT_FALSE(FillScopeTrace(*pEmpty, GetBuiltInSignal(0)));

    std::unique_ptr<CQXTrace> pFFT(doc.CreateTrace(TT_FFT, CHANNEL_A, 512, 0, 1, 1, 0, 0, 0, 0));
    ASSERT_TRUE(pFFT);
    SSpectrumSettings bad;
    bad.iLength = 1000;
    EXPECT_FALSE(FillFFTTrace(*pFFT, GetBuiltInSignal(0), bad));
    EXPECT_EQ(pFFT->GetDataSize(), 512); // left as it was
}

// The volt scale of the scope traces says what their samples are: on the
// default range (15455.3019 mV RMS of a full-scale sine) digital full scale,
// the window's edge, is 15.4553019 * sqrt(2) = 21.857 V, and the tones peak
// at half (-6 dBFS, A) and a quarter (-12 dBFS, B) of it. The same after
// live blocks and for a trace read back from a file. A's peak, where its 3rd
// harmonic (-40 dBFS) is at its trough: (0.50119 - 0.01) * 21.857 = 10.736 V;
// B's: 0.25119 * 21.857 = 5.490 V, give or take its -70 dBFS harmonic.
TEST(RenderBuiltInDocument, ScopeVoltScaleAgreesWithTheSamples)
{
    constexpr double kFullScaleV = 21.857;
    const auto check = [&](CQXTrace& scope, double dPeakV, const char* szWhere, double dTolerance = 0.01) {
        SCOPED_TRACE(szWhere);
        ASSERT_EQ(scope.GetYUnit(), UNIT_V);
        EXPECT_NEAR(scope.GetCurrentMaxYScaleValue(), kFullScaleV, 0.001);
        EXPECT_NEAR(scope.GetCurrentMinYScaleValue(), -kFullScaleV, 0.001);
        EXPECT_NEAR(scope.GetCurrentMaxYData(), SReferences::kFullScaleHex, 1.0);
        EXPECT_NEAR(scope.GetYValueForData(scope.GetCurrentMaxYData(), UNIT_V, 0, 0), kFullScaleV, 0.001);
        double dPeak = 0.0;
        for (int i = 0; i < scope.GetDataSize(); ++i) dPeak = std::max(dPeak, scope.GetYDataAtXPos(i, 0));
        EXPECT_NEAR(scope.GetYValueForData(dPeak, UNIT_V, 0, 0), dPeakV, dTolerance);
    };
    CBuiltInDocument built;
    ASSERT_TRUE(built.IsValid());
    check(*built.GetLiveTrace(CHANNEL_A, TT_SCOPE), 10.736, "built-in A");
    check(*built.GetLiveTrace(CHANNEL_B, TT_SCOPE), 5.490, "built-in B");

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tracewin-scope-volts.trc";
    ASSERT_TRUE(built.GetDoc().SaveTrace(built.GetLiveTrace(CHANNEL_A, TT_SCOPE), CString(file.wstring()), 0));
    CQXTrace* pLoaded = built.GetDoc().LoadTrace(CString(file.wstring()), CHANNEL_A, 0);
    std::filesystem::remove(file);
    ASSERT_TRUE(pLoaded);
    check(*pLoaded, 10.736, "read back");

    CLiveSource live(built.GetHost(), built.GetDoc());
    ASSERT_TRUE(live.RunBlocks(2));
    // 1 kHz at -6 dBFS (10.955 V) with harmonics at -46 and -56 dBFS.
    check(*built.GetLiveTrace(CHANNEL_A, TT_SCOPE), 10.955, "live A", 0.15);
}
