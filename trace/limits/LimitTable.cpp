// CLimitTable: sorted breakpoints and their archive record.

#include "trace/limits/LimitTable.h"

#include "host/app/DebugLog.h"
#include "host/app/FileVersion.h"
#include "platform/Archive.h"
#include "trace/core/LimitMath.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

IMPLEMENT_DYNCREATE(CLimitTable, CObject) // CCmdTarget has no run-time record of its own

CLimitTable::CLimitTable() { EnableAutomation(); }

CLimitTable::CLimitTable(const CLimitTable& other) : CCmdTarget()
{
    EnableAutomation();
    *this = other;
}

CLimitTable& CLimitTable::operator=(const CLimitTable& other)
{
    if (this == &other) return *this;
    m_iXUnit = other.m_iXUnit;
    m_iYUnit = other.m_iYUnit;
    m_aPoints = other.m_aPoints;
    return *this;
}

void CLimitTable::Initialise() { m_aPoints.clear(); }

int CLimitTable::GetPoint(int i, double* pdX, double* pdY, int* pbConnected, int* piPolarity) const
{
    LimitTablePoint point;
    if (!GetPoint(i, &point)) return 0;
    if (pdX) *pdX = point.dX;
    if (pdY) *pdY = point.dY;
    if (pbConnected) *pbConnected = point.bConnected;
    if (piPolarity) *piPolarity = point.ePolarity;
    return 1;
}

int CLimitTable::GetPoint(int i, LimitTablePoint* pPoint) const
{
    if (i < 0 || i >= GetNumPoints()) return 0;
    if (pPoint) *pPoint = m_aPoints[static_cast<size_t>(i)];
    return 1;
}

int CLimitTable::GetInsertionPoint(double dX, int* pbExact) const
{
    const auto it = std::lower_bound(m_aPoints.begin(), m_aPoints.end(), dX,
                                     [](const LimitTablePoint& p, double x) { return p.dX < x; });
    const bool bExact = it != m_aPoints.end() && it->dX == dX;
    if (pbExact) *pbExact = bExact ? 1 : 0;
    return static_cast<int>(it - m_aPoints.begin());
}

