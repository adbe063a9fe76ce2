#pragma once
// A simulated measurement behind a graph document: the signal generator and
// the measurement engine write the host's shared result buffers block by
// block, and each finished block is delivered to the document as the host
// would (NewMathThreadData for both channels, on the document's thread).
//
// With the tones, the two channels carry distinct signals so that their
// traces can be told apart: A a 1 kHz tone at -6 dBFS with its 2nd and 3rd
// harmonics, B a 440 Hz tone at -12 dBFS over white noise at -70 dBFS.
// With the multitone, both channels play 31 tones at -30 dBFS, one per third
// octave, through the sweep's device under test, and each channel shows its
// frequency response (a live response trace, level in dBFS at each tone, on
// a log frequency axis) instead of its scope and spectrum.

#include "host/sim/MeasurementEngine.h"
#include "host/sim/SignalGenerator.h"
#include "trace/core/TraceDefs.h"

#include <memory>
#include <vector>

class CFFTResponseTrace;
class CGraphDoc;
class CHeadlessHost;

enum class ELiveSignal { Tones, Multitone };

class CLiveSource {
public:
    static constexpr double kMultitoneLeveldBFS = -30.0;
    // Blocks a multitone runs when the command line gives no count.
    static constexpr int kMultitoneBlocks = 2;

    // The host's shared data and the document must outlive the source.
    CLiveSource(CHeadlessHost& host, CGraphDoc& doc, ELiveSignal eSignal = ELiveSignal::Tones);
    ~CLiveSource();
    CLiveSource(const CLiveSource&) = delete;
    CLiveSource& operator=(const CLiveSource&) = delete;

    // Measures and delivers iBlocks blocks on the calling thread; false when
    // a block could not be measured.
    bool RunBlocks(int iBlocks);
    // Delivers the block last published; call it on the document's thread.
    void Deliver();

    // Measuring on the engine's own thread; the callback runs there after
    // each block and must pass the delivery to the document's thread.
    CMeasurementEngine& GetEngine() { return *m_pEngine; }

    // Multitone: the response trace of a channel (null otherwise), and the
    // device's gain, from the next block.
    CFFTResponseTrace* GetResponseTrace(ChannelNumber eChannel) const;
    void SetDeviceGain(double dGaindB);

private:
    void StartMultitone();

    CGraphDoc& m_Doc;
    CSignalGenerator m_Generator;
    std::unique_ptr<CMeasurementEngine> m_pEngine;
    CFFTResponseTrace* m_apResponses[2] = {nullptr, nullptr};
};
