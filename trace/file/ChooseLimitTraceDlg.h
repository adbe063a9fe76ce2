#pragma once
// The choose-trace step of adding a limit file: a limit file does not say
// which trace it limits, so the user picks, on each channel the file is
// added to, the trace that gets the line (or none), and whether the line is
// the upper or the lower limit. Only traces whose units suit the file's are
// offered. OK attaches the file through CLimitLine::LoadForTrace, which
// reports a file or units it refuses; the step then stays open.
//
// Toolkit-free: the fields, their checks and OK; a host shows it
// (qt/dialogs/ChooseLimitTraceForm, or the headless host in tests).

#include "host/app/DialogModel.h"
#include "trace/core/TraceDefs.h"

#include <vector>

class CGraphDoc;
class CQXTrace;

class CChooseLimitTraceDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 881;
    static constexpr int IDC_TRACE_A = 8430;
    static constexpr int IDC_TRACE_B = 8431;
    static constexpr int IDC_UPPER = 8432;
    static constexpr int IDC_LOWER = 8433;

    struct SChannel {
        ChannelNumber eChannel;
        // The traces offered, in trace-array order; the index chosen, -1 for none.
        std::vector<CQXTrace*> apTraces;
        int iChosen = -1;
    };

    // sFile names the limit file, whose table or data is in iXUnit over
    // iYUnit. Each channel starts at its current trace where that is
    // offered, else at its first; bUpper says which line is preset.
    CChooseLimitTraceDlg(CGraphDoc& doc, const std::vector<ChannelNumber>& aeChannels, const CString& sFile,
                         int iXUnit, int iYUnit, bool bUpper);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;

    const CString& GetFile() const { return m_sFile; }
    const std::vector<SChannel>& GetChannels() const { return m_aChannels; }
    // False for a channel not offered or an index outside its list (-1 is none).
    bool SetChosen(ChannelNumber eChannel, int iIndex);
    // The text a channel's list shows for no trace.
    static CString GetNoneText();
    bool GetUpper() const { return m_bUpper; }
    void SetUpper(bool bUpper) { m_bUpper = bUpper; }
    // Whether any channel offers a trace at all.
    bool HasCandidates() const;

    CString Validate(int* piControl) const override;

protected:
    bool Apply() override;

private:
    CString m_sFile;
    std::vector<SChannel> m_aChannels;
    bool m_bUpper = true;
};
