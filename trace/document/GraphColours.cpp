#include "trace/document/GraphColours.h"

#include "host/app/Registry.h"
#include "trace/document/GraphDoc.h"

const wchar_t* const kColoursKey = L"Colours";

namespace {

using K = SGraphColour;

constexpr std::array<SGraphColour, kGraphColourCount> kTable{{
    {K::background, TT_SCOPE, L"GraphBackground", L"Background", 0x000000},
    {K::graticule, TT_SCOPE, L"GraphGraticule", L"Graticule", 0xA0A0A0},
    {K::cursor, TT_SCOPE, L"GraphCursor", L"Cursor", 0xFFFFFF},
    {K::trace, TT_SCOPE, L"TraceScope", L"Scope", 0x00FF00},
    {K::trace, TT_FFT, L"TraceFFT", L"FFT", 0x0000FF},
    {K::trace, TT_CTDET, L"TraceCTDet", L"CT detector", 0xFFFF00},
    {K::trace, TT_CTFFT, L"TraceCTFFT", L"CT FFT", 0xFF0000},
    {K::trace, TT_MAXLIMITLINE, L"TraceUpperLimitLine", L"Upper limit line", 0x0080FF},
    {K::trace, TT_MINLIMITLINE, L"TraceLowerLimitLine", L"Lower limit line", 0x0080FF},
    {K::trace, TT_FILTER, L"TraceFilter", L"Filter", 0xFF0000},
    {K::trace, TT_WINDOW, L"TraceWindow", L"Window function", 0xFF0000},
    {K::trace, TT_SWEEP1, L"TraceSweep1", L"Sweep 1", 0x00FFFF},
    {K::trace, TT_SWEEP2, L"TraceSweep2", L"Sweep 2", 0xFF00FF},
    {K::trace, TT_SWEEP3, L"TraceSweep3", L"Sweep 3", 0xC0C0FF},
    {K::trace, TT_SWEEP4, L"TraceSweep4", L"Sweep 4", 0xC0E040},
    {K::trace, TT_USER, L"TraceUser", L"User", 0xFFFFFF},
    {K::trace, TT_FFTRESPONSE, L"TraceFFTResponse", L"FFT response", 0xC0FFFF},
    {K::traceCopy, TT_SCOPE, L"TraceScopeCopy", L"Scope copy", COLOR_CYCLE},
    {K::traceCopy, TT_FFT, L"TraceFFTCopy", L"FFT copy", COLOR_CYCLE},
    {K::traceCopy, TT_CTDET, L"TraceCTDetCopy", L"CT detector copy", COLOR_CYCLE},
    {K::traceCopy, TT_CTFFT, L"TraceCTFFTCopy", L"CT FFT copy", COLOR_CYCLE},
    {K::traceCopy, TT_USER, L"TraceUserCopy", L"User copy", COLOR_CYCLE},
    {K::traceCopy, TT_FFTRESPONSE, L"TraceFFTResponseCopy", L"FFT response copy", COLOR_CYCLE},
    {K::traceCopy, TT_SWEEP1, L"TraceSweep1Copy", L"Sweep 1 copy", COLOR_CYCLE},
    {K::traceCopy, TT_SWEEP2, L"TraceSweep2Copy", L"Sweep 2 copy", COLOR_CYCLE},
    {K::traceCopy, TT_SWEEP3, L"TraceSweep3Copy", L"Sweep 3 copy", COLOR_CYCLE},
    {K::traceCopy, TT_SWEEP4, L"TraceSweep4Copy", L"Sweep 4 copy", COLOR_CYCLE},
}};

bool HasCopyEntry(TraceType eType)
{
    for (const SGraphColour& entry : kTable)
        if (entry.IsCopy() && entry.eType == eType) return true;
    return false;
}

} // namespace

const std::array<SGraphColour, kGraphColourCount>& GetGraphColourTable() { return kTable; }

CGraphColours GetGraphColours(const CGraphDoc& doc)
{
    CGraphColours acr{};
    for (size_t i = 0; i < kTable.size(); ++i) {
        const SGraphColour& entry = kTable[i];
        switch (entry.eKind) {
        case K::background: acr[i] = doc.GetBackgroundColor(); break;
        case K::graticule: acr[i] = doc.GetGraticuleColor(); break;
        case K::cursor: acr[i] = doc.GetCursorColor(); break;
        default: acr[i] = doc.GetDefaultTraceColor(entry.eType, entry.IsCopy()); break;
        }
    }
    return acr;
}

void SetGraphColours(CGraphDoc& doc, const CGraphColours& acrColours)
{
    for (size_t i = 0; i < kTable.size(); ++i) {
        const SGraphColour& entry = kTable[i];
        const COLORREF cr = acrColours[i];
        switch (entry.eKind) {
        case K::background: doc.SetBackgroundColor(cr); break;
        case K::graticule: doc.SetGraticuleColor(cr); break;
        case K::cursor: doc.SetCursorColor(cr); break;
        case K::trace:
            doc.SetDefaultTraceColor(entry.eType, 0, cr);
            if (!HasCopyEntry(entry.eType)) doc.SetDefaultTraceColor(entry.eType, 1, cr);
            break;
        case K::traceCopy: doc.SetDefaultTraceColor(entry.eType, 1, cr); break;
        }
    }
}

CGraphColours GetDefaultGraphColours()
{
    CGraphColours acr{};
    for (size_t i = 0; i < kTable.size(); ++i) acr[i] = kTable[i].crDefault;
    return acr;
}

CGraphColours ReadGraphColours()
{
    CGraphColours acr{};
    for (size_t i = 0; i < kTable.size(); ++i)
        acr[i] = CRegistry::GetRegistryValue(kColoursKeyType, kColoursKey, kTable[i].pszName,
                                             static_cast<std::uint32_t>(kTable[i].crDefault));
    return acr;
}

void WriteGraphColours(const CGraphColours& acrColours)
{
    for (size_t i = 0; i < kTable.size(); ++i)
        CRegistry::SetRegistryValue(kColoursKeyType, kColoursKey, kTable[i].pszName,
                                    static_cast<std::uint32_t>(acrColours[i]));
}
