// CQXTrace: lifecycle, buffers, naming, colours, copies, scales and state,
// and the base behaviour of the virtual operations that are not mapping,
// zoom or ticks.

#include "trace/model/QXTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/EventManager.h"
#include "host/app/PathResolver.h"
#include "host/buffers/SampleBuffer.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/OptionsSettings.h"
#include "host/settings/SettingsIds.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringTable.h"
#include "trace/display/XScale.h"
#include "trace/display/YScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/core/ColorCycler.h"
#include "trace/model/CursorMark.h"
#include "trace/core/TraceMath.h"

#include <algorithm>
#include <new>

IMPLEMENT_DYNAMIC(CQXTrace, CObject) // CCmdTarget has no run-time record of its own

namespace {

constexpr int kFilterTypeCTDet = 1000;
constexpr int kFilterTypeFFTParams = 1001;

// A limit line draws on its trace's scales and never owns any. The type
// decides, not the virtual test, because the destructor needs the answer
// after the kind's part of the object is gone.
bool NeverOwnsScales(CQXTrace* pTrace)
{
    const TraceType eType = pTrace->GetOwnTraceType();
    return eType == TT_MAXLIMITLINE || eType == TT_MINLIMITLINE;
}

bool IsScopeLike(TraceType eType) { return eType == TT_SCOPE || eType == TT_CTDET; }

int LimitEventKind(TraceType eLimitType)
{
    return eLimitType == TT_MINLIMITLINE ? EVENT_MIN_LIMIT_BREACHED : EVENT_MAX_LIMIT_BREACHED;
}

int LimitEventText(TraceType eLimitType)
{
    return eLimitType == TT_MINLIMITLINE ? IDS_EVENT_MIN_LIMIT : IDS_EVENT_MAX_LIMIT;
}

} // namespace

// ---- Construction and destruction -------------------------------------------

CQXTrace::CQXTrace()
{
    m_XValue.SetTrace(this);
    m_YValue.SetTrace(this);
    InitialiseMemberVars();
    EnableAutomation();
}

CQXTrace::CQXTrace(ChannelNumber eChannel, int /*iDataSize*/, int /*iUnused*/) : CQXTrace()
{
    m_eChannel = eChannel;
}

CQXTrace::~CQXTrace()
{
    if (!NeverOwnsScales(this)) {
        DeleteXScale();
        DeleteYScale();
    }
    m_ipPlotMin.clear();
    m_ipPlotMax.clear();
    delete m_pCursor;
    delete m_pRelativeCursor;
    for (CCursorMark*& pMark : m_apMarks) {
        delete pMark;
        pMark = nullptr;
    }
    delete m_pMaxLimitLine;
    delete m_pMinLimitLine;
    m_pCursor = m_pRelativeCursor = nullptr;
    m_pMaxLimitLine = m_pMinLimitLine = nullptr;
    {
        CSingleLock lock(&m_TraceLock, true);
        m_pXData.reset();
        m_pYData.reset();
    }
    DestroyComputeList();
    {
        CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
        m_pTransformedYData.reset();
    }
    m_pTransformLock.reset();
    m_pColorCycler.reset();
}

void CQXTrace::InitialiseMemberVars()
{
    m_crColor = m_crDefaultColor = m_crPrintColor = 0xFFFFFF;
    m_bLive = m_bOn = m_bInUse = 0;
    m_iYDigUnit = m_iYAnaUnit = m_iYJDOUnit = m_iYSoundcardUnit = m_iYRelativeUnit = 0;
    m_iCursorXUnit = 0;
    m_iCursorYDigUnit = m_iCursorYAnaUnit = m_iCursorYSoundcardUnit = m_iCursorYJDOUnit = m_iCursorYRelativeUnit = 0;
    m_sTraceID = 0;
    m_iDataSize = 0;
    m_sTraceName.Empty();
    m_sComment.Empty();
    m_sFileName.Empty();
    m_eTraceType = TT_SCOPE;
    m_eChannel = CHANNEL_BOTH;
    m_bLogY = 0;
    m_rcDraw = CRect(-1, -1, -1, -1);
    m_ipPlotMin.clear();
    m_ipPlotMax.clear();
    m_bPlotValid = 0;
    m_iCurrentMark = -1;
    m_iMinXPos = m_iMaxXPos = m_iCurrentMinXPos = m_iCurrentMaxXPos = 0;
    m_iMinLimitBreached = m_iMaxLimitBreached = 0;
    m_bRecalcPlot = true;
    SetPointersToNull();
}

void CQXTrace::SetPointersToNull()
{
    // Only ever called before anything is owned; freeing keeps a second
    // call from leaking.
    delete m_pCursor;
    delete m_pRelativeCursor;
    m_pCursor = m_pRelativeCursor = nullptr;
    for (CCursorMark*& pMark : m_apMarks) {
        delete pMark;
        pMark = nullptr;
    }
    m_pXData.reset();
    m_pYData.reset();
    m_pTransformedYData.reset();
    m_pColorCycler.reset();
    m_pXScale = nullptr;
    m_pYScale = nullptr;
    m_pMaxLimitLine = m_pMinLimitLine = nullptr;
    m_pComputeList = nullptr;
    m_pComputeTrace = nullptr;
    m_pTransformLock.reset();
}

