// Loading a graph document file from any bytes. Each input is written to a
// file and loaded into the open document, as a user's file would be. A load
// either replaces the document's traces (which are then saved again) or
// fails and leaves the document, its traces and its scales as they were;
// anything else stops the run.

#include "host/app/HeadlessHost.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct SWorld {
    CHeadlessHost host;
    CGraphDoc doc;
    CString sPath;
    SWorld() : sPath(host.GetRoot() + L"/input.twc")
    {
        host.SetGraphDoc(&doc);
        doc.Initialise();
    }
    ~SWorld() { host.PumpMessages(); }
};

bool WriteInput(const CString& sPath, const std::uint8_t* data, std::size_t size)
{
    std::FILE* pFile = std::fopen(sPath.ToUtf8().c_str(), "wb");
    if (!pFile) return false;
    const bool bOk = std::fwrite(data, 1, size, pFile) == size;
    return std::fclose(pFile) == 0 && bOk;
}

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
    // Never destroyed at exit: the host's teardown would run after the
    // path resolver it restores has gone. A fresh host now and then keeps
    // its recordings (hints, log) small.
    static SWorld* world = nullptr;
    static unsigned runs = 0;
    if (!world || ++runs % 4096 == 0) {
        delete world;
        world = new SWorld();
    }
    if (!WriteInput(world->sPath, data, size)) std::abort();

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
