# A limit test on the live spectrum of channel A (a 1 kHz tone at -6 dBFS on
# the simulated analyser): an upper mask is built point by point, saved as a
# limit file and attached; each measured block is checked against it and the
# upper-limit event (422) counts the breaches. Prints PASS or FAIL for a mask
# at the level given (dBFS, default -3) and exits 1 on FAIL.
#
#   tracewin script examples/limit_test.py [LEVEL_DBFS] [FOLDER]
#   tracewin-demo --script examples/limit_test.py   (on the demo's live window)
import os
import sys
import tempfile

import tracewin

level = float(sys.argv[1]) if len(sys.argv) > 1 else -3.0
folder = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp()

# In the demo the live window is the one on screen; elsewhere a headless one.
w = tracewin.window() if hasattr(tracewin, "window") else tracewin.Window(live=True)
fft_id = w.TW_GetFirstTraceOfType(w.TRACETYPE_FFT, w.TW_CHA)
fft = w.trace(fft_id)

# The mask in the spectrum's own units (Hz, dBFS), flat over the audio band.
w.LMT_InitTable(os.path.join(folder, "mask"))
mask = w.limit_table()
mask.LMT_XUnit = fft.TRACE_XUnit
mask.LMT_YUnit = fft.TRACE_YUnit
mask.LMT_AddPoint(20.0, level, False)
mask.LMT_AddPoint(20000.0, level, True)
if not mask.LMT_SaveTable(""):
    sys.exit("could not save the mask")
fft.TRACE_SetMaxLimit(os.path.join(folder, "mask"))

breaches = []
w.on_event(tracewin.EVENT_MAX_LIMIT_BREACHED, fft_id, lambda kind, param: breaches.append(param))
w.measure(4)

verdict = "FAIL" if breaches else "PASS"
print(f"mask {level:g} dBFS over {fft.TRACE_Name}: {len(breaches)} of 4 blocks breached: {verdict}")
if breaches:
    # The event's parameter names the trace that breached.
    w.TW_SetCurrentTraceFromEventParam(breaches[0], False)
    print(f"breached by trace {w.TW_GetCurrentTrace()}")
sys.exit(1 if breaches else 0)
