// `tracewin units` and `tracewin convert`.

#include "apps/tracewin/Commands.h"

#include "host/units/QXProperty.h"
#include "host/units/References.h"
#include "host/units/Unit.h"
#include "host/units/UnitSet.h"
#include "host/units/UnitSets.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

std::string Utf8(const CString& s) { return s.ToUtf8(); }

void PrintUnitTable()
{
    std::printf("%4s  %-24s %-10s %3s %14s %14s\n", "id", "automation name", "display", "dps", "min", "max");
    for (EUnit id : AllUnitIds()) {
        const CUnit* u = FindUnitObject(id);
        if (!u) continue;
        double lo = 0, hi = 0;
        u->GetFullRange(lo, hi);
        std::printf("%4d  %-24s %-10s %3d %14g %14g\n", static_cast<int>(id), Utf8(u->GetOLEName()).c_str(),
                    Utf8(u->GetName()).c_str(), u->GetNumDPs(), lo, hi);
    }
}

void PrintUnitSets()
{
    for (int id = 1; id <= UNITSET_LAST; ++id) {
        const CUnitSet* set = GetUnitSet(id);
        if (!set) continue;
        std::printf("%2d %-32s", id, GetUnitSetDiagName(id));
        for (EUnit u : set->GetUnits()) std::printf(" %s;", Utf8(CPUnit(u)->GetName()).c_str());
        std::printf("\n");
    }
}

// The quantities the tool can convert, and the references each needs.
struct SConvertOptions {
    double dRangemV = SReferences::kDefaultAnalogueRangemV;
    double dImpedance = SReferences::kDefaultImpedance;
    double dSplmV = SReferences::kDefaultZerodBSPLmV;
    double dReferencemV = 0.0; // 0: the full-scale sine
    double dRate = SReferences::kDefaultSampleRate;
    int iFFTLength = SReferences::kDefaultFFTLength;
    double dFrequency = SReferences::kDefaultReferenceFrequency;
    bool bDataJitter = true;
};

SReferences ReferencesForSet(int setId, const SConvertOptions& o)
{
    switch (setId) {
    case UNITSET_CARRIERJITTER:
    case UNITSET_CARRIERJITTERPP:
        return SReferences::ForJitterY(o.dRate, o.bDataJitter);
    case UNITSET_FFTBINS:
        return SReferences::ForFFTX(o.dRate, o.iFFTLength / 2 + 1);
    case UNITSET_NUMSAMPLES:
        return SReferences::ForTimeX(o.dRate, 1, 0);
    case UNITSET_AMPLITUDEREL:
    case UNITSET_AMPLITUDERELANAVSGEN:
    case UNITSET_AMPLITUDERATIO:
    case UNITSET_GAIN:
        return SReferences();
    case UNITSET_ANALOGUEPHASE:
    case UNITSET_DIGITALPHASE:
    case UNITSET_CARRIERPHASE:
    case UNITSET_FREQUENCY:
    case UNITSET_FREQUENCYABS:
    case UNITSET_FREQUENCYRATIO:
    case UNITSET_DUTYCYCLE:
    case UNITSET_BURSTDURATION:
        return SReferences::ForFrequency(o.dFrequency, o.dRate);
    default: {
        // Absolute amplitudes; a dBr reference given in mV is taken as volts RMS.
        const bool hasRef = o.dReferencemV > 0.0;
        return SReferences::ForAbsoluteY(o.dRangemV, hasRef ? o.dReferencemV : 0.0, o.dImpedance, o.dSplmV);
    }
    }
}

// The first unit set that offers both units; failing that, the first that
// offers one and whose arithmetic knows the other (a storage unit like Hex).
int FindSetFor(EUnit from, EUnit to)
{
    for (const bool strict : {true, false}) {
        for (int id = 1; id <= UNITSET_LAST; ++id) {
            const CUnitSet* set = GetUnitSet(id);
            if (!set || !set->CanConvert(from) || !set->CanConvert(to)) continue;
            const bool offered = strict ? set->IsUnitValid(from) && set->IsUnitValid(to)
                                        : set->IsUnitValid(from) || set->IsUnitValid(to);
            if (offered) return id;
        }
    }
    return 0;
}

std::optional<double> ParseNumber(const std::string& s)
{
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (!end || *end) return std::nullopt;
    return v;
}

