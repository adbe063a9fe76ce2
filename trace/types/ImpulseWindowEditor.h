#pragma once
// CImpulseWindowEditor: the frame's mode in which the gate of an impulse
// response (start, mid and end bins of the channel's impulse window) is set
// by dragging three handles on its window trace, or by typing bins in the
// bar (CImpulseWindowBar). Every accepted change goes at once into the
// host's impulse-response settings and the window trace is recomputed, so
// the curve follows the drag. Presses off the handles fall through to the
// view. Finish keeps what the settings hold; Cancel (after a change, once
// asked) puts back the gate there was when editing started.
//
// The edited trace follows the analyser's channel selection: channel B's
// impulse window when only B is measured, else channel A's, with channel
// B's as the other trace when both are (removing either asks first). The
// selection is read again whenever the settings change. The two channels'
// gates are tied or not as the settings say (tied: both get every change).

#include "host/settings/ImpulseWindowDetails.h"
#include "host/units/UnitIds.h"
#include "platform/String.h"
#include "trace/core/TraceDefs.h"
#include "trace/display/TraceInterceptor.h"

#include <functional>
#include <vector>

class CGraphFrame;
class CImpulseWindowEditor;
class CImpulseWindowFunction;

enum EImpulseWindowCommand : UINT {
    ID_IMPULSE_FINISH = 34850,
    ID_IMPULSE_CANCEL = 34851,
};

// The bar as data: the window-function list, the three bins as text in the
// bin unit, the bin units, the half-window and tied flags, Finish and Cancel.
class CImpulseWindowBar {
public:
    enum EBin : int { BIN_START = 0, BIN_MID, BIN_END };

    explicit CImpulseWindowBar(CImpulseWindowEditor& editor) : m_editor(editor) {}

    // "Edit Impulse Window - Ch A" (Ch B, or Ch A & B when tied).
    CString GetTitle() const;
    // The bin as the settings hold it, in the bin unit.
    CString GetBinText(EBin eBin) const;
    // A typed bin: read in the bin unit, converted to bins and truncated
    // toward zero. A number the details refuse (or no number) beeps once and
    // the bar shows the settings again; false then.
    bool OnBinTyped(EBin eBin, const CString& sText);
    // The gate's window functions by name, and the working gate's among them
    // (-1 when it is none of them); choosing one changes the gate.
    std::vector<CString> GetWindowFunctionNames() const;
    int GetWindowFunctionIndex() const;
    bool SetWindowFunctionIndex(int iIndex);
    const std::vector<EUnit>& GetBinUnits() const;
    int GetBinUnitIndex() const;
    bool SetBinUnitIndex(int iIndex);

    void SetChangeListener(std::function<void()> fn) { m_fnChanged = std::move(fn); }
    void NotifyChanged() const
    {
        if (m_fnChanged) m_fnChanged();
    }

private:
    CImpulseWindowEditor& m_editor;
    std::function<void()> m_fnChanged;
};

class CImpulseWindowEditor : public CFrameMode {
public:
    // Half the side of a handle's square, in pixels.
    static constexpr int kHandleRadius = 7;
    enum EHandle : int { HANDLE_NONE = 0, HANDLE_START, HANDLE_MID, HANDLE_END };

    CImpulseWindowEditor(CGraphFrame& frame, ChannelNumber eChannel);

    // The frame's "Edit impulse response Window function" for the trace's
    // channel (a window trace is made from the settings when the channel
    // has none); false when nothing started.
    static bool StartEditing(CGraphFrame& frame, CQXTrace* pTrace);
    // Ends a running editor as Finish does.
    static void StopEditing(CGraphFrame& frame);
    // Puts the command into the frame's table.
    static void Install(CGraphFrame& frame);
    // The host's 0x8098 (start, for the current trace) and 0x8099 (stop);
    // false for any other message.
    static bool OnHostMessage(CGraphFrame& frame, unsigned uMessage);

    // Takes the trace and the gate from the document and the settings;
    // bFirst keeps them for Cancel. False without a window trace.
    bool UpdateFromSettings(bool bFirst);

