#pragma once
// Numeric ids of the host's settings properties and measurement results.
//
// Every setting is a property keyed by its numeric id; a result id is also
// the id of the property that holds the latest reading of that result, so
// GetSettingsForID() finds both the same way.
//
// Ids the trace window relies on (owner in brackets; "text" = string,
// "enum"/"flag" = integer, otherwise a double in the storage unit given):
//
// | Id    | Owner               | Meaning                                             | Storage, default            |
// |-------|---------------------|-----------------------------------------------------|-----------------------------|
// | 3008  | analyser            | sample rate of demodulated jitter data (JDO)        | Hz, 48000                   |
// | 3009  | analyser            | result: digital input frame-rate deviation          | ppm, 0                      |
// | 3051  | analyser            | result: carrier amplitude                           | V, 0                        |
// | 3054  | analyser            | result: carrier jitter                              | ns p-p, 0                   |
// | 3057  | analyser            | result: carrier phase                               | UI (phase), 0               |
// | 3080  | analyser            | enum: JDO input selection, 1 JDO Fs, 2 JDO data     | 1                           |
// | 3082  | analyser            | result: analogue input sample rate                  | Hz, 48000                   |
// | 3203  | signal analyser     | enum: channels measured, 0 A, 1 B, 2 both           | 2                           |
// | 3208  | signal analyser     | result: channel A RMS amplitude                     | hex, 0                      |
// | 3209  | signal analyser     | result: channel A frequency (fundamental)           | Hz, 1000                    |
// | 3210  | signal analyser     | result: channel B RMS amplitude                     | hex, 0                      |
// | 3211  | signal analyser     | result: channel B frequency (fundamental)           | Hz, 1000                    |
// | 3216  | signal analyser     | result: phase between the channels                  | degrees, 0                  |
// | 3218  | signal analyser     | analyser digital reference, channel A               | hex, 8388607                |
// | 3219  | signal analyser     | analyser digital reference, channel B               | hex, 8388607                |
// | 3223  | signal analyser     | analyser analogue reference (read in V (p) x 1000)  | V (p), 15.4553019           |
// | 3228  | signal analyser     | analyser reference impedance                        | R, 600                      |
// | 3251  | CT detector         | result: CT detector channel A                       | hex, 0                      |
// | 3253  | CT detector         | result: CT detector channel B                       | hex, 0                      |
// | 3254  | CT detector         | enum: Y unit of CT detector traces (EUnit)          | UNIT_DBFS                   |
// | 3255  | CT detector         | text: response name                                 | "RMS"                       |
// | 3258  | CT detector         | enum: band mode 0 off, 1 band-pass, 2 band-reject, 3 (= 1 with band type 4) | 0   |
// | 3259  | CT detector         | enum: band type (filter shape)                      | 0                           |
// | 3260  | CT detector         | band width, octaves                                 | 0.333333                    |
// | 3261  | CT detector         | band-pass/band-reject centre frequency              | Hz, 1000                    |
// | 3265  | CT detector         | enum: response, 0 RMS, 1 peak, 2 quasi-peak         | 0                           |
// | 3266  | CT detector         | enum: relativity, 0 absolute, 1 relative            | 0                           |
// | 3303  | FFT parameters      | FFT length (scope buffers hold this many samples)   | 16384                       |
// | 3304  | FFT parameters      | flag: user weighting file in use                    | 0                           |
// | 3305  | FFT parameters      | enum: rate mode; 12 and 13 run the channels at separate rates (Nyquist from the lower) | 0 |
// | 3313  | analyser            | flag (0xCF1): drop deliveries while the input is unlocked | 0                     |
// | 3325  | FFT parameters      | enum: FFT window (WINDOWFUNCTION); also the result id of window traces | WINDOW_BLACKMANHARRIS4 |
// | 3330  | FFT parameters      | text: user weighting file                           | ""                          |
// | 3351  | FFT detector        | result: FFT detector channel A                      | hex, 0                      |
// | 3352  | FFT detector        | result: FFT detector channel B                      | hex, 0                      |
// | 3355  | FFT detector        | text: response name                                 | "Band RMS"                  |
// | 3356  | FFT detector        | enum: band mode 0 off, 1 band-pass, 2 band-reject   | 0                           |
// | 3357  | FFT detector        | enum: band type                                     | 0                           |
// | 3358  | FFT detector        | band width, octaves                                 | 0.333333                    |
// | 3359  | FFT detector        | band-pass/band-reject centre frequency              | Hz, 1000                    |
// | 3360  | FFT detector        | text: weighting file path shown in names            | ""                          |
// | 3361  | FFT detector        | enum: relativity, 0 absolute, 1 relative            | 0                           |
// | 3365  | FFT detector        | text: user weighting file                           | ""                          |
// | 3368  | FFT detector        | flag: the detector has its own band frequency       | 1                           |
// | 3369  | FFT detector        | flag: band frequency follows the generator          | 0                           |
// | 3370  | FFT detector        | flag: user weighting file in use                    | 0                           |
// | 3372  | FFT detector        | flag: invert the user weighting                     | 0                           |
// | 3560  | impulse response    | flag: gate in use                                   | 0                           |
// | 3562  | impulse response    | enum: relativity of the response, 0 or 1            | 0                           |
// | 3564  | impulse response    | enum: gate window function (WINDOWFUNCTION)         | WINDOW_HANN                 |
// | 3567-3569 | impulse response | gate start, mid, end, channel A                    | ms, 0 / 1 / 10              |
// | 3570  | impulse response    | enum: unit the gate bins are shown in (EUnit)       | UNIT_MS                     |
// | 3571-3573 | impulse response | gate start, mid, end, channel B                    | ms, 0 / 1 / 10              |
// | 3574  | impulse response    | flag: the two channels' gates are tied              | 1                           |
// | 3582  | impulse response    | flag: keep the response absolute                    | 0                           |
// | 4008  | signal generator    | result: digital output source sample rate           | Hz, 48000                   |
// | 4009  | signal generator    | result: digital output source rate deviation        | ppm, 0                      |
// | 4021  | signal generator    | DC offset (sweep source)                            | hex, 0                      |
// | 4036  | signal generator    | result: actual digital output source rate           | Hz, 48000                   |
// | 4117  | signal generator    | jitter frequency (sweep source)                     | Hz, 1000                    |
// | 4118  | signal generator    | jitter amplitude (sweep source)                     | UI p-p, 0                   |
// | 4206  | signal generator    | result: analogue output sample rate                 | Hz, 48000                   |
// | 4305  | signal generator    | enum: waveform channel A; 4, 5, 7, 9, 10, 11 are noise-like | 0 (sine)            |
// | 4306  | signal generator    | amplitude channel A (RMS)                           | hex, 593164 (-20 dBFS)      |
// | 4310  | signal generator    | frequency channel A                                 | Hz, 1000                    |
// | 4337  | signal generator    | enum: waveform channel B                            | 0 (sine)                    |
// | 4339  | signal generator    | amplitude channel B (RMS)                           | hex, 593164                 |
// | 4343  | signal generator    | frequency channel B                                 | Hz, 1000                    |
// | 4369  | signal generator    | generator reference impedance                       | R, 600                      |
// | 4376  | signal generator    | generator analogue reference (read in V (p) x 1000) | V (p), 21.85709754588       |
// | 4404  | signal generator    | generator digital reference, channel A              | hex, 8388607                |
// | 4405  | signal generator    | generator digital reference, channel B              | hex, 8388607                |
// | 9991  | signal analyser     | result: inter-channel delay                         | µs (phase), 0               |
//
// The two analogue references are stored in V (p) so that a trace that
// reads them (in V (p), times 1000) gets the same mV values it starts with:
// 15455.3019 for the analyser and 21857.09754588 for the generator.
//
// Ids of our own (not used by the trace window by number; any free id works):
//
// | Id    | Owner               | Meaning                                             | Storage, default            |
// |-------|---------------------|-----------------------------------------------------|-----------------------------|
// | 3001  | analyser            | enum: input kind (EInputKind)                       | INPUT_ANALOGUE              |
// | 3002  | analyser            | nominal sample rate                                 | Hz, 48000                   |
// | 3004  | analyser            | flag: split-96 single-channel mode                  | 0                           |
// | 3005  | analyser            | input calibration factor (jitter inputs)            | 1.0                         |
// | 3006  | analyser            | flag: the instrument has analogue inputs            | 1                           |
// | 3010  | analyser            | measured sample rate channel A, -1 when unlocked    | Hz, 48000                   |
// | 3011  | analyser            | measured sample rate channel B, -1 when unlocked    | Hz, 48000                   |
// | 3100  | analogue inputs     | input range channel A (full-scale sine, RMS)        | V (RMS), 15.4553019         |
// | 3101  | analogue inputs     | input range channel B                               | V (RMS), 15.4553019         |
// | 3102  | analogue inputs     | flag: auto-range failed, channel A                  | 0                           |
// | 3103  | analogue inputs     | flag: auto-range failed, channel B                  | 0                           |
// | 3104  | analogue inputs     | largest range channel A (full-scale peak)           | mV, 15455.3019 x sqrt 2     |
// | 3105  | analogue inputs     | largest range channel B                             | mV, 15455.3019 x sqrt 2     |
// | 3230-3232 | signal analyser | enum: low-pass, high-pass, weighting filter         | 0 (none)                    |
// | 3262-3264 | CT detector     | enum: low-pass, high-pass, weighting filter         | 0 (none)                    |
// | 3306-3308 | FFT parameters  | enum: low-pass, high-pass, weighting filter         | 0 (none)                    |
// | 3309  | FFT parameters      | trigger bin (samples before the time origin)        | 0                           |
// | 3310  | FFT parameters      | window spread (bins either side of a tone)          | 3                           |
// | 3362-3364 | FFT detector    | enum: low-pass, high-pass, weighting filter         | 0 (none)                    |
// | 7001  | options             | flag: time axis starts at the trigger bin           | 0                           |
// | 7002  | options             | flag: both channels share X scales                  | 0                           |
// | 7003  | options             | flag: FFT-response traces may share a Y scale       | 1                           |

