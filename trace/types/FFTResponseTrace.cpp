// CFFTResponseTrace: details, units, references, ranges and default windows
// of a multitone response. The points and the X array: FFTResponseData.cpp.

#include "trace/types/FFTResponseTrace.h"

#include "host/app/DebugLog.h"
#include "host/units/UnitFunctions.h"
#include "host/units/UnitMath.h"
#include "host/units/UnitSet.h"
#include "host/units/UnitSets.h"
#include "resources/StringTable.h"
#include "trace/types/FFTBaseTrace.h"
#include "trace/types/KindHelpers.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CFFTResponseTrace, CQXTrace)

namespace {

// Default window of a relative response, as ratios: -40 dB .. +20 dB.
constexpr double kRelativeMinRatio = 0.01;
constexpr double kRelativeMaxRatio = 10.0;

} // namespace

CFFTResponseTrace::CFFTResponseTrace() { m_eTraceType = TT_FFTRESPONSE; }

CFFTResponseTrace::CFFTResponseTrace(ChannelNumber eChannel, int iDataSize, int /*iCopy*/, int /*iBare*/)
    : CQXTrace(eChannel, iDataSize, 0)
{
    m_eTraceType = TT_FFTRESPONSE;
    CQXTrace::InitialiseTrace(iDataSize);
    DefaultZoomY(0, 0);
}

CFFTResponseTrace::CFFTResponseTrace(int iDataSize, int /*iCopy*/, int /*iBare*/)
{
    m_eTraceType = TT_FFTRESPONSE;
    CQXTrace::InitialiseTrace(iDataSize);
    DefaultZoomY(0, 0);
}

CFFTResponseTrace::~CFFTResponseTrace() = default;

void CFFTResponseTrace::ClearFields()
{
    m_sSumBinsType = m_sIncludeType = m_sFunction = m_sRelativeTo = 0;
    m_iAnaOtherValueBin = m_iNumToneBins = m_iToneMode = 0;
    m_piAnaToneBins.clear();
    m_piGenToneBins.clear();
    m_piOtherChannelAnaToneBins.clear();
    m_piOtherChannelGenToneBins.clear();
    m_dInputRange = 0.0;
    m_iReserved = m_iExtra1 = m_iExtra2 = 0;
}

void CFFTResponseTrace::CopyFieldsFrom(const CFFTResponseTrace& from)
{
    m_sSumBinsType = from.m_sSumBinsType;
    m_sIncludeType = from.m_sIncludeType;
    m_iAnaOtherValueBin = from.m_iAnaOtherValueBin;
    m_iNumToneBins = from.m_iNumToneBins;
    m_piAnaToneBins = from.m_piAnaToneBins;
    m_piGenToneBins = from.m_piGenToneBins;
    m_piOtherChannelAnaToneBins = from.m_piOtherChannelAnaToneBins;
    m_piOtherChannelGenToneBins = from.m_piOtherChannelGenToneBins;
    m_iToneMode = from.m_iToneMode;
    m_sFunction = from.m_sFunction;
    m_sRelativeTo = from.m_sRelativeTo;
    m_dInputRange = from.m_dInputRange;
    m_iReserved = from.m_iReserved;
    m_iExtra1 = from.m_iExtra1;
    m_iExtra2 = from.m_iExtra2;
}

CQXTrace* CFFTResponseTrace::CopyFrom(CQXTrace* pFrom)
{
    if (!pFrom || !pFrom->IsKindOf(RUNTIME_CLASS(CFFTResponseTrace))) {
        QXReportAssert("pCopyFrom->IsKindOf((CFFTResponseTrace::GetThisClass()))", __FILE__,
                       static_cast<unsigned>(__LINE__));
        return this;
    }
    // The fields first: the copied units depend on the relativity they give.
    CopyFieldsFrom(*static_cast<CFFTResponseTrace*>(pFrom));
    CopyStdTraceDetails(pFrom);
    return this;
}

// ---- Details and relativity ---------------------------------------------------------------

