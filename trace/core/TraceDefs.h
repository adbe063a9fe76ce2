#pragma once
// Types shared by the whole trace library. Their numeric values are fixed:
// they are stored in files and passed to scripts.

#include <cfloat>
#include <cstdint>

enum TraceType : int {
    TT_SCOPE = 0,
    TT_FFT = 1,
    TT_CTDET = 2,
    TT_CTFFT = 3,
    TT_MAXLIMITLINE = 4,
    TT_MINLIMITLINE = 5,
    TT_FILTER = 6,
    TT_WINDOW = 7,
    TT_SWEEP1 = 8,
    TT_SWEEP2 = 9,
    TT_SWEEP3 = 10,
    TT_SWEEP4 = 11,
    TT_USER = 12,
    TT_FFTRESPONSE = 13,
};
constexpr int TT_COUNT = 14;

enum ChannelNumber : int {
    CHANNEL_A = 0,
    CHANNEL_B = 1,
    CHANNEL_BOTH = 2,
};

// Channel A or B (every trace is on one of them).
inline bool IsSingleChannel(ChannelNumber eChannel) { return eChannel == CHANNEL_A || eChannel == CHANNEL_B; }

enum AxisType : int {
    X_AXIS = 0,
    Y_AXIS = 1,
};

// Scale kinds stored with an X scale.
enum ScaleType : int {
    ST_SCOPE = 0,
    ST_FFT = 1,
    ST_SWEEP_FREQ = 2,
    ST_SWEEP_AMPL = 3,
    ST_SWEEP_DCOFFSET = 4,
    ST_SWEEP_JITTER = 5,
    ST_SWEEP_TIME = 6,
    ST_SWEEP_MANUAL = 7,
    ST_USER = 8,
    ST_SWEEP_DEVIATION = 9,
    ST_SWEEP_CARRIERAMPL = 10,
    ST_SWEEP_CARRIERPHASE = 11,
    ST_SWEEP_RELATIVEAMPL = 12,
    ST_SWEEP_PHASE = 13,
    ST_SWEEP_DELAY = 14,
    ST_SWEEP_CHANNEL = 15,
};

enum ComputeType : int {
    COMPUTE_NORMALISE = 2,
    COMPUTE_INVERT = 3,
    COMPUTE_SMOOTH = 4,
    COMPUTE_SUMBINS = 5,
    COMPUTE_RELATIVE = 6,
};

// Limit-line polarity for scope and CT-detector traces.
enum Polarity : int {
    POLARITY_NONE = 0,
    POLARITY_NEGATIVE = 1,
    POLARITY_POSITIVE = 2,
};

// One point of a limit table (24 bytes on file).
struct LimitTablePoint {
    double dX = 0.0;
    double dY = 0.0;
    int32_t bConnected = 0;
    int32_t ePolarity = POLARITY_NONE;
};
static_assert(sizeof(LimitTablePoint) == 24);

enum TracePrintStyle : int {
    TRACE_PRINTSTYLE_SOLID = 0,
    TRACE_PRINTSTYLE_DASH = 1,
    TRACE_PRINTSTYLE_DOT = 2,
    TRACE_PRINTSTYLE_DASHDOT = 3,
    TRACE_PRINTSTYLE_DASHDOTDOT = 4,
};

constexpr int TRACE_INTERVALS_AUTO = -1;
constexpr short TRACE_NULL_ID = -1;
// A missing value in a Y array (for a limit line: no limit at that point).
constexpr double TRACE_NULL_VALUE = DBL_MAX;
// A pixel result beyond the right/top of the window, or a plot column without data.
constexpr int POINT_BEYOND_MAX = 2147483647;
// A pixel result beyond the left/bottom of the window.
constexpr int POINT_BEYOND_MIN = -2147483647;

constexpr int MAX_MARKS = 20;

// Update hints broadcast to the views.
enum UpdateHint : int {
    UPDATE_TRACE_REDRAW = -801,
    UPDATE_TRACE_ZOOMX = -802,
    UPDATE_TRACE_ZOOMY = -803,
    UPDATE_TRACE_ZOOMBOTH = -804,
    UPDATE_TRACE_CURRENT = -805,
    UPDATE_TRACE_ADD = -806,
    UPDATE_TRACE_REMOVE = -807,
    UPDATE_TRACE_ON = -808,
    UPDATE_TRACE_OFF = -809,
    UPDATE_TRACE_COLOR = -810,
    UPDATE_TRACE_NAME = -811,
    UPDATE_TRACE_NUMPOINTS = -812,
    UPDATE_TRACE_CURSOR = -813,
    UPDATE_TRACE_MARKS = -814,
    UPDATE_TRACE_PRINTSTYLE = -815,
    UPDATE_TRACE_COMMENT = -816,
    UPDATE_TRACE_REDRAWALL = -817,
    UPDATE_GRAPH_TITLE = -818,
    UPDATE_GRAPH_CHANNELCHANGED = -819,
    UPDATE_GRAPH_TRACES = -820,
    UPDATE_GRAPH_REDRAWALL = -821,
};

// Messages posted to the application's main window.
constexpr unsigned WM_QX_ERROR_NORMAL = 0x8000;
constexpr unsigned WM_QX_ERROR_FATAL = 0x8004;
constexpr unsigned WM_QX_DELETE_TRACE = 0x8082;
constexpr unsigned WM_QX_FFT_TRACES_CHANGED = 0x8086;
constexpr unsigned WM_QX_PRINT_GRAPH = 0x8096;
constexpr unsigned WM_QX_EXPORT_GRAPH = 0x8097;
constexpr unsigned WM_QX_START_IMPULSE_EDIT = 0x8098;
constexpr unsigned WM_QX_END_IMPULSE_EDIT = 0x8099;
