#include "host/settings/WindowFunction.h"

#include "platform/InputFile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <numeric>

namespace {

// Generalised cosine window: a0 - a1 cos(2 pi x) + a2 cos(4 pi x) - ...
double CosineSum(const double* pdTerms, int iCount, double x)
{
    double dSum = 0.0;
    double dSign = 1.0;
    for (int k = 0; k < iCount; ++k) {
        dSum += dSign * pdTerms[k] * std::cos(2.0 * std::numbers::pi * k * x);
        dSign = -dSign;
    }
    return dSum;
}

void SetProblem(std::string* pProblem, const std::string& sText)
{
    if (pProblem) *pProblem = sText;
}

// One line of a user window file: true with bValue false for a line to skip.
bool ParseWindowLine(const std::string& sLine, bool& bValue, double& dValue)
{
    const size_t first = sLine.find_first_not_of(" \t\r\n");
    bValue = false;
    if (first == std::string::npos || sLine[first] == '#') return true;
    const char* szStart = sLine.c_str() + first;
    char* pEnd = nullptr;
    errno = 0;
    dValue = std::strtod(szStart, &pEnd);
    if (pEnd == szStart || errno == ERANGE || !std::isfinite(dValue)) return false;
    while (*pEnd == ' ' || *pEnd == '\t' || *pEnd == '\r' || *pEnd == '\n') ++pEnd;
    bValue = true;
    return *pEnd == 0;
}

} // namespace

double WindowValue(WINDOWFUNCTION eWindow, double x)
{
    if (x < 0.0 || x > 1.0) return 0.0;
    static const double kHann[] = {0.5, 0.5};
    static const double kHamming[] = {0.54, 0.46};
    static const double kBlackman[] = {0.42, 0.5, 0.08};
    static const double kBlackmanHarris[] = {0.35875, 0.48829, 0.14128, 0.01168};
    // Peak normalised to 1 (the usual coefficients sum to 4.636).
    static const double kFlatTop[] = {0.21557895, 0.41663158, 0.277263158, 0.083578947, 0.006947368};
    switch (eWindow) {
    case WINDOW_HANN: return CosineSum(kHann, 2, x);
    case WINDOW_HAMMING: return CosineSum(kHamming, 2, x);
    case WINDOW_BLACKMAN: return CosineSum(kBlackman, 3, x);
    case WINDOW_BLACKMANHARRIS4: return CosineSum(kBlackmanHarris, 4, x);
    case WINDOW_FLATTOP: return CosineSum(kFlatTop, 5, x);
    default: return 1.0;
    }
}

bool ReadUserWindowFile(const CString& sPath, std::vector<double>& aGains, std::string* pProblem)
{
    aGains.clear();
    SInputFile in = OpenInputFile(sPath);
    if (!in.pFile) {
        SetProblem(pProblem, DescribeInputFileProblem(in.eProblem));
        return false;
    }
    std::string sLine;
    int iLine = 0;
    bool bOk = true;
    for (int c = 0; bOk && c != EOF;) {
        sLine.clear();
        while ((c = std::fgetc(in.pFile)) != EOF && c != '\n') sLine.push_back(static_cast<char>(c));
        if (c == EOF && sLine.empty()) break;
        ++iLine;
        bool bValue = false;
        double dValue = 0.0;
        if (!ParseWindowLine(sLine, bValue, dValue)) {
            SetProblem(pProblem, "line " + std::to_string(iLine) + " is not a number");
            bOk = false;
        } else if (bValue && static_cast<int>(aGains.size()) >= kMaxUserWindowPoints) {
            SetProblem(pProblem, "more than " + std::to_string(kMaxUserWindowPoints) + " gains");
            bOk = false;
        } else if (bValue) {
            aGains.push_back(dValue);
        }
    }
    std::fclose(in.pFile);
    if (bOk && aGains.size() < 2) {
        SetProblem(pProblem, "fewer than 2 gains");
        bOk = false;
    }
    if (!bOk) aGains.clear();
    return bOk;
}

bool FillWindowBuffer(WINDOWFUNCTION eType, const CString& sFile, int iMode, int* piCount, double** ppBuffer,
                      std::vector<double>& aTemp, UserWindowLoader fnLoader, std::string* pProblem)
{
    if (!piCount || !ppBuffer || (iMode != WINDOWMODE_UNITY_GAIN && iMode != WINDOWMODE_DISPLAY)) return false;
    double* pdOut = *ppBuffer;
    int iCount = *piCount;
    if (eType == WINDOW_USER) {
        if (!fnLoader || !fnLoader(sFile, aTemp, pProblem)) return false;
        pdOut = aTemp.data();
        iCount = static_cast<int>(aTemp.size());
    } else {
        if (!pdOut || iCount < 1) return false;
        const double dLast = iCount > 1 ? iCount - 1 : 1;
        for (int i = 0; i < iCount; ++i) pdOut[i] = WindowValue(eType, iCount > 1 ? i / dLast : 0.5);
    }
    if (iMode == WINDOWMODE_UNITY_GAIN) {
        const double dMean = std::accumulate(pdOut, pdOut + iCount, 0.0) / iCount;
        if (dMean != 0.0)
            for (int i = 0; i < iCount; ++i) pdOut[i] /= dMean;
    }
    *ppBuffer = pdOut;
    *piCount = iCount;
    return true;
}
