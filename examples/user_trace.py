# A user trace made and filled by a script: five points on a ramp, named,
# read back, and a refused setting reported as an exception.
import tracewin

w = tracewin.Window()
tid = w.TW_CreateTrace(w.TW_CHA, 5, 0.0, 4.0, 0.0, 1.0)
t = w.trace(tid)
for i in range(5):
    t.TRACE_SetPoint(i, float(i), i / 4.0, False)
t.TRACE_Name = "ramp"
try:
    t.TRACE_PrintStyle = 9
    refused = "no"
except RuntimeError as e:
    refused = str(e).splitlines()[0]
print(f"points {t.TRACE_GetNumPoints()}, name {t.TRACE_Name}, y[2] {t.TRACE_GetYValueAt(2)}, "
      f"print style refused: {refused}")