// Property ids (names of our own for the design's numbers).
enum ESettingId : int {
    // analyser
    PROP_ANA_INPUT_KIND = 3001,
    PROP_ANA_NOMINAL_SAMPLE_RATE = 3002,
    PROP_ANA_SPLIT96_SINGLE = 3004,
    PROP_ANA_INPUT_CAL_FACTOR = 3005,
    PROP_ANA_HAS_ANALOGUE_INPUTS = 3006,
    PROP_ANA_JDO_SAMPLE_RATE = 3008,
    PROP_ANA_SAMPLE_RATE_CHA = 3010,
    PROP_ANA_SAMPLE_RATE_CHB = 3011,
    PROP_ANA_READING_REF = 3046, // changes what readings mean; watched by the views
    PROP_ANA_JDO_SELECTION = 3080,
    PROP_ANA_SKIP_WHEN_UNLOCKED = 0xCF1,
    // analogue inputs
    PROP_AI_RANGE_CHA = 3100,
    PROP_AI_RANGE_CHB = 3101,
    PROP_AI_AUTORANGE_FAILED_CHA = 3102,
    PROP_AI_AUTORANGE_FAILED_CHB = 3103,
    PROP_AI_MAX_MV_CHA = 3104,
    PROP_AI_MAX_MV_CHB = 3105,
    // signal analyser
    PROP_SA_CHANNEL_MODE = 3203,
    PROP_SA_DIGITAL_REF_CHA = 3218,
    PROP_SA_DIGITAL_REF_CHB = 3219,
    // Further settings of the host that change what every reading means; the
    // trace window only watches them (their change redraws every view).
    PROP_SA_READING_REF_CHA = 3220,
    PROP_SA_READING_REF_CHB = 3221,
    PROP_SA_ANALOGUE_REF = 3223,
    PROP_SA_IMPEDANCE = 3228,
    PROP_SA_LOWPASS = 3230,
    PROP_SA_HIGHPASS = 3231,
    PROP_SA_WEIGHTING = 3232,
    // CT detector
    PROP_CT_UNIT = 3254,
    PROP_CT_RESPONSE_NAME = 3255,
    PROP_CT_BAND_MODE = 3258,
    PROP_CT_BAND_TYPE = 3259,
    PROP_CT_BAND_WIDTH = 3260,
    PROP_CT_BPBR_FREQ = 3261,
    PROP_CT_LOWPASS = 3262,
    PROP_CT_HIGHPASS = 3263,
    PROP_CT_WEIGHTING = 3264,
    PROP_CT_RESPONSE = 3265,
    PROP_CT_RELATIVITY = 3266,
    // FFT parameters
    PROP_FFT_LENGTH = 3303,
    PROP_FFT_USER_WEIGHTING = 3304,
    PROP_FFT_RATE_MODE = 3305,
    PROP_FFT_LOWPASS = 3306,
    PROP_FFT_HIGHPASS = 3307,
    PROP_FFT_WEIGHTING = 3308,
    PROP_FFT_TRIGGER_BIN = 3309,
    PROP_FFT_WINDOW_SPREAD = 3310,
    PROP_FFT_WINDOW = 3325,
    PROP_FFT_WEIGHTING_FILE = 3330,
    // FFT detector
    PROP_FFTD_RESPONSE_NAME = 3355,
    PROP_FFTD_BAND_MODE = 3356,
    PROP_FFTD_BAND_TYPE = 3357,
    PROP_FFTD_BAND_WIDTH = 3358,
    PROP_FFTD_BPBR_FREQ = 3359,
    PROP_FFTD_WEIGHTING_NAME = 3360,
    PROP_FFTD_RELATIVITY = 3361,
    PROP_FFTD_LOWPASS = 3362,
    PROP_FFTD_HIGHPASS = 3363,
    PROP_FFTD_WEIGHTING = 3364,
    PROP_FFTD_WEIGHTING_FILE = 3365,
    PROP_FFTD_OWN_FREQ = 3368,
    PROP_FFTD_FOLLOW_GEN = 3369,
    PROP_FFTD_USE_WEIGHTING_FILE = 3370,
    PROP_FFTD_INVERT_WEIGHTING = 3372,
    PROP_READING_REF = 3438, // changes what readings mean; watched by the views
    // impulse response
    PROP_IR_GATE_ON = 3560,
    PROP_IR_RELATIVITY = 3562,
    PROP_IR_WINDOW = 3564,
    PROP_IR_START_CHA = 3567,
    PROP_IR_MID_CHA = 3568,
    PROP_IR_END_CHA = 3569,
    PROP_IR_BIN_UNIT = 3570,
    PROP_IR_START_CHB = 3571,
    PROP_IR_MID_CHB = 3572,
    PROP_IR_END_CHB = 3573,
    PROP_IR_TIED = 3574,
    PROP_IR_KEEP_ABSOLUTE = 3582,
    // signal generator
    PROP_GEN_DC_OFFSET = 4021,
    PROP_GEN_JITTER_FREQ = 4117,
    PROP_GEN_JITTER_AMPL = 4118,
    PROP_GEN_WAVEFORM_CHA = 4305,
    PROP_GEN_AMPL_CHA = 4306,
    PROP_GEN_FREQ_CHA = 4310,
    PROP_GEN_WAVEFORM_CHB = 4337,
    PROP_GEN_AMPL_CHB = 4339,
    PROP_GEN_FREQ_CHB = 4343,
    PROP_GEN_IMPEDANCE = 4369,
    PROP_GEN_ANALOGUE_REF = 4376,
    PROP_GEN_DIGITAL_REF_CHA = 4404,
    PROP_GEN_DIGITAL_REF_CHB = 4405,
    // options
    PROP_OPT_USE_ZERO_BIN = 7001,
    PROP_OPT_SAME_X_SCALE = 7002,
    PROP_OPT_RESPONSE_SHARE_Y = 7003,
};

