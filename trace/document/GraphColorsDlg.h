#pragma once
// "Change default graph colours": the 27 graph colours of the document
// (background, graticule, cursor, each trace type's colour and the colours
// of copies, which may be "Cycle": each copy takes the cycler's next
// colour). Restore defaults puts back the built-in colours. OK writes every
// colour to the registry, gives the document them, recolours every trace
// with its type's colour and redraws everything.
//
// Toolkit-free; a host shows it (qt/dialogs/GraphColorsForm, or the
// headless host in tests).

#include "host/app/DialogModel.h"
#include "trace/document/GraphColours.h"

class CGraphDoc;
class CGraphFrame;

class CGraphColorsDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 807;
    // The control of entry i is IDC_COLOUR_FIRST + i.
    static constexpr int IDC_COLOUR_FIRST = 8400;

    // The document stays the caller's and must outlive the dialog.
    explicit CGraphColorsDlg(CGraphDoc& doc);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;
    static int GetCount() { return kGraphColourCount; }
    static const SGraphColour& GetEntry(int i) { return GetGraphColourTable()[static_cast<size_t>(i)]; }
    COLORREF GetColour(int i) const { return m_acrColours[static_cast<size_t>(i)]; }
    // False for an index outside the table.
    bool SetColour(int i, COLORREF crColour);
    void RestoreDefaults() { m_acrColours = GetDefaultGraphColours(); }
    // A colour of 0x00BBGGRR; COLOR_CYCLE only for copies; the graticule
    // and cursor not in the background colour.
    CString Validate(int* piControl) const override;

protected:
    bool Apply() override;

private:
    CGraphDoc& m_Doc;
    CGraphColours m_acrColours;
};

// "Change default graph colours" in the frame's table: the dialog on the document.
void InstallGraphColorsCommand(CGraphFrame& frame);
