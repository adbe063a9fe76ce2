#include "trace/file/AddTraceDlg.h"

#include "host/app/AppServices.h"
#include "host/app/PathResolver.h"
#include "host/settings/MeasurementSettings.h"
#include "resources/StringTable.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/ChooseLimitTraceDlg.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/SweepTrace.h"

#include <memory>

namespace {

// A sweep slot that no sweep has been given a result to measure.
constexpr int kNoSweepResult = 65535;

bool IsSweep(TraceType eType) { return eType >= TT_SWEEP1 && eType <= TT_SWEEP4; }

CString Trimmed(CString s) { return s.Trim(); }

bool FileMissing(const CString& sFile) { return Trimmed(sFile).IsEmpty(); }

} // namespace

bool IsLiveTraceToAdd(CQXTrace& trace)
{
    if (!trace.IsLive() || trace.IsCopy() || trace.IsInUse() || trace.IsLimitLine()) return false;
    if (!IsSweep(trace.GetTraceType())) return true;
    auto* pSweep = dynamic_cast<CSweepTrace*>(&trace);
    return pSweep && pSweep->GetResultID() != kNoSweepResult && pSweep->GetDataSize() > 0;
}

CAddTraceDlg::CAddTraceDlg(CGraphDoc& doc) : m_Doc(doc)
{
    int iFirst = CHANNEL_A;
    int iLast = CHANNEL_B;
    CGraphDoc::GetChannelRange(iFirst, iLast);
    m_eChannels = iFirst != iLast ? EChannels::both : iFirst == CHANNEL_B ? EChannels::b : EChannels::a;
    FillLiveEntries();
}

CString CAddTraceDlg::GetCaption() const { return LoadResString(IDS_ADD_TRACE_CAPTION); }

void CAddTraceDlg::SetChannels(EChannels eChannels)
{
    m_eChannels = eChannels;
    FillLiveEntries();
}

std::vector<ChannelNumber> CAddTraceDlg::GetSelectedChannels() const
{
    switch (m_eChannels) {
    case EChannels::a: return {CHANNEL_A};
    case EChannels::b: return {CHANNEL_B};
    default: return {CHANNEL_A, CHANNEL_B};
    }
}

void CAddTraceDlg::FillLiveEntries()
{
    m_aLive.clear();
    for (int iType = 0; iType < TT_COUNT; ++iType) {
        SLiveEntry entry{static_cast<TraceType>(iType), CString(), {}};
        for (ChannelNumber eChannel : GetSelectedChannels()) {
            for (CQXTrace* pTrace : m_Doc.GetTraceArray(eChannel)) {
                if (pTrace->GetTraceType() != entry.eType || !IsLiveTraceToAdd(*pTrace)) continue;
                entry.apTraces.push_back(pTrace);
                break;
            }
        }
        if (entry.apTraces.empty()) continue;
        entry.sName = entry.apTraces.front()->GetTraceName(0, 0, 1);
        m_aLive.push_back(std::move(entry));
    }
    if (m_iLive >= static_cast<int>(m_aLive.size())) m_iLive = 0;
}

CString CAddTraceDlg::GetNoLiveTracesText() { return LoadResString(IDS_ADD_TRACE_NO_LIVE); }

bool CAddTraceDlg::SetLiveIndex(int iIndex)
{
    if (iIndex < 0 || iIndex >= static_cast<int>(m_aLive.size())) return false;
    m_iLive = iIndex;
    return true;
}

std::vector<int> CAddTraceDlg::GetFilterSources()
{
    std::vector<int> aiSources{CFilterTrace::kSourceCTDetector, CFilterTrace::kSourceFFTParameters};
    for (int iDetector = 1; iDetector <= CMeasurementSettings::kNumFFTDetectors; ++iDetector)
        aiSources.push_back(iDetector);
    return aiSources;
}