    // Each gives the value to the working gate; false when it refuses.
    bool SetStartBin(int iBin);
    bool SetMidBin(int iBin);
    bool SetEndBin(int iBin);
    bool SetHalfWindow(bool bHalf);
    bool SetWindowFunction(WINDOWFUNCTION eWindow);
    // False when unchanged.
    bool SetBinUnit(EUnit eUnit);
    bool SetWindowTied(bool bTied);
    // Writes the gate to the settings; with bClose the mode ends.
    void Apply(bool bClose);
    // Ends the mode putting back the gate there was at the start, after
    // asking when something changed; false when the user stays.
    bool Exit();

    const CImpulseWindowDetails& GetWorkingDetails() const { return m_WorkingDetails; }
    EUnit GetBinUnit() const { return m_eBinUnit; }
    bool IsTied() const { return m_bTied; }
    bool IsModified() const { return m_bModified; }
    CImpulseWindowFunction* GetTrace() const { return m_pImpulseTrace; }
    // Channel B's window while both channels are measured; null otherwise.
    CImpulseWindowFunction* GetOtherChannelTrace() const { return m_pOtherChannelImpulseTrace; }
    ChannelNumber GetChannel() const { return m_eChannel; }
    EHandle GetDragHandle() const { return m_eDragHandle; }
    // A handle's square on the graph (all -1 before the trace was drawn).
    CRect GetHandleRect(EHandle eHandle) const;
    CImpulseWindowBar& GetBar() { return m_bar; }

    // ---- The mode ----------------------------------------------------------------
    EFrameMode GetMode() const override { return EFrameMode::impulseWindowEditing; }
    // Leaving for the other mode: Exit's question, when there were changes.
    bool RequestLeave(int iMessageId) override;
    // Settings changed elsewhere (a script): the gate, unit, tied flag and
    // channel selection are read again and the window traces follow.
    void OnImpulseWindowDetailsChanged() override;
    bool DrawTrace(CDC* pDC, CQXTrace* pTrace) override;
    bool OnUpdate(CGraphView* pView, int iHint, CObject* pObject) override;
    bool OnLButtonDown(UINT uFlags, CPoint point) override;
    bool OnLButtonUp(UINT uFlags, CPoint point) override;
    bool OnMouseMove(UINT uFlags, CPoint point) override;
    // True (the west-east sizing cursor) during a drag and over a handle.
    bool OnSetCursor(CWnd* pWnd, UINT uHitTest, UINT uMessage) override;
    bool OnCmdMsg(UINT uID, int iCode, void* pExtra) override;

private:
    // The settings take the working gate; the trace is recomputed.
    void ChangeStep();
    void WriteSettings();
    // The window traces from the settings, the handles, the bar and the views.
    void FollowSettings();
    void CalcHandles();
    void End();
    bool IsEditedTrace(const CObject* pTrace) const;
    // The handle under the point, in the trace's plot in its own view.
    EHandle HandleAt(CPoint point) const;
    // The analyser's selection: 0 channel A, 1 channel B, 2 both.
    static int ChannelMode(int iDefault);

    CGraphFrame& m_frame;
    CImpulseWindowBar m_bar;
    ChannelNumber m_eChannel;
    int m_iChannelMode;
    CImpulseWindowFunction* m_pImpulseTrace = nullptr;
    CImpulseWindowFunction* m_pOtherChannelImpulseTrace = nullptr;
    EHandle m_eDragHandle = HANDLE_NONE;
    CPoint m_ptMouse{-1, -1};
    CImpulseWindowDetails m_WorkingDetails;
    EUnit m_eBinUnit = UNIT_MS;
    bool m_bTied = true;
    CImpulseWindowDetails m_SavedDetails;
    EUnit m_eSavedBinUnit = UNIT_MS;
    bool m_bSavedTied = true;
    bool m_bModified = false;
    bool m_bEnded = false;
    CRect m_rcStartHandle{-1, -1, -1, -1};
    CRect m_rcMidHandle{-1, -1, -1, -1};
    CRect m_rcEndHandle{-1, -1, -1, -1};
};
