#pragma once
// The toolkit-free side of a dialog: its fields, their checks with the
// library's messages, and what OK does. A dialog host shows it: the Qt
// front end with a thin form (qt/dialogs/) that only moves values between
// its controls and the model; tests with CScriptedDialogs, whose scripted
// answers fill the model as a user would. Neither decides anything.

#include "platform/String.h"

class CDialogModel {
public:
    virtual ~CDialogModel() = default;

    // The dialog's template id: hosts find their form by it.
    virtual int GetTemplateID() const = 0;
    virtual CString GetCaption() const = 0;

    // The text of the first field that is not usable, with its control id
    // in *piControl; empty when every field is usable.
    virtual CString Validate(int* piControl) const = 0;

    // What the OK button does: checks the fields (the first bad one is shown
    // in a message box and its control remembered for the form to focus),
    // then carries the dialog out. True closes the dialog.
    bool OnOK();
    // The control of the last refused OK; 0 when none was refused.
    int GetFailedControl() const { return m_iFailedControl; }
    // What Cancel does: true closes the dialog. A dialog holding edits the
    // user has not applied asks first.
    virtual bool OnCancel() { return true; }

protected:
    // Carries the dialog out; false, after reporting why, when it fails.
    virtual bool Apply() = 0;

private:
    int m_iFailedControl = 0;
};

// Who shows dialogs: IDOK once OK was accepted, else IDCANCEL.
class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    virtual int DoModal(CDialogModel& model) = 0;
};

// Installs the dialog host (null uninstalls); returns the previous one.
IDialogHost* InstallDialogHost(IDialogHost* pHost);
// Shows the dialog through the installed host; IDCANCEL without one.
int DoModalDialog(CDialogModel& model);
