#pragma once
// A headless host with a graph document and a trace in use: 512 FFT points
// at 48 kHz, every datum at half scale, on a plot 500 x 100 pixels showing
// 0 .. 1000 Hz and the full digital scale (half scale sits on row 50).

#include "host/app/HeadlessHost.h"
#include "support/TestTrace.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/CursorMark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

class CCursorTestTrace : public CTestTrace {
public:
    using CTestTrace::CTestTrace;
    using CQXTrace::SetNewCursorValues;
    void SetTestResponse(int iResponse) { m_iResponse = iResponse; }
    void SetSignedData(bool bSigned) { m_bSigned = bSigned; }
    int HasNegativeYData() override { return m_bSigned ? 1 : 0; }
    bool IsFFTTrace() override { return GetOwnTraceType() == TT_FFT; }

private:
    bool m_bSigned = false;
};

class CursorFixture : public ::testing::Test {
protected:
    static constexpr double kFull = CTestTrace::kFullScaleHex;

    CursorFixture()
    {
        m_host.SetGraphDoc(m_pDoc.get());
        m_pTrace = std::make_unique<CCursorTestTrace>(TT_FFT, CHANNEL_A, 512);
        T().SetTestMode(CQXTrace::eModeDigital);
        T().SetInUse(1);
        T().SetTestDrawRect(CRect(0, 0, 500, 100));
        T().SetTestXWindow(0.0, 1000.0);
        T().SetYDefaultZoomValues();
        T().FillYData([](int) { return kFull / 2; });
    }
    ~CursorFixture() override
    {
        m_pTrace.reset();
        m_host.SetGraphDoc(nullptr);
    }
    CCursorTestTrace& T() { return *m_pTrace; }
    int CountHints(LPARAM lHint) const
    {
        const auto& a = m_host.GetUpdates();
        return static_cast<int>(std::count_if(a.begin(), a.end(), [&](const auto& u) { return u.lHint == lHint; }));
    }

    CHeadlessHost m_host;
    std::unique_ptr<CGraphDoc> m_pDoc = std::make_unique<CGraphDoc>();
    std::unique_ptr<CCursorTestTrace> m_pTrace;
};
