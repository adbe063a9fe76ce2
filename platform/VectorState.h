#pragma once
// Some library routines we call (Qt's raster fills among them) use 256-bit
// vector instructions and return without clearing the upper halves of the
// vector registers. On processors that track that state every following
// 128-bit instruction of ours then pays a transition penalty, several times
// the cost of a plot rebuild. Clearing it before a hot loop removes the
// penalty; where the processor has no such state this does nothing.

// Clears the upper vector state when the processor has it (checked once).
void ClearUpperVectorState();
