#include "host/app/DialogModel.h"

#include "host/app/AppServices.h"

#include <atomic>

namespace {

std::atomic<IDialogHost*> g_pDialogHost{nullptr};

} // namespace

bool CDialogModel::OnOK()
{
    int iControl = 0;
    const CString sProblem = Validate(&iControl);
    if (!sProblem.IsEmpty()) {
        m_iFailedControl = iControl;
        AfxMessageBox(sProblem, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    m_iFailedControl = 0;
    return Apply();
}

IDialogHost* InstallDialogHost(IDialogHost* pHost) { return g_pDialogHost.exchange(pHost); }

int DoModalDialog(CDialogModel& model)
{
    IDialogHost* pHost = g_pDialogHost.load();
    return pHost ? pHost->DoModal(model) : IDCANCEL;
}
