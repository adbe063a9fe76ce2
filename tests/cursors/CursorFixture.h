#pragma once
// A trace in use in the kit's document: 512 FFT points at 48 kHz, every
// datum at half scale, on a plot 500 x 100 pixels showing 0 .. 1000 Hz and
// the full digital scale (half scale sits on row 50).

#include "support/HostDocFixture.h"
#include "trace/model/CursorMark.h"

#include <memory>

class CursorFixture : public HostDocFixture {
protected:
    static constexpr double kFull = CTestTrace::kFullScaleHex;

    CursorFixture()
    {
        T().SetFFTKind(true);
        T().SetTestMode(CQXTrace::eModeDigital);
        T().SetInUse(1);
        T().SetTestDrawRect(CRect(0, 0, 500, 100));
        T().SetTestXWindow(0.0, 1000.0);
        T().SetYDefaultZoomValues();
        T().FillYData([](int) { return kFull / 2; });
    }
    CTestTrace& T() { return *m_pTrace; }

    std::unique_ptr<CTestTrace> m_pTrace = std::make_unique<CTestTrace>(TT_FFT, CHANNEL_A, 512);
};
