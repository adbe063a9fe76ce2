// Writes a seed corpus for fuzz_documentfile with the project's own saving
// code: a new document, and one with small traces of several kinds, marks,
// a cursor, both forms of limit line and a row that is not saved, so that
// every kind of entry occurs.
//   make_documentfile_seeds <folder>

#include "FuzzSupport.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/QXTrace.h"


int main(int argc, char** argv)
{
    const std::string sFolder = fuzz::SeedFolder(argc, argv);
    if (sFolder.empty()) return 2;
    CHeadlessHost host;
    int iWritten = 0;
    {
        CGraphDoc doc;
        host.SetGraphDoc(&doc);
        doc.Initialise();
        iWritten += doc.SaveDocumentFile(CString(sFolder + "/new.twc"));
        host.PumpMessages();
        host.SetGraphDoc(nullptr);
    }
    CGraphDoc doc;
    host.SetGraphDoc(&doc);
    doc.SetGraphTitle(L"seed");
    doc.SetGraphComment(L"small traces");
    // Small traces keep the seed short.
    for (TraceType eType : {TT_SCOPE, TT_FFT, TT_CTDET, TT_SWEEP1, TT_USER}) {
        for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) {
            CQXTrace* pTrace = doc.CreateTrace(eType, eChannel, 16, 0, 0, eType != TT_USER, 0, 1, 1, 1);
            if (!pTrace) continue;
            for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetYDataBuffer(0)[i] = 1.0 + i;
            if (pTrace->HasXData())
                for (int i = 0; i < pTrace->GetDataSize(); ++i) pTrace->GetXData()[i] = 100.0 * (i + 1);
            pTrace->AddMark(2, 0);
            pTrace->CursorOn();
        }
    }
    if (CQXTrace* pFft = doc.GetTraceFromArray(CHANNEL_A, TT_FFT, 0, 1)) {
        auto* pMax = new CLimitLine(pFft, 1, 0);
        pMax->SetTraceID(doc.GetNextTraceID());
        if (pMax->CopyDataFromTrace()) pFft->SetLimitLineForTrace(pMax, TT_MAXLIMITLINE, 1, 0, 0);
        else delete pMax;
        auto* pMin = new CLimitLine(pFft, 0, 0);
        pMin->SetTraceID(doc.GetNextTraceID());
        pMin->EnsureLimitTable()->AddPoint(100.0, 0.5, 1, POLARITY_NONE);
        pMin->EnsureLimitTable()->AddPoint(900.0, 0.25, 1, POLARITY_NONE);
        pFft->SetLimitLineForTrace(pMin, TT_MINLIMITLINE, 1, 0, 0);
    }
    if (!doc.GetSaveTable(CHANNEL_B)->empty()) doc.GetSaveTable(CHANNEL_B)->front().m_bSave = 0;
    iWritten += doc.SaveDocumentFile(CString(sFolder + "/kinds.twc"));
    host.PumpMessages();
    host.SetGraphDoc(nullptr);
    return fuzz::Report(iWritten, sFolder, iWritten == 2);
}