void CQXTrace::InitialiseTrace(int iDataSize)
{
    // 1. No name, no cursors, marks or data yet.
    m_bOn = 0;
    m_sTraceName.Empty();
    delete m_pCursor;
    delete m_pRelativeCursor;
    m_pCursor = m_pRelativeCursor = nullptr;
    for (CCursorMark*& pMark : m_apMarks) {
        delete pMark;
        pMark = nullptr;
    }
    m_pXData.reset();
    m_pYData.reset();
    m_pTransformedYData.reset();
    m_iDataSize = 0;
    m_iCurrentMark = -1;

    // 2. The buffer. SetBuffer has reported an allocation failure itself.
    if (!SetBuffer(iDataSize)) QXDebugLog(1, "CQXTrace::InitialiseTrace", "LIMITLINE: SetBuffer(iDataSize) failed");

    // 3. State, mode and scales.
    m_bInUse = 0;
    m_bLive = 0;
    m_rcDraw = CRect(-1, -1, -1, -1);
    UpdateMode(nullptr);
    m_pXScale = nullptr;
    m_pYScale = nullptr;
    CreateScales();

    // 4. Display switches.
    m_bInterpolated = 0;
    m_sComment.Empty();
    m_sFileName.Empty();
    m_bLogY = 0;
    m_pMaxLimitLine = m_pMinLimitLine = nullptr;
    m_ipPlotMin.clear();
    m_ipPlotMax.clear();
    m_bPlotValid = 0;

    // 5. Colours from the document.
    if (CGraphDoc* pDoc = GetGraphDoc())
        m_crColor = m_crDefaultColor = m_crPrintColor = pDoc->GetDefaultTraceColor(m_eTraceType, m_bCopy);

    // 6. No windows yet.
    m_dCurrentMinYData = -DBL_MAX;
    m_dCurrentMaxYData = DBL_MAX;
    m_dCurrentMinYScaleValue = -DBL_MAX;
    m_dCurrentMaxYScaleValue = DBL_MAX;
    m_dMinXScaleValue = -DBL_MAX;
    m_dMaxXScaleValue = DBL_MAX;

    // 7. Units.
    m_iYDigUnit = GetDefaultYUnit(eModeDigital, 0);
    m_iYAnaUnit = GetDefaultYUnit(eModeAnalogue, 0);
    m_iYSoundcardUnit = GetDefaultYUnit(eModeSoundcard, 0);
    m_iYJDOUnit = GetDefaultYUnit(eModeJDOfs, 0);
    m_iYRelativeUnit = GetDefaultRelativeUnit(RESULTKIND_AMPLITUDE);
    m_iCursorXUnit = -1;
    m_iCursorYDigUnit = m_iYDigUnit;
    m_iCursorYAnaUnit = m_iYAnaUnit;
    m_iCursorYSoundcardUnit = m_iYSoundcardUnit;
    m_iCursorYJDOUnit = m_iYJDOUnit;
    m_iCursorYRelativeUnit = m_iYRelativeUnit;

    // 8. Ticks and drawing settings.
    m_aiTicks.SetNumTicks(11);
    m_iYOrigin = 0;
    m_bColumnMode = 0;
    m_crPen = 0;
    m_iPenWidth = 1;
    m_iPrintStyle = TRACE_PRINTSTYLE_SOLID;
    m_bShowMarksOnScreen = 0;
    m_bPrintMarks = 1;
    m_bUseZeroBin = GetOptionsSettings()->GetUseZeroBin();
    m_iNumSamplesZeroBin = 0;

    // 9. The transform lock.
    m_pTransformLock.reset(new (std::nothrow) CCriticalSection());
    if (!m_pTransformLock) {
        QXDebugLog(1, "CQXTrace::InitialiseTrace", "LIMITLINE: CCriticalSection() returned NULL");
        ReportOutOfMemory(__FILE__, __LINE__);
    }

    // 10. References and rates.
    m_References = SReferenceBlock();
    m_dSampleRate = -1.0;
    m_dJDOSampleRate = -1.0;
    m_dFullScaleHex = SReferences::kFullScaleHex;
    m_bInputUnlocked = false;
    m_iInterpolationFactor = 1;
    m_bRecalcPlot = true;
    m_iResponse = 0;
    m_dAnaVsGenFactor = 1.0;

    // 11. Mode, rate, units and references from the host settings.
    UpdateTraceVariables(true, false, nullptr);
}

int CQXTrace::GetDefaultDataSize(TraceType eType)
{
    switch (eType) {
    case TT_SCOPE:
    case TT_CTDET:
    case TT_WINDOW: return 1024;
    case TT_FFT:
    case TT_CTFFT:
    case TT_FILTER: return 512;
    case TT_FFTRESPONSE: return 2;
    default: return 0;
    }
}

void CQXTrace::ReportOutOfMemory(const char* file, unsigned line)
{
    QXReportErrorFatal(IDS_ERROR_OUTOFMEMORY, "IDS_ERROR_OUTOFMEMORY", file, line);
}

// ---- Buffers -------------------------------------------------------------------

