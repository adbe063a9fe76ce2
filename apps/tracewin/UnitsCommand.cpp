// `tracewin units` and `tracewin convert`.

#include "apps/tracewin/CliArgs.h"

#include "host/units/QXProperty.h"
#include "host/units/References.h"
#include "host/units/Unit.h"
#include "host/units/UnitSet.h"
#include "host/units/UnitSets.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

std::string Utf8(const CString& s) { return s.ToUtf8(); }

// Pads UTF-8 text to a width in characters, not bytes ("µs" is two wide,
// three bytes long), so that columns after it line up.
std::string PadTo(const std::string& s, size_t uWidth)
{
    const size_t uChars = static_cast<size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    return uChars >= uWidth ? s : s + std::string(uWidth - uChars, ' ');
}

void PrintUnitTable()
{
    std::printf("%4s  %-24s %-10s %3s %14s %14s\n", "id", "automation name", "display", "dps", "min", "max");
    for (EUnit id : AllUnitIds()) {
        const CUnit* u = FindUnitObject(id);
        if (!u) continue;
        double lo = 0, hi = 0;
        u->GetFullRange(lo, hi);
        std::printf("%4d  %-24s %s %3d %14g %14g\n", static_cast<int>(id), Utf8(u->GetOLEName()).c_str(),
                    PadTo(Utf8(u->GetName()), 10).c_str(), u->GetNumDPs(), lo, hi);
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

EUnit ParseUnit(const std::string& s)
{
    return FindUnitByName(CString::FromUtf8(s));
}

// A value of a hexadecimal unit as it is printed ("5A8278", "-2D5CBE",
// "0x5A8278"); digits alone stay decimal, as they always were.
std::optional<double> ParseHexValue(const std::string& s)
{
    const bool bNegative = !s.empty() && s[0] == '-';
    std::string sDigits = s.substr(bNegative ? 1 : 0);
    const bool bPrefixed = sDigits.rfind("0x", 0) == 0 || sDigits.rfind("0X", 0) == 0;
    if (bPrefixed) sDigits = sDigits.substr(2);
    const bool bLetters = sDigits.find_first_of("abcdefABCDEF") != std::string::npos;
    if ((!bPrefixed && !bLetters) || sDigits.empty() || sDigits.size() > 15 ||
        sDigits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    const double dMagnitude = static_cast<double>(std::stoull(sDigits, nullptr, 16));
    return bNegative ? -dMagnitude : dMagnitude;
}

// Each option's value must be a finite number above zero; --fft a whole one.
bool ParseConvertOptions(const Args& args, SConvertOptions& o, std::string& sError)
{
    CArgReader reader(args);
    while (!reader.AtEnd()) {
        const std::string& opt = reader.Next();
        if (opt == "--fs-jitter") {
            o.bDataJitter = false;
            continue;
        }
        double* target = opt == "--range-mv" ? &o.dRangemV : opt == "--impedance" ? &o.dImpedance
                       : opt == "--spl-mv" ? &o.dSplmV : opt == "--ref-mv" ? &o.dReferencemV
                       : opt == "--rate" ? &o.dRate : opt == "--freq" ? &o.dFrequency : nullptr;
        double fft = 0;
        if (opt == "--fft") target = &fft;
        if (!target) {
            sError = "unknown option '" + opt + "'";
            return false;
        }
        if (!reader.Number(*target, sError)) return false;
        if (*target <= 0) {
            sError = "bad value for " + opt + ": it must be above 0";
            return false;
        }
        if (opt == "--fft") {
            if (fft != std::floor(fft) || fft > 1 << 24) {
                sError = "bad value for --fft: a whole number of points up to 16777216";
                return false;
            }
            o.iFFTLength = static_cast<int>(fft);
        }
    }
    return true;
}

} // namespace

const char* const kUnitsUsage = "usage: tracewin units [--sets]\n";

const char* const kConvertUsage =
    "usage: tracewin convert VALUE FROM TO [options]\n"
    "  FROM/TO: a unit's automation name (UNIT_DBFS), enumerator or display name (dBFS)\n"
    "  VALUE: a finite number; in Hex also as printed (5A8278 or 0x5A8278; digits alone are decimal)\n"
    "options (defaults are the analyser's; each value above 0):\n"
    "  --range-mv MV     analogue range: mV RMS of a full-scale sine (15455.3019)\n"
    "  --impedance OHMS  reference impedance for dBm and W (600)\n"
    "  --spl-mv MV       the level that reads 0 dBSPL (20)\n"
    "  --ref-mv MV       the level that reads 0 dBr / 100 % ref (full-scale sine)\n"
    "  --rate HZ         sample rate (48000)\n"
    "  --fft N           FFT length for bins (16384)\n"
    "  --freq HZ         reference frequency for phase, offset and periods (1000)\n"
    "  --fs-jitter       sample-rate jitter instead of data jitter for Hex\n";

int RunUnits(const Args& args)
{
    if (args.size() == 1 && args[0] == "--sets") {
        PrintUnitSets();
        return kExitOk;
    }
    if (!args.empty()) {
        std::fprintf(stderr, "tracewin units: unknown option '%s'\n%s", args[0].c_str(), kUnitsUsage);
        return kExitUsage;
    }
    PrintUnitTable();
    return kExitOk;
}

int RunConvert(const Args& args)
{
    if (args.size() < 3) {
        std::fprintf(stderr, "tracewin convert: VALUE FROM TO needed\n%s", kConvertUsage);
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
    const bool bHexFrom = CPUnit(from)->GetBase() == NUMBERBASE_HEXADECIMAL;
    double dValue = 0;
    const std::optional<double> hex = bHexFrom ? ParseHexValue(args[0]) : std::nullopt;
    if (hex) {
        dValue = *hex;
    } else if (!ParseFiniteNumber(args[0], dValue)) {
        std::fprintf(stderr, "tracewin convert: '%s' is not a finite number%s\n", args[0].c_str(),
                     bHexFrom ? " (nor a Hex value such as 5A8278)" : "");
        return kExitUsage;
    }
    SConvertOptions o;
    std::string sError;
    if (!ParseConvertOptions(Args(args.begin() + 3, args.end()), o, sError)) {
        std::fprintf(stderr, "tracewin convert: %s\n", sError.c_str());
        return kExitUsage;
    }
    const int setId = FindSetFor(from, to);
    if (!setId) {
        std::fprintf(stderr, "tracewin convert: %s and %s do not measure the same quantity\n",
                     Utf8(CPUnit(from)->GetName()).c_str(), Utf8(CPUnit(to)->GetName()).c_str());
        return kExitFailure;
    }
    const SReferences refs = ReferencesForSet(setId, o);
    const double result = GetUnitSet(setId)->ConvertValue(dValue, from, to, &refs);
    SFormat format;
    format.m_bIncludeUnit = true;
    const CString shown = CQXProperty::DoFormatValue(result, to, 0, &format);
    // A Hex value given in decimal is shown as Hex too, so that neither reading is guessed.
    std::string sGiven = args[0] + " " + Utf8(CPUnit(from)->GetName());
    if (bHexFrom && !hex) sGiven = args[0] + " = " + Utf8(CQXProperty::DoFormatValue(dValue, from, 0, &format));
    std::printf("%s = %s  (%.12g)\n", sGiven.c_str(), Utf8(shown).c_str(), result == -DBL_MAX ? -HUGE_VAL : result);
    return kExitOk;
}
