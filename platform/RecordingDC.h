#pragma once
// CRecordingDC: a drawing surface that draws nothing and remembers every
// call, with the state in force at the time, so that tests can check what a
// view painted. Text metrics are deterministic so that layout can be tested:
// a character is round(0.55 x h) wide and a line h high, where h is the
// font's height in pixels (16 for a height of 0); the ascent is h - h/5.

#include "platform/DC.h"

#include <vector>

class CRecordingDC : public CDC {
public:
    enum class EKind { Line, Polyline, Polygon, Rectangle, Ellipse, Fill, Pixel, Text, Edge };

    struct SRecord {
        EKind m_eKind = EKind::Line;
        std::vector<CPoint> m_aPoints; // Line: from, to; Pixel and Text: the point given
        CRect m_rect;                  // Rectangle, Ellipse, Fill, Edge
        CString m_sText;               // Text
        COLORREF m_crColor = 0;        // Fill and Pixel
        UINT m_uEdge = 0;              // Edge
        UINT m_uFlags = 0;             // Edge
        SDCState m_state;              // pen, brush, font, colours, modes in force
    };

    // Defaults: a 96 dpi screen of 1024 x 768 pixels, 271 x 203 mm, 32 bits.
    struct SDeviceCaps {
        int m_iLogPixelsX = 96;
        int m_iLogPixelsY = 96;
        int m_iHorzRes = 1024;
        int m_iVertRes = 768;
        int m_iHorzSize = 271;
        int m_iVertSize = 203;
        int m_iBitsPixel = 32;
        int m_iNumColors = -1; // more than a palette holds
        bool m_bPrinting = false;
        bool m_bMetafile = false;
    };

    CRecordingDC() = default;
    explicit CRecordingDC(const SDeviceCaps& caps) : m_caps(caps) {}

    void SetCaps(const SDeviceCaps& caps) { m_caps = caps; }
    const SDeviceCaps& GetCaps() const { return m_caps; }

    int GetDeviceCaps(int index) const override;
    bool IsPrinting() const override { return m_caps.m_bPrinting; }
    bool IsMetafile() const override { return m_caps.m_bMetafile; }

    const std::vector<SRecord>& GetRecords() const { return m_aRecords; }
    // The records of one kind, in drawing order.
    std::vector<SRecord> GetRecords(EKind kind) const;
    void Clear() { m_aRecords.clear(); }

    // The metrics above for a font height (lfHeight).
    static TEXTMETRIC MetricsForHeight(int fontHeight);

protected:
    void DoLine(CPoint from, CPoint to) override;
    void DoPolyline(const CPoint* points, int count) override;
    void DoPolygon(const CPoint* points, int count) override;
    void DoRectangle(const CRect& rect) override;
    void DoEllipse(const CRect& rect) override;
    void DoFillRect(const CRect& rect, COLORREF color) override;
    void DoSetPixel(CPoint p, COLORREF color) override;
    void DoTextOut(CPoint reference, const CString& text) override;
    CSize DoGetTextExtent(const CString& text) const override;
    TEXTMETRIC DoGetTextMetrics() const override;
    void DoDrawEdge(const CRect& rect, UINT edge, UINT flags) override;

private:
    SRecord& Add(EKind kind);

    SDeviceCaps m_caps;
    std::vector<SRecord> m_aRecords;
};