int CQXTrace::SetBuffer(int iDataSize)
{
    if (!QXVERIFY(iDataSize >= 0)) return 0;
    if (iDataSize == GetDataSize() && m_pYData && (!HasXData() || m_pXData)) return 1;

    const bool bHadData = m_pYData != nullptr;
    double dOldMin = 0.0;
    double dOldMax = 0.0;
    {
        CSingleLock lock(&m_TraceLock, true);
        m_iDataSize = iDataSize;
        if (bHadData) {
            m_pYData.reset();
            dOldMin = GetCurrentMinXScaleValue();
            dOldMax = GetCurrentMaxXScaleValue();
        }
        m_pXData.reset();
        if (IsLimitLine()) FreePolarityData();
    }
    if (iDataSize == 0) return 1;

    if (!AllocateDataArrays(iDataSize)) return 0;

    RemoveInvalidCursorMarks();
    SetXDataRange(0, GetDataSize() - 1);
    if (bHadData) RestoreXWindow(dOldMin, dOldMax);
    return 1;
}

int CQXTrace::AllocateDataArrays(int iDataSize)
{
    CSingleLock lock(&m_TraceLock, true);
    m_pYData = AllocateTraceArray(iDataSize);
    if (m_pYData && m_pTransformedYData && !AllocateTransformedYDataBuffer(1)) {
        m_pYData.reset();
        m_iDataSize = 0;
        return 0;
    }
    if (m_pYData && HasXData()) {
        m_pXData = AllocateTraceArray(iDataSize);
        if (!m_pXData) m_pYData.reset();
    }
    if (m_pYData && IsLimitLine() && !AllocatePolarityData(iDataSize)) {
        m_pYData.reset();
        m_pXData.reset();
    }
    if (!m_pYData) {
        m_iDataSize = 0;
        ReportOutOfMemory(__FILE__, __LINE__);
        return 0;
    }
    return 1;
}

void CQXTrace::RestoreXWindow(double dOldMin, double dOldMax)
{
    if (!HasXData()) {
        const int iUnit = GetXUnit();
        const int iMinPos = std::clamp(GetXPosForValue(dOldMin, iUnit), GetMinXPos(), GetMaxXPos());
        const int iMaxPos = std::clamp(GetXPosForValue(dOldMax, iUnit), GetMinXPos(), GetMaxXPos());
        SetCurrentMinXPos(iMinPos);
        SetCurrentMaxXPos(iMaxPos);
    } else {
        QXDebugLog(4, "CQXTrace::SetBuffer", "X data not yet set up; cannot set current min/max X pos!");
    }
    const double dMin = GetMinXScaleValue();
    const double dMax = GetMaxXScaleValue();
    if (dMin <= dMax) {
        SetCurrentMinXScaleValue(std::clamp(dOldMin, dMin, dMax));
        SetCurrentMaxXScaleValue(std::clamp(dOldMax, dMin, dMax));
    }
}

double* CQXTrace::GetYDataBuffer(int bTransformed)
{
    if (!bTransformed) return m_pYData.get();
    QXASSERT(m_pTransformedYData != nullptr);
    return m_pTransformedYData.get();
}

int CQXTrace::AllocateTransformedYDataBuffer(int bLock)
{
    CSingleLock lock(m_pTransformLock.get(), bLock != 0 && m_pTransformLock);
    m_pTransformedYData.reset();
    if (m_iDataSize <= 0) return 1;
    m_pTransformedYData = AllocateTraceArray(m_iDataSize);
    if (!m_pTransformedYData) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return 0;
    }
    return 1;
}

void CQXTrace::FreeTransformedYDataBuffer(int bLock)
{
    CSingleLock lock(m_pTransformLock.get(), bLock != 0 && m_pTransformLock);
    m_pTransformedYData.reset();
}

int CQXTrace::CopyYDataToTransformedBuffer()
{
    if (!m_pYData || !m_pTransformedYData) return 0;
    std::copy(m_pYData.get(), m_pYData.get() + m_iDataSize, m_pTransformedYData.get());
    return 1;
}

// ---- Identity and naming ----------------------------------------------------------

TraceType CQXTrace::GetTraceType()
{
    if (IsLimitLine())
        if (CQXTrace* pParent = GetParentTrace()) return pParent->GetTraceType();
    return m_eTraceType;
}

EDomain CQXTrace::GetDomain()
{
    switch (GetTraceType()) {
    case TT_FFT:
    case TT_CTFFT:
    case TT_FILTER:
    case TT_FFTRESPONSE: return DOMAIN_FREQUENCY;
    default: return DOMAIN_TIME;
    }
}

CString CQXTrace::GetTypeText()
{
    switch (m_eTraceType) {
    case TT_SCOPE: return LoadResString(IDS_TRACE_TYPE_SCOPE);
    case TT_FFT: return LoadResString(IDS_TRACE_TYPE_FFT);
    case TT_CTDET: return LoadResString(IDS_TRACE_TYPE_CTDET);
    case TT_CTFFT: return LoadResString(IDS_TRACE_TYPE_CTFFT);
    case TT_FILTER: {
        const int iFilter = GetFilterType();
        CString sText = LoadResString(IDS_TRACE_FILTER);
        if (iFilter == kFilterTypeCTDet) return sText + LoadResString(IDS_TRACE_FILTER_CTDET);
        if (iFilter == kFilterTypeFFTParams) return sText + LoadResString(IDS_TRACE_FILTER_FFT_PARAMS);
        CString sDet;
        sDet.Format(LoadResString(IDS_TRACE_FILTER_FFTDET), iFilter);
        return sText + sDet;
    }
    case TT_WINDOW: return LoadResString(IDS_TRACE_TYPE_WINDOW);
    case TT_USER: return LoadResString(IDS_TRACE_TYPE_USER);
    default: return GetKindName(); // sweeps and responses name themselves
    }
}

