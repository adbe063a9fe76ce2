#include "trace/file/ChooseLimitTraceDlg.h"

#include "host/app/AppServices.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

CChooseLimitTraceDlg::CChooseLimitTraceDlg(CGraphDoc& doc, const std::vector<ChannelNumber>& aeChannels,
                                           const CString& sFile, int iXUnit, int iYUnit, bool bUpper)
    : m_sFile(sFile), m_bUpper(bUpper)
{
    for (ChannelNumber eChannel : aeChannels) {
        SChannel channel{eChannel, {}, -1};
        for (CQXTrace* pTrace : doc.GetTraceArray(eChannel))
            if (pTrace->IsInUse() && !pTrace->IsLimitLine() && pTrace->IsLimitConsistent(iXUnit, iYUnit))
                channel.apTraces.push_back(pTrace);
        const auto it = std::find(channel.apTraces.begin(), channel.apTraces.end(), doc.GetCurrentTrace(eChannel));
        if (!channel.apTraces.empty())
            channel.iChosen = it != channel.apTraces.end() ? static_cast<int>(it - channel.apTraces.begin()) : 0;
        m_aChannels.push_back(std::move(channel));
    }
}

CString CChooseLimitTraceDlg::GetCaption() const { return LoadResString(IDS_CHOOSE_LIMIT_CAPTION); }

CString CChooseLimitTraceDlg::GetNoneText() { return LoadResString(IDS_CHOOSE_LIMIT_NONE); }

bool CChooseLimitTraceDlg::SetChosen(ChannelNumber eChannel, int iIndex)
{
    for (SChannel& channel : m_aChannels) {
        if (channel.eChannel != eChannel) continue;
        if (iIndex < -1 || iIndex >= static_cast<int>(channel.apTraces.size())) return false;
        channel.iChosen = iIndex;
        return true;
    }
    return false;
}

bool CChooseLimitTraceDlg::HasCandidates() const
{
    return std::any_of(m_aChannels.begin(), m_aChannels.end(),
                       [](const SChannel& channel) { return !channel.apTraces.empty(); });
}

CString CChooseLimitTraceDlg::Validate(int* piControl) const
{
    const bool bChosen = std::any_of(m_aChannels.begin(), m_aChannels.end(),
                                     [](const SChannel& channel) { return channel.iChosen >= 0; });
    const bool bFirstIsB = !m_aChannels.empty() && m_aChannels.front().eChannel == CHANNEL_B;
    if (piControl) *piControl = bChosen ? 0 : bFirstIsB ? IDC_TRACE_B : IDC_TRACE_A;
    return bChosen ? CString() : LoadResString(IDS_CHOOSE_LIMIT_NOTHING_CHOSEN);
}

bool CChooseLimitTraceDlg::Apply()
{
    const TraceType eType = m_bUpper ? TT_MAXLIMITLINE : TT_MINLIMITLINE;
    for (SChannel& channel : m_aChannels) {
        if (channel.iChosen < 0) continue;
        int iFailure = 0;
        if (!CLimitLine::LoadForTrace(channel.apTraces[static_cast<size_t>(channel.iChosen)], m_sFile, eType, 1,
                                      &iFailure))
            return false;
        // Attached: a second OK after a refusal on the other channel must not attach it again.
        channel.iChosen = -1;
    }
    return true;
}
