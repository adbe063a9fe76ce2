#pragma once
// Per-id properties of the units, shared by the unit objects and the free
// unit functions so that both answer from one table.

enum EUnitTrait : unsigned {
    UNITTRAIT_AMPLITUDE = 1u << 0,
    UNITTRAIT_ABSOLUTE = 1u << 1,      // amplitude units of the absolute unit sets (dBr and % ref included)
    UNITTRAIT_RELATIVE = 1u << 2,      // ratios between two amplitudes
    UNITTRAIT_REFERENCE = 1u << 3,     // relative to the user's reference amplitude
    UNITTRAIT_DIGITAL = 1u << 4,       // relative to digital full scale
    UNITTRAIT_DB = 1u << 5,
    UNITTRAIT_PERCENT = 1u << 6,
    UNITTRAIT_FREQUENCY = 1u << 7,
    UNITTRAIT_JITTER = 1u << 8,
    UNITTRAIT_ANAPHASE = 1u << 9,
    UNITTRAIT_CARRIERPHASE = 1u << 10,
    UNITTRAIT_SIGN = 1u << 11,         // shown with an explicit sign
    UNITTRAIT_HEXBASE = 1u << 12,      // shown in hexadecimal
};

// 0 for ids without a unit object.
unsigned GetUnitTraits(int iUnit);

// The kind of quantity a unit measures (AreSameKindsOfUnit).
enum EUnitKind : int {
    UNITKIND_NONE = -1,                // no unit object
    UNITKIND_NULL = 0,
    UNITKIND_BINS,                     // index of a point: matches frequency and time
    UNITKIND_TIME,
    UNITKIND_FREQUENCY,
    UNITKIND_ABSAMPLITUDE,
    UNITKIND_RELAMPLITUDE,
    UNITKIND_JITTER,
    UNITKIND_ANAPHASE,                 // degrees also matches carrier phase
    UNITKIND_CARRIERPHASE,
    UNITKIND_DUTYCYCLE,
    UNITKIND_DEVIATION,
    UNITKIND_IMPEDANCE,
};

EUnitKind GetUnitKind(int iUnit);