CString CQXTrace::GetTraceName(int bIncludeChannel, int bIncludeTransformed, int bIgnoreUserName)
{
    CString sName;
    if (bIncludeChannel) sName = LoadResString(m_eChannel == CHANNEL_B ? IDS_CHANNEL_B : IDS_CHANNEL_A) + L" ";
    if (!bIgnoreUserName && !m_sTraceName.IsEmpty()) return sName + m_sTraceName;

    if (IsLive() && !IsSweepTrace()) sName += LoadResString(IDS_TRACE_PREFIX_LIVE);
    else if (!m_sFileName.IsEmpty()) sName += LoadResString(IDS_TRACE_PREFIX_LOADED);
    else if (m_bCopy) sName += LoadResString(IDS_COPY_OF);

    CString sType;
    if (m_eTraceType == TT_MAXLIMITLINE || m_eTraceType == TT_MINLIMITLINE) {
        // The channel text, if any, comes with the trace's own name.
        sName = LoadResString(m_eTraceType == TT_MAXLIMITLINE ? IDS_TRACE_MAX_LIMIT : IDS_TRACE_MIN_LIMIT);
        if (CQXTrace* pParent = GetParentTrace()) sType = pParent->GetTraceName(bIncludeChannel, bIncludeTransformed, 0);
    } else {
        if (m_eTraceType >= TT_SWEEP1 && m_eTraceType <= TT_SWEEP4) sName += LoadResString(IDS_TRACE_SWEEP_OF);
        sType = GetTypeText();
    }
    sName += sType;

    if (!m_sFileName.IsEmpty()) sName += L" (" + ExtractFileNameFromPath(m_sFileName, 1) + L")";
    if (bIncludeTransformed && (m_pTransformedYData || IsComputeTrace())) sName += L" (transformed)";
    return sName;
}

// ---- State ---------------------------------------------------------------------

void CQXTrace::SetInUse(int bInUse)
{
    m_bInUse = bInUse;
    if (bInUse && !m_pYData && !IsLimitLine())
        QXDebugLog(2, "CQXTrace::SetInUse", "TRACE: %d in use without data", static_cast<int>(m_sTraceID));
}

void CQXTrace::SetLive(int bLive)
{
    m_bLive = bLive;
    if (bLive && !m_pYScale) CreateYScale();
}

void CQXTrace::TraceOn(int iMatch, int bRegisterEvents)
{
    QXASSERT(m_bInUse != 0);
    if (m_bOn) return;
    m_bOn = 1;
    if (IsLimitLine()) {
        CQXTrace* pParent = GetParentTrace();
        if (!pParent) return;
        if (bRegisterEvents) RegisterLimitEvent(pParent);
        SetDrawRect(pParent->GetDrawRect());
    } else if (CGraphDoc* pDoc = GetGraphDoc()) {
        pDoc->MatchToExistingScales(this, iMatch);
    }
}

void CQXTrace::TraceOff(int bRemoveEvents)
{
    QXASSERT(m_bInUse != 0);
    if (!m_bOn) return;
    m_bOn = 0;
    if (IsLimitLine() && bRemoveEvents) {
        CEventManager* pEvents = GetEventManager();
        CQXTrace* pParent = GetParentTrace();
        if (pEvents && pParent) pEvents->RemoveEvent(LimitEventKind(m_eTraceType), reinterpret_cast<LPARAM>(pParent));
    }
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->RecalcMaxAllowedXScaleValue();
}

void CQXTrace::RegisterLimitEvent(CQXTrace* pParent)
{
    CEventManager* pEvents = GetEventManager();
    if (!pEvents) return;
    const int iKind = LimitEventKind(m_eTraceType);
    const LPARAM owner = reinterpret_cast<LPARAM>(pParent);
    pEvents->AddEvent(iKind, LoadResString(LimitEventText(m_eTraceType)), owner, 1, 1, 0, 1, 2, -1, 1);
    SEventDetails details;
    if (pEvents->GetEventDetails(iKind, owner, details)) {
        details.bActive = 1;
        pEvents->UpdateEvent(details);
    }
}

void CQXTrace::RecalcTrace()
{
    m_bRecalcPlot = true;
    if (m_pMaxLimitLine) m_pMaxLimitLine->RecalcTrace();
    if (m_pMinLimitLine) m_pMinLimitLine->RecalcTrace();
}

double CQXTrace::GetAnaVsGenFactor(int /*iChannel*/) const { return m_dAnaVsGenFactor; }

// ---- Colours ----------------------------------------------------------------------

