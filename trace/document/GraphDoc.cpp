// CGraphDoc: the trace collection, the scales the traces share, the graph
// colours and the drawing situation. Trace identity, creation from live data
// and the document-wide operations come with the rest of the document.

#include "trace/document/GraphDoc.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/Registry.h"
#include "platform/DC.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CGraphDoc, CObject) // CCmdTarget has no run-time record of its own

namespace {

constexpr int kColoursKeyType = 0;
const wchar_t* const kColoursKey = L"Colours";

struct STraceColorEntry {
    TraceType eType;
    const wchar_t* sName;
    COLORREF crDefault;
    const wchar_t* sCopyName; // null: a copy takes the normal colour
};

constexpr STraceColorEntry kTraceColors[TT_COUNT] = {
    {TT_SCOPE, L"TraceScope", 0x00FF00, L"TraceScopeCopy"},
    {TT_FFT, L"TraceFFT", 0x0000FF, L"TraceFFTCopy"},
    {TT_CTDET, L"TraceCTDet", 0xFFFF00, L"TraceCTDetCopy"},
    {TT_CTFFT, L"TraceCTFFT", 0xFF0000, L"TraceCTFFTCopy"},
    {TT_MAXLIMITLINE, L"TraceUpperLimitLine", 0x0080FF, nullptr},
    {TT_MINLIMITLINE, L"TraceLowerLimitLine", 0x0080FF, nullptr},
    {TT_FILTER, L"TraceFilter", 0xFF0000, nullptr},
    {TT_WINDOW, L"TraceWindow", 0xFF0000, nullptr},
    {TT_SWEEP1, L"TraceSweep1", 0x00FFFF, L"TraceSweep1Copy"},
    {TT_SWEEP2, L"TraceSweep2", 0xFF00FF, L"TraceSweep2Copy"},
    {TT_SWEEP3, L"TraceSweep3", 0xC0C0FF, L"TraceSweep3Copy"},
    {TT_SWEEP4, L"TraceSweep4", 0xC0E040, L"TraceSweep4Copy"},
    {TT_USER, L"TraceUser", 0xFFFFFF, L"TraceUserCopy"},
    {TT_FFTRESPONSE, L"TraceFFTResponse", 0xC0FFFF, L"TraceFFTResponseCopy"},
};

COLORREF ReadColour(const wchar_t* sName, COLORREF crDefault)
{
    return CRegistry::GetRegistryValue(kColoursKeyType, kColoursKey, sName, static_cast<std::uint32_t>(crDefault));
}

bool IsValidChannel(ChannelNumber eChannel) { return eChannel == CHANNEL_A || eChannel == CHANNEL_B; }

// The trace type whose colour an X scale of a kind shows.
TraceType TraceTypeForScale(ScaleType eType)
{
    switch (eType) {
    case ST_SCOPE: return TT_SCOPE;
    case ST_FFT: return TT_FFT;
    case ST_USER: return TT_USER;
    default: return TT_SWEEP1;
    }
}

template <class T>
void EraseValue(std::vector<T*>& a, const void* p)
{
    a.erase(std::remove_if(a.begin(), a.end(), [p](const T* q) { return q == p; }), a.end());
}

} // namespace

CGraphDoc::CGraphDoc()
{
    InitialiseGraphColors();
}

CGraphDoc::~CGraphDoc()
{
    // Each trace leaves the array before it goes, so that it only deletes the
    // scales no remaining trace shares.
    for (std::vector<CQXTrace*>* pArray : {&m_aChATraces, &m_aChBTraces}) {
        while (!pArray->empty()) {
            CQXTrace* pTrace = pArray->back();
            pArray->pop_back();
            delete pTrace;
        }
    }
    m_apCurrentTrace[0] = m_apCurrentTrace[1] = nullptr;
    for (CXScale* pScale : m_apXScales) delete pScale;
    for (CYScale* pScale : m_apYScales) delete pScale;
    m_apXScales.clear();
    m_apYScales.clear();
}

// ---- Traces ---------------------------------------------------------------------

std::vector<CQXTrace*>& CGraphDoc::GetTraceArray(ChannelNumber eChannel)
{
    QXASSERT(IsValidChannel(eChannel));
    if (eChannel == CHANNEL_B) return m_aChBTraces;
    if (eChannel == CHANNEL_A) return m_aChATraces;
    static thread_local std::vector<CQXTrace*> s_aNone;
    s_aNone.clear();
    return s_aNone;
}

void CGraphDoc::AddTrace(CQXTrace* pTrace)
{
    if (!pTrace) return;
    const ChannelNumber eChannel = pTrace->GetChannel();
    QXASSERT(eChannel != CHANNEL_BOTH);
    // A trace without a valid channel is still owned, under channel A.
    std::vector<CQXTrace*>& aTraces = eChannel == CHANNEL_B ? m_aChBTraces : m_aChATraces;
    if (std::find(aTraces.begin(), aTraces.end(), pTrace) == aTraces.end()) aTraces.push_back(pTrace);
}

CQXTrace* CGraphDoc::GetCurrentTrace(ChannelNumber eChannel) const
{
    return IsValidChannel(eChannel) ? m_apCurrentTrace[eChannel] : nullptr;
}

