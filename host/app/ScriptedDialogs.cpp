#include "host/app/ScriptedDialogs.h"

#include "host/app/AppMessages.h"

int CScriptedDialogs::DoModal(CDialogModel& model)
{
    m_aShown.push_back(model.GetTemplateID());
    while (!m_aAnswers.empty()) {
        Answer answer = std::move(m_aAnswers.front());
        m_aAnswers.pop_front();
        const bool bOK = answer(model) == IDOK;
        if (bOK ? model.OnOK() : model.OnCancel()) return bOK ? IDOK : IDCANCEL;
    }
    return IDCANCEL;
}