// Result ids, by the names of the diagnostic tables.
enum EResultId : int {
    RES_DI_FRAMERATE_DEVIATION = 3009,
    RES_DIC_CARRIERAMPL = 3051,
    RES_DIC_JITTER = 3054,
    RES_DI_CARRIERPHASE = 3057,
    RES_AI_SAMPLERATE = 3082,
    RES_CHA_RMSAMPL = 3208,
    RES_CHA_FREQ = 3209,
    RES_CHB_RMSAMPL = 3210,
    RES_CHB_FREQ = 3211,
    RES_PHASE = 3216,
    RES_CTDET_CHA = 3251,
    RES_CTDET_CHB = 3253,
    RES_FFTDET_CHA = 3351,
    RES_FFTDET_CHB = 3352,
    RES_DI_FRAMERATE_ACTUAL = 3424,
    RES_DO_SOURCEFS = 4008,
    RES_DO_SOURCEFSDEVIATION = 4009,
    RES_DO_ACTUALSOURCEFS = 4036,
    RES_AO_SAMPLERATE = 4206,
    RES_DELAY = 9991,
    RES_SEL_RMSAMPL = 9992,
    RES_SEL_FREQ = 9993,
    RES_NONSEL_RMSAMPL = 9994,
    RES_NONSEL_FREQ = 9995,
    RES_CTDET_SEL = 9996,
    RES_CTDET_NONSEL = 9997,
    RES_FFTDET_SEL = 9998,
    RES_FFTDET_NONSEL = 9999,
    UNUSED_RESULT = 65535,
};

// Kind of analyser input (PROP_ANA_INPUT_KIND).
enum EInputKind : int {
    INPUT_ANALOGUE = 0,
    INPUT_DIGITAL = 1,
    INPUT_SOUNDCARD = 2,
    INPUT_HDMI = 3,
    INPUT_TAMBER = 4,
    INPUT_JDO = 5, // jitter demodulation; PROP_ANA_JDO_SELECTION says which
};

// Filter source ids of the filter traces: the CT detector, the FFT
// parameters; any other value is an FFT detector id.
constexpr int FILTER_SOURCE_CTDETECTOR = 1000;
constexpr int FILTER_SOURCE_FFTPARAMETERS = 1001;
