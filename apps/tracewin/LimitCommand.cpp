// `tracewin limit`: a limit file from a trace file (its values moved by an
// offset) or from a text table of X/Y points, for `render --limit`.

#include "apps/tracewin/CliArgs.h"

#include "apps/common/BuiltInDocument.h"
#include "host/units/Unit.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/limits/LimitLine.h"
#include "trace/limits/LimitTable.h"

#include <cstdio>
#include <fstream>
#include <sstream>

const char* const kLimitUsage =
    "usage: tracewin limit --trace FILE.trc [--offset D] -o FILE.lim\n"
    "       tracewin limit --table FILE.txt [--x-unit UNIT] [--y-unit UNIT] -o FILE.lim\n"
    "  --trace: the trace's values moved by D in its Y unit (dB for a spectrum in dBFS)\n"
    "  --table: one 'X Y' point a line (blanks or a comma between, # starts a comment),\n"
    "           in UNIT (default Hz and dBFS), joined by straight lines\n";

namespace {

struct SLimitOptions {
    std::string sTrace;
    std::string sTable;
    double dOffset = 0.0;
    std::string sXUnit = "Hz";
    std::string sYUnit = "dBFS";
    std::string sOutput;
};

bool ParseLimitOptions(const Args& args, SLimitOptions& options, std::string& sError)
{
    CArgReader reader(args);
    while (!reader.AtEnd()) {
        const std::string& sArg = reader.Next();
        std::string* psValue = sArg == "--trace"    ? &options.sTrace
                               : sArg == "--table"  ? &options.sTable
                               : sArg == "--x-unit" ? &options.sXUnit
                               : sArg == "--y-unit" ? &options.sYUnit
                               : (sArg == "-o" || sArg == "--output") ? &options.sOutput
                                                                      : nullptr;
        if (psValue) {
            if (!reader.Value(*psValue, sError)) return false;
        } else if (sArg == "--offset") {
            if (!reader.Number(options.dOffset, sError)) return false;
        } else {
            sError = "unknown option '" + sArg + "'";
            return false;
        }
    }
    if (options.sTrace.empty() == options.sTable.empty()) sError = "give one of --trace FILE and --table FILE";
    else if (!options.sTable.empty() && options.dOffset != 0.0) sError = "--offset goes with --trace";
    else if (options.sOutput.empty()) sError = "no output file (-o FILE.lim)";
    else if (NamesAFolder(options.sOutput)) sError = "'" + options.sOutput + "' is a folder, not a file";
    return sError.empty();
}

// The table's points, one "X Y" a line; false with the line that is not one.
bool ReadPointTable(const std::string& sPath, CLimitTable& table, std::string& sError)
{
    std::ifstream in(CommandLinePath(sPath));
    if (!in) {
        sError = "cannot read '" + sPath + "'";
        return false;
    }
    std::string sLine;
    for (int iLine = 1; std::getline(in, sLine); ++iLine) {
        sLine = sLine.substr(0, sLine.find('#'));
        for (char& c : sLine)
            if (c == ',' || c == '\t' || c == '\r') c = ' ';
        std::istringstream fields(sLine);
        std::string sX, sY, sMore;
        if (!(fields >> sX)) continue;
        double dX = 0, dY = 0;
        if (!(fields >> sY) || (fields >> sMore) || !ParseFiniteNumber(sX, dX) || !ParseFiniteNumber(sY, dY)) {
            sError = sPath + ", line " + std::to_string(iLine) + ": not two finite numbers X Y";
            return false;
        }
        if (table.AddPoint(dX, dY, 1, POLARITY_NONE) < 0) {
            sError = sPath + ", line " + std::to_string(iLine) + ": the point cannot be kept";
            return false;
        }
    }
    if (table.GetNumPoints() == 0) sError = sPath + " holds no points";
    return sError.empty();
}

// A table line on the built-in trace that shows the table's units.
int MakeTableLimit(CBuiltInDocument& built, const SLimitOptions& options, const std::string& sPath)
{
    const EUnit eX = FindUnitByName(CString::FromUtf8(options.sXUnit));
    const EUnit eY = FindUnitByName(CString::FromUtf8(options.sYUnit));
    for (const auto& [eUnit, sName] : {std::pair{eX, options.sXUnit}, std::pair{eY, options.sYUnit}})
        if (eUnit == UNIT_INVALID) {
            std::fprintf(stderr, "tracewin limit: unknown unit '%s' (see 'tracewin units')\n", sName.c_str());
            return kExitUsage;
        }
    CQXTrace* pParent = nullptr;
    for (const TraceType eKind : {TT_FFT, TT_SCOPE}) {
        CQXTrace* pTrace = built.GetLiveTrace(CHANNEL_A, eKind);
        if (pTrace && pTrace->IsLimitConsistent(eX, eY)) pParent = pTrace;
    }
    if (!pParent) {
        std::fprintf(stderr, "tracewin limit: no trace shows %s over %s (a spectrum: dB or volts over Hz; a scope "
                     "trace: volts or dBFS over time)\n", options.sYUnit.c_str(), options.sXUnit.c_str());
        return kExitUsage;
    }
    CLimitLine line(pParent, 1, 0);
    CLimitTable* pTable = line.EnsureLimitTable();
    std::string sError;
    if (!pTable) sError = "out of memory";
    else {
        pTable->SetXUnit(eX);
        pTable->SetYUnit(eY);
        ReadPointTable(options.sTable, *pTable, sError);
    }
    if (!sError.empty()) {
        std::fprintf(stderr, "tracewin limit: %s\n", sError.c_str());
        return kExitFailure;
    }
    return built.GetDoc().SaveTrace(&line, CString(CommandLinePath(sPath)), 0) ? kExitOk : -1;
}

// A trace-data line: the trace file's values moved by the offset.
int MakeTraceLimit(CBuiltInDocument& built, const SLimitOptions& options, const std::string& sPath)
{
    std::string sReason;
    CQXTrace* pTrace = built.GetDoc().LoadTrace(CString(CommandLinePath(options.sTrace)), CHANNEL_A, 0, &sReason);
    if (!pTrace) {
        std::fprintf(stderr, "tracewin limit: cannot load the trace file '%s': %s\n", options.sTrace.c_str(),
                     sReason.c_str());
        return kExitFailure;
    }
    CLimitLine line(pTrace, 1, 0);
    if (!line.CopyDataFromTrace()) {
        std::fprintf(stderr, "tracewin limit: '%s' holds no values to take\n", options.sTrace.c_str());
        return kExitFailure;
    }
    // Signed lines (of scope traces) keep magnitudes: their offset is moved
    // in the data, so that +D lies D above the trace on both sides of zero.
    if (options.dOffset != 0.0 && line.HasPolarityData(0)) {
        const int iUnit = pTrace->GetYUnit();
        line.AlterAllData(pTrace->GetYDataForValue(options.dOffset, iUnit, 0) - pTrace->GetYDataForValue(0.0, iUnit, 0), 0);
    } else if (options.dOffset != 0.0) {
        line.AlterAllValues(options.dOffset, 0);
    }
    return built.GetDoc().SaveTrace(&line, CString(CommandLinePath(sPath)), 0) ? kExitOk : -1;
}

} // namespace

int RunLimit(const Args& args)
{
    SLimitOptions options;
    std::string sError;
    if (!ParseLimitOptions(args, options, sError)) {
        std::fprintf(stderr, "tracewin limit: %s\n%s", sError.c_str(), kLimitUsage);
        return kExitUsage;
    }
    CBuiltInDocument built;
    if (!built.IsValid()) {
        std::fprintf(stderr, "tracewin limit: the built-in document could not be made\n");
        return kExitFailure;
    }
    const std::string sPath = WithExtension(options.sOutput, LoadResString(IDS_LIMIT_FILE_EXT).ToUtf8());
    const int iExit = options.sTable.empty() ? MakeTraceLimit(built, options, sPath)
                                             : MakeTableLimit(built, options, sPath);
    if (iExit < 0) {
        std::fprintf(stderr, "tracewin limit: cannot write '%s'\n", sPath.c_str());
        return kExitFailure;
    }
    if (iExit == kExitOk) std::printf("%s\n", sPath.c_str());
    return iExit;
}