void CQXTrace::SetColor(COLORREF crColor)
{
    if (m_crPrintColor == 0xFFFFFF || m_crPrintColor == m_crColor || (m_crPrintColor == 0 && IsUserTrace()))
        m_crPrintColor = crColor;
    m_crColor = m_crDefaultColor = crColor;
    const bool bRecolourScale = m_eTraceType == TT_SCOPE || m_eTraceType == TT_FFT || m_eTraceType == TT_SWEEP1 ||
                                m_eTraceType == TT_USER || m_eTraceType == TT_FFTRESPONSE;
    if (m_bLive && bRecolourScale && m_pXScale) m_pXScale->SetColor(crColor);
}

void CQXTrace::InitialiseColors(int bAlsoPrintColor)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return;
    m_crColor = m_crDefaultColor = pDoc->GetDefaultTraceColor(m_eTraceType, m_bCopy);
    if (bAlsoPrintColor) m_crPrintColor = m_crColor;
}

// ---- Copies -------------------------------------------------------------------------

void CQXTrace::SetCopyDetails(CQXTrace* pCopyFrom)
{
    if (!QXVERIFY(pCopyFrom != nullptr)) return;
    QXASSERT(pCopyFrom->IsOn());
    QXASSERT(pCopyFrom->CanCopy());
    m_bCopy = 1;
    m_bLive = 0;
    m_crColor = m_crDefaultColor = m_crPrintColor = pCopyFrom->GetNextCopyColor();
}

void CQXTrace::CopyZoomHistory(CQXTrace* pFrom)
{
    if (pFrom) m_ZoomHistory = pFrom->m_ZoomHistory;
}

void CQXTrace::UpdateTriggerDetailsFrom(CQXTrace* pFrom)
{
    if (!pFrom) return;
    m_iNumSamplesZeroBin = pFrom->m_iNumSamplesZeroBin;
    m_bUseZeroBin = pFrom->m_bUseZeroBin;
}

int CQXTrace::CopyStdTraceDetails(CQXTrace* pFrom)
{
    if (!QXVERIFY(pFrom != nullptr) || pFrom == this) return 0;
    m_bOn = pFrom->m_bOn;
    m_crColor = pFrom->m_crColor;
    m_crDefaultColor = pFrom->m_crDefaultColor;
    m_crPrintColor = pFrom->m_crPrintColor;
    m_eTraceType = pFrom->m_eTraceType;

    if (!(IsLimitLine() && !pFrom->m_pYData) && !CopyDataFrom(pFrom)) return 0;

    CopyStateFrom(pFrom);
    // The copy carries its own list of the same transforms.
    SetComputeList(pFrom->m_pComputeList);
    CopyViewFrom(pFrom);
    CopyScalesFrom(pFrom);
    CopyCursorsFrom(pFrom);
    return 1;
}

int CQXTrace::CopyDataFrom(CQXTrace* pFrom)
{
    if (!SetBuffer(pFrom->GetDataSize())) return 0;
    const int n = std::min(m_iDataSize, pFrom->m_iDataSize);
    if (n > 0 && pFrom->m_pYData && m_pYData) std::copy_n(pFrom->m_pYData.get(), n, m_pYData.get());
    if (n > 0 && pFrom->m_pXData && m_pXData) std::copy_n(pFrom->m_pXData.get(), n, m_pXData.get());
    if (!pFrom->m_pTransformedYData) return 1;

    CSingleLock lock(m_pTransformLock.get(), m_pTransformLock != nullptr);
    m_pTransformedYData = AllocateTraceArray(m_iDataSize);
    if (!m_pTransformedYData) {
        CSingleLock dataLock(&m_TraceLock, true);
        m_pYData.reset();
        m_pXData.reset();
        m_iDataSize = 0;
        ReportOutOfMemory(__FILE__, __LINE__);
        return 0;
    }
    std::copy_n(pFrom->m_pTransformedYData.get(), n, m_pTransformedYData.get());
    return 1;
}

void CQXTrace::CopyStateFrom(CQXTrace* pFrom)
{
    m_bInUse = pFrom->m_bInUse;
    m_bLive = pFrom->m_bLive;
    m_bCopy = pFrom->m_bCopy;
    m_eChannel = pFrom->m_eChannel;
    m_sTraceName = pFrom->m_sTraceName;
    m_bInterpolated = pFrom->m_bInterpolated;
    m_iInterpolationFactor = pFrom->m_iInterpolationFactor;
    m_sComment = pFrom->m_sComment;
    m_sFileName = pFrom->m_sFileName;
    m_bLogY = pFrom->m_bLogY;
    m_iYDigUnit = pFrom->m_iYDigUnit;
    m_iYAnaUnit = pFrom->m_iYAnaUnit;
    m_iYJDOUnit = pFrom->m_iYJDOUnit;
    m_iYSoundcardUnit = pFrom->m_iYSoundcardUnit;
    m_iYRelativeUnit = pFrom->m_iYRelativeUnit;
    m_iCursorXUnit = pFrom->m_iCursorXUnit;
    m_iCursorYDigUnit = pFrom->m_iCursorYDigUnit;
    m_iCursorYAnaUnit = pFrom->m_iCursorYAnaUnit;
    m_iCursorYSoundcardUnit = pFrom->m_iCursorYSoundcardUnit;
    m_iCursorYJDOUnit = pFrom->m_iCursorYJDOUnit;
    m_iCursorYRelativeUnit = pFrom->m_iCursorYRelativeUnit;
    m_eMode = pFrom->m_eMode;
    m_iRelativity = pFrom->m_iRelativity;
    m_iResponse = pFrom->m_iResponse;
    m_References = pFrom->m_References;
    m_dSampleRate = pFrom->m_dSampleRate;
    m_dJDOSampleRate = pFrom->m_dJDOSampleRate;
    m_dFullScaleHex = pFrom->m_dFullScaleHex;
    m_bInputUnlocked = pFrom->m_bInputUnlocked;
    m_iNumSamplesZeroBin = pFrom->m_iNumSamplesZeroBin;
    m_bUseZeroBin = pFrom->m_bUseZeroBin;
    m_bFromImpulseResponse = pFrom->m_bFromImpulseResponse;
    m_dAnaVsGenFactor = pFrom->m_dAnaVsGenFactor;
}

