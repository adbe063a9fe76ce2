#pragma once
// The dialog host of headless runs (tests, tools): installed while it
// lives, it answers each dialog from a script. Every answer fills the
// model's fields as a user would and returns IDOK or IDCANCEL; an OK or a
// Cancel the model refuses (its message box goes to the application host)
// takes the next answer; with none left the dialog is cancelled. A dialog
// opened by an answer (a transform's from the transforms list) takes the
// answers after it.

#include "host/app/DialogModel.h"

#include <deque>
#include <functional>
#include <vector>

class CScriptedDialogs : public IDialogHost {
public:
    using Answer = std::function<int(CDialogModel&)>;

    CScriptedDialogs() : m_pPrevious(InstallDialogHost(this)) {}
    ~CScriptedDialogs() override { InstallDialogHost(m_pPrevious); }
    CScriptedDialogs(const CScriptedDialogs&) = delete;
    CScriptedDialogs& operator=(const CScriptedDialogs&) = delete;

    void QueueAnswer(Answer answer) { m_aAnswers.push_back(std::move(answer)); }
    // Template ids of the dialogs shown, in order.
    const std::vector<int>& GetDialogsShown() const { return m_aShown; }

    int DoModal(CDialogModel& model) override;

private:
    IDialogHost* m_pPrevious;
    std::deque<Answer> m_aAnswers;
    std::vector<int> m_aShown;
};
