#include "trace/output/TraceValuesFrame.h"

#include "host/app/FileDialog.h"
#include "host/app/PathResolver.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

unsigned char CTraceValuesFrame::SeparatorForCommand(unsigned uCommand)
{
    if (uCommand == ID_VALUES_SAVE_TAB) return kTabSeparator;
    if (uCommand == ID_VALUES_SAVE_COMMA) return kCommaSeparator;
    return ' ';
}

bool CTraceValuesFrame::OnSaveAsFile(unsigned uCommand)
{
    const bool bComma = uCommand == ID_VALUES_SAVE_COMMA;
    CMyFileDialog* pDialog = CMyFileDialog::createSaveDialog(
        LoadResString(bComma ? IDS_CSV_FILE_EXT : IDS_TAB_FILE_EXT), CString(),
        LoadResString(bComma ? IDS_CSV_FILE_FILTER : IDS_TAB_FILE_FILTER), PATH_SUBTYPE_TRACES);
    const bool bChosen = pDialog->DoModal() == IDOK;
    const CString sPath = pDialog->GetPathName();
    CMyFileDialog::deleteFunc(pDialog);
    if (!bChosen) return false;
    const ETraceValuesExport eResult = SaveAs(sPath, SeparatorForCommand(uCommand));
    return eResult == ETraceValuesExport::written || eResult == ETraceValuesExport::cancelled;
}

ETraceValuesExport CTraceValuesFrame::SaveAs(const CString& sPath, unsigned char cSeparator)
{
    const ETraceValuesExport eResult = WriteTraceValuesFile(m_view, sPath, cSeparator, true);
    if (eResult == ETraceValuesExport::cannotOpen || eResult == ETraceValuesExport::writeFailed) {
        CString sMessage;
        sMessage.Format(LoadResString(IDS_TRACE_VALUES_SAVE_FAILED), sPath.GetString());
        AfxMessageBox(sMessage, MB_ICONEXCLAMATION);
    }
    return eResult;
}
