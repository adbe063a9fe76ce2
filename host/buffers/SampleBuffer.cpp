#include "host/buffers/SampleBuffer.h"

#include "host/app/DebugLog.h"

#include <algorithm>
#include <cmath>

int ClampedCopyCount(int first, int count, int size)
{
    if (first < 0 || count <= 0 || first >= size) return 0;
    return std::min(count, size - first);
}

int32_t ToSample24(double dValue)
{
    if (std::isnan(dValue)) return 0;
    const double dFull = static_cast<double>(CQuorixSampleBuffer::kFullScale);
    const double dClamped = std::clamp(std::nearbyint(dValue), -dFull, dFull);
    return static_cast<int32_t>(dClamped);
}

// The concrete class allocates its storage: a virtual call from here would
// not reach it.
CSampleBuffer::CSampleBuffer(ESampleType eType, int iMaxSize)
    : m_eSampleType(eType), m_iMaxSize(std::max(iMaxSize, 0))
{
    QXASSERT(iMaxSize >= 0);
}

void CSampleBuffer::SetSize(int iSize)
{
    QXASSERT(iSize >= 0 && iSize <= m_iMaxSize);
    m_iSize = std::clamp(iSize, 0, m_iMaxSize);
}

bool CSampleBuffer::Resize(int iMaxSize)
{
    if (!QXVERIFY(iMaxSize >= 0)) return false;
    Reallocate(iMaxSize);
    m_iMaxSize = iMaxSize;
    m_iSize = std::min(m_iSize, iMaxSize);
    return true;
}

double CSampleBuffer::GetAt(int i) const
{
    if (!QXVERIFY(IsReadable(i))) return 0.0;
    return ReadAt(i);
}

bool CSampleBuffer::SetAt(int i, double dValue)
{
    if (!QXVERIFY(i >= 0 && i < m_iMaxSize)) return false;
    WriteAt(i, dValue);
    if (i >= m_iSize) m_iSize = i + 1;
    return true;
}

int CSampleBuffer::GetDataAsDouble(double* pDest, int iFirst, int iCount, double dFactor) const
{
    if (!QXVERIFY(pDest != nullptr)) return 0;
    if (!QXVERIFY(iFirst >= 0 && iCount >= 0)) return 0;
    const int iCopied = ClampedCopyCount(iFirst, iCount, m_iSize);
    if (iCopied > 0) CopyOut(pDest, iFirst, iCopied, dFactor);
    return iCopied;
}

void CSampleBuffer::CopyOut(double* pDest, int iFirst, int iCount, double dFactor) const
{
    for (int i = 0; i < iCount; ++i) pDest[i] = ReadAt(iFirst + i) * dFactor;
}

CDoublePrecisionBuffer::CDoublePrecisionBuffer(ESampleType eType, int iMaxSize)
    : CSampleBuffer(eType, iMaxSize), m_adData(static_cast<size_t>(GetMaxSize()), 0.0)
{
}

void CDoublePrecisionBuffer::CopyOut(double* pDest, int iFirst, int iCount, double dFactor) const
{
    const double* pSrc = m_adData.data() + iFirst;
    for (int i = 0; i < iCount; ++i) pDest[i] = pSrc[i] * dFactor;
}

void CFFTBuffer::WriteAt(int i, double dValue)
{
    QXASSERT(dValue >= 0.0);
    CDoublePrecisionBuffer::WriteAt(i, dValue >= 0.0 ? dValue : 0.0);
}

CQuorixSampleBuffer::CQuorixSampleBuffer(int iMaxSize)
    : CSampleBuffer(SAMPLETYPE_INT24, iMaxSize), m_aiData(static_cast<size_t>(GetMaxSize()), 0)
{
}

void CQuorixSampleBuffer::WriteAt(int i, double dValue)
{
    m_aiData[static_cast<size_t>(i)] = ToSample24(dValue);
}
