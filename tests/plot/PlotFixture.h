#pragma once
// A headless host with a graph document, and a test trace whose plot is
// easy to read: a plot 100 rows high over a Y data window 0 .. 100 with the
// origin on the bottom row, so a datum d has the height floor(d).

#include "host/app/DebugLog.h"
#include "host/app/HeadlessHost.h"
#include "support/TestTrace.h"
#include "trace/document/GraphDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

class CPlotTrace : public CTestTrace {
public:
    using CTestTrace::CTestTrace;
    using CQXTrace::DataToPlot;

    // Runs before every Y mapping: lets a test act as a refill in the middle of a scan.
    std::function<void()> m_fnBeforeMapping;
    int GetYPointForData(double dData) override
    {
        if (m_fnBeforeMapping) m_fnBeforeMapping();
        return CTestTrace::GetYPointForData(dData);
    }
    int m_iLowestValidXPoint = 0;
    int GetLowestValidXPoint() override { return m_iLowestValidXPoint; }
    double m_dPlotDataFactor = 1.0;
    double GetPlotDataAtPos(int, double dStored) override
    {
        return dStored == DBL_MAX ? dStored : dStored * m_dPlotDataFactor;
    }
};

class PlotFixture : public ::testing::Test {
protected:
    static constexpr int kRows = 100;

    PlotFixture() { m_host.SetGraphDoc(m_pDoc.get()); }
    ~PlotFixture() override
    {
        m_pDoc.reset();
        m_host.SetGraphDoc(nullptr);
    }

    // A trace in use, owned by the document, plotted over iColumns columns
    // with its X window over all its points.
    CPlotTrace* AddPlotTrace(int iSize, int iColumns = 100, TraceType eType = TT_FFT)
    {
        auto* pTrace = new CPlotTrace(eType, CHANNEL_A, iSize);
        m_pDoc->AddTrace(pTrace);
        pTrace->SetTestMode(CQXTrace::eModeDigital);
        pTrace->SetInUse(1);
        pTrace->SetDrawRect(CRect(0, 0, iColumns - 1, kRows));
        pTrace->SetCurrentMinYData(0.0);
        pTrace->SetCurrentMaxYData(100.0);
        SetXWindow(pTrace, 0, iSize - 1);
        return pTrace;
    }

    static void SetXWindow(CQXTrace* pTrace, int iMinPos, int iMaxPos)
    {
        pTrace->SetCurrentMinXPos(iMinPos);
        pTrace->SetCurrentMaxXPos(iMaxPos);
        pTrace->SetCurrentMinXScaleValue(pTrace->GetXValueAtPos(iMinPos, pTrace->GetXUnit()));
        pTrace->SetCurrentMaxXScaleValue(pTrace->GetXValueAtPos(iMaxPos, pTrace->GetXUnit()));
        pTrace->RecalcTrace();
    }

    int CountLogLines(const std::string& sPart) const
    {
        const auto aLines = m_host.GetLogLines();
        return static_cast<int>(std::count_if(aLines.begin(), aLines.end(), [&](const std::string& s) {
            return s.find(sPart) != std::string::npos;
        }));
    }

    CHeadlessHost m_host;
    std::unique_ptr<CGraphDoc> m_pDoc = std::make_unique<CGraphDoc>();
};
