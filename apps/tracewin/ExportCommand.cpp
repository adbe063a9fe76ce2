// `tracewin export`: the graph exported as the trace window exports it
// (title above, print legend and comment below, print colours), in any
// offered format, from the built-in, a loaded or the live document. The
// document options are render's.

#include "apps/common/BuiltInDocument.h"
#include "apps/common/SweepSource.h"
#include "apps/tracewin/Commands.h"
#include "apps/tracewin/RenderCommand.h"
#include "host/app/HeadlessHost.h"
#include "qt/QtGraphPrinter.h"
#include "qt/QtPictureEncoder.h"
#include "trace/document/GraphDoc.h"
#include "trace/output/ExportFormat.h"
#include "trace/output/GraphExport.h"

#include <cstdio>

const char* const kPrintUsage =
    "usage: tracewin print [--pdf FILE] [--title T] [--comment C] [--bw] [--file DOC.twc]\n"
    "                      [render's document options: --channel, --traces, --live N, --sweep, --trace,\n"
    "                       --limit, --compute, --log-x]\n"
    "  prints the graph on an A4 landscape page into a PDF file (default graph.pdf)\n";

const char* const kExportUsage =
    "usage: tracewin export [--format emf|png|jpg|bmp|tiff|svg|pdf|...] [--size WxH] [--title T] [--comment C]\n"
    "                       [--bw] [--file DOC.twc] [--out FILE]\n"
    "                       [render's document options: --channel, --traces, --live N, --sweep, --trace,\n"
    "                        --limit, --compute, --log-x]\n"
    "  the format is --format's, else the extension of --out's (an unknown one writes FILE.emf);\n"
    "  --out defaults to graph.<format>; the size to 80 % of the screen\n";

namespace {

struct SExportCommand {
    std::string sFormat; // an extension, lower case; empty: --out's
    std::string sOut;
    std::string sDocument;
    std::string sTitle, sComment;
    bool bTitle = false, bComment = false, bBlackAndWhite = false;
    CSize size;
    Args renderArgs; // the document options, parsed by render
};

bool ParseExportCommand(const Args& args, SExportCommand& cmd, std::string& sError)
{
    CArgReader reader(args);
    std::string sValue;
    while (!reader.AtEnd()) {
        const std::string& sArg = reader.Next();
        if (sArg == "--format" || sArg == "--out" || sArg == "-o" || sArg == "--file" || sArg == "--title" ||
            sArg == "--comment" || sArg == "--size") {
            if (!reader.Value(sValue, sError)) return false;
            if (sArg == "--format") cmd.sFormat = CString(sValue).MakeLower().ToUtf8();
            else if (sArg == "--file") cmd.sDocument = sValue;
            else if (sArg == "--title") cmd.sTitle = sValue, cmd.bTitle = true;
            else if (sArg == "--comment") cmd.sComment = sValue, cmd.bComment = true;
            else if (sArg == "--size" && !ParseRenderSize(sValue, cmd.size.cx, cmd.size.cy)) {
                sError = "bad size '" + sValue + "' (WxH, each 1 to " + std::to_string(kMaxRenderSide) + ")";
                return false;
            } else if (sArg == "--out" || sArg == "-o") cmd.sOut = sValue;
        } else if (sArg == "--bw") {
            cmd.bBlackAndWhite = true;
        } else {
            cmd.renderArgs.push_back(sArg);
        }
    }
    if (cmd.sOut.empty()) cmd.sOut = "graph." + (cmd.sFormat.empty() ? std::string("emf") : cmd.sFormat);
    const std::string sOutExt = FileExtensionOf(CString(cmd.sOut)).MakeLower().ToUtf8();
    if (!cmd.sFormat.empty() && sOutExt.empty()) cmd.sOut += "." + cmd.sFormat;
    else if (!cmd.sFormat.empty() && sOutExt != cmd.sFormat) {
        sError = "--format " + cmd.sFormat + " and the extension of '" + cmd.sOut + "' disagree";
        return false;
    }
    return true;
}

// The formats offered, as extensions.
std::string OfferedFormats(const CExportFormatManager& formats)
{
    std::string s;
    for (const SExportFormat& f : formats.GetFormats()) s += (s.empty() ? "" : ", ") + DefaultExtensionOf(f).ToUtf8();
    return s;
}

} // namespace

