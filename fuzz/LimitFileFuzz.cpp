// Loading a limit file from any bytes, into a limit line of a spectrum. A
// load either gives a line that answers for its limits and saves again, or
// fails with the line empty; anything else stops the run.

#include "FuzzSupport.h"
#include "platform/Archive.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <vector>

namespace {

struct SLimitWorld : fuzz::SWorld {
    CQXTrace* pParent = doc.CreateTrace(TT_FFT, CHANNEL_A, 65, 0, 0, 0, 0, 1, 1, 1);
    SLimitWorld() : fuzz::SWorld(L"input.lim") {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SLimitWorld* world = &fuzz::Recycled<SLimitWorld>();
    if (!world->pParent) std::abort();

    CArchive ar(CArchive::load, std::vector<std::uint8_t>(data, data + size));
    CLimitLine line(world->pParent, 1, 0);
    if (line.InitialiseFromArchive(ar, CString(L"input.lim"), 0)) {
        // Every limit the check could ask for must be answerable.
        for (int i = 0; i < world->pParent->GetDataSize(); i += 8) {
            const double dX = world->pParent->GetXValueAtPos(i, line.GetLimitXUnit());
            (void)line.GetYDataAtXValue(dX, 0);
            (void)line.GetYDataAtXPos(i, 0);
        }
        CArchive out(CArchive::store);
        line.Serialize(out);
    } else if (line.HasTraceData() && line.HasLimitTable()) {
        std::abort();
    }
    world->host.ClearLog();
    return 0;
}
