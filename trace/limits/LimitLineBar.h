#pragma once
// CLimitLineBar: the floating bar of limit-line drawing as plain data. Its
// buttons (Finish, Cancel, End segment, Undo, Redo, Delete line) each run
// the manager's operation of the same name; the X and Y unit selectors
// choose the units of the two cursor read-outs, which show where the
// pointer is in the trace's plot. A toolkit shows it (qt/LimitLineBarWidget)
// and refreshes when told of a change.

#include "host/units/UnitIds.h"
#include "platform/String.h"
#include "platform/Types.h"

#include <array>
#include <cfloat>
#include <functional>
#include <vector>

class CLimitLineManager;

class CLimitLineBar {
public:
    enum EButton : int { BTN_FINISH = 0, BTN_CANCEL, BTN_END_SEGMENT, BTN_UNDO, BTN_REDO, BTN_DELETE, BTN_COUNT };

    explicit CLimitLineBar(CLimitLineManager& manager) : m_manager(manager) {}

    // The unit lists from the manager's trace, its own units selected.
    void InitControls();

    static CString GetButtonText(EButton eButton);
    static UINT GetButtonCommand(EButton eButton);
    bool IsButtonEnabled(EButton eButton) const;
    // Runs the button's operation; false when it is disabled.
    bool OnButton(EButton eButton);

    const std::vector<EUnit>& GetXUnits() const { return m_aeXUnits; }
    const std::vector<EUnit>& GetYUnits() const { return m_aeYUnits; }
    int GetXUnitIndex() const { return m_iXUnit; }
    int GetYUnitIndex() const { return m_iYUnit; }
    // False for an index outside the list.
    bool SetXUnitIndex(int iIndex);
    bool SetYUnitIndex(int iIndex);

    // Where the pointer is: its column in the trace's plot and the Y data
    // there; bValid false: outside the plot.
    void UpdateCursorPos(int iColumn, double dYData, bool bValid);
    // The read-outs in the selected units with their names; "-" outside the plot.
    CString GetXCursorText() const;
    CString GetYCursorText() const;

    // Told after anything the bar shows changed.
    void SetChangeListener(std::function<void()> fn) { m_fnChanged = std::move(fn); }
    void NotifyChanged() const
    {
        if (m_fnChanged) m_fnChanged();
    }

private:
    CLimitLineManager& m_manager;
    std::vector<EUnit> m_aeXUnits;
    std::vector<EUnit> m_aeYUnits;
    int m_iXUnit = 0;
    int m_iYUnit = 0;
    int m_iColumn = 0;
    double m_dYData = DBL_MAX;
    bool m_bValid = false;
    std::function<void()> m_fnChanged;
};