namespace {

// The document of an export or print: render's, a document file over it,
// then title, comment and black and white. kExitOk or an exit code (the
// message printed).
int PrepareDocument(const char* szCommand, const SExportCommand& cmd, const SRenderOptions& options,
                    CBuiltInDocument& built, std::unique_ptr<CSweepSource>& pSweep, std::string& sVerdict, bool& bPassed)
{
    std::string sError;
    if (const int iExit = PrepareRenderDocument(built, options, pSweep, sError, sVerdict, bPassed); iExit != kExitOk) {
        std::fprintf(stderr, "tracewin %s: %s\n", szCommand, sError.c_str());
        return iExit;
    }
    CGraphDoc& doc = built.GetDoc();
    if (!cmd.sDocument.empty()) {
        std::string sReason;
        if (!doc.LoadDocumentFile(CString(CommandLinePath(cmd.sDocument)), 0, &sReason)) {
            std::fprintf(stderr, "tracewin %s: cannot load the document '%s': %s\n", szCommand, cmd.sDocument.c_str(),
                         sReason.c_str());
            return kExitFailure;
        }
    }
    if (cmd.bTitle) doc.SetGraphTitle(CString::FromUtf8(cmd.sTitle));
    if (cmd.bComment) doc.SetGraphComment(CString::FromUtf8(cmd.sComment));
    if (cmd.bBlackAndWhite) doc.SetBlackAndWhite(1, 1);
    return kExitOk;
}

// Both commands' arguments: theirs, then render's document options.
bool ParseCommand(const char* szCommand, const char* szUsage, const Args& args, SExportCommand& cmd,
                  SRenderOptions& options)
{
    std::string sError;
    Args renderArgs;
    if (ParseExportCommand(args, cmd, sError)) {
        renderArgs = cmd.renderArgs;
        renderArgs.insert(renderArgs.end(), {"-o", cmd.sOut});
    }
    if (sError.empty() && ParseRenderOptions(renderArgs, options, sError)) return true;
    std::fprintf(stderr, "tracewin %s: %s\n%s", szCommand, sError.c_str(), szUsage);
    return false;
}

} // namespace

int RunExport(const Args& args)
{
    SExportCommand cmd;
    SRenderOptions options;
    if (!ParseCommand("export", kExportUsage, args, cmd, options)) return kExitUsage;
    const CHeadlessGuiApplication app;
    const CQtPictureEncoder encoder;
    const CExportFormatManager formats = CExportFormatManager::FromInstalled();
    if (!cmd.sFormat.empty() && formats.FindFormatForExtension(CString(cmd.sFormat)) < 0) {
        std::fprintf(stderr, "tracewin export: unknown format '%s' (offered: %s)\n", cmd.sFormat.c_str(),
                     OfferedFormats(formats).c_str());
        return kExitUsage;
    }
    CBuiltInDocument built;
    std::unique_ptr<CSweepSource> pSweep;
    std::string sVerdict;
    bool bPassed = true;
    if (const int iExit = PrepareDocument("export", cmd, options, built, pSweep, sVerdict, bPassed); iExit != kExitOk)
        return iExit;

    SExportOptions exportOptions;
    exportOptions.size = cmd.size;
    const CString sPath(CommandLinePath(cmd.sOut));
    CString sWritten;
    const bool bOK = ExportGraph(built.GetDoc(), options.eChannel, &sPath, exportOptions, &sWritten);
    // The library's messages (an unknown extension, a failed write) as the window would show them.
    for (const CHeadlessHost::SMessageBox& box : built.GetHost().GetMessageBoxes())
        std::fprintf(stderr, "tracewin export: %s\n", box.sText.ToUtf8().c_str());
    if (!bOK) return kExitFailure;
    // The file actually written: absolute, with the extension it got.
    std::printf("%s\n", sWritten.ToUtf8().c_str());
    if (!sVerdict.empty()) std::printf("%s\n", sVerdict.c_str());
    return bPassed ? kExitOk : kExitLimitBreached;
}

int RunPrint(const Args& args)
{
    // --pdf FILE is the page's file; the picture options of export do not apply.
    Args translated;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" || args[i] == "-o" || args[i] == "--format" || args[i] == "--size") {
            std::fprintf(stderr, "tracewin print: %s is an export option\n%s", args[i].c_str(), kPrintUsage);
            return kExitUsage;
        }
        translated.push_back(args[i] == "--pdf" ? std::string("--out") : args[i]);
    }
    SExportCommand cmd;
    SRenderOptions options;
    if (!ParseCommand("print", kPrintUsage, translated, cmd, options)) return kExitUsage;
    if (FileExtensionOf(CString(cmd.sOut)).IsEmpty()) cmd.sOut += ".pdf";
    const CHeadlessGuiApplication app;
    CBuiltInDocument built;
    std::unique_ptr<CSweepSource> pSweep;
    std::string sVerdict;
    bool bPassed = true;
    if (const int iExit = PrepareDocument("print", cmd, options, built, pSweep, sVerdict, bPassed); iExit != kExitOk)
        return iExit;
    const std::string sPath = CommandLinePath(cmd.sOut);
    if (!PrintGraphToPdf(CString(sPath), built.GetDoc(), options.eChannel)) {
        std::fprintf(stderr, "tracewin print: cannot print to '%s'\n", cmd.sOut.c_str());
        return kExitFailure;
    }
    std::printf("%s\n", sPath.c_str());
    if (!sVerdict.empty()) std::printf("%s\n", sVerdict.c_str());
    return bPassed ? kExitOk : kExitLimitBreached;
}
