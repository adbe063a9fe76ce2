#pragma once
// CCursorBar: the cursor tool bar of a trace window as plain data. It reads
// out the cursor of the document's current trace in the units chosen in its
// X and Y unit boxes (the units of the trace's quantities) and switches the
// relative cursor. The frame keeps it in step with cursor hints and changes
// of the current trace; a toolkit shows it (qt/CursorBarWidget) and
// refreshes when told of a change.
//
// The cursor commands (left, right, relative, reset) live here too: the
// bar's button, the keys and the menus run the same ones.

#include "host/units/UnitIds.h"
#include "platform/String.h"
#include "trace/core/TraceDefs.h"
#include "trace/display/TraceMenu.h"

#include <functional>
#include <vector>

class CQXTrace;

// Whether a cursor command may run on the trace (it needs a cursor that is
// on) and whether it shows a tick (the relative cursor while on).
SCommandStatus GetCursorCommandStatus(UINT uCommand, CQXTrace* pTrace);
// Left and right step the cursor one point (not past the last point with a
// value); relative switches the relative cursor on at the cursor or off;
// reset puts the cursor at the first point with a value in the window and
// switches the relative cursor off. False when disabled or nothing moved.
bool ExecuteCursorCommand(UINT uCommand, CQXTrace* pTrace);

class CCursorBar {
public:
    // The document's current trace; null without a document or trace.
    CQXTrace* GetTrace() const;
    // Takes the unit lists and the chosen units from the current trace
    // again (its cursor units) and tells the listener.
    void Update();

    const std::vector<EUnit>& GetXUnits() const { return m_aeXUnits; }
    const std::vector<EUnit>& GetYUnits() const { return m_aeYUnits; }
    int GetXUnitIndex() const { return IndexOf(m_aeXUnits, m_eXUnit); }
    int GetYUnitIndex() const { return IndexOf(m_aeYUnits, m_eYUnit); }
    EUnit GetXUnit() const { return m_eXUnit; }
    EUnit GetYUnit() const { return m_eYUnit; }
    // Chooses a unit of the list: it becomes the trace's cursor unit (the
    // traces drawn against the same scale follow). False outside the list.
    bool SetXUnitIndex(int iIndex) { return ChooseUnit(X_AXIS, iIndex); }
    bool SetYUnitIndex(int iIndex) { return ChooseUnit(Y_AXIS, iIndex); }

    // The cursor's reading on the trace in the chosen unit: empty when the
    // trace's unit set for the axis lacks that unit or there is no reading;
    // " (r)" follows while the relative cursor is on.
    CString GetXCursorText(CQXTrace* pTrace) const;
    CString GetYCursorText(CQXTrace* pTrace) const;

    // The relative-cursor button: enabled while the cursor is on, checked
    // while the relative cursor is; pressing it switches the relative cursor.
    SCommandStatus GetRelativeState() const { return GetCursorCommandStatus(ID_CURSOR_RELATIVE, GetTrace()); }
    bool OnRelative() { return ExecuteCursorCommand(ID_CURSOR_RELATIVE, GetTrace()); }

    void SetChangeListener(std::function<void()> fn) { m_fnChanged = std::move(fn); }

private:
    bool ChooseUnit(AxisType eAxis, int iIndex);
    static int IndexOf(const std::vector<EUnit>& aeUnits, EUnit eUnit);

    std::vector<EUnit> m_aeXUnits;
    std::vector<EUnit> m_aeYUnits;
    EUnit m_eXUnit = UNIT_INVALID;
    EUnit m_eYUnit = UNIT_INVALID;
    std::function<void()> m_fnChanged;
};
