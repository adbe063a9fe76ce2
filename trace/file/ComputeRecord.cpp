#include "trace/file/ComputeRecord.h"

#include "host/app/DebugLog.h"
#include "host/app/FileVersion.h"
#include "platform/Archive.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeList.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/compute/ComputeRelative.h"
#include "trace/compute/ComputeSmooth.h"
#include "trace/compute/ComputeSumBins.h"
#include "trace/file/RecordSink.h"
#include "trace/file/TraceRecord.h"

#include <cstdint>
#include <memory>

namespace {

bool From100g() { return CheckFileVersion(100, 'g') >= 0; }

template <typename T>
T ReadValue(CArchive& ar)
{
    T v{};
    ar >> v;
    return v;
}

void DescribeCompute(CCompute& compute, IRecordSink& s)
{
    const ComputeType eType = compute.GetComputeType();
    s.Int32("type", eType);
    s.BeginRecord(nullptr);
    s.Note("description", compute.GetListLine());
    s.Int32("m_eComputeType", eType);
    s.Flag8("m_bEnabled", compute.IsEnabled());
    if (auto* pNormalise = dynamic_cast<CComputeNormalise*>(&compute)) {
        s.Double("m_dYValue", pNormalise->GetYValue());
        s.Int32("m_eYUnit", pNormalise->GetYUnit());
        s.Double("m_dXValue", pNormalise->GetXValue());
        s.Int32("m_eXUnit", pNormalise->GetXUnit());
    } else if (auto* pInvert = dynamic_cast<CComputeInvert*>(&compute)) {
        s.Int32("m_bInvertAroundCursor", pInvert->GetInvertAroundCursor());
        s.Double("m_dInvertValue", pInvert->GetInvertValue());
        s.Int32("m_eYUnit", pInvert->GetInvertUnit());
    } else if (auto* pSmooth = dynamic_cast<CComputeSmooth*>(&compute)) {
        s.Int32("m_iHalfWidth", pSmooth->GetHalfWidth());
        s.Int32("m_iPasses", pSmooth->GetPasses());
    } else if (auto* pSum = dynamic_cast<CComputeSumBins*>(&compute)) {
        s.UInt16("m_sBandWidth", static_cast<std::uint16_t>(pSum->GetBandWidth()));
    } else if (auto* pRelative = dynamic_cast<CComputeRelative*>(&compute)) {
        s.UInt16("m_sGoldenTraceID", static_cast<std::uint16_t>(pRelative->GetGoldenTraceID()));
        s.Flag32("m_iRelativeMode", pRelative->GetRelativeMode());
    }
    s.EndRecord();
}

// The fields of a kind after the base part into a new compute; null for
// the kinds this build reads past.
CCompute* ReadKind(CArchive& ar, int iType)
{
    switch (iType) {
    case COMPUTE_NORMALISE: {
        auto p = std::make_unique<CComputeNormalise>();
        p->SetYValue(ReadValue<double>(ar));
        p->SetYUnit(static_cast<EUnit>(ReadValue<std::int32_t>(ar)));
        p->SetXValue(ReadValue<double>(ar));
        p->SetXUnit(static_cast<EUnit>(ReadValue<std::int32_t>(ar)));
        return p.release();
    }
    case COMPUTE_INVERT: {
        auto p = std::make_unique<CComputeInvert>();
        p->SetInvertAroundCursor(ReadValue<std::int32_t>(ar));
        p->SetInvertValue(ReadValue<double>(ar));
        p->SetYUnit(static_cast<EUnit>(ReadValue<std::int32_t>(ar)));
        return p.release();
    }
    case COMPUTE_SMOOTH: {
        // Counts outside 1 .. 10 keep the defaults.
        auto p = std::make_unique<CComputeSmooth>();
        p->SetHalfWidth(ReadValue<std::int32_t>(ar));
        p->SetPasses(ReadValue<std::int32_t>(ar));
        return p.release();
    }
    case COMPUTE_SUMBINS: {
        // An unknown band width is kept: the transform then refuses to run.
        auto p = std::make_unique<CComputeSumBins>();
        p->SetBandWidth(static_cast<short>(ReadValue<std::uint16_t>(ar)));
        return p.release();
    }
    case COMPUTE_RELATIVE: {
        auto p = std::make_unique<CComputeRelative>();
        p->SetGoldenTrace(static_cast<short>(ReadValue<std::uint16_t>(ar)));
        if (GetConfigVersion() >= 60) p->SetRelative(ReadValue<std::int32_t>(ar));
        return p.release();
    }
    default: throw CArchiveException(CArchiveException::badClass, "unknown compute type");
    }
}

} // namespace

void ComputeRecord::Describe(CComputeList& list, IRecordSink& s)
{
    s.Int32("m_bApplyToCopy", list.GetApplyToCopy());
    s.Int32("count", list.GetNumComputeObjects());
    s.BeginList("m_aComputations");
    for (int i = 0; i < list.GetNumComputeObjects(); ++i) DescribeCompute(*list.GetComputeObjectAt(i), s);
    s.EndList();
}

std::unique_ptr<CComputeList> ComputeRecord::Read(CArchive& ar)
{
    auto pList = std::make_unique<CComputeList>();
    pList->SetApplyToCopy(From100g() ? ReadValue<std::int32_t>(ar) : 0);
    const std::int32_t iCount = ReadValue<std::int32_t>(ar);
    CTraceRecord::CheckCount(ar, iCount, 4, "compute count");
    int iDropped = 0;
    for (int i = 0; i < iCount; ++i) {
        const std::int32_t iType = ReadValue<std::int32_t>(ar);
        if (iType == COMPUTE_SUMBINS && !From100g()) {
            // The first form of band sums: read past.
            ReadValue<double>(ar);
            ReadValue<std::int32_t>(ar);
            CString sSkipped;
            ar >> sSkipped;
            ++iDropped;
            continue;
        }
        ReadValue<std::int32_t>(ar); // the type again
        const bool bEnabled = From100g() ? ReadValue<std::uint8_t>(ar) != 0 : true;
        if (CheckFileVersion(100, 'f') <= 0)
            for (int k = 0; k < 3; ++k) ReadValue<std::int32_t>(ar);
        CCompute* pCompute = ReadKind(ar, iType);
        if (!pCompute) {
            ++iDropped;
            continue;
        }
        pCompute->SetEnabled(bEnabled);
        pList->AddComputeObject(pCompute);
    }
    if (iDropped > 0)
        QXDebugLog(2, "CComputeList::Serialize", "SER: %d computes of kinds not kept by this build read and dropped",
                   iDropped);
    return pList;
}
