// Writes a seed corpus for fuzz_tracefile: one trace file per trace kind,
// saved by the project's own code, with marks, cursors and a zoom so that
// every optional record is present somewhere.
//   make_tracefile_seeds <folder>

#include "FuzzSupport.h"
#include "trace/compute/Compute.h"
#include "trace/compute/ComputeList.h"
#include "trace/model/QXTrace.h"

#include <algorithm>

int main(int argc, char** argv)
{
    const std::string sFolder = fuzz::SeedFolder(argc, argv);
    if (sFolder.empty()) return 2;
    CHeadlessHost host;
    CGraphDoc doc;
    host.SetGraphDoc(&doc);
    const TraceType aTypes[] = {TT_SCOPE,  TT_FFT,    TT_CTDET, TT_CTFFT, TT_FILTER,
                                TT_WINDOW, TT_SWEEP1, TT_USER,  TT_FFTRESPONSE};
    int iWritten = 0;
    for (TraceType eType : aTypes) {
        // Small traces keep the seeds short; the sizes still differ by kind.
        const int iSize = std::clamp(CQXTrace::GetDefaultDataSize(eType) / 16, 8, 64);
        CQXTrace* pTrace = doc.CreateTrace(eType, CHANNEL_B, iSize, 0, 0, 0, 0, 1, 1, 1);
        if (!pTrace) continue;
        for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetYDataBuffer(0)[i] = 1.0 + i;
        if (pTrace->HasXData())
            for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetXData()[i] = 100.0 * (i + 1);
        pTrace->AddMark(1, 0);
        pTrace->AddMark(pTrace->GetDataSize() - 1, 0);
        pTrace->CursorOn();
        pTrace->ZoomX(0, 1, pTrace->GetDataSize() - 2, 1);
        pTrace->SetComment(L"seed");
        iWritten += doc.SaveTrace(pTrace, CString(sFolder + "/kind" + std::to_string(eType)), 0);
    }
    // One spectrum with a shown list of computes (one of them disabled).
    if (CQXTrace* pTrace = doc.CreateTrace(TT_FFT, CHANNEL_A, 64, 0, 0, 0, 0, 1, 1, 1)) {
        CComputeList list;
        for (ComputeType eType : {COMPUTE_NORMALISE, COMPUTE_INVERT, COMPUTE_INVERT})
            if (CCompute* pCompute = CreateComputeObject(eType, pTrace)) list.AddComputeObject(pCompute);
        if (list.GetNumComputeObjects() == 3) list.GetComputeObjectAt(2)->SetEnabled(false);
        pTrace->SetComputeList(&list);
        pTrace->SetShowTransformedYData(1, 0);
        iWritten += doc.SaveTrace(pTrace, CString(sFolder + "/computes"), 0);
    }
    host.PumpMessages();
    return fuzz::Report(iWritten, sFolder, iWritten > 0);
}
