// Loading a graph document file from any bytes. Each input is written to a
// file and loaded into the open document, as a user's file would be. A load
// either replaces the document's traces (which are then saved again) or
// fails and leaves the document, its traces and its scales as they were;
// anything else stops the run.

#include "FuzzSupport.h"
#include "trace/model/QXTrace.h"

#include <vector>

namespace {

struct SDocWorld : fuzz::SWorld {
    SDocWorld() : fuzz::SWorld(L"input.twc") { doc.Initialise(); }
};

// What a refused load must leave alone.
std::vector<const void*> Snapshot(CGraphDoc& doc)
{
    std::vector<const void*> a;
    for (ChannelNumber e : {CHANNEL_A, CHANNEL_B})
        for (CQXTrace* p : doc.GetTraceArray(e)) a.insert(a.end(), {p, p->GetMaxLimitLine(), p->GetMinLimitLine()});
    for (const auto* p : doc.GetXScales()) a.push_back(p);
    for (const auto* p : doc.GetYScales()) a.push_back(p);
    a.push_back(doc.GetCurrentTrace());
    return a;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SDocWorld* world = &fuzz::Recycled<SDocWorld>();
    fuzz::WriteInput(world->sPath, data, size);

    CGraphDoc& doc = world->doc;
    const std::vector<const void*> before = Snapshot(doc);
    const CString sTitle = doc.GetGraphTitle();
    if (!doc.LoadDocumentFile(world->sPath, 0)) {
        if (Snapshot(doc) != before || doc.GetGraphTitle() != sTitle) std::abort();
    } else {
        for (ChannelNumber e : {CHANNEL_A, CHANNEL_B})
            for (CQXTrace* p : doc.GetTraceArray(e))
                if (p->GetChannel() != e || p->GetTraceID() == 0) std::abort();
        if (!doc.SaveDocumentFile(world->host.GetRoot() + L"/output.twc")) std::abort();
    }
    world->host.PumpMessages();
    world->host.ClearLog();
    return 0;
}
