#pragma once
// The measurement settings service: one object owning every settings
// object the trace window reads, and the free accessors the window calls.
//
// The host creates a CMeasurementSettings and installs it with
// InstallMeasurementSettings(); the accessors answer from the installed
// one. With none installed they log an assert and answer from a built-in
// default service, so a call never crashes. Objects returned belong to the
// service and are never freed by callers.
//
// Channels are plain ints with the ChannelNumber values (0 A, 1 B, 2 both).

#include <memory>

class CAnalyserSettings;
class CAnalogueInputsSettings;
class CSignalAnalyserSettings;
class CSignalGeneratorSettings;
class CCTDetectorSettings;
class CFFTDetectorSettings;
class CFFTParametersSettings;
class CImpulseResponseSettings;
class COptionsSettings;
class CUserTableSettings;
class CSweepManager;
class CSettingsBase;
class CSharedMeasurementData;

class CMeasurementSettings {
public:
    // FFT detectors have ids 1..kNumFFTDetectors.
    static constexpr int kNumFFTDetectors = 4;

    CMeasurementSettings();
    ~CMeasurementSettings();
    CMeasurementSettings(const CMeasurementSettings&) = delete;
    CMeasurementSettings& operator=(const CMeasurementSettings&) = delete;

    CAnalyserSettings* GetAnalyserSettings() const { return m_pAnalyser.get(); }
    CAnalogueInputsSettings* GetAnalogueInputsSettings() const { return m_pAnalogueInputs.get(); }
    CSignalAnalyserSettings* GetSignalAnalyserSettings() const { return m_pSignalAnalyser.get(); }
    CSignalGeneratorSettings* GetSignalGeneratorSettings() const { return m_pSignalGenerator.get(); }
    CCTDetectorSettings* GetCTDetectorSettings() const { return m_pCTDetector.get(); }
    CFFTParametersSettings* GetFFTParametersSettings() const { return m_pFFTParameters.get(); }
    CImpulseResponseSettings* GetImpulseResponseSettings() const { return m_pImpulseResponse.get(); }
    COptionsSettings* GetOptionsSettings() const { return m_pOptions.get(); }
    CUserTableSettings* GetUserTableSettings() const { return m_pUserTable.get(); }
    CSweepManager* GetSweepManager() const { return m_pSweepManager.get(); }
    // The shared result buffers (the master document may hold this one).
    CSharedMeasurementData* GetSharedMeasurementData() const { return m_pSharedData.get(); }

    // Null for an id outside 1..kNumFFTDetectors.
    CFFTDetectorSettings* GetFFTDetectorFromID(int iDetectorId) const;

    // The settings object holding property (or result) iId; iIndex is the
    // FFT detector id for FFT-detector properties. Null when none holds it.
    CSettingsBase* GetSettingsForID(int iId, int iIndex) const;

private:
    std::unique_ptr<CAnalyserSettings> m_pAnalyser;
    std::unique_ptr<CAnalogueInputsSettings> m_pAnalogueInputs;
    std::unique_ptr<CSignalAnalyserSettings> m_pSignalAnalyser;
    std::unique_ptr<CSignalGeneratorSettings> m_pSignalGenerator;
    std::unique_ptr<CCTDetectorSettings> m_pCTDetector;
    std::unique_ptr<CFFTParametersSettings> m_pFFTParameters;
    std::unique_ptr<CImpulseResponseSettings> m_pImpulseResponse;
    std::unique_ptr<COptionsSettings> m_pOptions;
    std::unique_ptr<CUserTableSettings> m_pUserTable;
    std::unique_ptr<CSweepManager> m_pSweepManager;
    std::unique_ptr<CFFTDetectorSettings> m_apFFTDetectors[kNumFFTDetectors];
    std::unique_ptr<CSharedMeasurementData> m_pSharedData;
};

// Installs the service the accessors answer from (null uninstalls).
// Returns the previously installed one. The caller keeps ownership.
CMeasurementSettings* InstallMeasurementSettings(CMeasurementSettings* pSettings);
// The installed service, or null.
CMeasurementSettings* GetInstalledMeasurementSettings();

// Accessors of the current settings objects (never null).
CAnalyserSettings* GetAnalyserSettings();
CAnalogueInputsSettings* GetAnalogueInputsSettings();
CSignalAnalyserSettings* GetSignalAnalyserSettings();
CSignalGeneratorSettings* GetSignalGeneratorSettings();
CCTDetectorSettings* GetCTDetectorSettings();
CFFTParametersSettings* GetFFTParametersSettings();
CImpulseResponseSettings* GetImpulseResponseSettings();
COptionsSettings* GetOptionsSettings();
CUserTableSettings* GetUserTableSettings();
CSweepManager* GetSweepManager();
CSharedMeasurementData* GetSharedMeasurementData();
// The same objects under the names the trace types use for property reads.
CCTDetectorSettings* GetCTDetectorSettingsData();
CFFTParametersSettings* GetFFTParametersSettingsData();
CImpulseResponseSettings* GetImpulseResponseSettingsData();

// Null for an unknown detector id (no assert: "no detector" is an answer).
CFFTDetectorSettings* GetFFTDetectorFromID(int iDetectorId);
// Null for id 0 or an id no settings object holds.
CSettingsBase* GetSettingsForID(int iResultId, int iIndex);

// The channel result a selected/non-selected alias stands for, given the
// signal analyser's channel selection (B selected in mode 1, else A):
// RES_SEL_* and RES_CTDET_SEL / RES_FFTDET_SEL map to the selected
// channel's result, the NONSEL ones to the other channel's. Other ids are
// returned unchanged.
int GetActualResultID(int iResultId);
// The pure mapping behind GetActualResultID.
int MapSelectedResultID(int iResultId, int iSelectedChannel);
// True for the FFT-detector results (after alias mapping).
bool IsFFTResult(int iResultId);
bool IsSweepRunning();
