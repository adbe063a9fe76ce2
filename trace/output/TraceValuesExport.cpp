#include "trace/output/TraceValuesExport.h"

#include "host/app/ProgressWnd.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/output/TraceValuesView.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct SFileCloser {
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, SFileCloser>;

bool WriteBytes(std::FILE* pFile, const std::string& sBytes)
{
    return std::fwrite(sBytes.data(), 1, sBytes.size(), pFile) == sBytes.size();
}

} // namespace

void AppendUtf16LE(std::string& sBytes, std::wstring_view sText)
{
    // Sized first and written in place: a long export converts millions of characters.
    const size_t uStart = sBytes.size();
    sBytes.resize(uStart + 4 * sText.size());
    char* p = sBytes.data() + uStart;
    const auto unit = [&p](unsigned long u) {
        *p++ = static_cast<char>(u & 0xFF);
        *p++ = static_cast<char>((u >> 8) & 0xFF);
    };
    for (const wchar_t ch : sText) {
        const auto u = static_cast<unsigned long>(ch);
        if (u < 0x10000) {
            unit(u);
        } else if (u <= 0x10FFFF) {
            unit(0xD800 + ((u - 0x10000) >> 10));
            unit(0xDC00 + ((u - 0x10000) & 0x3FF));
        } else {
            unit(0xFFFD);
        }
    }
    sBytes.resize(static_cast<size_t>(p - sBytes.data()));
}

ETraceValuesExport WriteTraceValuesFile(CTraceValuesView& view, const CString& sPath, unsigned char cSeparator,
                                        bool bProgress)
{
    FilePtr pFile(std::fopen(sPath.ToUtf8().c_str(), "wb"));
    if (!pFile) return ETraceValuesExport::cannotOpen;
    // Large traces stream out: a buffer of a few blocks keeps the calls few.
    std::setvbuf(pFile.get(), nullptr, _IOFBF, 1 << 16);

    const int iCount = view.GetRowCount();
    const int iBlock = CTraceValuesView::kRowsPerBlock;
    std::optional<CProgressWnd> progress;
    if (bProgress) {
        progress.emplace(nullptr, LoadResString(IDS_TRACE_VALUES_EXPORT_CAPTION));
        progress->GoModal();
        progress->SetRange(0, iCount / iBlock);
        progress->SetText(LoadResString(IDS_TRACE_VALUES_EXPORT_WAIT));
        progress->SetStep(1);
    }

    std::string sBytes;
    AppendUtf16LE(sBytes, view.GetHeaderText(cSeparator).str());
    if (!WriteBytes(pFile.get(), sBytes)) return ETraceValuesExport::writeFailed;
    std::wstring sText;
    for (int iStart = 0; iStart < iCount; iStart += iBlock) {
        sText.clear();
        sBytes.clear();
        view.AppendTraceValuesText(sText, iStart, std::min(iStart + iBlock - 1, iCount - 1), cSeparator);
        AppendUtf16LE(sBytes, sText);
        if (!WriteBytes(pFile.get(), sBytes)) return ETraceValuesExport::writeFailed;
        if (progress) {
            progress->StepIt();
            if (!progress->PeekAndPump()) return ETraceValuesExport::cancelled;
        }
    }
    return std::fclose(pFile.release()) == 0 ? ETraceValuesExport::written : ETraceValuesExport::writeFailed;
}