int CLimitTable::AddPoint(double dX, double dY, int bConnected, int iPolarity)
{
    if (!std::isfinite(dX)) return -1;
    // After any points already at x: a new point never reorders older ones.
    const auto it = std::upper_bound(m_aPoints.begin(), m_aPoints.end(), dX,
                                     [](double x, const LimitTablePoint& p) { return x < p.dX; });
    LimitTablePoint point;
    point.dX = dX;
    point.dY = dY;
    point.bConnected = bConnected;
    point.ePolarity = iPolarity;
    try {
        // begin() taken after the insert: it may move the points.
        const auto inserted = m_aPoints.insert(it, point);
        return static_cast<int>(inserted - m_aPoints.begin());
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

int CLimitTable::RemovePoint(int i)
{
    if (i < 0 || i >= GetNumPoints()) return 0;
    m_aPoints.erase(m_aPoints.begin() + i);
    return 1;
}

int CLimitTable::RemovePoint(const LimitTablePoint& point)
{
    const auto it = std::find_if(m_aPoints.begin(), m_aPoints.end(), [&](const LimitTablePoint& p) {
        return std::memcmp(&p, &point, sizeof(LimitTablePoint)) == 0;
    });
    if (it == m_aPoints.end()) return 0;
    m_aPoints.erase(it);
    return 1;
}

int CLimitTable::ReplacePoint(int i, double dX, double dY, int bConnected, int iPolarity)
{
    if (i < 0 || i >= GetNumPoints() || !std::isfinite(dX)) return 0;
    LimitTablePoint& point = m_aPoints[static_cast<size_t>(i)];
    if (point.dX == dX) {
        point.dY = dY;
        point.bConnected = bConnected;
        point.ePolarity = iPolarity;
        return 1;
    }
    m_aPoints.erase(m_aPoints.begin() + i);
    return AddPoint(dX, dY, bConnected, iPolarity) >= 0 ? 1 : 0;
}

int CLimitTable::ReplacePoint(const LimitTablePoint& oldPoint, const LimitTablePoint& newPoint)
{
    for (int i = 0; i < GetNumPoints(); ++i) {
        if (std::memcmp(&m_aPoints[static_cast<size_t>(i)], &oldPoint, sizeof(LimitTablePoint)) == 0)
            return ReplacePoint(i, newPoint.dX, newPoint.dY, newPoint.bConnected, newPoint.ePolarity);
    }
    return 0;
}

// ---- The limit the table gives ----------------------------------------------------

double CLimitTable::GetLimitAt(double dX, const SReader& reader) const
{
    int bExact = 0;
    const int i = GetInsertionPoint(dX, &bExact);
    if (i >= GetNumPoints()) return DBL_MAX;
    const auto DataAt = [&](int k) {
        const double dValue = reader.fnValue(k);
        return dValue == DBL_MAX ? DBL_MAX : SignedByPolarity(reader.fnToData(dValue), reader.fnPolarity(k));
    };
    if (bExact) return DataAt(i);
    const LimitTablePoint& next = m_aPoints[static_cast<size_t>(i)];
    if (i == 0 || !next.bConnected) return DBL_MAX;
    const LimitTablePoint& previous = m_aPoints[static_cast<size_t>(i - 1)];
    const double dV0 = reader.fnValue(i - 1);
    const double dV1 = reader.fnValue(i);
    if (dV0 == DBL_MAX || dV1 == DBL_MAX) return DBL_MAX;
    if (reader.bSigned) {
        const double dResult = InterpolateLinear(previous.dX, DataAt(i - 1), next.dX, DataAt(i), dX);
        const bool bNearerIsPrevious = dX - previous.dX <= next.dX - dX;
        const Polarity eNearer = reader.fnPolarity(bNearerIsPrevious ? i - 1 : i);
        if (eNearer == POLARITY_NEGATIVE) return -std::fabs(dResult);
        if (eNearer == POLARITY_POSITIVE) return std::fabs(dResult);
        return dResult;
    }
    const double dInterpolated = InterpolateLinear(previous.dX, dV0, next.dX, dV1, dX);
    return dInterpolated == -DBL_MAX ? dInterpolated : reader.fnToData(dInterpolated);
}

CLimitTable::SReader CLimitTable::MakeReader(CQXTrace* pTrace) const
{
    SReader reader;
    reader.fnValue = [this](int i) { return m_aPoints[static_cast<size_t>(i)].dY; };
    reader.fnPolarity = [this](int i) { return static_cast<Polarity>(m_aPoints[static_cast<size_t>(i)].ePolarity); };
    const int iUnit = m_iYUnit;
    reader.fnToData = [pTrace, iUnit](double dValue) {
        return pTrace ? pTrace->GetYDataForValue(dValue, iUnit, 0) : dValue;
    };
    reader.bSigned = pTrace && GetPolarity(pTrace->GetTraceType(), 0.0) != POLARITY_NONE;
    return reader;
}

double CLimitTable::GetYDataAt(double dX, CQXTrace* pTrace) const { return GetLimitAt(dX, MakeReader(pTrace)); }

int CLimitTable::GetYValueAt(double dX, CQXTrace* pTrace, double* pdValue, int* piPolarity) const
{
    const double dData = GetYDataAt(dX, pTrace);
    if (dData == DBL_MAX || !pTrace) return 0;
    const int i = GetInsertionPoint(dX, nullptr);
    // The nearer of the point at or after x and the one before it.
    int iNearer = std::min(i, GetNumPoints() - 1);
    if (i > 0 && i < GetNumPoints() && dX - m_aPoints[static_cast<size_t>(i - 1)].dX <= m_aPoints[static_cast<size_t>(i)].dX - dX)
        iNearer = i - 1;
    if (pdValue) *pdValue = pTrace->GetYValueForData(dData, pTrace->GetYUnit(), 0, 0);
    if (piPolarity) *piPolarity = m_aPoints[static_cast<size_t>(iNearer)].ePolarity;
    return 1;
}

double CLimitTable::GetYDataAtPos(int i, CQXTrace* pTrace) const
{
    if (i < 0 || i >= GetNumPoints()) return DBL_MAX;
    const SReader reader = MakeReader(pTrace);
    const double dValue = reader.fnValue(i);
    return dValue == DBL_MAX ? DBL_MAX : SignedByPolarity(reader.fnToData(dValue), reader.fnPolarity(i));
}

Polarity CLimitTable::GetPolarity(TraceType eType, double dValue)
{
    if ((eType != TT_SCOPE && eType != TT_CTDET) || dValue == DBL_MAX) return POLARITY_NONE;
    return dValue < 0.0 ? POLARITY_NEGATIVE : POLARITY_POSITIVE;
}

// ---- Archive -----------------------------------------------------------------------------

void CLimitTable::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_iXUnit) << static_cast<int32_t>(m_iYUnit);
        ar.WriteCount(m_aPoints.size());
        for (const LimitTablePoint& point : m_aPoints) ar << point.dX << point.dY << point.bConnected << point.ePolarity;
        return;
    }
    int32_t iXUnit = 0;
    int32_t iYUnit = 0;
    ar >> iXUnit >> iYUnit;
    m_iXUnit = iXUnit;
    m_iYUnit = iYUnit;
    ReadPoints(ar);
}

void CLimitTable::ReadPoints(CArchive& ar)
{
    const std::uint64_t uCount = ar.ReadCount();
    if (uCount > ar.GetRemaining() / sizeof(LimitTablePoint))
        throw CArchiveException(CArchiveException::endOfFile, "limit table: more points than bytes");
    std::vector<LimitTablePoint> aPoints(static_cast<size_t>(uCount));
    for (LimitTablePoint& point : aPoints) {
        ar >> point.dX >> point.dY >> point.bConnected >> point.ePolarity;
        if (!std::isfinite(point.dX))
            throw CArchiveException(CArchiveException::badSchema, "limit table: X value is not a number");
    }

    bool bXRemapped = false;
    bool bYRemapped = false;
    if (CheckFileVersion(94, 'f') < 0) {
        m_iXUnit = RemapOldMilliUnit(m_iXUnit, &bXRemapped);
        m_iYUnit = RemapOldMilliUnit(m_iYUnit, &bYRemapped);
    }
    for (LimitTablePoint& point : aPoints) {
        if (bXRemapped) point.dX /= 1000.0;
        if (bYRemapped && point.dY != DBL_MAX) point.dY /= 1000.0;
    }
    if (!std::is_sorted(aPoints.begin(), aPoints.end(),
                        [](const LimitTablePoint& a, const LimitTablePoint& b) { return a.dX < b.dX; })) {
        QXDebugLog(2, "CLimitTable::Serialize", "LIMITLINE: table points out of order, sorted by X");
        std::stable_sort(aPoints.begin(), aPoints.end(),
                         [](const LimitTablePoint& a, const LimitTablePoint& b) { return a.dX < b.dX; });
    }
    m_aPoints = std::move(aPoints);
}
