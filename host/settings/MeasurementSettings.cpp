#include "host/settings/MeasurementSettings.h"

#include "host/app/DebugLog.h"
#include "host/settings/AnalogueInputsSettings.h"
#include "host/settings/AnalyserSettings.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/FFTDetectorSettings.h"
#include "host/settings/FFTParametersSettings.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/OptionsSettings.h"
#include "host/settings/SharedMeasurementData.h"
#include "host/settings/SignalAnalyserSettings.h"
#include "host/settings/SignalGeneratorSettings.h"
#include "host/settings/SweepManager.h"
#include "host/settings/UserTableSettings.h"

#include <atomic>

CMeasurementSettings::CMeasurementSettings()
    : m_pAnalyser(std::make_unique<CAnalyserSettings>()),
      m_pAnalogueInputs(std::make_unique<CAnalogueInputsSettings>()),
      m_pSignalAnalyser(std::make_unique<CSignalAnalyserSettings>()),
      m_pSignalGenerator(std::make_unique<CSignalGeneratorSettings>()),
      m_pCTDetector(std::make_unique<CCTDetectorSettings>()),
      m_pFFTParameters(std::make_unique<CFFTParametersSettings>()),
      m_pImpulseResponse(std::make_unique<CImpulseResponseSettings>()),
      m_pOptions(std::make_unique<COptionsSettings>()),
      m_pUserTable(std::make_unique<CUserTableSettings>()),
      m_pSweepManager(std::make_unique<CSweepManager>()),
      m_pSharedData(std::make_unique<CSharedMeasurementData>(CFFTParametersSettings::kDefaultFFTLength))
{
    for (int i = 0; i < kNumFFTDetectors; ++i) m_apFFTDetectors[i] = std::make_unique<CFFTDetectorSettings>(i + 1);
}

CMeasurementSettings::~CMeasurementSettings() = default;

CFFTDetectorSettings* CMeasurementSettings::GetFFTDetectorFromID(int iDetectorId) const
{
    if (iDetectorId < 1 || iDetectorId > kNumFFTDetectors) return nullptr;
    return m_apFFTDetectors[iDetectorId - 1].get();
}

CSettingsBase* CMeasurementSettings::GetSettingsForID(int iId, int iIndex) const
{
    if (iId == 0) return nullptr;
    const int iActual = GetActualResultID(iId);
    // Every detector defines the same ids; the index picks the detector.
    if (m_apFFTDetectors[0]->HasProperty(iActual)) return GetFFTDetectorFromID(iIndex);
    CSettingsBase* const apSettings[] = {
        m_pAnalyser.get(), m_pAnalogueInputs.get(), m_pSignalAnalyser.get(), m_pSignalGenerator.get(),
        m_pCTDetector.get(), m_pFFTParameters.get(), m_pImpulseResponse.get(), m_pOptions.get(),
    };
    for (CSettingsBase* p : apSettings)
        if (p->HasProperty(iActual)) return p;
    return nullptr;
}

namespace {

std::atomic<CMeasurementSettings*> g_pInstalled{nullptr};

// Answers when nothing is installed, so a missing install is reported but
// never crashes. Built on first use.
CMeasurementSettings& Fallback()
{
    static CMeasurementSettings fallback;
    return fallback;
}

CMeasurementSettings& Current()
{
    CMeasurementSettings* p = g_pInstalled.load();
    QXASSERT(p != nullptr);
    return p ? *p : Fallback();
}

} // namespace

CMeasurementSettings* InstallMeasurementSettings(CMeasurementSettings* pSettings)
{
    return g_pInstalled.exchange(pSettings);
}

CMeasurementSettings* GetInstalledMeasurementSettings()
{
    return g_pInstalled.load();
}

CAnalyserSettings* GetAnalyserSettings() { return Current().GetAnalyserSettings(); }
CAnalogueInputsSettings* GetAnalogueInputsSettings() { return Current().GetAnalogueInputsSettings(); }
CSignalAnalyserSettings* GetSignalAnalyserSettings() { return Current().GetSignalAnalyserSettings(); }
CSignalGeneratorSettings* GetSignalGeneratorSettings() { return Current().GetSignalGeneratorSettings(); }
CCTDetectorSettings* GetCTDetectorSettings() { return Current().GetCTDetectorSettings(); }
CFFTParametersSettings* GetFFTParametersSettings() { return Current().GetFFTParametersSettings(); }
CImpulseResponseSettings* GetImpulseResponseSettings() { return Current().GetImpulseResponseSettings(); }
COptionsSettings* GetOptionsSettings() { return Current().GetOptionsSettings(); }
CUserTableSettings* GetUserTableSettings() { return Current().GetUserTableSettings(); }
CSweepManager* GetSweepManager() { return Current().GetSweepManager(); }
CSharedMeasurementData* GetSharedMeasurementData() { return Current().GetSharedMeasurementData(); }
CCTDetectorSettings* GetCTDetectorSettingsData() { return GetCTDetectorSettings(); }
CFFTParametersSettings* GetFFTParametersSettingsData() { return GetFFTParametersSettings(); }
CImpulseResponseSettings* GetImpulseResponseSettingsData() { return GetImpulseResponseSettings(); }

CFFTDetectorSettings* GetFFTDetectorFromID(int iDetectorId)
{
    return Current().GetFFTDetectorFromID(iDetectorId);
}

CSettingsBase* GetSettingsForID(int iResultId, int iIndex)
{
    return Current().GetSettingsForID(iResultId, iIndex);
}

int MapSelectedResultID(int iResultId, int iSelectedChannel)
{
    const bool bB = iSelectedChannel == 1;
    switch (iResultId) {
    case RES_SEL_RMSAMPL: return bB ? RES_CHB_RMSAMPL : RES_CHA_RMSAMPL;
    case RES_SEL_FREQ: return bB ? RES_CHB_FREQ : RES_CHA_FREQ;
    case RES_NONSEL_RMSAMPL: return bB ? RES_CHA_RMSAMPL : RES_CHB_RMSAMPL;
    case RES_NONSEL_FREQ: return bB ? RES_CHA_FREQ : RES_CHB_FREQ;
    case RES_CTDET_SEL: return bB ? RES_CTDET_CHB : RES_CTDET_CHA;
    case RES_CTDET_NONSEL: return bB ? RES_CTDET_CHA : RES_CTDET_CHB;
    case RES_FFTDET_SEL: return bB ? RES_FFTDET_CHB : RES_FFTDET_CHA;
    case RES_FFTDET_NONSEL: return bB ? RES_FFTDET_CHA : RES_FFTDET_CHB;
    default: return iResultId;
    }
}

int GetActualResultID(int iResultId)
{
    return MapSelectedResultID(iResultId, GetSignalAnalyserSettings()->GetSelectedChannel());
}

bool IsFFTResult(int iResultId)
{
    const int iActual = GetActualResultID(iResultId);
    return iActual == RES_FFTDET_CHA || iActual == RES_FFTDET_CHB;
}

bool IsSweepRunning()
{
    return GetSweepManager()->IsSweepRunning();
}
