#include "trace/file/TraceFileInfo.h"

#include "host/app/AppServices.h"
#include "platform/Archive.h"
#include "trace/document/GraphDoc.h"
#include "trace/file/RecordSink.h"
#include "trace/file/TraceFileHeader.h"
#include "trace/file/TraceRecord.h"
#include "trace/model/QXTrace.h"

#include <memory>

namespace {

void DescribeHeader(const STraceFileHeader& header, CJsonSink& sink)
{
    sink.BeginObject("header");
    sink.Int64("magic", header.uMagic);
    sink.Int32("versionNumber", header.iVersionNumber);
    sink.String("versionLetter", CString(static_cast<wchar_t>(header.iVersionLetter)));
    sink.Int32("configVersion", header.iConfigVersion);
    if (header.HasTraceFields()) {
        sink.Int32("traceType", header.eTraceType);
        sink.Int32("channel", header.eChannel);
        sink.Int32("extraInfo", header.lExtraInfo);
    }
    sink.EndObject();
}

} // namespace

// DescribeLimitRecord is the limit line's own (trace/file/LimitLineInfo.cpp).

bool DescribeTraceFile(const CString& sPath, std::string& sJson, std::string& sError)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) {
        sError = "no graph document";
        return false;
    }
    EInputFileProblem eProblem = EInputFileProblem::none;
    std::unique_ptr<CArchive> pArchive = CArchive::OpenFile(sPath, CArchive::load, &eProblem);
    if (!pArchive) {
        sError = DescribeInputFileProblem(eProblem);
        return false;
    }
    CJsonSink sink;
    sink.String("path", sPath);
    const char* szPart = "the header";
    try {
        STraceFileHeader header;
        const EHeaderResult eHeader = ReadTraceFileHeader(*pArchive, header, true);
        if (eHeader != EHeaderResult::ok) {
            sError = DescribeHeaderRefusal(eHeader, header, "trace or limit file");
            return false;
        }
        DescribeHeader(header, sink);
        CArchiveVersionScope version(*pArchive);
        szPart = header.HasTraceFields() ? "the trace record" : "the limit-line record";
        if (!header.HasTraceFields()) {
            if (!DescribeLimitRecord(*pArchive, header, sink, sError)) return false;
        } else {
            if (header.eTraceType == TT_MAXLIMITLINE || header.eTraceType == TT_MINLIMITLINE) {
                sError = "a trace file of a limit-line type";
                return false;
            }
            const ChannelNumber eChannel = header.eChannel == CHANNEL_B ? CHANNEL_B : CHANNEL_A;
            std::unique_ptr<CQXTrace> pTrace(
                pDoc->CreateTrace(header.eTraceType, eChannel, 0, header.lExtraInfo, 0, 0, 0, 0, 0, 0));
            if (!pTrace) {
                sError = "unknown trace type " + std::to_string(header.eTraceType);
                return false;
            }
            pTrace->LoadTrace(*pArchive, 1);
            // The shown state of the transforms is derived: apply the request first.
            pTrace->PostSerializeTransformations();
            sink.BeginObject("record");
            CTraceRecord::Describe(*pTrace, sink);
            sink.EndObject();
            sink.BeginObject("section");
            CTraceRecord::DescribeSection(*pTrace, sink);
            sink.EndObject();
        }
        sink.Int64("bytesLeft", static_cast<std::int64_t>(pArchive->GetRemaining()));
    } catch (const CArchiveException& e) {
        sError = DescribeCorruption(*pArchive, szPart, e.what());
        return false;
    }
    sJson = sink.GetText();
    return true;
}
