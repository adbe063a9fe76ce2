#pragma once
// Test traces whose plot is easy to read: a plot 100 rows high over a Y data
// window 0 .. 100 with the origin on the bottom row, so a datum d > 0 has the
// height floor(d) (0 gives 0, a negative datum -5, minus infinity 1).

#include "support/HostDocFixture.h"

class PlotFixture : public HostDocFixture {
protected:
    static constexpr int kRows = 100;

    // A trace in use, owned by the document, plotted over iColumns columns
    // with its X window over all its points.
    CTestTrace* AddPlotTrace(int iSize, int iColumns = 100, TraceType eType = TT_FFT)
    {
        CTestTrace* pTrace = AddTrace(eType, CHANNEL_A, iSize);
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
};
