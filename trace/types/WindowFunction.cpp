// CWindowFunction: an FFT window over its points, computed from the host's
// window values; units, references, ranges and default window.

#include "trace/types/WindowFunction.h"

#include "host/units/Unit.h"
#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "trace/document/GraphDoc.h"
#include "host/units/UnitSets.h"
#include "trace/types/FFTBaseTrace.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CWindowFunction, CQXTrace)

namespace {

// The first min(count, points) values, the rest held at the last one copied.
void CopyHoldingLast(const double* pdFrom, int iCount, double* pdTo, int iPoints)
{
    const int iCopied = std::min(iCount, iPoints);
    std::copy(pdFrom, pdFrom + iCopied, pdTo);
    std::fill(pdTo + iCopied, pdTo + iPoints, iCopied > 0 ? pdFrom[iCopied - 1] : 0.0);
}

} // namespace

CWindowFunction::CWindowFunction() { m_eTraceType = TT_WINDOW; }

CWindowFunction::CWindowFunction(ChannelNumber eChannel, int iDataSize, int /*iBare*/)
    : CQXTrace(eChannel, iDataSize, 0)
{
    InitialiseWindowTrace(iDataSize);
}

void CWindowFunction::InitialiseWindowTrace(int iDataSize)
{
    m_eTraceType = TT_WINDOW;
    m_sWindowFile.Empty();
    CQXTrace::InitialiseTrace(iDataSize);
    if (!m_pYData || iDataSize == 0) return;
    SetXUnit(UNIT_MS);
    SetXValueRange(0.0, GetXValueAtPos(m_iDataSize, GetXUnit()), 1);
    DefaultZoomY(0, 0);
}

void CWindowFunction::SetWindowType(WINDOWFUNCTION eType, const CString& sFile)
{
    m_eWindowType = eType;
    m_sWindowFile = sFile;
}

int CWindowFunction::SetWindow(int iNumPoints, int bCreate)
{
    QXASSERT((IsInUse()) || (bCreate));
    if (!bCreate && !IsOn()) return 1;
    if (!QXVERIFY(iNumPoints > 0)) return 0;
    const bool bSizeChanged = iNumPoints != GetDataSize();
    if (bSizeChanged && !SetBuffer(iNumPoints)) return 0;
    {
        CSingleLock lock(&m_TraceLock, true);
        double* pdY = GetYDataBuffer(0);
        if (!pdY) return 0;
        // A user window is as long as its file, so it comes through a buffer of its own.
        const bool bUsingTempBuffer = m_eWindowType == WINDOW_USER;
        std::vector<double> aTemp;
        double* pdBuffer = bUsingTempBuffer ? nullptr : pdY;
        int nPoints = iNumPoints;
        std::string sProblem;
        if (!FillWindowBuffer(m_eWindowType, m_sWindowFile, WINDOWMODE_DISPLAY, &nPoints, &pdBuffer, aTemp,
                              ReadUserWindowFile, &sProblem)) {
            QXDebugLog(1, "CWindowFunction::SetWindow", "WINDOW: type %d from '%s' not computed: %s",
                       static_cast<int>(m_eWindowType), m_sWindowFile.ToUtf8().c_str(), sProblem.c_str());
            return 0;
        }
        QXASSERT(bUsingTempBuffer || (pdBuffer == pdY));
        QXASSERT(bUsingTempBuffer || (nPoints == iNumPoints));
        if (bUsingTempBuffer) CopyHoldingLast(pdBuffer, nPoints, pdY, iNumPoints);
    }
    FinishWindowUpdate(bCreate, bSizeChanged);
    if (!bCreate && bSizeChanged)
        if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(UPDATE_TRACE_REDRAW, this);
    return 1;
}

void CWindowFunction::FinishWindowUpdate(int bCreate, int bSizeChanged)
{
    RecalcTrace();
    if (bCreate) {
        SetXUnit(UNIT_MS);
        SetXValueRange(0.0, GetXValueAtPos(m_iDataSize, GetXUnit()), 1);
        SetYUnit(UNIT_RELATIVE_GAIN);
        DefaultZoomY(0, 0);
    } else if (bSizeChanged) {
        SetXValueRange(0.0, GetXValueAtPos(m_iDataSize, GetXUnit()), 1);
    }
}

CQXTrace* CWindowFunction::CopyFrom(CQXTrace* pFrom)
{
    if (!pFrom || !pFrom->IsKindOf(RUNTIME_CLASS(CWindowFunction))) {
        QXReportAssert("pCopyFrom->IsKindOf((CWindowFunction::GetThisClass()))", __FILE__,
                       static_cast<unsigned>(__LINE__));
        return this;
    }
    CopyStdTraceDetails(pFrom);
    const auto& from = *static_cast<CWindowFunction*>(pFrom);
    m_eWindowType = from.m_eWindowType;
    m_sWindowFile = from.m_sWindowFile;
    return this;
}

double CWindowFunction::GetMinYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, false); }
double CWindowFunction::GetMaxYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, true); }

void CWindowFunction::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    *pdMin = 0.0;
    *pdMax = 1.0;
}

void CWindowFunction::SetYDefaultZoomValues()
{
    double dMin = 0.0;
    double dMax = 0.0;
    CalcDefaultYScaleValues(&dMin, &dMax);
    // Gain is both the storage and the display unit.
    m_dCurrentMinYScaleValue = m_dCurrentMinYData = dMin;
    m_dCurrentMaxYScaleValue = m_dCurrentMaxYData = dMax;
}

const CUnitSet* CWindowFunction::GetUnitSet(int iAxis)
{
    if (iAxis == 1) return ::GetUnitSet(UNITSET_NUMSAMPLES);
    if (iAxis == 2) return ::GetUnitSet(UNITSET_AMPLITUDEREL);
    QXASSERT((iAxis == 1) || (iAxis == 2));
    return nullptr;
}

EUnit CWindowFunction::GetUnit(int iAxis)
{
    if (iAxis == 1) return static_cast<EUnit>(GetXUnit());
    if (iAxis == 2) return UNIT_RELATIVE_GAIN;
    QXASSERT((iAxis == 1) || (iAxis == 2));
    return UNIT_INVALID;
}

int CWindowFunction::GetReferences(int iAxis, int /*bDefault*/, SReferences* pReferences)
{
    if (!pReferences || (iAxis != 1 && iAxis != 2)) {
        QXASSERT(pReferences && ((iAxis == 1) || (iAxis == 2)));
        return 0;
    }
    if (iAxis == 1)
        *pReferences = SReferences::ForTimeX(EffectiveSampleRate(m_dSampleRate, IsUnlocked()), 1, 0);
    else
        *pReferences = SReferences::ForRelativeY(1.0, 1.0, UNIT_RELATIVE_GAIN, UNIT_RELATIVE_GAIN);
    pReferences->SetUnlocked(IsUnlocked());
    return 1;
}

void CWindowFunction::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    const bool bDb = IsdBUnit(ResolveAxisUnit(*this, eAxis, iUnit));
    if (pbIsDbUnit) *pbIsDbUnit = bDb ? 1 : 0;
    // A window over time has no logarithmic X; its gain may be shown so.
    if (pbLogAllowed) *pbLogAllowed = (eAxis == Y_AXIS && !bDb) ? 1 : 0;
}
