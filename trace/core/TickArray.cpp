#include "trace/core/TickArray.h"

#include "host/app/DebugLog.h"
#include "platform/Archive.h"

IMPLEMENT_DYNCREATE(CTickArray, CObject)

CTickArray& CTickArray::operator=(const CTickArray& other)
{
    if (this != &other) {
        for (int i = 0; i < kMaxTicks; ++i) m_aEntries[i] = other.m_aEntries[i];
        m_iNumTicks = other.m_iNumTicks;
    }
    return *this;
}

void CTickArray::Initialise()
{
    for (auto& e : m_aEntries) e = SEntry();
    m_iNumTicks = 0;
}

CTickArray::SEntry& CTickArray::Entry(int i, const char* expression)
{
    if (i < 0 || i >= kMaxTicks) {
        QXReportAssert(expression, __FILE__, static_cast<unsigned>(__LINE__));
        m_Scratch = SEntry();
        return m_Scratch;
    }
    return m_aEntries[i];
}

const CTickArray::SEntry& CTickArray::Entry(int i, const char* expression) const
{
    return const_cast<CTickArray*>(this)->Entry(i, expression);
}

double CTickArray::GetAt(int i) const { return Entry(i, "iGetAt < (50 + 1)").dPosition; }
void CTickArray::SetAt(int i, double dPosition) { Entry(i, "iSubscript < (50 + 1)").dPosition = dPosition; }
double& CTickArray::operator[](int i) { return Entry(i, "iSubscript < (50 + 1)").dPosition; }

void CTickArray::SetNumTicks(int iNumTicks)
{
    QXASSERT(iNumTicks >= 0 && iNumTicks <= kMaxTicks);
    m_iNumTicks = iNumTicks < 0 ? 0 : (iNumTicks > kMaxTicks ? kMaxTicks : iNumTicks);
}

int CTickArray::HasLabel(int i) const
{
    const SEntry& e = Entry(i, "iGetAt < (50 + 1)");
    return (e.iLabel != 0 || e.iMustHaveLabel != 0) ? 1 : 0;
}

void CTickArray::SetLabel(int i, int bLabel) { Entry(i, "iSubscript < (50 + 1)").iLabel = bLabel; }
void CTickArray::SetMustHaveLabel(int i, int bMustHave) { Entry(i, "iSubscript < (50 + 1)").iMustHaveLabel = bMustHave; }
int CTickArray::GetLabel(int i) const { return Entry(i, "iGetAt < (50 + 1)").iLabel; }
int CTickArray::GetMustHaveLabelAt(int i) const { return Entry(i, "iGetAt < (50 + 1)").iMustHaveLabel; }

int CTickArray::GetMustHaveLabel() const
{
    for (int i = 0; i < kMaxTicks; ++i)
        if (m_aEntries[i].iMustHaveLabel) return i;
    return -1;
}

// i32 count (at most 51), then per tick in use its position and label flag.
void CTickArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<std::int32_t>(m_iNumTicks);
        for (int i = 0; i < m_iNumTicks; ++i)
            ar << m_aEntries[i].dPosition << static_cast<std::int32_t>(m_aEntries[i].iLabel ? 1 : 0);
        return;
    }
    std::int32_t iCount = 0;
    ar >> iCount;
    if (iCount < 0 || iCount > kMaxTicks)
        throw CArchiveException(CArchiveException::badIndex, "tick count out of range");
    SEntry aRead[kMaxTicks];
    for (int i = 0; i < iCount; ++i) {
        std::int32_t iLabel = 0;
        ar >> aRead[i].dPosition >> iLabel;
        aRead[i].iLabel = iLabel;
    }
    Initialise();
    for (int i = 0; i < iCount; ++i) m_aEntries[i] = aRead[i];
    m_iNumTicks = iCount;
}
