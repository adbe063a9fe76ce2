#pragma once
// CCursorMark: a cursor, relative cursor or mark of a trace: a data index,
// the trace it belongs to (not owned) and a short label. It knows where it
// sits on the trace's plot, draws itself there in the trace's colour and
// answers hit tests for the mouse.
//
// The look: a cursor is a dashed vertical line over the plot height with a
// filled diamond where it meets the curve; the relative cursor is dotted
// with a hollow diamond; a mark is a small filled triangle pointing down at
// the curve, with its label (if any) above it. Sizes and pen widths grow
// with the device's resolution so printouts look like the screen.

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Object.h"
#include "platform/String.h"

class CDC;
class CFont;
class CQXTrace;

enum CursorMarkType : int {
    eRelativeCursor = 0,
    eMark = 1,
    eCursor = 2,
    // Marks a sweep leaves where a point timed out (settling, regulating,
    // waiting for data). They look and answer the mouse as marks do.
    eTimeOutSettlingMark = 5,
    eTimeOutRegulatingMark = 6,
    eTimeOutNoDataMark = 7,
};

class CCursorMark : public CObject {
    DECLARE_DYNCREATE(CCursorMark)
public:
    static constexpr int kMaxLabelLength = 32;

    CCursorMark() = default;
    CCursorMark(CQXTrace* pTrace, CursorMarkType eType, int iPosition);
    // Copies every field, the trace pointer included; the owner re-points
    // copies with SetTrace.
    CCursorMark(const CCursorMark& other) = default;
    CCursorMark& operator=(const CCursorMark& other) = default;
    ~CCursorMark() override = default;

    // File form: position, display state, label.
    void Serialize(CArchive& ar) override;

    // The data index (bAbsolute non-zero), or the distance from the relative
    // cursor while the trace shows it (the relative cursor itself is always
    // absolute).
    int GetPosition(int bAbsolute = 1) const;
    void SetPosition(int iPosition) { m_iPosition = iPosition; }
    CursorMarkType GetType() const { return m_eType; }
    CQXTrace* GetTrace() const { return m_pTrace; }
    void SetTrace(CQXTrace* pTrace) { m_pTrace = pTrace; }
    const CString& GetLabel() const { return m_sLabel; }
    // Longer labels are cut to kMaxLabelLength characters.
    void SetLabel(const CString& sLabel);
    // Kept for the file; nothing here reads it.
    int GetDisplayState() const { return m_iDisplayState; }
    void SetDisplayState(int iState) { m_iDisplayState = iState; }

    // ---- Drawing and hit testing ------------------------------------------
    // The trace's colour on this device (0xFFFFFF without a trace).
    COLORREF GetColor(CDC* pDC) const;
    // The font of on-screen labels at 96 dpi; printed labels use the font
    // the caller selected (the scale font of that device).
    static CFont GetFont();
    // The marker's bounding box on the device (empty when not visible).
    CRect GetCursorRect(CDC* pDC) const;
    // Non-zero when the position falls inside the trace's current X window
    // and the trace has a plot rectangle.
    int IsVisible() const;
    // Non-zero when `point` hits the marker (or, for the two cursors, their
    // vertical line).
    int PointInCursorMark(CDC* pDC, CPoint point) const;
    // Draws the cursor or mark; `pszLabel` (may be null or empty) is drawn
    // beside it. The DC's pen, brush, colours and alignment are restored.
    void DrawCursorMark(CDC* pDC, const wchar_t* pszLabel) const;

private:
    // Device point of the marker: x at the position, y on the curve (the
    // plot's bottom row when the position has no value). 0 when not visible.
    int CalculatePos(CPoint& point) const;
    // Clamps a point into the plot rectangle; reports whether x was inside
    // and whether y had to move.
    void CheckCursorPos(CPoint& point, int& bXInside, int& bYClamped) const;
    // Draws the marker at `point` with the device scale `iScale`.
    void DoDraw(CDC* pDC, CPoint& point, int iScale) const;
    void DrawLabel(CDC* pDC, const CPoint& point, int iScale, const wchar_t* pszLabel) const;

    int m_iPosition = 0;
    CursorMarkType m_eType = eCursor;
    CQXTrace* m_pTrace = nullptr;
    CString m_sLabel;
    int m_iDisplayState = 0;
};
