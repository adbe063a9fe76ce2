# A loop a test engineer writes around a measurement: one user trace per
# gain step (a first-order low-pass response at 1 kHz, scaled), each named
# and saved to its own trace file, then every file loaded back and checked.
#
#   tracewin script examples/save_traces.py [FOLDER]
import math
import os
import sys
import tempfile

import tracewin

folder = sys.argv[1] if len(sys.argv) > 1 else tempfile.mkdtemp()
w = tracewin.Window()
points = 31
saved = []
for gain_db in (-6.0, 0.0, 6.0):
    tid = w.TW_CreateTrace(w.TW_CHA, points, 20.0, 20000.0, -40.0, 10.0)
    t = w.trace(tid)
    for i in range(points):
        f = 20.0 * 1000.0 ** (i / (points - 1))  # 20 Hz to 20 kHz, log spaced
        level = gain_db - 10.0 * math.log10(1.0 + (f / 1000.0) ** 2)
        t.TRACE_SetPoint(i, f, level, False)
    t.TRACE_Name = f"low-pass {gain_db:+g} dB"
    path = os.path.join(folder, f"lowpass_{gain_db:+g}dB")
    if not t.TRACE_SaveTrace(path):
        sys.exit(f"could not save {path}")
    saved.append((path, t.TRACE_GetYValueAt(10)))

for path, y10 in saved:
    tid = w.TW_LoadTrace(path, w.TW_CHB)
    t = w.trace(tid)
    same = t.TRACE_GetNumPoints() == points and abs(t.TRACE_GetYValueAt(10) - y10) < 1e-9
    print(f"{os.path.basename(path)}: '{t.TRACE_Name}', y[10] {t.TRACE_GetYValueAt(10):.3f} "
          f"{'loads back equal' if same else 'DIFFERS'}")
    if not same:
        sys.exit(1)
