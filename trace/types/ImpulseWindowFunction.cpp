// CImpulseWindowFunction: the gate window of an impulse-response measurement.

#include "trace/types/ImpulseWindowFunction.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/settings/ImpulseResponseSettings.h"
#include "host/settings/ImpulseWindowDetails.h"
#include "host/settings/MeasurementSettings.h"
#include "trace/document/GraphDoc.h"

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

int CImpulseWindowFunction::UpdateWindowDetails(const CImpulseWindowDetails& details, int bCreate)
{
    const int iNumPoints = details.GetNumPoints();
    const bool bSizeChanged = iNumPoints != GetDataSize();
    if (bSizeChanged && !SetBuffer(iNumPoints)) return 0;
    {
        CSingleLock lock(&m_TraceLock, true);
        double* pdY = GetYDataBuffer(0);
        if (!pdY || !CImpulseWindowDetails::GetBuffer(details, pdY, iNumPoints, L"")) return 0;
    }
    m_eWindowType = details.GetWindowFunction();
    FinishWindowUpdate(bCreate, bSizeChanged);
    if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->UpdateAllViews(UPDATE_TRACE_REDRAW, this);
    return 1;
}

int CImpulseWindowFunction::SetWindow(int iNumPoints, int bCreate)
{
    QXASSERT((IsInUse()) || (bCreate));
    if (!bCreate && !IsOn()) return 1;
    const CImpulseResponseSettings* pSettings = GetImpulseResponseSettings();
    if (!pSettings) return 0;
    CImpulseWindowDetails details = pSettings->GetImpulseWindowDetails(m_eChannel == CHANNEL_B ? 1 : 0);
    if (!details.SetNumPoints(iNumPoints)) return 0;
    return UpdateWindowDetails(details, bCreate);
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
