#pragma once
// The host's window functions (the WINDOWFUNCTION enumeration), their
// values, and the window service that fills a buffer with one of them.
// A window is symmetric over x in [0, 1] with its peak at 0.5.

#include "platform/String.h"

#include <string>
#include <vector>

enum WINDOWFUNCTION : int {
    WINDOW_RECTANGULAR = 0,
    WINDOW_HANN = 1,
    WINDOW_HAMMING = 2,
    WINDOW_BLACKMAN = 3,
    WINDOW_BLACKMANHARRIS4 = 4, // 4-term Blackman-Harris
    WINDOW_FLATTOP = 5,
    WINDOW_USER = 11,           // loaded from a user file
};

// The window's value at x (0..1); unknown kinds and WINDOW_USER give the
// rectangular window (1), x outside 0..1 gives 0.
double WindowValue(WINDOWFUNCTION eWindow, double x);

// What FillWindowBuffer writes: the window scaled so that its mean is 1
// (the amplitude a tone keeps through it), or as drawn, peak 1.
enum EWindowMode : int { WINDOWMODE_UNITY_GAIN = 1, WINDOWMODE_DISPLAY = 2 };

// Reads a user window file: UTF-8 text, one gain per line; blank lines and
// lines starting with '#' are skipped. False, with the reason in words, for
// a file that is missing, not a regular file, holds a line that is not a
// finite number, fewer than 2 or more than kMaxUserWindowPoints gains.
using UserWindowLoader = bool (*)(const CString& sPath, std::vector<double>& aGains, std::string* pProblem);
constexpr int kMaxUserWindowPoints = 1 << 24;
bool ReadUserWindowFile(const CString& sPath, std::vector<double>& aGains, std::string* pProblem);

// Fills a window buffer. For a built-in window *ppBuffer points at *piCount
// doubles, which are written. A user window (WINDOW_USER) has the length
// of its file: its gains go into aTemp, *ppBuffer is pointed at them and
// *piCount becomes their count. False (nothing written) for a count below 1,
// a null buffer for a built-in window, an unknown mode, or a user file the
// loader refuses (its reason in *pProblem).
bool FillWindowBuffer(WINDOWFUNCTION eType, const CString& sFile, int iMode, int* piCount, double** ppBuffer,
                      std::vector<double>& aTemp, UserWindowLoader fnLoader = ReadUserWindowFile,
                      std::string* pProblem = nullptr);
