#pragma once
// Helpers the trace kinds share that need a trace: the reference record of an
// amplitude Y axis, a full Y limit looked up in a kind's table, the relativity
// an impulse-response measurement gives, and the unit tests they all ask.

#include "host/units/References.h"
#include "host/units/UnitIds.h"

class CQXTrace;

// A kind's table of full Y ranges (TraceKindTables.h).
using YLimitsTable = bool (*)(EUnit eUnit, double* pdMin, double* pdMax);

// The limit from the table; UNIT_RELATIVE_ANAVSGEN takes the row of the
// host's analyser unit; any other unit outside the table gives 0 with an assertion.
double LookUpYLimit(YLimitsTable pfnTable, EUnit eUnit, bool bMax);

// The reference record of an amplitude Y axis of the trace (kind 2, 3 or 4).
SReferences AmplitudeYReferences(CQXTrace& trace, int bDefault, bool bTimeDomain);

// GetReferences of the frequency-domain kinds: X in bins of an FFT of
// iXDataSize points (0 when X is kept in Hz), Y an amplitude axis. 0, with
// an assertion, for a missing record or an axis other than 1 and 2.
int FrequencyDomainReferences(CQXTrace& trace, int iAxis, int bDefault, int iXDataSize, SReferences* pReferences);

// The relativity an impulse-response measurement gives a trace (0 without a
// gate, else 3 or 2 unless the response is kept absolute), and whether the
// data comes from it.
int ImpulseResponseRelativity(bool* pbFromImpulseResponse);

// A unit of -1 (or -2) stands for the axis's current unit.
int ResolveAxisUnit(CQXTrace& trace, int iAxis, int iUnit);

// The default X window of the time and sweep kinds: CalcDefaultXScaleValues
// in the X unit, positions following the values.
void SetXWindowFromDefaultValues(CQXTrace& trace);

// The Y pixel mapping of the kinds drawn against their display values
// (spectra and sweeps): the Y origin row from the current Y scale values,
// and the Y datum shown at a device row.
int ValueWindowYOrigin(CQXTrace& trace);
double ValueWindowYDataAtPoint(CQXTrace& trace, int iDeviceY);
// The height above the origin of a value (in the trace's Y unit, offset
// added) in a linear window of Y values; minus infinity at the bottom.
int ValueWindowYPoint(CQXTrace& trace, double dValue);

// The document keeps the host reading only the CT buffers a shown trace
// needs; the CT kinds ask it to look again whenever they change state.
void RefreshCTAFlags();
// Whether archive reading only passes over stored objects (nothing is
// announced or posted for what it reads then).
bool IsInspectionOnlyLoad();
