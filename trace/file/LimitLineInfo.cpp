// The limit-line record of a limit file as JSON fields (`tracewin info`):
// the record is read into a line of its own, as loading would read it, and
// shown by field.

#include "platform/Archive.h"
#include "trace/file/ComputeRecord.h"
#include "trace/file/RecordSink.h"
#include "trace/file/TraceFileHeader.h"
#include "trace/file/TraceFileInfo.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"

#include <vector>

namespace {

void DescribeTable(const CLimitTable& table, CJsonSink& sink)
{
    const std::vector<LimitTablePoint>& aPoints = table.GetPoints();
    std::vector<double> adX, adY;
    std::vector<int> aiConnected, aiPolarity;
    for (const LimitTablePoint& p : aPoints) {
        adX.push_back(p.dX);
        adY.push_back(p.dY);
        aiConnected.push_back(p.bConnected);
        aiPolarity.push_back(p.ePolarity);
    }
    const int n = static_cast<int>(aPoints.size());
    sink.Int32("xUnit", table.GetXUnit());
    sink.Int32("yUnit", table.GetYUnit());
    sink.Int32("pointCount", n);
    sink.Doubles("x", adX.data(), n);
    sink.Doubles("y", adY.data(), n);
    sink.Int32s("connected", aiConnected.data(), n);
    sink.Int32s("polarity", aiPolarity.data(), n);
}

void DescribeTraceData(CLimitLine& line, CJsonSink& sink)
{
    const int n = line.GetDataSize();
    sink.Int32("dataSize", n);
    sink.Doubles("values", line.GetYDataBuffer(0), n);
    for (const int bTransformed : {0, 1}) {
        const bool bPresent = line.HasPolarityData(bTransformed) != 0;
        sink.Flag32(bTransformed ? "hasTransformedPolarity" : "hasPolarity", bPresent);
        if (!bPresent) continue;
        std::vector<int> aiPolarity;
        for (int i = 0; i < n; ++i) aiPolarity.push_back(line.GetPolarityAtPos(i, bTransformed));
        sink.Int32s(bTransformed ? "transformedPolarity" : "polarity", aiPolarity.data(), n);
    }
    sink.Int32("xUnitCreated", line.GetXUnitCreated());
    sink.Int32("yUnitCreated", line.GetYUnitCreated());
    sink.Double("maxXWhenCreated", line.GetMaxXValueWhenCreated());
}

} // namespace

bool DescribeLimitRecord(CArchive& ar, const STraceFileHeader& header, CJsonSink& sink, std::string& sError)
{
    CLimitLine line;
    const bool bTable = header.uMagic == LIMIT_FILE_MAGIC_TABLE;
    try {
        if (bTable) {
            line.EnsureLimitTable()->Serialize(ar);
            line.ReadTableTail(ar);
        } else {
            line.SetTableFlag(0);
            line.Serialize(ar);
        }
    } catch (const CArchiveException& e) {
        sError = DescribeCorruption(ar, bTable ? "the limit table" : "the limit-line record", e.what());
        return false;
    }
    sink.BeginObject("record");
    DescribeLimitLineBody(line, sink);
    sink.EndObject();
    return true;
}

void DescribeLimitLineBody(CLimitLine& line, CJsonSink& sink)
{
    sink.String("form", CString(line.HasLimitTable() ? L"limit table" : L"trace data"));
    if (line.HasLimitTable())
        DescribeTable(*line.GetLimitTable(), sink);
    else
        DescribeTraceData(line, sink);
    // Either form may carry computes and their result.
    CComputeList* pList = line.GetComputeList();
    sink.Flag32("hasComputeList", pList != nullptr);
    if (pList) {
        sink.BeginRecord("m_pComputeList");
        ComputeRecord::Describe(*pList, sink);
        sink.EndRecord();
    }
    sink.Flag8("hasTransformedData", line.HasTransformedYData());
    sink.String("name", line.GetUserName());
}
