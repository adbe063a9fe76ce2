#pragma once
// A modal progress window for long operations. Every change is shown through
// the installed host, which also reports whether the user has cancelled.

#include "host/app/AppServices.h"

class CProgressWnd {
public:
    CProgressWnd(void* parent, const CString& caption, bool bSmooth = false);
    ~CProgressWnd();
    CProgressWnd(const CProgressWnd&) = delete;
    CProgressWnd& operator=(const CProgressWnd&) = delete;

    void GoModal(void* parent = nullptr);
    void SetRange(int lower, int upper);
    void SetText(const CString& text);
    void SetPos(int pos);
    void SetStep(int step);
    // Advances by the step (kept within the range); returns the previous position.
    int StepIt();
    // Lets the host update and handle input; false once the user has cancelled.
    bool PeekAndPump(bool bCancelOnEscape = true);
    bool Cancelled() const { return m_bCancelled; }
    const SProgressState& GetState() const { return m_state; }

private:
    void Show();

    SProgressState m_state;
    bool m_bCancelled = false;
};
