#pragma once
// "Create/Edit Limit Line": which of the trace's lines (upper or lower) and
// how (drawn on the graph, or copied from the trace's data). Both choices
// are always valid; OK only records them.
//
// Toolkit-free: a host shows it (qt/dialogs/LimitLineOptionsForm, or the
// scripted dialogs in tests).

#include "host/app/DialogModel.h"

class CLimitLineOptionsDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 870;
    static constexpr int IDC_MAX = 8300;
    static constexpr int IDC_MIN = 8301;
    static constexpr int IDC_DRAW = 8302;
    static constexpr int IDC_COPY = 8303;

    CLimitLineOptionsDlg(bool bMax, bool bDraw) : m_bMax(bMax), m_bDraw(bDraw) {}

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;
    CString Validate(int* piControl) const override;

    bool IsMax() const { return m_bMax; }
    void SetMax(bool bMax) { m_bMax = bMax; }
    bool IsDraw() const { return m_bDraw; }
    void SetDraw(bool bDraw) { m_bDraw = bDraw; }

protected:
    bool Apply() override { return true; }

private:
    bool m_bMax;
    bool m_bDraw;
};
