#pragma once
// CCursorMark: a cursor, relative cursor or mark of a trace: a data index,
// the trace it belongs to (not owned) and a short label. Drawing and the
// read-outs come with the cursor behaviour of the trace.

#include "platform/Object.h"
#include "platform/String.h"

class CQXTrace;

enum CursorMarkType : int {
    eRelativeCursor = 0,
    eMark = 1,
    eCursor = 2,
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

    // The data index. Positions are held absolute, so both forms agree.
    int GetPosition(int /*bAbsolute*/ = 1) const { return m_iPosition; }
    void SetPosition(int iPosition) { m_iPosition = iPosition; }
    CursorMarkType GetType() const { return m_eType; }
    CQXTrace* GetTrace() const { return m_pTrace; }
    void SetTrace(CQXTrace* pTrace) { m_pTrace = pTrace; }
    const CString& GetLabel() const { return m_sLabel; }
    // Longer labels are cut to kMaxLabelLength characters.
    void SetLabel(const CString& sLabel);

private:
    int m_iPosition = 0;
    CursorMarkType m_eType = eCursor;
    CQXTrace* m_pTrace = nullptr;
    CString m_sLabel;
    int m_iDisplayState = 0;
};
