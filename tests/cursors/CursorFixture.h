#pragma once
// A headless host with a graph document, and a test trace that is in use:
// 512 FFT points at 48 kHz on a plot 500 x 100 pixels, X window 0 .. 1000 Hz,
// Y window the full digital scale (so a datum at half scale sits at row 50).

#include "host/app/HeadlessHost.h"
#include "support/TestTrace.h"
#include "trace/document/GraphDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

// Opens the protected cursor-keeping members to the tests.
class CCursorTestTrace : public CTestTrace {
public:
    using CTestTrace::CTestTrace;
    using CQXTrace::NoteOldCursorValues;
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
        m_pTrace->SetTestMode(CQXTrace::eModeDigital);
        m_pTrace->SetInUse(1);
        m_pTrace->SetTestDrawRect(CRect(0, 0, 500, 100));
        m_pTrace->SetTestXWindow(0.0, 1000.0);
        m_pTrace->SetYDefaultZoomValues();
        m_pTrace->FillYData([](int) { return kFull / 2; });
    }
    ~CursorFixture() override
    {
        m_pTrace.reset();
        m_pDoc.reset();
        m_host.SetGraphDoc(nullptr);
    }

    CCursorTestTrace& Trace() { return *m_pTrace; }

    int CountHints(LPARAM lHint) const
    {
        const auto& aUpdates = m_host.GetUpdates();
        return static_cast<int>(
            std::count_if(aUpdates.begin(), aUpdates.end(), [&](const auto& u) { return u.lHint == lHint; }));
    }
    bool LogHasAssertion() const
    {
        const auto aLines = m_host.GetLogLines();
        return std::any_of(aLines.begin(), aLines.end(),
                           [](const std::string& s) { return s.find("FAILED") != std::string::npos; });
    }

    CHeadlessHost m_host;
    std::unique_ptr<CGraphDoc> m_pDoc = std::make_unique<CGraphDoc>();
    std::unique_ptr<CCursorTestTrace> m_pTrace;
};
