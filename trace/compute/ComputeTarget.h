#pragma once
// CComputeTarget: the Y data a compute changes, seen the way the trace's
// kind manages them. Scope and CT-detector traces (and their limit lines)
// are changed in data space, every other kind in value space through a Y
// unit. A limit line's points are read and written as signed data of the
// trace it belongs to, so that a polarity follows the sign of its limit.

#include "trace/core/ComputeMath.h"

#include <functional>

class CLimitLine;
class CQXTrace;

class CComputeTarget {
public:
    CComputeTarget(CQXTrace& trace, int bTransformed);

    CQXTrace& Trace() const { return m_Trace; }
    int IsTransformed() const { return m_bTransformed; }
    bool IsDataSpace() const { return m_bDataSpace; }
    CLimitLine* GetLimitLine() const { return m_pLimit; }
    // The trace a limit line belongs to; the trace itself otherwise.
    CQXTrace& OwnerTrace() const;
    // Whether the chosen buffer can be read (a limit table counts).
    bool HasData() const;

    // The conversions of the trace's Y unit iUnit; data space when the
    // trace is managed in data.
    SValueSpace ValueSpace(int iUnit) const;
    double DataForValue(double dValue, int iUnit) const;
    double ValueForData(double dData, int iUnit) const;
    // The datum at a position and at an X value given in iXUnit.
    double DatumAtPos(int iPos) const;
    double DatumAtXValue(double dX, int iXUnit) const;

    void Mirror(double dPivot, const SValueSpace& space);
    // Any change of the whole array, as data (a limit line's as signed data).
    void ChangeData(const std::function<void(double*, int)>& change);
    void Shift(double dOffset, const SValueSpace& space);

private:
    template <typename Change>
    void Apply(Change change);

    CQXTrace& m_Trace;
    CLimitLine* m_pLimit;
    int m_bTransformed;
    bool m_bDataSpace;
};
