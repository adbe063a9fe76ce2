// CImpulseWindowFunction: the gate window of an impulse-response measurement.

#include "trace/types/ImpulseWindowFunction.h"

#include "host/app/DebugLog.h"

IMPLEMENT_DYNCREATE(CImpulseWindowFunction, CWindowFunction)

CImpulseWindowFunction::CImpulseWindowFunction() = default;

CImpulseWindowFunction::CImpulseWindowFunction(ChannelNumber eChannel, int iDataSize, int iBare)
    : CWindowFunction()
{
    (void)iBare;
    m_eChannel = eChannel;
    InitialiseWindowTrace(iDataSize);
}

void CImpulseWindowFunction::SetWindowType(WINDOWFUNCTION /*eType*/, const CString& /*sFile*/)
{
    QXASSERT(!"SetWindowType on an impulse window");
}

void CImpulseWindowFunction::SetYDefaultZoomValues()
{
    QXASSERT(GetYUnit() == UNIT_RELATIVE_GAIN);
    CWindowFunction::SetYDefaultZoomValues();
}

CQXTrace* CImpulseWindowFunction::CopyFrom(CQXTrace* pFrom)
{
    if (!pFrom || !pFrom->IsKindOf(RUNTIME_CLASS(CImpulseWindowFunction))) {
        QXReportAssert("pCopyFrom->IsKindOf((CImpulseWindowFunction::GetThisClass()))", __FILE__,
                       static_cast<unsigned>(__LINE__));
        return this;
    }
    return CWindowFunction::CopyFrom(pFrom);
}