EUnit ParseUnit(const std::string& s)
{
    return FindUnitByName(CString::FromUtf8(s));
}

void PrintConvertUsage(std::FILE* out)
{
    std::fprintf(out,
                 "usage: tracewin convert VALUE FROM TO [options]\n"
                 "  FROM/TO: a unit's automation name (UNIT_DBFS), enumerator or display name (dBFS)\n"
                 "options (defaults are the analyser's):\n"
                 "  --range-mv MV     analogue range: mV RMS of a full-scale sine (15455.3019)\n"
                 "  --impedance OHMS  reference impedance for dBm and W (600)\n"
                 "  --spl-mv MV       the level that reads 0 dBSPL (20)\n"
                 "  --ref-mv MV       the level that reads 0 dBr / 100 %% ref (full-scale sine)\n"
                 "  --rate HZ         sample rate (48000)\n"
                 "  --fft N           FFT length for bins (16384)\n"
                 "  --freq HZ         reference frequency for phase, offset and periods (1000)\n"
                 "  --fs-jitter       sample-rate jitter instead of data jitter for Hex\n");
}

} // namespace

int RunUnits(const Args& args)
{
    if (!args.empty() && args[0] == "--sets") {
        PrintUnitSets();
        return kExitOk;
    }
    if (!args.empty()) {
        std::fprintf(stderr, "usage: tracewin units [--sets]\n");
        return kExitUsage;
    }
    PrintUnitTable();
    return kExitOk;
}

int RunConvert(const Args& args)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        PrintConvertUsage(stdout);
        return kExitOk;
    }
    if (args.size() < 3) {
        PrintConvertUsage(stderr);
        return kExitUsage;
    }
    const auto value = ParseNumber(args[0]);
    if (!value) {
        std::fprintf(stderr, "tracewin convert: '%s' is not a number\n", args[0].c_str());
        return kExitUsage;
    }
    const EUnit from = ParseUnit(args[1]);
    const EUnit to = ParseUnit(args[2]);
    for (const auto& [unit, text] : {std::pair{from, args[1]}, std::pair{to, args[2]}}) {
        if (unit == UNIT_INVALID) {
            std::fprintf(stderr, "tracewin convert: unknown unit '%s' (see 'tracewin units')\n", text.c_str());
            return kExitUsage;
        }
    }
    SConvertOptions o;
    for (size_t i = 3; i < args.size(); ++i) {
        const std::string& opt = args[i];
        if (opt == "--fs-jitter") { o.bDataJitter = false; continue; }
        double* target = opt == "--range-mv" ? &o.dRangemV : opt == "--impedance" ? &o.dImpedance
                       : opt == "--spl-mv" ? &o.dSplmV : opt == "--ref-mv" ? &o.dReferencemV
                       : opt == "--rate" ? &o.dRate : opt == "--freq" ? &o.dFrequency : nullptr;
        double fft = 0;
        if (opt == "--fft") target = &fft;
        const auto number = i + 1 < args.size() ? ParseNumber(args[i + 1]) : std::nullopt;
        if (!target || !number || *number <= 0) {
            std::fprintf(stderr, "tracewin convert: bad option '%s'\n", opt.c_str());
            return kExitUsage;
        }
        *target = *number;
        if (opt == "--fft") o.iFFTLength = static_cast<int>(fft);
        ++i;
    }
    const int setId = FindSetFor(from, to);
    if (!setId) {
        std::fprintf(stderr, "tracewin convert: %s and %s do not measure the same quantity\n",
                     Utf8(CPUnit(from)->GetName()).c_str(), Utf8(CPUnit(to)->GetName()).c_str());
        return kExitFailure;
    }
    const SReferences refs = ReferencesForSet(setId, o);
    const double result = GetUnitSet(setId)->ConvertValue(*value, from, to, &refs);
    SFormat format;
    format.m_bIncludeUnit = true;
    const CString shown = CQXProperty::DoFormatValue(result, to, 0, &format);
    std::printf("%s %s = %s  (%.12g)\n", args[0].c_str(), Utf8(CPUnit(from)->GetName()).c_str(), Utf8(shown).c_str(),
                result == -DBL_MAX ? -HUGE_VAL : result);
    return kExitOk;
}