int CFFTResponseTrace::SetResponseDetails(const ResponseDetails& details)
{
    UpdateTraceVariables(true, false, nullptr);
    m_sFunction = details.sFunction;
    m_sSumBinsType = details.sSumBinsType;
    m_sIncludeType = details.sIncludeType;
    m_sRelativeTo = details.sRelativeTo;
    m_iAnaOtherValueBin = details.iAnaOtherValueBin;
    m_iReserved = details.iReserved;
    m_iToneMode = details.iToneMode;
    m_iExtra1 = details.iExtra1;
    m_iExtra2 = details.iExtra2;
    UpdateRelativityAndResponse();
    SetYUnit(details.iYUnit);
    const EUnit eStorage = GetStorageUnit(Y_AXIS);
    if (eStorage != UNIT_HEX && eStorage != UNIT_RELATIVE_RATIO) {
        QXASSERT((eStorage == UNIT_HEX) || (eStorage == UNIT_RELATIVE_RATIO));
        return 0;
    }
    SetYDefaultZoomValues();
    // Responses over bins rather than tones are shown summed in bands.
    if (CanSumBinsInBands()) ShowSingleCompute(COMPUTE_SUMBINS, 1);
    return 1;
}

ResponseDetails CFFTResponseTrace::GetResponseDetails() const
{
    ResponseDetails details;
    details.sFunction = m_sFunction;
    details.sSumBinsType = m_sSumBinsType;
    details.sIncludeType = m_sIncludeType;
    details.sRelativeTo = m_sRelativeTo;
    details.iAnaOtherValueBin = m_iAnaOtherValueBin;
    details.iReserved = m_iReserved;
    details.iYUnit = const_cast<CFFTResponseTrace*>(this)->GetYUnit();
    details.iToneMode = m_iToneMode;
    details.iExtra1 = m_iExtra1;
    details.iExtra2 = m_iExtra2;
    return details;
}

void CFFTResponseTrace::InitialiseXData()
{
    const double dNyquist = EffectiveSampleRate(m_dSampleRate, IsUnlocked()) / 2.0;
    {
        CSingleLock lock(&m_TraceLock, true);
        if (!m_pXData || !m_pYData || m_iDataSize <= 0) return;
        const double dStep = m_iDataSize > 1 ? dNyquist / (m_iDataSize - 1) : 0.0;
        for (int i = 0; i < m_iDataSize; ++i) {
            m_pXData[i] = i * dStep;
            m_pYData[i] = DBL_MAX;
        }
    }
    SetXValueRange(0.0, dNyquist, 1);
    RecalcTrace();
}

CString CFFTResponseTrace::GetTraceFunctionName()
{
    switch (m_sFunction) {
    case 0: return LoadResString(IDS_RESPONSE_MT_FREQ);
    case 1: return LoadResString(IDS_RESPONSE_MT_NOISE);
    case 2: return LoadResString(IDS_RESPONSE_MT_DISTORTION);
    case 3: return LoadResString(IDS_RESPONSE_MT_DIST_NOISE);
    case 4: return LoadResString(IDS_RESPONSE_MT_CROSSTALK);
    default: QXASSERT((m_sFunction >= 0) && (m_sFunction <= 4)); return CString();
    }
}

int CFFTResponseTrace::RelativityForRelativeTo(int iRelativeTo)
{
    switch (iRelativeTo) {
    case 0: return 0;
    case 1:
    case 2: return 2;
    case 3:
    case 5: return 4;
    case 4: return 3;
    case 6: return 1;
    default: QXASSERT((iRelativeTo >= 0) && (iRelativeTo <= 6)); return 0;
    }
}

void CFFTResponseTrace::UpdateRelativityAndResponse()
{
    m_iResponse = 0;
    m_iRelativity = RelativityForRelativeTo(m_sRelativeTo);
    UpdateRelativityOtherValue();
}

