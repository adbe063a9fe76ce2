#pragma once
// The host's window functions (the WINDOWFUNCTION enumeration) and their
// values. A window is symmetric over x in [0, 1] with its peak at 0.5.


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
