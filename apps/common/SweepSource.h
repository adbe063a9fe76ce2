#pragma once
// A simulated stepped-frequency sweep behind a graph document: the stepped
// sweep of the simulated analyser measures a device under test (a gentle
// low-pass with a little distortion) from 20 Hz to 20 kHz, and every step
// reaches the document's sweep traces through their sweep entry points, as
// the host delivers them: channel A shows the level of its output, channel B
// the THD+N of its output (the CT detector set to a relative THD+N reading).
// The scope and spectrum traces are switched off while the sweep is shown.

#include "host/sim/SteppedSweep.h"
#include "host/units/UnitIds.h"
#include "trace/core/TraceDefs.h"

class CGraphDoc;
class CSweepTrace;

// 31 steps at -10 dBFS through a device with its corner at 5 kHz.
SSweepPlan DemoSweepPlan();
SDeviceParams DemoDevice();

class CSweepSource {
public:
    CSweepSource(CGraphDoc& doc, const SSweepPlan& plan = DemoSweepPlan(), const SDeviceParams& device = DemoDevice());
    ~CSweepSource();
    CSweepSource(const CSweepSource&) = delete;
    CSweepSource& operator=(const CSweepSource&) = delete;

    // Makes the two sweep traces for a new sweep (current on their channels,
    // log frequency axis over the plan's span, level in dBFS, THD+N in dB)
    // and tells them it starts. False when a trace cannot be made.
    bool Prepare();
    // One step into both traces; call it on the document's thread.
    void Deliver(const SSweepReading& reading, int bUpdateViews);
    // The sweep is complete.
    void Finish();
    // Prepare, every step and Finish on the calling thread.
    bool RunAll();

    // Paced measuring on the sweep's own thread: its callbacks must pass
    // each reading to the document's thread.
    CSteppedSweep& GetSweep() { return m_Sweep; }
    CSweepTrace* GetLevelTrace() const { return m_pLevel; }
    CSweepTrace* GetTHDNTrace() const { return m_pTHDN; }

private:
    CSweepTrace* MakeTrace(ChannelNumber eChannel, int iResultID, EUnit eYUnit, double dMinY, double dMaxY);

    CGraphDoc& m_Doc;
    CSteppedSweep m_Sweep;
    CSweepTrace* m_pLevel = nullptr;
    CSweepTrace* m_pTHDN = nullptr;
};
