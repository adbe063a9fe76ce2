#include "trace/document/GraphColorsDlg.h"

#include "host/app/AppServices.h"
#include "resources/StringTable.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"

namespace {

CString Refusal(int iStringId, const SGraphColour& entry)
{
    CString sText;
    sText.Format(LoadResString(iStringId).GetString(), entry.pszLabel);
    return sText;
}

} // namespace

CGraphColorsDlg::CGraphColorsDlg(CGraphDoc& doc) : m_Doc(doc), m_acrColours(GetGraphColours(doc)) {}

CString CGraphColorsDlg::GetCaption() const { return LoadResString(IDS_GRAPH_COLOURS_CAPTION); }

bool CGraphColorsDlg::SetColour(int i, COLORREF crColour)
{
    if (i < 0 || i >= GetCount()) return false;
    m_acrColours[static_cast<size_t>(i)] = crColour;
    return true;
}

CString CGraphColorsDlg::Validate(int* piControl) const
{
    const COLORREF crBackground = m_acrColours[0];
    for (int i = 0; i < GetCount(); ++i) {
        const SGraphColour& entry = GetEntry(i);
        const COLORREF cr = GetColour(i);
        int iProblem = 0;
        if (cr == COLOR_CYCLE && !entry.IsCopy())
            iProblem = IDS_GRAPH_COLOURS_NO_CYCLE;
        else if (cr != COLOR_CYCLE && (cr & 0xFF000000u))
            iProblem = IDS_GRAPH_COLOURS_INVALID;
        else if ((entry.eKind == SGraphColour::graticule || entry.eKind == SGraphColour::cursor) && cr == crBackground)
            iProblem = IDS_GRAPH_COLOURS_UNSEEN;
        if (iProblem) {
            if (piControl) *piControl = IDC_COLOUR_FIRST + i;
            return Refusal(iProblem, entry);
        }
    }
    if (piControl) *piControl = 0;
    return CString();
}

bool CGraphColorsDlg::Apply()
{
    WriteGraphColours(m_acrColours);
    SetGraphColours(m_Doc, m_acrColours);
    m_Doc.ResetTraceColors(0);
    m_Doc.UpdateAllViews(UPDATE_GRAPH_REDRAWALL, &m_Doc);
    return true;
}

void InstallGraphColorsCommand(CGraphFrame& frame)
{
    frame.SetCommand({ID_GRAPH_CHANGE_COLORS,
                      [](CQXTrace*) {
                          CGraphDoc* pDoc = GetGraphDoc();
                          if (!pDoc) return false;
                          CGraphColorsDlg dialog(*pDoc);
                          DoModalDialog(dialog);
                          return true;
                      },
                      [](CQXTrace*) { return SCommandStatus{GetGraphDoc() != nullptr, false}; }});
}