void CQXTrace::CopyViewFrom(CQXTrace* pFrom)
{
    m_rcDraw = pFrom->m_rcDraw;
    m_ipPlotMin = pFrom->m_ipPlotMin;
    m_ipPlotMax = pFrom->m_ipPlotMax;
    m_bPlotValid = pFrom->m_bPlotValid;
    m_bRecalcPlot = true;
    m_iPrintStyle = pFrom->m_iPrintStyle;
    m_bShowMarksOnScreen = pFrom->m_bShowMarksOnScreen;
    m_bPrintMarks = pFrom->m_bPrintMarks;
    m_iMinXPos = pFrom->m_iMinXPos;
    m_iMaxXPos = pFrom->m_iMaxXPos;
    m_iCurrentMinXPos = pFrom->m_iCurrentMinXPos;
    m_iCurrentMaxXPos = pFrom->m_iCurrentMaxXPos;
    m_dCurrentMinYData = pFrom->m_dCurrentMinYData;
    m_dCurrentMaxYData = pFrom->m_dCurrentMaxYData;
    m_dCurrentMinYScaleValue = pFrom->m_dCurrentMinYScaleValue;
    m_dCurrentMaxYScaleValue = pFrom->m_dCurrentMaxYScaleValue;
    m_dMinXScaleValue = pFrom->m_dMinXScaleValue;
    m_dMaxXScaleValue = pFrom->m_dMaxXScaleValue;
    m_dYOffset = pFrom->m_dYOffset;
    m_dYOffsetData = pFrom->m_dYOffsetData;
    m_aiTicks = pFrom->m_aiTicks;
    m_pMinLimitLine = nullptr;
    CopyZoomHistory(pFrom);
}

void CQXTrace::CopyScalesFrom(CQXTrace* pFrom)
{
    UpdateXScales(pFrom->m_pXScale);
    UpdateYScales(pFrom->m_pYScale);
}

void CQXTrace::CopyCursorsFrom(CQXTrace* pFrom)
{
    auto copyOne = [this](CCursorMark*& pMine, const CCursorMark* pTheirs) {
        if (!pTheirs) return;
        if (!pMine) pMine = new (std::nothrow) CCursorMark();
        if (!pMine) return;
        *pMine = *pTheirs;
        pMine->SetTrace(this);
    };
    copyOne(m_pCursor, pFrom->m_pCursor);
    copyOne(m_pRelativeCursor, pFrom->m_pRelativeCursor);
    m_bCursorOn = pFrom->m_bCursorOn;
    m_bRelativeCursorOn = pFrom->m_bRelativeCursorOn;
}

// ---- Scales -------------------------------------------------------------------------

int CQXTrace::CreateScales()
{
    if (NeverOwnsScales(this) || IsLimitLine()) return 0;
    if (!m_pXScale) CreateXScale();
    if (m_bLive && !m_pYScale) CreateYScale();
    return m_pXScale != nullptr;
}

CXScale* CQXTrace::CreateXScale()
{
    if (NeverOwnsScales(this) || IsLimitLine()) return nullptr;
    const ScaleType eType = GetDefaultXScaleType();
    CXScale* pScale = new (std::nothrow) CXScale(eType, m_eChannel);
    if (!pScale) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return nullptr;
    }
    pScale->SetXUnit(GetDefaultXUnit());
    CGraphDoc* pDoc = GetGraphDoc();
    if (pDoc) {
        pScale->SetColor(pDoc->GetXScaleColor(eType, m_eChannel));
        pDoc->AddXScale(pScale);
    }
    m_pXScale = pScale;
    return pScale;
}

CYScale* CQXTrace::CreateYScale()
{
    if (NeverOwnsScales(this) || IsLimitLine()) return nullptr;
    CYScale* pScale = new (std::nothrow) CYScale();
    if (!pScale) {
        ReportOutOfMemory(__FILE__, __LINE__);
        return nullptr;
    }
    pScale->SetLiveTrace(this);
    pScale->SetDetails(LEFT, 1, m_eChannel);
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->AddYScale(pScale);
    m_pYScale = pScale;
    return pScale;
}

