#pragma once
// CLimitTable: the breakpoints of a hand-drawn limit line, kept in
// ascending X, with the X unit of their X values and the Y unit of their Y
// values (+DBL_MAX: no limit at that point). A point's connected flag says
// whether the segment from the previous point belongs to the line.

#include "platform/CmdTarget.h"
#include "trace/core/TraceDefs.h"

#include <functional>
#include <vector>

class CArchive;
class CDispatchTable;
class CQXTrace;

class CLimitTable : public CCmdTarget {
    DECLARE_DYNCREATE(CLimitTable)
public:
    CLimitTable();
    ~CLimitTable() override = default;
    CLimitTable(const CLimitTable& other);
    CLimitTable& operator=(const CLimitTable& other);

    // Removes every point; the units stay.
    void Initialise();

    int GetNumPoints() const { return static_cast<int>(m_aPoints.size()); }
    // 0 for an index outside the table.
    int GetPoint(int i, double* pdX, double* pdY, int* pbConnected, int* piPolarity) const;
    int GetPoint(int i, LimitTablePoint* pPoint) const;
    const std::vector<LimitTablePoint>& GetPoints() const { return m_aPoints; }

    // Inserts at the insertion point of x, after any point with the same x;
    // returns the index, or -1 when x is not a finite number or memory runs out.
    int AddPoint(double dX, double dY, int bConnected, int iPolarity);
    // 0 for an index outside the table, or a point that is not there.
    int RemovePoint(int i);
    int RemovePoint(const LimitTablePoint& point);
    // Replaces a point, moving it when its x changes; 0 when there is none.
    int ReplacePoint(int i, double dX, double dY, int bConnected, int iPolarity);
    int ReplacePoint(const LimitTablePoint& oldPoint, const LimitTablePoint& newPoint);

    // Binary search: the index of a point at x (*pbExact set), else of the
    // first point with a larger x (the point count when there is none).
    int GetInsertionPoint(double dX, int* pbExact) const;

    // ---- The limit the table gives -------------------------------------------
    // How a reader of the table sees a point: its value (+DBL_MAX: none),
    // its polarity, and a value as data of the trace the table limits.
    struct SReader {
        std::function<double(int)> fnValue;
        std::function<Polarity(int)> fnPolarity;
        std::function<double(double)> fnToData;
        bool bSigned = false; // a scope-like trace: data interpolated, the nearer point's side taken
    };
    // The limit at x (the table's X unit) as data: at a point its own,
    // between a point and the connected one before it the interpolation;
    // +DBL_MAX before the first point, after the last, in a gap, or next to
    // a point without a limit.
    double GetLimitAt(double dX, const SReader& reader) const;
    // The reader of the table's own points for pTrace, the trace it limits.
    SReader MakeReader(CQXTrace* pTrace) const;
    // The same three answers with the table's own points, for pTrace: the
    // limit at x as data; as a value of pTrace's Y unit with the polarity of
    // the nearer point (0 where there is no limit); point i as data.
    double GetYDataAt(double dX, CQXTrace* pTrace) const;
    int GetYValueAt(double dX, CQXTrace* pTrace, double* pdValue, int* piPolarity) const;
    double GetYDataAtPos(int i, CQXTrace* pTrace) const;

    int GetXUnit() const { return m_iXUnit; }
    void SetXUnit(int iUnit) { m_iXUnit = iUnit; }
    int GetYUnit() const { return m_iYUnit; }
    void SetYUnit(int iUnit) { m_iYUnit = iUnit; }

    // The polarity a value gets in a table of a trace of this type: none
    // unless the type is scope or CT amplitude and there is a value, then
    // negative below 0, else positive.
    static Polarity GetPolarity(TraceType eType, double dValue);

    // The table record: X unit, Y unit, the framework's point count and the
    // 24-byte points. Reading checks the count against the bytes left before
    // allocating, remaps the units of files older than 0.94f, and refuses a
    // point whose x is not a finite number (CArchiveException).
    void Serialize(CArchive& ar) override;

    // The LMT_ members (LimitTableOLEData.cpp); they act on the document's
    // table under construction when there is one.
    const CDispatchTable* GetDispatchTable() const override;

private:
    void ReadPoints(CArchive& ar);

    int m_iXUnit = -1;
    int m_iYUnit = -1;
    std::vector<LimitTablePoint> m_aPoints;
};
