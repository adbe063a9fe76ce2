// The sections the trace kinds append to the base record, in writing order.

#include "host/app/FileVersion.h"
#include "platform/Archive.h"
#include "trace/file/RecordSink.h"
#include "trace/file/TraceRecord.h"
#include "trace/types/FFTBaseTrace.h"
#include "trace/types/FFTResponseTrace.h"
#include "trace/types/FilterTrace.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/UserTrace.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

template <class T>
T Read(CArchive& ar)
{
    T v{};
    ar >> v;
    return v;
}

// Reads `count` doubles into an array that holds at least `capacity`; the
// rest of the array keeps the last value read (0.0 when none).
void ReadXData(CArchive& ar, double* pX, int iCount, int iCapacity)
{
    CTraceRecord::CheckCount(ar, iCount, 8, "X data size");
    if (iCount > iCapacity || (iCount > 0 && !pX))
        throw CArchiveException(CArchiveException::badIndex, "X data larger than the trace");
    for (int i = 0; i < iCount; ++i) ar >> pX[i];
    for (int i = iCount; i < iCapacity && pX; ++i) pX[i] = iCount > 0 ? pX[iCount - 1] : 0.0;
}

// Stores the section through the archive sink; true when it did.
template <class Kind>
bool StoreSection(Kind& trace, CArchive& ar)
{
    if (!ar.IsStoring()) return false;
    CArchiveSink sink(ar);
    trace.DescribeSection(sink);
    return true;
}

} // namespace

void CTraceRecord::DescribeSection(CQXTrace& trace, IRecordSink& sink)
{
    if (auto* p = dynamic_cast<CFFTBaseTrace*>(&trace)) p->DescribeSection(sink);
    else if (auto* p = dynamic_cast<CFilterTrace*>(&trace)) p->DescribeSection(sink);
    else if (auto* p = dynamic_cast<CSweepTrace*>(&trace)) p->DescribeSection(sink);
    else if (auto* p = dynamic_cast<CFFTResponseTrace*>(&trace)) p->DescribeSection(sink);
    else if (auto* p = dynamic_cast<CUserTrace*>(&trace)) p->DescribeSection(sink);
}

// ---- Spectra ------------------------------------------------------------------------------

void CFFTBaseTrace::DescribeSection(IRecordSink& sink)
{
    sink.Double("m_dLowestValidFrequency", m_dLowestValidFrequency);
    sink.Double("m_dNyquistFrequency", m_dNyquistFrequency);
}

void CFFTBaseTrace::Serialize(CArchive& ar)
{
    CQXTrace::Serialize(ar);
    if (StoreSection(*this, ar)) return;
    // Older archives keep the lowest valid frequency the trace worked out itself.
    if (GetConfigVersion() >= 71) m_dLowestValidFrequency = Read<double>(ar);
    m_dNyquistFrequency = GetConfigVersion() >= 72 ? Read<double>(ar) : m_dMaxXScaleValue;
}

// ---- Filters ------------------------------------------------------------------------------

void CFilterTrace::DescribeSection(IRecordSink& sink) { sink.Int32("m_iFilterSource", m_iFilterSource); }

void CFilterTrace::Serialize(CArchive& ar)
{
    CQXTrace::Serialize(ar);
    if (StoreSection(*this, ar)) return;
    m_iFilterSource = Read<std::int32_t>(ar);
}

// ---- Sweeps -------------------------------------------------------------------------------

void CSweepTrace::DescribeSection(IRecordSink& sink)
{
    sink.Int32("m_iResultID", m_iResultID);
    sink.Int32("m_iFFTDetectorID", m_iFFTDetectorID);
    sink.Int32("m_iXAxisSourceType", m_iXAxisSourceType);
    sink.Int32("m_iXAxisResultID", m_iXAxisResultID);
    sink.Int32("m_iXAxisDetectorID", m_iXAxisDetectorID);
    sink.Int32("m_iXAxisRelativity", m_iXAxisRelativity);
    sink.Int32("m_iXAxisUnit", m_iXAxisUnit);
    sink.Double("m_dXAxisMinValue", m_dXAxisMinValue);
    sink.Double("m_dXAxisMaxValue", m_dXAxisMaxValue);
    sink.String("m_sResponseName", m_sResponseName);
    sink.Int32("m_bReverseSweep", m_bReverseSweep);
    sink.Int32("m_bSweepCopy", m_bSweepCopy);
    sink.Doubles("m_pXData", m_pXData.get(), m_pXData ? m_iDataSize : 0);
}

