#pragma once
// The kit's host and document with an 8-point spectrum test trace, shown,
// whose Y values are shown in their storage unit (so limits read as the data
// they are), and helpers that attach trace-data and table limit lines to it.

#include "support/HostDocFixture.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"

#include <vector>

class LimitFixture : public HostDocFixture {
protected:
    LimitFixture()
    {
        m_pTrace->SetTestMode(CQXTrace::eModeDigital);
        m_pTrace->SetYUnit(UNIT_HEX);
        m_pTrace->CreateXScale();
        m_pTrace->CreateYScale();
        m_pTrace->SetInUse(1);
        m_pTrace->TraceOn(0, 0);
    }
    // A trace-data line holding aValues (in the trace's data), attached and on.
    CLimitLine* AttachDataLine(bool bMax, const std::vector<double>& aValues)
    {
        auto* pLine = new CLimitLine(m_pTrace, bMax ? 1 : 0, 0);
        m_pTrace->FillYData(aValues);
        EXPECT_EQ(pLine->CopyDataFromTrace(), 1);
        m_pTrace->SetLimitLineForTrace(pLine, bMax ? TT_MAXLIMITLINE : TT_MINLIMITLINE, 1, 0, 0);
        return pLine;
    }
    // A table line through (x, y) points at the trace's X values of the
    // given positions, all connected.
    CLimitLine* AttachTableLine(bool bMax, const std::vector<std::pair<int, double>>& aPoints)
    {
        auto* pLine = new CLimitLine(m_pTrace, bMax ? 1 : 0, 0);
        CLimitTable* pTable = pLine->EnsureLimitTable();
        for (const auto& [iPos, dY] : aPoints)
            pTable->AddPoint(m_pTrace->GetXValueAtPos(iPos, pTable->GetXUnit()), dY, 1, POLARITY_NONE);
        m_pTrace->SetLimitLineForTrace(pLine, bMax ? TT_MAXLIMITLINE : TT_MINLIMITLINE, 1, 0, 0);
        return pLine;
    }
    // The values a trace-data line keeps, in its own Y unit.
    static std::vector<double> StoredValues(CLimitLine& line)
    {
        const double* pd = line.HasTraceData() ? line.GetYDataBuffer(0) : nullptr;
        return pd ? std::vector<double>(pd, pd + line.GetDataSize()) : std::vector<double>();
    }

    CTestTrace* m_pTrace = AddTrace(TT_FFT, CHANNEL_A, 8);
};
