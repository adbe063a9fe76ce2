#pragma once
// What the tracewin commands share in reading their arguments: numbers that
// must be finite, option values that must not be the next option, and the
// trace kinds and channels of the built-in document.

#include "apps/tracewin/Commands.h"
#include "trace/core/TraceDefs.h"

#include <string>

// The whole text as a finite number: "nan", "inf", "1e400" (out of range)
// and trailing text are refused.
bool ParseFiniteNumber(const std::string& sText, double& dValue);
// The whole text as an int.
bool ParseWholeInt(const std::string& sText, int& iValue);

// An argument that names an option ("-o", "--limit"), not a value: a dash
// followed by anything but a digit or a point ("-6" and "-.5" are values).
bool LooksLikeOption(const std::string& sArg);

// Walks the arguments of a command: the option at hand and its value.
class CArgReader {
public:
    explicit CArgReader(const Args& args) : m_Args(args) {}
    bool AtEnd() const { return m_uNext >= m_Args.size(); }
    // The next argument, consumed.
    const std::string& Next() { return m_Args[m_uNext++]; }
    // The value of the option just read; false with "OPTION needs a value"
    // when there is none or the next argument is an option.
    bool Value(std::string& sValue, std::string& sError);
    // The same as a finite number; "bad value" says which and why.
    bool Number(double& dValue, std::string& sError);

private:
    const Args& m_Args;
    size_t m_uNext = 0;
};

// A name ending in '/' or that of an existing folder: no file to write
// (the writers would add their extension and write "FOLDER/.trc").
bool NamesAFolder(const std::string& sPath);
// sPath with sExtension (".trc") appended unless it ends with it, in any
// case: the name the file writers give the file.
std::string WithExtension(const std::string& sPath, const std::string& sExtension);

// More simulated blocks than this add nothing a trace could show.
constexpr int kMaxLiveBlocks = 1000;
// A --live value: a count of 1 to kMaxLiveBlocks.
bool ParseLiveBlocks(CArgReader& reader, int& iBlocks, std::string& sError);

// The kinds the built-in document has data for: "scope", "fft".
bool ParseTraceKind(const std::string& sName, TraceType& eType);
constexpr TraceType kBuiltInKinds[] = {TT_SCOPE, TT_FFT};
constexpr const char* kTraceKindNames = "scope, fft";
// "A", "B" (either case), and with bAllowBoth "both".
bool ParseChannel(const std::string& sText, ChannelNumber& eChannel, bool bAllowBoth);