void CSweepTrace::Serialize(CArchive& ar)
{
    CQXTrace::Serialize(ar);
    if (StoreSection(*this, ar)) return;
    m_iResultID = Read<std::int32_t>(ar);
    m_iFFTDetectorID = Read<std::int32_t>(ar);
    m_iXAxisSourceType = Read<std::int32_t>(ar);
    m_iXAxisResultID = Read<std::int32_t>(ar);
    m_iXAxisDetectorID = Read<std::int32_t>(ar);
    m_iXAxisRelativity = Read<std::int32_t>(ar);
    m_iXAxisUnit = Read<std::int32_t>(ar);
    m_dXAxisMinValue = Read<double>(ar);
    m_dXAxisMaxValue = Read<double>(ar);
    m_sResponseName = Read<CString>(ar);
    m_bReverseSweep = Read<std::int32_t>(ar) != 0;
    m_bSweepCopy = Read<std::int32_t>(ar) != 0;
    ReadXData(ar, m_pXData.get(), m_iDataSize, m_iDataSize);
    m_bReferencesStale = true;
}

// ---- Multitone responses ------------------------------------------------------------------

void CFFTResponseTrace::DescribeSection(IRecordSink& sink)
{
    sink.UInt16("m_sFunction", static_cast<std::uint16_t>(m_sFunction));
    sink.UInt16("m_sSumBinsType", static_cast<std::uint16_t>(m_sSumBinsType));
    sink.UInt16("m_sIncludeType", static_cast<std::uint16_t>(m_sIncludeType));
    sink.Int32("m_iAnaOtherValueBin", m_iAnaOtherValueBin);
    sink.UInt16("m_sRelativeTo", static_cast<std::uint16_t>(m_sRelativeTo));
    sink.Int32("m_iReserved", m_iReserved);
    sink.Int32("m_iToneMode", m_iToneMode);
    sink.Double("m_dInputRange", m_dInputRange);
    sink.Int32("m_iExtra1", m_iExtra1);
    sink.Int32("m_iDataSize", m_iDataSize);
    sink.Doubles("m_pXData", m_pXData.get(), m_pXData ? m_iDataSize : 0);
    const int iBins = static_cast<int>(std::min(m_piAnaToneBins.size(), m_piGenToneBins.size()));
    sink.Int32("m_iNumToneBins", iBins);
    sink.Int32s("m_piAnaToneBins", m_piAnaToneBins.data(), iBins);
    sink.Int32s("m_piGenToneBins", m_piGenToneBins.data(), iBins);
    sink.Double("m_iExtra2", static_cast<double>(m_iExtra2));
}

void CFFTResponseTrace::Serialize(CArchive& ar)
{
    CQXTrace::Serialize(ar);
    if (StoreSection(*this, ar)) return;
    m_sFunction = static_cast<short>(Read<std::uint16_t>(ar));
    m_sSumBinsType = static_cast<short>(Read<std::uint16_t>(ar));
    m_sIncludeType = static_cast<short>(Read<std::uint16_t>(ar));
    m_iAnaOtherValueBin = Read<std::int32_t>(ar);
    m_sRelativeTo = static_cast<short>(Read<std::uint16_t>(ar));
    m_iReserved = Read<std::int32_t>(ar);
    m_iToneMode = Read<std::int32_t>(ar);
    m_dInputRange = Read<double>(ar);
    m_iExtra1 = Read<std::int32_t>(ar);
    ReadXData(ar, m_pXData.get(), Read<std::int32_t>(ar), m_iDataSize);
    const std::int32_t iBins = Read<std::int32_t>(ar);
    CTraceRecord::CheckCount(ar, iBins, 8, "tone bin count");
    std::vector<int> aAna(static_cast<size_t>(iBins));
    std::vector<int> aGen(static_cast<size_t>(iBins));
    for (int& v : aAna) v = Read<std::int32_t>(ar);
    for (int& v : aGen) v = Read<std::int32_t>(ar);
    const double dExtra2 = Read<double>(ar);
    // Kept as an integer: anything else in the file is not a value this trace held.
    m_iExtra2 = (dExtra2 >= INT32_MIN && dExtra2 <= INT32_MAX) ? static_cast<int>(dExtra2) : 0;
    m_iNumToneBins = iBins;
    m_piAnaToneBins = aAna;
    m_piGenToneBins = aGen;
    // Separate tone sets of the other channel are not stored: both channels share these.
    m_piOtherChannelAnaToneBins = std::move(aAna);
    m_piOtherChannelGenToneBins = std::move(aGen);
}

// ---- User traces --------------------------------------------------------------------------

void CUserTrace::DescribeSection(IRecordSink& sink)
{
    sink.Doubles("m_pXData", m_pXData.get(), m_pXData ? m_iDataSize : 0);
    sink.Double("m_dUserMinY", m_dUserMinY);
    sink.Double("m_dUserMaxY", m_dUserMaxY);
}

void CUserTrace::Serialize(CArchive& ar)
{
    CQXTrace::Serialize(ar);
    if (StoreSection(*this, ar)) return;
    ReadXData(ar, m_pXData.get(), m_iDataSize, m_iDataSize);
    m_dUserMinY = Read<double>(ar);
    m_dUserMaxY = Read<double>(ar);
}
