// Argument helpers of the tracewin commands.

#include "apps/tracewin/CliArgs.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <cmath>
#include <cstdlib>

bool ParseFiniteNumber(const std::string& sText, double& dValue)
{
    if (sText.empty()) return false;
    char* pEnd = nullptr;
    errno = 0;
    const double d = std::strtod(sText.c_str(), &pEnd);
    if (!pEnd || *pEnd || errno == ERANGE || !std::isfinite(d)) return false;
    dValue = d;
    return true;
}

bool ParseWholeInt(const std::string& sText, int& iValue)
{
    const char* pEnd = sText.data() + sText.size();
    const auto [ptr, ec] = std::from_chars(sText.data(), pEnd, iValue);
    return !sText.empty() && ec == std::errc() && ptr == pEnd;
}

bool LooksLikeOption(const std::string& sArg)
{
    if (sArg.size() < 2 || sArg[0] != '-') return false;
    const char c = sArg[1];
    return !(c >= '0' && c <= '9') && c != '.';
}

bool CArgReader::Value(std::string& sValue, std::string& sError)
{
    const std::string& sOption = m_Args[m_uNext - 1];
    if (AtEnd() || LooksLikeOption(m_Args[m_uNext])) {
        sError = sOption + " needs a value";
        return false;
    }
    sValue = Next();
    return true;
}

bool CArgReader::Number(double& dValue, std::string& sError)
{
    std::string sValue;
    if (!Value(sValue, sError)) return false;
    if (ParseFiniteNumber(sValue, dValue)) return true;
    sError = "bad value '" + sValue + "' for " + m_Args[m_uNext - 2] + " (not a finite number)";
    return false;
}

bool NamesAFolder(const std::string& sPath)
{
    std::error_code error;
    return !sPath.empty() && (sPath.back() == '/' || std::filesystem::is_directory(sPath, error));
}

std::string WithExtension(const std::string& sPath, const std::string& sExtension)
{
    const bool bHas = sPath.size() >= sExtension.size() &&
                      std::equal(sExtension.rbegin(), sExtension.rend(), sPath.rbegin(), [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                      });
    return bHas ? sPath : sPath + sExtension;
}

bool ParseLiveBlocks(CArgReader& reader, int& iBlocks, std::string& sError)
{
    std::string sValue;
    if (!reader.Value(sValue, sError)) return false;
    if (ParseWholeInt(sValue, iBlocks) && iBlocks >= 1 && iBlocks <= kMaxLiveBlocks) return true;
    sError = "bad block count '" + sValue + "' (1 to " + std::to_string(kMaxLiveBlocks) + ")";
    return false;
}

bool ParseTraceKind(const std::string& sName, TraceType& eType)
{
    if (sName == "scope") eType = TT_SCOPE;
    else if (sName == "fft") eType = TT_FFT;
    else return false;
    return true;
}

bool ParseChannel(const std::string& sText, ChannelNumber& eChannel, bool bAllowBoth)
{
    if (sText == "A" || sText == "a") eChannel = CHANNEL_A;
    else if (sText == "B" || sText == "b") eChannel = CHANNEL_B;
    else if (bAllowBoth && sText == "both") eChannel = CHANNEL_BOTH;
    else return false;
    return true;
}
