#pragma once
// Moving a trace's X window over its data: pure arithmetic on data-point
// positions, kept apart from the document so it can be tested alone. The
// window keeps its width; it is clamped to the data at the end it moves
// towards.

struct SPanWindow {
    int iMin = 0;
    int iMax = 0;
    // 0 when the requested position lay beyond the data and was clamped.
    int bWithinData = 1;
};

// The window starting n points before the current start (bRelative) or at
// position n, but not before iFirstPos.
SPanWindow PanWindowLeft(int iFirstPos, int iCurrentMin, int iCurrentMax, int n, int bRelative);
// The window ending n points after the current end (bRelative) or at
// position n plus the width, but not after iLastPos.
SPanWindow PanWindowRight(int iLastPos, int iCurrentMin, int iCurrentMax, int n, int bRelative);