CQXTrace* CQXTrace::FindOtherTraceSharing(const CScale* pScale)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc || !pScale || (m_eChannel != CHANNEL_A && m_eChannel != CHANNEL_B)) return nullptr;
    // Traces of both channels may be drawn on one scale.
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* pTrace : pDoc->GetTraceArray(eChannel)) {
            if (!pTrace || pTrace == this) continue;
            if (pTrace->m_pXScale == pScale || pTrace->m_pYScale == pScale) return pTrace;
        }
    return nullptr;
}

void CQXTrace::ReleaseScale(CScale* pScale)
{
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->RemoveScaleFromArrays(pScale);
    delete pScale;
}

void CQXTrace::DeleteXScale()
{
    if (NeverOwnsScales(this) || IsLimitLine() || !m_pXScale) return;
    if (!FindOtherTraceSharing(m_pXScale)) ReleaseScale(m_pXScale);
    m_pXScale = nullptr;
}

void CQXTrace::DeleteYScale()
{
    if (NeverOwnsScales(this) || IsLimitLine() || !m_pYScale) return;
    if (CQXTrace* pOther = FindOtherTraceSharing(m_pYScale)) {
        // The scale stays; it must not keep pointing at this trace.
        if (m_pYScale->GetLiveTrace() == this && !pOther->IsLimitLine()) m_pYScale->SetLiveTrace(pOther);
    } else {
        ReleaseScale(m_pYScale);
    }
    m_pYScale = nullptr;
}

void CQXTrace::UpdateXScales(CXScale* pScale)
{
    if (pScale == m_pXScale) return;
    DeleteXScale();
    m_pXScale = pScale;
    // The limit lines draw on the trace's scales: never on one it let go of.
    for (CQXTrace* pLimit : {m_pMaxLimitLine, m_pMinLimitLine})
        if (pLimit) pLimit->m_pXScale = pScale;
}

void CQXTrace::UpdateYScales(CYScale* pScale)
{
    if (pScale == m_pYScale) return;
    DeleteYScale();
    m_pYScale = pScale;
    for (CQXTrace* pLimit : {m_pMaxLimitLine, m_pMinLimitLine})
        if (pLimit) pLimit->m_pYScale = pScale;
}

// ---- Simple virtual operations ---------------------------------------------------------

bool CQXTrace::IsRelative() { return m_iRelativity != 0; }
int CQXTrace::GetRelativity() { return m_iRelativity; }
int CQXTrace::GetDataSize() { return m_iDataSize; }
int CQXTrace::ManageUsingYValues() { return IsScopeLike(GetTraceType()) ? 0 : 1; }
int CQXTrace::ManageUsingYData() { return ManageUsingYValues() ? 0 : 1; }
long CQXTrace::GetTraceCreateExtraInfo() { return 0; }
bool CQXTrace::IsCTTrace() { return false; }
bool CQXTrace::IsFFTTrace() { return false; }
bool CQXTrace::IsSweepTrace() { return false; }
bool CQXTrace::IsLimitLine() { return false; }
bool CQXTrace::IsUserTrace() { return false; }
bool CQXTrace::CanCopy() { return true; }

double CQXTrace::GetBandSum(int, double, double, double* pdSum, int* piMinPos, int* piMaxPos, double* pdWidth)
{
    // Band sums exist only for FFT kinds.
    QXASSERT(IsFFTTrace());
    if (pdSum) *pdSum = 0.0;
    if (piMinPos) *piMinPos = 0;
    if (piMaxPos) *piMaxPos = 0;
    if (pdWidth) *pdWidth = 0.0;
    return 0.0;
}

int CQXTrace::DrawingBandHistogram() { return 0; }
int CQXTrace::GetResultID() { return 65535; } // no result: kinds with a result answer it
int CQXTrace::GetFFTDetectorID() { return 0; }

int CQXTrace::GetMinXPos() { return m_iMinXPos; }
void CQXTrace::SetMinXPos(int iPos)
{
    if (iPos < 0) {
        QXDebugLog(1, "CQXTrace::SetMinXPos", "TRACE: negative min X pos %d stored as 0", iPos);
        iPos = 0;
    }
    m_iMinXPos = iPos;
}
int CQXTrace::GetMaxXPos() { return m_iMaxXPos; }
void CQXTrace::SetMaxXPos(int iPos) { m_iMaxXPos = iPos; }
int CQXTrace::GetCurrentMinXPos() { return m_iCurrentMinXPos; }
void CQXTrace::SetCurrentMinXPos(int iPos) { m_iCurrentMinXPos = iPos; }
int CQXTrace::GetCurrentMaxXPos() { return m_iCurrentMaxXPos; }
void CQXTrace::SetCurrentMaxXPos(int iPos) { m_iCurrentMaxXPos = iPos; }