CString CAddTraceDlg::GetFilterSourceName(int iSource)
{
    if (iSource == CFilterTrace::kSourceCTDetector) return LoadResString(IDS_TRACE_FILTER_CTDET);
    if (iSource == CFilterTrace::kSourceFFTParameters) return LoadResString(IDS_TRACE_FILTER_FFT_PARAMS);
    CString sName;
    sName.Format(LoadResString(IDS_TRACE_FILTER_FFTDET), iSource);
    return sName;
}

bool CAddTraceDlg::SetFilterIndex(int iIndex)
{
    if (iIndex < 0 || iIndex >= static_cast<int>(GetFilterSources().size())) return false;
    m_iFilter = iIndex;
    return true;
}

const std::vector<CAddTraceDlg::SWindowEntry>& CAddTraceDlg::GetWindows()
{
    static const std::vector<SWindowEntry> s_aWindows{
        {WINDOW_RECTANGULAR, IDS_WINDOW_RECTANGULAR}, {WINDOW_HANN, IDS_WINDOW_HANN},
        {WINDOW_HAMMING, IDS_WINDOW_HAMMING},         {WINDOW_BLACKMAN, IDS_WINDOW_BLACKMAN},
        {WINDOW_BLACKMANHARRIS4, IDS_WINDOW_BLACKMANHARRIS4}, {WINDOW_FLATTOP, IDS_WINDOW_FLATTOP},
        {WINDOW_USER, IDS_ADD_TRACE_USER_WINDOW},
    };
    return s_aWindows;
}

bool CAddTraceDlg::SetWindowIndex(int iIndex)
{
    if (iIndex < 0 || iIndex >= static_cast<int>(GetWindows().size())) return false;
    m_iWindow = iIndex;
    return true;
}

bool CAddTraceDlg::Browse(EKind eKind)
{
    CString* psField = eKind == EKind::saved ? &m_sSavedFile : eKind == EKind::limit ? &m_sLimitFile : &m_sWindowFile;
    CString sChosen;
    if (eKind == EKind::saved)
        sChosen = m_Doc.OnBrowseTrace(nullptr, nullptr);
    else if (eKind == EKind::limit)
        sChosen = m_Doc.OnBrowseLimitFile(nullptr, nullptr);
    else
        sChosen = CGraphDoc::ShowModalFileDialog(true, *psField, IDS_WINDOW_FILE_EXT, IDS_WINDOW_FILE_FILTER,
                                                 PATH_SUBTYPE_GENERAL, nullptr);
    if (sChosen.IsEmpty()) return false;
    *psField = sChosen;
    return true;
}

CString CAddTraceDlg::Validate(int* piControl) const
{
    int iControl = 0;
    int iMessage = 0;
    switch (m_eKind) {
    case EKind::live:
        if (m_aLive.empty()) iControl = IDC_LIVE_LIST, iMessage = IDS_ADD_TRACE_NO_LIVE_CHOSEN;
        break;
    case EKind::filter: break;
    case EKind::window:
        if (IsUserWindow() && FileMissing(m_sWindowFile))
            iControl = IDC_WINDOW_FILE, iMessage = IDS_ADD_TRACE_WINDOW_FILE_MISSING;
        break;
    case EKind::saved:
        if (FileMissing(m_sSavedFile)) iControl = IDC_SAVED_FILE, iMessage = IDS_ADD_TRACE_FILE_MISSING;
        break;
    case EKind::limit:
        if (FileMissing(m_sLimitFile)) iControl = IDC_LIMIT_FILE, iMessage = IDS_ADD_TRACE_FILE_MISSING;
        break;
    }
    if (piControl) *piControl = iControl;
    return iMessage ? LoadResString(iMessage) : CString();
}

bool CAddTraceDlg::Apply()
{
    switch (m_eKind) {
    case EKind::live: return AddLive();
    case EKind::filter: return AddFilter();
    case EKind::window: return AddWindow();
    case EKind::saved: return AddSaved();
    case EKind::limit: return AddLimit();
    }
    return false;
}

void CAddTraceDlg::Added(CQXTrace* pFirst)
{
    if (pFirst) m_Doc.SetCurrentTrace(pFirst, 1);
    FillLiveEntries();
}

