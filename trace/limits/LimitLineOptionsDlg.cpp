#include "trace/limits/LimitLineOptionsDlg.h"

#include "resources/StringTable.h"

CString CLimitLineOptionsDlg::GetCaption() const { return LoadResString(IDS_LIMIT_OPTIONS_CAPTION); }

CString CLimitLineOptionsDlg::Validate(int* piControl) const
{
    if (piControl) *piControl = 0;
    return CString();
}