// The full range lives in the trace and is mirrored into the X scale; the
// current window lives in the X scale, which the traces sharing it follow.
double CQXTrace::GetMinXScaleValue() { return m_dMinXScaleValue; }
void CQXTrace::SetMinXScaleValue(double dValue)
{
    m_dMinXScaleValue = dValue;
    if (m_pXScale) m_pXScale->SetMinXScaleValue(dValue);
}
double CQXTrace::GetMaxXScaleValue() { return m_dMaxXScaleValue; }
void CQXTrace::SetMaxXScaleValue(double dValue)
{
    m_dMaxXScaleValue = dValue;
    if (m_pXScale) m_pXScale->SetMaxXScaleValue(dValue);
}
double CQXTrace::GetCurrentMinXScaleValue()
{
    QXASSERT(m_pXScale != 0);
    return m_pXScale ? m_pXScale->GetCurrentMinXScaleValue() : m_dMinXScaleValue;
}
void CQXTrace::SetCurrentMinXScaleValue(double dValue)
{
    QXASSERT(m_pXScale != 0);
    if (m_pXScale) m_pXScale->SetCurrentMinXScaleValue(dValue);
}
double CQXTrace::GetCurrentMaxXScaleValue()
{
    QXASSERT(m_pXScale != 0);
    return m_pXScale ? m_pXScale->GetCurrentMaxXScaleValue() : m_dMaxXScaleValue;
}
void CQXTrace::SetCurrentMaxXScaleValue(double dValue)
{
    QXASSERT(m_pXScale != 0);
    if (m_pXScale) m_pXScale->SetCurrentMaxXScaleValue(dValue);
}

double CQXTrace::GetMinXValue(EUnit eUnit) { return GetXValueAtPos(GetMinXPos(), eUnit); }
double CQXTrace::GetMaxXValue(EUnit eUnit) { return GetXValueAtPos(GetMaxXPos(), eUnit); }

int CQXTrace::HasNegativeYData() { return 0; }
int CQXTrace::HasPositiveYData() { return 1; }

// Serialize and LoadTrace live with the trace file (trace/file/TraceRecord.cpp).
void CQXTrace::PostSerialize(CArchive& /*ar*/) {}
void CQXTrace::OnTriggerBinChanged() { RecalcTrace(); }
void CQXTrace::UpdateRelativityOtherValue() {}

bool CQXTrace::ListHarmonics(bool /*bOn*/) { return false; }
int CQXTrace::DrawYScaleFromData() { return 0; }

int CQXTrace::GetLogX() { return m_pXScale ? m_pXScale->GetLog() : 0; }
void CQXTrace::SetLogX(int bLog)
{
    if (m_pXScale) m_pXScale->SetLog(bLog);
}
int CQXTrace::GetLogY() { return m_bLogY; }
void CQXTrace::SetLogY(int bLog) { m_bLogY = bLog; }

// ---- Units -----------------------------------------------------------------------------

int CQXTrace::GetXUnit() { return m_pXScale ? m_pXScale->GetXUnit() : -1; }

void CQXTrace::SetXUnit(int iUnit)
{
    if (m_pXScale && iUnit != -1) m_pXScale->SetXUnit(iUnit);
}

int* CQXTrace::YUnitField(int bCursor)
{
    if (IsRelative()) return bCursor ? &m_iCursorYRelativeUnit : &m_iYRelativeUnit;
    switch (m_eMode) {
    case eModeDigital: return bCursor ? &m_iCursorYDigUnit : &m_iYDigUnit;
    case eModeAnalogue: return bCursor ? &m_iCursorYAnaUnit : &m_iYAnaUnit;
    case eModeJDOData:
    case eModeJDOfs: return bCursor ? &m_iCursorYJDOUnit : &m_iYJDOUnit;
    case eModeSoundcard: return bCursor ? &m_iCursorYSoundcardUnit : &m_iYSoundcardUnit;
    default:
        QXDebugLog(1, "CQXTrace::GetYUnit", "TRACE: no Y unit for input mode %d", static_cast<int>(m_eMode));
        return nullptr;
    }
}

int CQXTrace::GetYUnit()
{
    const int* pField = YUnitField(0);
    return pField ? *pField : -1;
}

void CQXTrace::SetYUnit(int iUnit)
{
    if (int* pField = YUnitField(0)) *pField = iUnit;
}

EUnit CQXTrace::GetStorageUnit(int iAxis)
{
    if (iAxis == 1) return GetStorageUnit(X_AXIS);
    if (iAxis == 2) return GetStorageUnit(Y_AXIS);
    QXDebugLog(1, "CQXTrace::GetStorageUnit", "TRACE: invalid axis %d", iAxis);
    return UNIT_INVALID;
}

EUnit CQXTrace::GetStorageUnit(AxisType eAxis) { return eAxis == X_AXIS ? UNIT_BINS : UNIT_HEX; }

EUnit CQXTrace::GetUnit(int iAxis)
{
    if (iAxis == 1) return static_cast<EUnit>(GetXUnit());
    if (iAxis == 2) return static_cast<EUnit>(GetYUnit());
    QXDebugLog(1, "CQXTrace::GetUnit", "TRACE: invalid axis %d", iAxis);
    return UNIT_INVALID;
}

int CQXTrace::GetUnitsList(AxisType eAxis, CUnitChoiceList* pCombo, CUnitChoiceList* pMenu, int /*iFlag*/)
{
    const CUnitChoiceList aChoices = (eAxis == X_AXIS ? m_XValue : m_YValue).FillCombo();
    if (pCombo) *pCombo = aChoices;
    if (pMenu) *pMenu = aChoices;
    return static_cast<int>(aChoices.size());
}

int CQXTrace::HasXData() { return 0; }
double* CQXTrace::GetXData() { return nullptr; }
int CQXTrace::CanDrawInBands() { return 0; }
int CQXTrace::CanSumBinsInBands() { return 0; }