void CGraphDoc::SetCurrentTrace(ChannelNumber eChannel, CQXTrace* pTrace)
{
    if (QXVERIFY(IsValidChannel(eChannel))) m_apCurrentTrace[eChannel] = pTrace;
}

void CGraphDoc::UpdateAllViews(int iHint, CObject* pObject) { UpdateViews(nullptr, iHint, pObject); }

// ---- Scales ---------------------------------------------------------------------

void CGraphDoc::AddXScale(CXScale* pScale)
{
    if (pScale && std::find(m_apXScales.begin(), m_apXScales.end(), pScale) == m_apXScales.end())
        m_apXScales.push_back(pScale);
}

void CGraphDoc::AddYScale(CYScale* pScale)
{
    if (pScale && std::find(m_apYScales.begin(), m_apYScales.end(), pScale) == m_apYScales.end())
        m_apYScales.push_back(pScale);
}

void CGraphDoc::RemoveScaleFromArrays(CScale* pScale)
{
    EraseValue(m_apXScales, pScale);
    EraseValue(m_apYScales, pScale);
}

void CGraphDoc::MatchToExistingScales(CQXTrace* pTrace, int iMatch)
{
    if (!pTrace || !IsValidChannel(pTrace->GetChannel()) || !pTrace->GetXScale()) return;
    const ScaleType eScaleType = pTrace->GetXScale()->GetScaleType();
    for (CQXTrace* pOther : GetTraceArray(pTrace->GetChannel())) {
        if (!pOther || pOther == pTrace || !pOther->IsOn() || pOther->IsLimitLine() || !pOther->GetXScale()) continue;
        if (pOther->GetXScale()->GetScaleType() != eScaleType) continue;
        pTrace->UpdateXScales(pOther->GetXScale());
        if (pOther->GetYScale() && pOther->GetTraceType() == pTrace->GetTraceType())
            pTrace->UpdateYScales(pOther->GetYScale());
        if (iMatch) {
            UpdateAllViews(UPDATE_TRACE_ZOOMX, pTrace);
            UpdateAllViews(UPDATE_TRACE_ZOOMY, pTrace);
        }
        return;
    }
}

double CGraphDoc::GetMaxAllowedXScaleValue(CQXTrace* pTrace) const
{
    if (!pTrace || !IsValidChannel(pTrace->GetChannel())) return DBL_MAX;
    return m_dMaxAllowedXScaleValue[pTrace->GetChannel()];
}

void CGraphDoc::RecalcMaxAllowedXScaleValue()
{
    // No channel limits its X range until the live traces set one.
    m_dMaxAllowedXScaleValue[0] = m_dMaxAllowedXScaleValue[1] = DBL_MAX;
}

// ---- Colours --------------------------------------------------------------------

void CGraphDoc::InitialiseGraphColors()
{
    m_crBackground = ReadColour(L"GraphBackground", 0x000000);
    m_crGraticule = ReadColour(L"GraphGraticule", 0xA0A0A0);
    m_crCursor = ReadColour(L"GraphCursor", 0xFFFFFF);
    for (const STraceColorEntry& entry : kTraceColors) {
        const COLORREF crNormal = ReadColour(entry.sName, entry.crDefault);
        m_acrTraceColors[entry.eType][0] = crNormal;
        m_acrTraceColors[entry.eType][1] = entry.sCopyName ? ReadColour(entry.sCopyName, COLOR_CYCLE) : crNormal;
    }
}

COLORREF CGraphDoc::GetDefaultTraceColor(TraceType eType, int bCopy) const
{
    if (!QXVERIFY(eType >= 0 && eType < TT_COUNT)) return 0xFFFFFF;
    return m_acrTraceColors[eType][bCopy ? 1 : 0];
}

void CGraphDoc::SetDefaultTraceColor(TraceType eType, int bCopy, COLORREF crColor)
{
    if (QXVERIFY(eType >= 0 && eType < TT_COUNT)) m_acrTraceColors[eType][bCopy ? 1 : 0] = crColor;
}

COLORREF CGraphDoc::GetXScaleColor(CDC* pDC, ScaleType eType, ChannelNumber /*eChannel*/) const
{
    if (ScalesBlackAndWhite(pDC)) return 0;
    const COLORREF crColor = m_acrTraceColors[TraceTypeForScale(eType)][0];
    // A cycling marker is not a colour; a scale then shows white.
    return crColor == COLOR_CYCLE ? 0xFFFFFF : crColor;
}

int CGraphDoc::BlackAndWhite(CDC* pDC) const { return m_bBlackAndWhite && IsDrawingForOutput(pDC); }

int CGraphDoc::ScalesBlackAndWhite(CDC* pDC) const
{
    return (m_bBlackAndWhite || m_bScalesBlackAndWhite) && IsDrawingForOutput(pDC);
}

int CGraphDoc::IsDrawingForOutput(CDC* pDC) const
{
    if (m_bPrinting || m_bPrintPreview || m_bExporting || m_bExportPreview) return 1;
    return (pDC && (pDC->IsPrinting() || pDC->IsMetafile())) ? 1 : 0;
}
