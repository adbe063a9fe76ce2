// Writes a seed corpus for fuzz_limitfile with the project's own saving
// code: trace-data lines of a spectrum and of a scope trace (with polarity),
// and a limit table.
//   make_limitfile_seeds <folder>

#include "FuzzSupport.h"
#include "trace/compute/Compute.h"
#include "trace/compute/ComputeList.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/QXTrace.h"

#include <cfloat>

int main(int argc, char** argv)
{
    const std::string sFolder = fuzz::SeedFolder(argc, argv);
    if (sFolder.empty()) return 2;
    CHeadlessHost host;
    CGraphDoc doc;
    host.SetGraphDoc(&doc);
    int iWritten = 0;
    for (TraceType eType : {TT_FFT, TT_SCOPE}) {
        CQXTrace* pTrace = doc.CreateTrace(eType, CHANNEL_A, 16, 0, 0, 0, 0, 1, 1, 1);
        if (!pTrace) continue;
        for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetYDataBuffer(0)[i] = 1000.0 * (i - 4);
        CLimitLine data(pTrace, 1, 0);
        if (data.CopyDataFromTrace())
            iWritten += doc.SaveTrace(&data, CString((sFolder + "/data" + std::to_string(eType)).c_str()), 0);
        CLimitLine table(pTrace, 0, 0);
        if (CLimitTable* pTable = table.EnsureLimitTable()) {
            pTable->AddPoint(100.0, -20.0, 0, 0);
            pTable->AddPoint(1000.0, -10.0, 1, 0);
            pTable->AddPoint(5000.0, DBL_MAX, 1, 0);
            pTable->AddPoint(8000.0, -30.0, 0, 0);
            iWritten += doc.SaveTrace(&table, CString((sFolder + "/table" + std::to_string(eType)).c_str()), 0);
        }
        // Both forms again with a shown invert, so the compute tail is in the corpus.
        CComputeList list;
        if (CCompute* pInvert = CreateComputeObject(COMPUTE_INVERT, pTrace)) list.AddComputeObject(pInvert);
        for (CLimitLine* pLine : {&data, &table}) {
            pLine->SetComputeList(&list);
            pLine->SetShowTransformedYData(1, 0);
            const std::string sName = sFolder + (pLine == &data ? "/data-computes" : "/table-computes");
            iWritten += doc.SaveTrace(pLine, CString((sName + std::to_string(eType)).c_str()), 0);
        }
    }
    host.PumpMessages();
    return fuzz::Report(iWritten, sFolder, iWritten > 0);
}
