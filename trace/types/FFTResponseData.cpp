// CFFTResponseTrace: the points from the FFT buffers and tone bins, the X
// array and its lock, band sums, and the range that follows the rate.

#include "trace/types/FFTResponseTrace.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/buffers/SampleBuffer.h"
#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SignalGeneratorSettings.h"
#include "host/units/References.h"
#include "resources/StringIds.h"
#include "trace/core/FFTMath.h"
#include "trace/core/ResponseMath.h"
#include "trace/core/TraceMath.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/TraceKindTables.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr double kFullScaleSine = SReferences::kFullScaleSineHex;

// The levels of a buffer of powers: magnitudes times the buffer's scale.
std::vector<double> LevelsOf(CSampleBuffer& buffer, int n, double dScale)
{
    std::vector<double> adLevels(static_cast<size_t>(n), 0.0);
    buffer.GetDataAsDouble(adLevels.data(), 0, std::min(n, buffer.GetSize()), 1.0);
    PowersToMagnitudes(adLevels.data(), n);
    for (double& d : adLevels)
        if (d != DBL_MAX) d *= dScale;
    return adLevels;
}

} // namespace

// ---- Tone bins ------------------------------------------------------------------------------

int CFFTResponseTrace::SetToneBins(int iNumTones, const int* piAnaToneBins, const int* piGenToneBins)
{
    if (!QXVERIFY(iNumTones >= 0 && (iNumTones == 0 || (piAnaToneBins && piGenToneBins)))) return 0;
    try {
        std::vector<int> aAna(piAnaToneBins, piAnaToneBins + iNumTones);
        std::vector<int> aGen(piGenToneBins, piGenToneBins + iNumTones);
        m_piOtherChannelAnaToneBins = aAna;
        m_piOtherChannelGenToneBins = aGen;
        m_piAnaToneBins = std::move(aAna);
        m_piGenToneBins = std::move(aGen);
    } catch (const std::bad_alloc&) {
        m_piAnaToneBins.clear();
        m_piGenToneBins.clear();
        m_piOtherChannelAnaToneBins.clear();
        m_piOtherChannelGenToneBins.clear();
        m_iNumToneBins = 0;
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return 0;
    }
    m_iNumToneBins = iNumTones;
    return 1;
}

void CFFTResponseTrace::UpdateAnalyserToneBins()
{
    QXASSERT(!m_piAnaToneBins.empty() && !m_piGenToneBins.empty() && !m_piOtherChannelAnaToneBins.empty() &&
             !m_piOtherChannelGenToneBins.empty());
}

void CFFTResponseTrace::AdjustBins(int& iStartBin, int& iEndBin) { AdjustBinsToParity(m_sSumBinsType, iStartBin, iEndBin); }

int CFFTResponseTrace::AccountForToneSpread(int& iBin, int iToneBin, int iSpread)
{
    return ::AccountForToneSpread(m_iToneMode, iBin, iToneBin, iSpread) ? 1 : 0;
}

long CFFTResponseTrace::GetTraceCreateExtraInfo()
{
    return ResponseCreationKey(m_sFunction, m_sSumBinsType, m_sIncludeType, m_sRelativeTo);
}

// ---- References -----------------------------------------------------------------------------

double CFFTResponseTrace::GeneratorLevel(int iChannel) const
{
    const CSignalGeneratorSettings* pGenerator = GetSignalGeneratorSettings();
    if (!pGenerator) return 0.0;
    switch (m_eMode) {
    case eModeAnalogue: {
        // The buffers' full scale is channel 0's largest range, as their scale factor has it.
        const CAnalogueInputsSettings* pInputs = GetAnalogueInputsSettings();
        const double dFullScaleV = pInputs ? pInputs->GetMaxmVValue(0) / 1000.0 / std::sqrt(2.0) : 0.0;
        return dFullScaleV > 0.0 ? pGenerator->GetActualAnalogueAmplitude(iChannel) / dFullScaleV : 0.0;
    }
    case eModeSoundcard: return pGenerator->GetActualSoundcardAmplitude(iChannel) / kFullScaleSine;
    default: return pGenerator->GetActualDigitalAmplitude(iChannel) / kFullScaleSine;
    }
}

double CFFTResponseTrace::CommonReference(const std::vector<double>& adLevels, int iOtherChannel,
                                          double dBufferScale) const
{
    const int iChannel = m_eChannel == CHANNEL_B ? 1 : 0;
    switch (m_sRelativeTo) {
    case 0: return 1.0 / kFullScaleSine; // levels stored as sample magnitudes
    case 1: return GeneratorLevel(iChannel);
    case 2: return GeneratorLevel(iOtherChannel);
    case 3:
    case 5: {
        const int n = static_cast<int>(adLevels.size());
        QXASSERT((m_iAnaOtherValueBin >= 0) && (m_iAnaOtherValueBin < n));
        if (m_iAnaOtherValueBin < 0 || m_iAnaOtherValueBin >= n) return 0.0;
        const double d = adLevels[static_cast<size_t>(m_iAnaOtherValueBin)];
        return d == DBL_MAX ? 0.0 : d;
    }
    default:
        // The buffer's own scale (6) takes its powers to their natural scale:
        // a level times the square root of it is the level there.
        return dBufferScale > 0.0 ? 1.0 / std::sqrt(dBufferScale) : 0.0;
    }
}

