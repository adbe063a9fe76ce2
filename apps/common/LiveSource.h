#pragma once
// A simulated measurement behind a graph document: the signal generator and
// the measurement engine write the host's shared result buffers block by
// block, and each finished block is delivered to the document as the host
// would (NewMathThreadData for both channels, on the document's thread).
//
// The two channels carry distinct signals so that their traces can be told
// apart: A a 1 kHz tone at -6 dBFS with its 2nd and 3rd harmonics, B a
// 440 Hz tone at -12 dBFS over white noise at -70 dBFS.

#include "host/sim/MeasurementEngine.h"
#include "host/sim/SignalGenerator.h"

#include <memory>

class CGraphDoc;
class CHeadlessHost;

class CLiveSource {
public:
    // The host's shared data and the document must outlive the source.
    CLiveSource(CHeadlessHost& host, CGraphDoc& doc);
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

private:
    CGraphDoc& m_Doc;
    CSignalGenerator m_Generator;
    std::unique_ptr<CMeasurementEngine> m_pEngine;
};
