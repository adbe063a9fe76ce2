#pragma once
// "Show Trace as relative": "Show relative to:" one of the document's
// traces that can serve as golden trace; "Offset" (checked on opening) or
// "Gain" with its unit combo box, which only an amplitude trace offers.
// OK needs a golden trace; it stores it with the difference mode (the gain
// choice does not change what is computed).

#include "trace/compute/ComputeDlg.h"
#include "trace/document/GraphDoc.h"

class CComputeRelativeDlg : public CComputeDlg, private ITraceCombo {
public:
    static constexpr int kTemplateID = 817;
    static constexpr int IDC_GOLDEN_TRACE = 8259;
    static constexpr int IDC_OFFSET = 8273;
    static constexpr int IDC_GAIN = 8274;
    static constexpr int IDC_GAIN_UNIT = 8275;

    // One line of the golden-trace combo box.
    struct SGoldenChoice {
        short sTraceID = -1;
        CString sName;
    };

    // Opens with the compute's golden trace selected when it is offered.
    CComputeRelativeDlg(CCompute* pCompute, CQXTrace* pTrace, CComputeListDlg* pListDlg);

    const std::vector<SGoldenChoice>& GetChoices() const { return m_aChoices; }
    // -1: none selected.
    int GetSelected() const { return m_iSelected; }
    void Select(int iChoice);
    bool IsOKEnabled() const { return m_iSelected >= 0; }

    bool IsGain() const { return m_bGain; }
    bool IsGainAllowed() const { return m_bGainAllowed; }
    // Refused while gain is not allowed.
    void SetGain(bool bGain);
    const CUnitChoiceList& GetGainUnits() const { return m_aGainUnits; }
    int GetGainUnit() const { return m_iGainUnit; }
    void SetGainUnit(int iUnit) { m_iGainUnit = iUnit; }

    // No golden trace selected: the description's "no trace" text.
    CString Validate(int* piControl) const override;

protected:
    std::vector<const SValueField*> CheckedFields() const override { return {}; }
    bool SaveComputeDetailsFromDlg(CCompute* pCompute) override;

private:
    void ResetContent() override { m_aChoices.clear(); }
    static int AddChoice(ITraceCombo* pCombo, CQXTrace* pCandidate, void* pContext);

    std::vector<SGoldenChoice> m_aChoices;
    int m_iSelected = -1;
    bool m_bGain = false;
    bool m_bGainAllowed = false;
    CUnitChoiceList m_aGainUnits;
    int m_iGainUnit = -1;
};
