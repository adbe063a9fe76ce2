// Writes the generated table of docs/default-ranges.md: every cell of the
// default Y window by result and unit, with the analyser's default settings.
//
//   gen_default_ranges FILE           replaces FILE's generated table
//   gen_default_ranges --check FILE   exits 1 when FILE's table is not current
//
// The table lies between the begin and end markers; the rest of FILE is kept.

#include "host/app/HeadlessHost.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/units/Unit.h"
#include "platform/String.h"
#include "trace/core/ZoomMath.h"

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kBeginMarker = "<!-- generated table: begin -->";
constexpr const char* kEndMarker = "<!-- generated table: end -->";

std::string Cell(int iResult, EUnit eUnit, int bJDO)
{
    double dMin = 0.0;
    double dMax = 0.0;
    if (!GetDefaultRangeForResultID(iResult, 1, eUnit, bJDO, &dMin, &dMax)) return "—";
    return FormatNarrow("%g … %g", dMin, dMax);
}

std::string BuildTable(CAnalyserSettings* pAnalyser)
{
    const int aRows[] = {RES_CHA_RMSAMPL,   RES_CTDET_CHA,           RES_FFTDET_CHA,  RES_CHA_FREQ,
                         RES_AI_SAMPLERATE, RES_DI_FRAMERATE_ACTUAL, RES_DO_SOURCEFS, RES_DO_ACTUALSOURCEFS,
                         RES_AO_SAMPLERATE, RES_DI_FRAMERATE_DEVIATION, RES_DO_SOURCEFSDEVIATION,
                         RES_DIC_CARRIERAMPL, RES_DIC_JITTER, RES_DI_CARRIERPHASE, RES_PHASE, RES_DELAY};
    std::ostringstream out;
    for (int iResult : aRows) {
        out << "\n### " << iResult << " " << GetResultIDName(iResult) << "\n\n";
        out << "| Unit | not JDO | JDO Fs (3080 = 1) | JDO data (3080 = 2) |\n|---|---|---|---|\n";
        std::vector<std::string> aLines;
        std::set<std::string> aDistinct;
        for (EUnit eUnit : AllUnitIds()) {
            pAnalyser->SetProperty(PROP_ANA_JDO_SELECTION, 1);
            const std::string sNormal = Cell(iResult, eUnit, 0);
            const std::string sFs = Cell(iResult, eUnit, 1);
            pAnalyser->SetProperty(PROP_ANA_JDO_SELECTION, 2);
            const std::string sData = Cell(iResult, eUnit, 1);
            const std::string sCells = " | " + sNormal + " | " + sFs + " | " + sData + " |\n";
            aDistinct.insert(sCells);
            if (sNormal == "—" && sFs == "—" && sData == "—") continue;
            aLines.push_back(std::string("| ") + GetUnitDiagName(eUnit) + sCells);
        }
        // A row that answers every unit alike is one line.
        if (aDistinct.size() == 1 && aLines.size() == AllUnitIds().size())
            out << "| any unit" << *aDistinct.begin();
        else
            for (const std::string& sLine : aLines) out << sLine;
    }
    pAnalyser->SetProperty(PROP_ANA_JDO_SELECTION, 1);
    return out.str() + "\n";
}

} // namespace

int main(int argc, char** argv)
{
    const bool bCheck = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !bCheck) {
        std::fprintf(stderr, "usage: gen_default_ranges [--check] FILE\n");
        return 2;
    }
    const std::string sPath = argv[argc - 1];
    std::ifstream in(sPath);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string sDoc = buffer.str();
    const size_t iBegin = sDoc.find(kBeginMarker);
    const size_t iEnd = sDoc.find(kEndMarker);
    if (!in.good() && sDoc.empty()) {
        std::fprintf(stderr, "gen_default_ranges: cannot read %s\n", sPath.c_str());
        return 2;
    }
    if (iBegin == std::string::npos || iEnd == std::string::npos || iEnd < iBegin) {
        std::fprintf(stderr, "gen_default_ranges: %s has no generated-table markers\n", sPath.c_str());
        return 2;
    }
    const size_t iTableStart = iBegin + std::string(kBeginMarker).size();

    // The host's log stays quiet: asking every unit of every row logs each unhandled cell.
    CHeadlessHost host;
    const std::string sTable = BuildTable(host.GetSettingsService()->GetAnalyserSettings());
    if (bCheck) {
        if (sDoc.substr(iTableStart, iEnd - iTableStart) == sTable) return 0;
        std::fprintf(stderr, "%s: the default-range table is out of date; run scripts/gen-docs\n", sPath.c_str());
        return 1;
    }
    std::ofstream(sPath) << sDoc.substr(0, iTableStart) << sTable << sDoc.substr(iEnd);
    return 0;
}