// ---- A new buffer --------------------------------------------------------------------------

int CFFTResponseTrace::UpdateTraceData(CSampleBuffer* pBuffer, CSampleBuffer* pOtherChannelBuffer, int* piFlags)
{
    if (!pBuffer) return 1;
    if (m_piAnaToneBins.empty() || m_piGenToneBins.empty() || m_piOtherChannelAnaToneBins.empty() ||
        m_piOtherChannelGenToneBins.empty())
        return 0;
    QXASSERT(IsInUse());
    const bool bCrossTalk = m_sRelativeTo == 4;
    if (!IsLive() || !IsOn() || (bCrossTalk && !pOtherChannelBuffer)) return 0;

    if (UpdateTraceVariables(false, false, pBuffer) && piFlags) *piFlags = 1;
    const int iOther = m_eChannel == CHANNEL_B ? 0 : 1;
    // The range of the channel whose buffer is the reference, else this one's.
    if (const CAnalogueInputsSettings* pInputs = GetAnalogueInputsSettings())
        m_dInputRange = pInputs->GetCurrentRangeInV(pOtherChannelBuffer ? iOther : 1 - iOther);

    const int n = pBuffer->GetSize();
    const double dX0 = GetMinXScaleValue();
    const double dX1 = GetMaxXScaleValue();
    if (!ToneBinsFit(m_piOtherChannelAnaToneBins, m_piOtherChannelGenToneBins, n)) return 0;
    UpdateAnalyserToneBins();
    QXASSERT((n % 2) == 0);

    // Powers become levels: the analogue range's factor, then the reference.
    CGraphDoc* pDoc = GetGraphDoc();
    const bool bOwnScale = m_sRelativeTo == 6;
    const double dScale = (m_eMode == eModeAnalogue && !bOwnScale && pDoc) ? pDoc->GetTraceBufferScaleFactor(this) : 1.0;
    std::vector<double> adLevels;
    std::vector<double> adOther;
    try {
        adLevels = LevelsOf(*pBuffer, n, dScale);
        if (bCrossTalk) adOther = LevelsOf(*pOtherChannelBuffer, n, dScale);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    const double dReference = CommonReference(adLevels, iOther, pBuffer->GetScaleFactor());
    const auto level = [&](int b) {
        const double d = adLevels[static_cast<size_t>(b)];
        return bCrossTalk ? LevelRatio(d, adOther[static_cast<size_t>(b)]) : LevelRatio(d, dReference);
    };

    SResponseSelection selection;
    selection.iIncludeType = m_sIncludeType;
    selection.iSumBinsType = m_sSumBinsType;
    selection.iToneMode = m_iToneMode;
    selection.aiAnaToneBins = m_piOtherChannelAnaToneBins;
    selection.aiGenToneBins = m_piOtherChannelGenToneBins;
    if (m_sIncludeType == 0) QXASSERT(!(m_iToneMode == 1));
    if (m_sSumBinsType < 0 || m_sSumBinsType > 2) QXASSERT(m_sSumBinsType == 0);
    const SResponsePoints points = MakeResponsePoints(SelectResponseBins(selection, n), level, dX0, dX1, n);
    if (!StorePoints(points.adX, points.adY, piFlags)) return 0;
    RecalcTrace();
    return 1;
}

int CFFTResponseTrace::StorePoints(const std::vector<double>& adX, const std::vector<double>& adY, int* piFlags)
{
    const int iSize = static_cast<int>(adX.size());
    double dCursorX = 0.0;
    double dRelCursorX = 0.0;
    NoteOldCursorValues(&dCursorX, &dRelCursorX);
    const double dOldMin = GetCurrentMinXScaleValue();
    const double dOldMax = GetCurrentMaxXScaleValue();
    const bool bResized = iSize != GetDataSize();
    {
        CSingleLock traceLock(&m_TraceLock, true);
        CSingleLock xLock(&m_XDataLock, true);
        if (!SetBuffer(iSize) || !m_pXData || !m_pYData) return 0;
        std::copy(adX.begin(), adX.end(), m_pXData.get());
        std::copy(adY.begin(), adY.end(), m_pYData.get());
    }
    const double dFirst = adX.front();
    const double dLast = adX.back();
    SetXValueRange(dFirst, dLast, 0);
    if (m_pXScale) {
        const double dMin = std::clamp(dOldMin, dFirst, dLast);
        const double dMax = std::clamp(dOldMax, dFirst, dLast);
        SetCurrentMinXScaleValue(dMin);
        SetCurrentMaxXScaleValue(dMax > dMin ? dMax : dLast);
        SetCurrentMinXPos(GetXPosForValue(GetCurrentMinXScaleValue(), UNIT_FREQ_HZ));
        int iMaxPos = GetXPosForValue(GetCurrentMaxXScaleValue(), UNIT_FREQ_HZ);
        if (iMaxPos + 1 < iSize && m_pXData[iMaxPos] < GetCurrentMaxXScaleValue()) ++iMaxPos;
        SetCurrentMaxXPos(iMaxPos);
    }
    ManageSampleRateChange();
    if (bResized) {
        if (piFlags) *piFlags = 1;
        ManageDataSizeChange();
        if (m_pComputeTrace) m_pComputeTrace->ManageDataSizeChange();
        SetNewCursorValues(dCursorX, dRelCursorX);
    }
    m_bComputed = 0;
    return 1;
}

void CFFTResponseTrace::ManageSampleRateChange()
{
    const double dNyquist = EffectiveSampleRate(m_dSampleRate, IsUnlocked()) / 2.0;
    if (!(dNyquist > 0.0) || (GetMinXScaleValue() == 0.0 && GetMaxXScaleValue() == dNyquist)) return;
    // A new rate moves the tones: the next buffer spreads them over the new range.
    SetXValueRange(0.0, dNyquist, 0);
    if (m_pXScale && GetCurrentMaxXScaleValue() > dNyquist) SetCurrentMaxXScaleValue(dNyquist);
}

// ---- X through the X array (kept in Hz) -------------------------------------------------------

double CFFTResponseTrace::GetXValueAtPos(int iPos, int iUnit)
{
    QXASSERT(iUnit == GetStorageUnit(X_AXIS));
    CSingleLock lock(&m_XDataLock, true);
    if (!m_pXData || iPos < 0 || iPos >= m_iDataSize) return DBL_MAX;
    return m_pXData[iPos];
}

int CFFTResponseTrace::GetXPosForValue(double dValue, int iUnit)
{
    CSingleLock lock(&m_XDataLock, true);
    if (!m_pXData || m_iDataSize == 0) return 0;
    return std::clamp(FindBinForXValue(dValue, iUnit), 0, m_iDataSize - 1);
}

void CFFTResponseTrace::SetXValue(int iPos, double dValue)
{
    CSingleLock lock(&m_XDataLock, true);
    if (!QXVERIFY(m_pXData && iPos >= 0 && iPos < m_iDataSize)) return;
    m_pXData[iPos] = dValue;
}

double CFFTResponseTrace::GetYDataAtXValue(double dValue, int bTransformed)
{
    CSingleLock lock(&m_XDataLock, true);
    const double* pdY = GetYDataBuffer(bTransformed);
    if (!pdY || !m_pXData || m_iDataSize <= 0) return DBL_MAX;
    // X arrives in the trace's X unit; the array holds Hz.
    const int iUnit = GetXUnit();
    double dHz = dValue;
    if (iUnit != UNIT_FREQ_HZ) {
        SReferences refs;
        GetReferences(1, 0, &refs);
        dHz = m_XValue.Convert(dValue, iUnit, UNIT_FREQ_HZ, &refs);
    }
    const int p = std::clamp(FindBinInArray(m_pXData.get(), m_iDataSize, dHz), 0, m_iDataSize - 1);
    if (p + 1 >= m_iDataSize || pdY[p] == DBL_MAX || pdY[p + 1] == DBL_MAX) return pdY[p];
    const double x0 = m_pXData[p];
    const double x1 = m_pXData[p + 1];
    if (x1 == x0 || dHz <= x0) return pdY[p];
    return pdY[p] + (pdY[p + 1] - pdY[p]) * (dHz - x0) / (x1 - x0);
}

// ---- Band sums -------------------------------------------------------------------------------

double CFFTResponseTrace::GetBandSum(int iCentreBin, double dBandFactor, double dScale, double* pdData, int* piLowBin,
                                     int* piHighBin, double* pdSumSquares)
{
    QXASSERT((m_sIncludeType == 0) || (m_sIncludeType == 2) || (m_sIncludeType == 4));
    if (!pdData || !piLowBin || !piHighBin || !pdSumSquares) return 0.0;
    QXASSERT(*piLowBin < m_iDataSize);
    QXASSERT(*piHighBin <= m_iDataSize);
    QXASSERT(dBandFactor != 0.0);
    return SlideBandSum(pdData, m_iDataSize, iCentreBin, dBandFactor, dScale, piLowBin, piHighBin, pdSumSquares);
}

void CFFTResponseTrace::PostSerialize(CArchive& /*ar*/) { QXASSERT(m_dMaxXScaleValue != 0.0); }