bool CAddTraceDlg::AddLive()
{
    const SLiveEntry& entry = m_aLive[static_cast<size_t>(m_iLive)];
    CQXTrace* pFirst = entry.apTraces.front();
    for (CQXTrace* pTrace : entry.apTraces) m_Doc.NewTrace(pTrace, 1, 1);
    Added(pFirst);
    return true;
}

bool CAddTraceDlg::AddFilter()
{
    const int iSource = GetFilterSources()[static_cast<size_t>(m_iFilter)];
    CQXTrace* pFirst = nullptr;
    for (ChannelNumber eChannel : GetSelectedChannels()) {
        CQXTrace* pTrace = m_Doc.CreateFilterTrace(eChannel, iSource, 1);
        if (!pTrace) {
            AfxMessageBox(LoadResString(IDS_ADD_TRACE_FILTER_FAILED), MB_OK | MB_ICONEXCLAMATION);
            break;
        }
        if (!pFirst) pFirst = pTrace;
    }
    Added(pFirst);
    return pFirst != nullptr;
}

bool CAddTraceDlg::AddWindow()
{
    const WINDOWFUNCTION eWindow = GetWindows()[static_cast<size_t>(m_iWindow)].eWindow;
    const CString sFile = eWindow == WINDOW_USER ? Trimmed(m_sWindowFile) : CString();
    CQXTrace* pFirst = nullptr;
    for (ChannelNumber eChannel : GetSelectedChannels()) {
        // The document reports a failure only where scripts asked for messages.
        if (!m_Doc.CreateWindowFunction(eChannel, 0, eWindow, CString(), 1, sFile)) {
            if (!GetOLEShowMessages()) AfxMessageBox(LoadResString(IDS_WINDOW_FUNCTION_LOAD_FAILED), MB_OK);
            break;
        }
        if (!pFirst) pFirst = m_Doc.GetTraceFromArray(eChannel, TT_WINDOW, 0, 0);
    }
    Added(pFirst);
    return pFirst != nullptr;
}

bool CAddTraceDlg::AddSaved()
{
    CQXTrace* pFirst = nullptr;
    for (ChannelNumber eChannel : GetSelectedChannels()) {
        CQXTrace* pTrace = m_Doc.LoadTrace(Trimmed(m_sSavedFile), eChannel, 1);
        if (!pTrace) break;
        if (!pFirst) pFirst = pTrace;
    }
    Added(pFirst);
    return pFirst != nullptr;
}

bool CAddTraceDlg::AddLimit()
{
    const CString sFile = Trimmed(m_sLimitFile);
    // Read once aside, for its units and which line it was; the reader
    // reports a file it refuses.
    std::unique_ptr<CLimitLine> pProbe = std::make_unique<CLimitLine>(CHANNEL_A, 0, TT_MAXLIMITLINE, 1);
    if (!pProbe->InitialiseFromFile(sFile, 1)) return false;
    CChooseLimitTraceDlg choose(m_Doc, GetSelectedChannels(), sFile, pProbe->GetLimitXUnit(), pProbe->GetLimitYUnit(),
                                pProbe->GetTraceType() != TT_MINLIMITLINE);
    pProbe.reset();
    if (!choose.HasCandidates()) {
        AfxMessageBox(LoadResString(IDS_LIMIT_NO_TRACE_TO_CONNECT), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (DoModalDialog(choose) != IDOK) return false;
    FillLiveEntries();
    return true;
}

void InstallAddTraceCommand(CGraphFrame& frame)
{
    frame.SetCommand({ID_GRAPH_ADD_TRACE,
                      [](CQXTrace*) {
                          CGraphDoc* pDoc = GetGraphDoc();
                          if (!pDoc) return false;
                          CAddTraceDlg dialog(*pDoc);
                          DoModalDialog(dialog);
                          return true;
                      },
                      [](CQXTrace*) { return SCommandStatus{GetGraphDoc() != nullptr, false}; }});
}
