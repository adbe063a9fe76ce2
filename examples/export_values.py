# Exports the live spectrum of channel B (a 440 Hz tone at -12 dBFS over
# noise on the simulated analyser) as comma-separated frequency and level,
# and reports the peak it holds.
#
#   tracewin script examples/export_values.py [FILE.csv]
import os
import sys
import tempfile

import tracewin

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(tempfile.mkdtemp(), "spectrum.csv")
w = tracewin.Window(live=True)
w.measure(1)
t = w.trace(w.TW_GetFirstTraceOfType(w.TRACETYPE_FFT, w.TW_CHB))
none = w.TRACE_NULL_VALUE
rows = 0
peak = (0.0, -1e9)
with open(out, "w") as f:
    f.write("Hz,dBFS\n")
    for i in range(t.TRACE_GetNumPoints()):
        x, y = t.TRACE_GetXValueAt(i), t.TRACE_GetYValueAt(i)
        if y == none:
            continue  # a bin without a value (the Nyquist bin)
        f.write(f"{x:.4f},{y:.3f}\n")
        rows += 1
        if y > peak[1]:
            peak = (x, y)
print(f"{rows} rows to {os.path.basename(out)}, peak {peak[1]:.1f} dBFS at {peak[0]:.0f} Hz")
