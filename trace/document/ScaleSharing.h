#pragma once
// Which traces share scales. Nothing is cached: the answer comes from the
// two traces' types, units, scale kinds and ranges each time it is asked,
// so a trace that changes unit or range stops (or starts) sharing at once.

class CQXTrace;

// 1 if the two traces are drawn against one X axis.
int ShouldUseSameXScale(CQXTrace* pA, CQXTrace* pB);
// 1 if the two traces are drawn against one Y axis.
int ShouldUseSameYScale(CQXTrace* pA, CQXTrace* pB);
// Two sweep results share a Y axis when they measure the same kind of
// quantity (the scale kind their values have) and both or neither are
// relative.
int SweepResultsHaveSameYScale(int iResultA, int iRelativityA, int iResultB, int iRelativityB);
// Two sweep sources (triggers; -1 for none) sweep the same kind of quantity.
int SweepSourceTypesMatch(int iSourceA, int iSourceB);
