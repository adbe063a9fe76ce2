#pragma once
// CMarkBar: the mark tool bar of a trace window as plain data: the current
// mark of the document's current trace, its number ("Mark 3") and its
// label, which the user may edit there. The frame keeps it in step with the
// marks hints and changes of the current trace; a toolkit shows it
// (qt/MarkBarWidget) and refreshes when told of a change.
//
// The mark commands that need nothing but the trace live here too (add,
// remove, remove all, next, previous, harmonics): the bar's buttons, the
// keys and the menus run the same ones. The label and the marks list are
// the frame's, as they open a dialog or a window.

#include "platform/String.h"
#include "trace/display/TraceMenu.h"

#include <functional>

class CQXTrace;

// Whether a mark command may run on the trace: add needs a trace in use
// with data; remove, next, previous and label a current mark (remove also
// the marks shown, as a hidden mark cannot be picked); remove all some
// mark; the list a trace in use; harmonics a spectrum with data. Nothing is
// ever checked.
SCommandStatus GetMarkCommandStatus(UINT uCommand, CQXTrace* pTrace);
// Add puts a mark at the cursor while it is on, else in the middle of the
// X window, and shows the marks; the 21st is refused with the library's
// message. Next and previous move the current mark along the slots and
// wrap round at either end. Harmonics marks the fundamental and its
// harmonics. False when disabled or nothing changed.
bool ExecuteMarkCommand(UINT uCommand, CQXTrace* pTrace);

class CMarkBar {
public:
    // The document's current trace; null without a document or trace.
    CQXTrace* GetTrace() const;

    // Reads the current mark's number and label again and tells the listener.
    void Update();
    // The shown number follows the trace's current mark (-1: none).
    void UpdateMarkNumber();
    // The shown label follows the current mark's.
    void UpdateMarkLabel();
    // Every mark has gone: nothing to show.
    void OnRemoveAllMarks();

    // The current mark's slot as shown; -1 when none.
    int GetMarkNumber() const { return m_iMark; }
    // "Mark 3" for slot 2; empty without a mark.
    CString GetMarkNumberText() const;
    const CString& GetMarkLabel() const { return m_sLabel; }
    // The label typed in the bar goes to the current mark, cut to 32
    // characters (the bar shows what was kept). False without a mark.
    bool SetMarkLabel(const CString& sLabel);

    void SetChangeListener(std::function<void()> fn) { m_fnChanged = std::move(fn); }

private:
    void Changed()
    {
        if (m_fnChanged) m_fnChanged();
    }

    int m_iMark = -1;
    CString m_sLabel;
    std::function<void()> m_fnChanged;
};
