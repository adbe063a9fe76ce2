#pragma once
// The graph document the programs show without a measurement engine: the
// initial traces of a new document, with the live scope and FFT traces of
// both channels filled from the built-in signals. A headless host stands in
// for the application (message boxes stay scripted).

#include "trace/core/TraceDefs.h"

#include <memory>

class CGraphDoc;
class CHeadlessHost;
class CQXTrace;
struct SSignal;
struct SSpectrumSettings;

// The signals are generated at the rate the trace itself works at, so that
// times and frequencies on its axes are the signal's.
// Fills every point of a scope trace with samples from time 0.
bool FillScopeTrace(CQXTrace& trace, const SSignal& signal);
// Resizes an FFT trace to the bins of the spectrum and fills it with their
// magnitudes (the square roots of the powers); the Nyquist bin holds no value.
bool FillFFTTrace(CQXTrace& trace, const SSignal& signal, const SSpectrumSettings& settings);
// Fills the live scope and FFT traces of both channels, switches them on,
// shows the spectra in dBFS and zooms every one to its default window.
// False when the document lacks one of them or a trace cannot take the data.
bool FillBuiltInSignals(CGraphDoc& doc);

class CBuiltInDocument {
public:
    // Installs a headless host, initialises a new document in it and fills it.
    CBuiltInDocument();
    ~CBuiltInDocument();
    CBuiltInDocument(const CBuiltInDocument&) = delete;
    CBuiltInDocument& operator=(const CBuiltInDocument&) = delete;

    // False when initialising or filling failed (the log says why).
    bool IsValid() const { return m_bValid; }
    CGraphDoc& GetDoc() { return *m_pDoc; }
    CHeadlessHost& GetHost() { return *m_pHost; }
    // The live trace of a kind on a channel; null when there is none.
    CQXTrace* GetLiveTrace(ChannelNumber eChannel, TraceType eType);

private:
    // The host goes last: the document reaches it while it is destroyed.
    std::unique_ptr<CHeadlessHost> m_pHost;
    std::unique_ptr<CGraphDoc> m_pDoc;
    bool m_bValid = false;
};
