#include "apps/common/SweepSource.h"

#include "host/app/AppServices.h"
#include "host/settings/CTDetectorSettings.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/SettingsIds.h"
#include "trace/document/GraphDoc.h"
#include "trace/types/SweepTrace.h"
#include "trace/types/TraceKindTables.h"

#include <cmath>

SSweepPlan DemoSweepPlan() { return SSweepPlan(); }

SDeviceParams DemoDevice() { return SDeviceParams(); }

CSweepSource::CSweepSource(CGraphDoc& doc, const SSweepPlan& plan, const SDeviceParams& device)
    : m_Doc(doc), m_Sweep(plan, device)
{
}

// The sweep's thread must end before the traces it feeds can go.
CSweepSource::~CSweepSource() { m_Sweep.Stop(); }

CSweepTrace* CSweepSource::MakeTrace(ChannelNumber eChannel, int iResultID, EUnit eYUnit, double dMinY, double dMaxY)
{
    const SSweepPlan& plan = m_Sweep.GetPlan();
    // The sweep replaces the running measurement's traces in the view.
    for (TraceType eType : {TT_SCOPE, TT_FFT, TT_SWEEP1})
        if (CQXTrace* pOld = m_Doc.GetTraceFromArray(eChannel, eType, 0, 1); pOld && pOld->IsOn())
            m_Doc.TraceOff(pOld, 0);
    auto* pSweep = dynamic_cast<CSweepTrace*>(m_Doc.CreateTrace(TT_SWEEP1, eChannel, plan.iSteps, 0, 0, 1, 0, 1, 0, 1));
    if (!pSweep) return nullptr;
    pSweep->SetResultID(iResultID);
    pSweep->SetXAxisSourceDetails(TRIGGER_GENFREQ_CHA, UNIT_FREQ_HZ, plan.dStartHz, plan.dStopHz);
    pSweep->UpdateTraceVariables(false, false, nullptr);
    pSweep->SetXUnit(UNIT_FREQ_HZ);
    pSweep->SetLogX(1);
    pSweep->DefaultZoomX(0, 0);
    pSweep->SetYUnit(eYUnit);
    pSweep->ZoomY(0, pSweep->GetYDataForValue(dMinY, eYUnit, 0), pSweep->GetYDataForValue(dMaxY, eYUnit, 0), 0);
    m_Doc.TraceOn(pSweep, 0);
    m_Doc.SetCurrentTrace(pSweep, 0);
    pSweep->SweepStarted(0);
    return pSweep;
}

bool CSweepSource::Prepare()
{
    // THD+N is a relative reading of the CT detector.
    if (CCTDetectorSettings* pCT = GetCTDetectorSettings()) {
        pCT->SetProperty(PROP_CT_RELATIVITY, 1);
        pCT->SetProperty(PROP_CT_RESPONSE_NAME, L"THD+N");
    }
    m_Doc.PrepareTracesForSweep(0);
    m_pLevel = MakeTrace(CHANNEL_A, RES_CHA_RMSAMPL, UNIT_DBFS, -40.0, 0.0);
    m_pTHDN = MakeTrace(CHANNEL_B, RES_CTDET_CHB, UNIT_RELATIVE_DB, -100.0, -40.0);
    // Cyan, so that the two can be told apart when drawn in one view.
    if (m_pTHDN) m_Doc.TraceColorChange(m_pTHDN, RGB(0, 255, 255), 0);
    return m_pLevel && m_pTHDN;
}

void CSweepSource::Deliver(const SSweepReading& reading, int bUpdateViews)
{
    if (m_pLevel) m_pLevel->AddSweepPoint(reading.dFrequencyHz, reading.adLevel[0], 0, 1, 0, bUpdateViews);
    // Relative detector readings are stored in dB.
    const double dTHDN = reading.adTHDN[1] > 0.0 ? 20.0 * std::log10(reading.adTHDN[1]) : -DBL_MAX;
    if (m_pTHDN) m_pTHDN->AddSweepPoint(reading.dFrequencyHz, dTHDN, 0, 1, 0, bUpdateViews);
}

void CSweepSource::Finish()
{
    for (CSweepTrace* p : {m_pLevel, m_pTHDN})
        if (p) p->SweepFinished(0, 0);
    UpdateViews(nullptr, UPDATE_GRAPH_REDRAWALL, nullptr);
}

bool CSweepSource::RunAll()
{
    if (!Prepare()) return false;
    for (const SSweepReading& reading : m_Sweep.RunAll()) Deliver(reading, 0);
    Finish();
    return true;
}