int CFFTResponseTrace::CanSumBinsInBands()
{
    return (m_sIncludeType == 0 || m_sIncludeType == 2 || m_sIncludeType == 4) ? 1 : 0;
}

// ---- Ranges and default windows -------------------------------------------------------------

double CFFTResponseTrace::GetMinYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, false); }
double CFFTResponseTrace::GetMaxYValue(EUnit eUnit) { return GetSpectrumYLimit(eUnit, true); }

void CFFTResponseTrace::CalcDefaultYScaleValues(double* pdMin, double* pdMax)
{
    if (!pdMin || !pdMax) {
        QXASSERT(pdMin && pdMax);
        return;
    }
    const bool bRatio = GetStorageUnit(Y_AXIS) == UNIT_RELATIVE_RATIO;
    const int iUnit = GetYUnit();
    *pdMin = GetYValueForData(bRatio ? kRelativeMinRatio : 0.0, iUnit, 0, 1);
    *pdMax = GetYValueForData(bRatio ? kRelativeMaxRatio : kFullScaleSineHex, iUnit, 0, 1);
}

void CFFTResponseTrace::SetYDefaultZoomValues()
{
    double dMin = 0.0;
    double dMax = 0.0;
    CalcDefaultYScaleValues(&dMin, &dMax);
    const int iUnit = GetYUnit();
    m_dCurrentMinYScaleValue = dMin;
    m_dCurrentMaxYScaleValue = dMax;
    m_dCurrentMinYData = GetYDataForValue(dMin, iUnit, 1);
    m_dCurrentMaxYData = GetYDataForValue(dMax, iUnit, 1);
}

// ---- Y heights through the values ------------------------------------------------------------

int CFFTResponseTrace::GetYOrigin() { return ValueWindowYOrigin(*this); }
double CFFTResponseTrace::GetYDataAtPoint(int iDeviceY) { return ValueWindowYDataAtPoint(*this, iDeviceY); }

int CFFTResponseTrace::GetYPointForData(double dData)
{
    if (dData == DBL_MAX) return POINT_BEYOND_MAX;
    if (GetLogY()) return GetLogYPoint(dData);
    double v = GetYValueForData(dData, GetYUnit(), 1, 0);
    if (v != -DBL_MAX) v += m_dYOffset;
    return ValueWindowYPoint(*this, v);
}

// ---- Units -----------------------------------------------------------------------------------

EUnit CFFTResponseTrace::GetDefaultYUnit(EMode eMode, int bRelative)
{
    if (eMode == eModeNull) eMode = m_eMode;
    if (bRelative || IsRelative()) return UNIT_RELATIVE_DB;
    QXASSERT(eMode >= eModeDigital && eMode <= eModeSoundcard);
    return DefaultYUnitForMode(eMode, EYQuantity::Level);
}

EUnit CFFTResponseTrace::GetStorageUnit(AxisType eAxis)
{
    if (eAxis == X_AXIS) return UNIT_FREQ_HZ;
    return IsRelative() ? UNIT_RELATIVE_RATIO : UNIT_HEX;
}

const CUnitSet* CFFTResponseTrace::GetUnitSet(int iAxis)
{
    if (iAxis == 1) return ::GetUnitSet(UNITSET_FFTBINS);
    if (iAxis == 2) return ::GetUnitSet(GetAmplitudeYUnitSet(IsRelative(), IsJDO(), false, GetRelativity()));
    QXASSERT((iAxis == 1) || (iAxis == 2));
    return nullptr;
}

int CFFTResponseTrace::GetReferences(int iAxis, int bDefault, SReferences* pReferences)
{
    // X is kept in Hz: the rate only matters for a view in bins.
    return FrequencyDomainReferences(*this, iAxis, bDefault, 0, pReferences);
}

void CFFTResponseTrace::GetLogDetails(AxisType eAxis, int iUnit, int* pbIsDbUnit, int* pbLogAllowed)
{
    GetFrequencyDomainLogDetails(*this, eAxis, iUnit, pbIsDbUnit, pbLogAllowed);
}
