// Loading a trace file from any bytes. Each input is written to a file and
// loaded through the document, as a user's file would be. A load either
// gives a trace (which is then saved again and removed) or fails and leaves
// the document as it was; anything else stops the run.

#include "FuzzSupport.h"
#include "trace/model/QXTrace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::SWorld* world = &fuzz::Recycled<fuzz::SWorld>(L"input.trc");
    fuzz::WriteInput(world->sPath, data, size);

    CGraphDoc& doc = world->doc;
    const std::size_t iBefore = doc.GetTraceArray(CHANNEL_A).size();
    const std::size_t iScalesBefore = doc.GetXScales().size() + doc.GetYScales().size();
    CQXTrace* pTrace = doc.LoadTrace(world->sPath, CHANNEL_A, 0);
    if (!pTrace) {
        if (doc.GetTraceArray(CHANNEL_A).size() != iBefore) std::abort();
        if (doc.GetXScales().size() + doc.GetYScales().size() != iScalesBefore) std::abort();
    } else {
        if (pTrace->IsLive() || pTrace->GetTraceID() == 0) std::abort();
        (void)pTrace->GetTraceName(1, 1, 0);
        doc.SaveTrace(pTrace, world->host.GetRoot() + L"/output", 0);
        doc.RemoveTrace(pTrace, 0);
    }
    world->host.PumpMessages();
    world->host.ClearLog();
    return 0;
}
