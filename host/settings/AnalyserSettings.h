#pragma once
// The analyser's input and sample-rate settings, and the filter-combination
// service that filter traces draw.
//
// Defaults: analogue input, both channels, 48000 Hz on both channels,
// input calibration factor 1, analogue inputs present.

#include "host/settings/SettingsBase.h"

#include <vector>

// Description of the filters of one analyser path, filled by the caller;
// CreateNewFilterCombination() writes the response into aBuffer.
struct FilterCombinationListItem {
    int iLowPassFilter = 0;
    int iHighPassFilter = 0;
    int iWeightingFilter = 0;
    int iBandMode = 0;        // the band filter is applied separately (CreateBPBRFilter)
    int iBandType = 0;
    double dBandFrequency = 0.0;
    double dBandWidth = 0.0;
    int bUserWeighting = 0;
    int bInvertUserWeighting = 0; // the file's gains are divided out, not multiplied in
    CString sWeightingFile;
    int iNumPoints = 0;       // bins from 0 Hz up to (not including) half the sample rate
    std::vector<double> aBuffer; // the response per bin, iNumPoints values
};

class CAnalyserSettings : public CSettingsBase {
public:
    CAnalyserSettings();

    // First and last channel (ChannelNumber values) measured: both channels
    // 0..1; a single channel (split-96 mode, or one channel selected in the
    // signal analyser) gives that channel twice. bIncludeSelection: follow
    // the signal analyser's channel selection (property 3203) too.
    void GetAnalyserChannelRange(int& iFirst, int& iLast, bool bIncludeSelection = true) const;

    int GetInputKind() const { return GetPropertyAsEnum(PROP_ANA_INPUT_KIND); }
    bool IsAnalogueInput() const { return GetInputKind() == INPUT_ANALOGUE; }
    bool IsDigitalInput() const { return GetInputKind() == INPUT_DIGITAL; }
    bool IsSoundcardInput() const { return GetInputKind() == INPUT_SOUNDCARD; }
    bool IsHDMIInput() const { return GetInputKind() == INPUT_HDMI; }
    bool IsTamberInput() const { return GetInputKind() == INPUT_TAMBER; }
    bool IsJDO() const { return GetInputKind() == INPUT_JDO; }
    bool IsSplit96SingleChannel() const;
    bool HasAnalogueInputs() const;

    // Sample rate of a channel in Hz. bActual: the measured rate (-1.0 while
    // the input is unlocked); else the nominal rate. A channel other than
    // 0 or 1 asserts and answers channel 0.
    double GetAnalyserSampleRate(int iChannel = 0, bool bActual = true) const;
    // Sets both the nominal and the measured rate of both channels.
    void SetAnalyserSampleRate(double dRate);

    // Calibration factor of the jitter-demodulation inputs.
    double GetInputCalibrationFactor() const;

    // Band-pass/band-reject centre frequency for a detector: iDetector 0 is
    // the CT detector, otherwise an FFT detector id. iIndex is reserved
    // (one band per detector). A detector without its own frequency follows
    // the signal analyser's frequency of the channel; dDefault when none applies.
    double GetBPBRFrequency(int iChannel, int iDetector, int iIndex, double dDefault) const;

    // Combined low-pass, high-pass and weighting response of pItem per bin,
    // for bins spanning 0 to dSampleRate / 2. bLinear: gains (else dB).
    // bCTDetector only tags the request in the log. False on bad arguments.
    bool CreateNewFilterCombination(FilterCombinationListItem* pItem, double dSampleRate, int bLinear,
                                    bool bCTDetector) const;
};
