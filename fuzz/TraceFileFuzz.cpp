// Loading a trace file from any bytes. Each input is written to a file and
// loaded through the document, as a user's file would be. A load either
// gives a trace (which is then saved again and removed) or fails and leaves
// the document as it was; anything else stops the run.

#include "host/app/HeadlessHost.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct SWorld {
    CHeadlessHost host;
    CGraphDoc doc;
    CString sPath;
    SWorld() : sPath(host.GetRoot() + L"/input.trc") { host.SetGraphDoc(&doc); }
    ~SWorld() { host.PumpMessages(); }
};

bool WriteInput(const CString& sPath, const std::uint8_t* data, std::size_t size)
{
    std::FILE* pFile = std::fopen(sPath.ToUtf8().c_str(), "wb");
    if (!pFile) return false;
    const bool bOk = std::fwrite(data, 1, size, pFile) == size;
    return std::fclose(pFile) == 0 && bOk;
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
