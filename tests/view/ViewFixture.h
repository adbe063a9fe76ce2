#pragma once
// The kit's host and document, a view of channel A laid out on a client area, a frame that records what the view asks of it, and an
// interceptor that records the traces drawn.

#include "platform/RecordingDC.h"
#include "support/HostDocFixture.h"
#include "trace/display/GraphView.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"
#include "trace/display/TraceInterceptor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class CRecordingInterceptor : public ITraceInterceptor {
public:
    bool DrawTrace(CDC*, CQXTrace* pTrace) override
    {
        m_apDrawn.push_back(pTrace);
        m_arcDrawRects.push_back(pTrace->GetDrawRect());
        return m_bConsume;
    }
    bool OnDraw(CGraphView* pView, CDC* pDC) override
    {
        if (++m_iOverlays == 1 && m_bPaintAgain) pView->OnDraw(pDC);
        return true;
    }
    std::vector<CQXTrace*> m_apDrawn;
    std::vector<CRect> m_arcDrawRects;
    bool m_bConsume = false;
    bool m_bPaintAgain = false; // asks for a paint while one runs
    int m_iOverlays = 0;
};

class CRecordingFrame : public IGraphViewFrame {
public:
    explicit CRecordingFrame(CGraphView* pView) : m_pView(pView) {}
    // One view, for channel A only.
    CGraphView* GetTraceView(CQXTrace* pTrace) override { return pTrace->GetChannel() == CHANNEL_A ? m_pView : nullptr; }
    ITraceInterceptor* GetTraceInterceptor() override { return &m_interceptor; }
    bool IsFrameVisible() const override { return m_bVisible; }
    void FillLegendLists() override { m_asCalls.push_back("FillLegendLists"); }
    void AddTraceToLegends(CQXTrace*) override { m_asCalls.push_back("AddTraceToLegends"); }
    void RemoveTraceFromLegends(CQXTrace*) override { m_asCalls.push_back("RemoveTraceFromLegends"); }
    void UpdateTraceName(CQXTrace*) override { m_asCalls.push_back("UpdateTraceName"); }
    void UpdateTraceColor(CQXTrace*) override { m_asCalls.push_back("UpdateTraceColor"); }
    void UpdateGraphTitle() override { m_asCalls.push_back("UpdateGraphTitle"); }
    void UpdateCurrentTrace() override { m_asCalls.push_back("UpdateCurrentTrace"); }
    void UpdateCursorDetails(CQXTrace*) override { m_asCalls.push_back("UpdateCursorDetails"); }
    void UpdateCursorValues(CQXTrace*) override { m_asCalls.push_back("UpdateCursorValues"); }
    void UpdateMarkValues(CQXTrace*) override { m_asCalls.push_back("UpdateMarkValues"); }
    void OnTraceOn(CQXTrace*) override { m_asCalls.push_back("OnTraceOn"); }
    void OnTraceOff(CQXTrace*) override { m_asCalls.push_back("OnTraceOff"); }
    void OnCursorToggled(CQXTrace*) override { m_asCalls.push_back("OnCursorToggled"); }
    void OnMarksToggled(CQXTrace*) override { m_asCalls.push_back("OnMarksToggled"); }
    void OnImpulseWindowDetailsChanged() override { m_asCalls.push_back("OnImpulseWindowDetailsChanged"); }

    CGraphView* m_pView;
    CRecordingInterceptor m_interceptor;
    std::vector<std::string> m_asCalls;
    bool m_bVisible = true;
};

class ViewFixture : public HostDocFixture {
protected:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    ViewFixture()
    {
        m_view.SetChannel(CHANNEL_A);
        m_view.SetParentFrame(&m_frame);
        m_view.OnSize(CRect(0, 0, kWidth, kHeight));
    }
    // A live trace in use and on, with a full-range window and ticks on both axes.
    CTestTrace* AddLiveTrace(TraceType eType = TT_FFT, ChannelNumber eChannel = CHANNEL_A)
    {
        CTestTrace* pTrace = AddTrace(eType, eChannel);
        pTrace->SetLive(1);
        pTrace->SetInUse(1);
        pTrace->TraceOn(0, 0);
        pTrace->SetTestXRange(0.0, 24000.0);
        pTrace->SetTestXWindow(0.0, 24000.0);
        pTrace->CalcXTicks();
        pTrace->SetYDefaultZoomValues();
        pTrace->CalcYTicks();
        return pTrace;
    }

    void Paint()
    {
        m_dc.Clear();
        m_view.OnDraw(&m_dc);
    }

    CGraphView m_view;
    CRecordingFrame m_frame{&m_view};
    CRecordingDC m_dc;
};
