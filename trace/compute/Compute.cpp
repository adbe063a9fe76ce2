#include "trace/compute/Compute.h"

#include "host/app/DebugLog.h"
#include "host/units/Unit.h"
#include "host/units/UnitFunctions.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "host/app/AppServices.h"
#include "host/app/DialogModel.h"
#include "trace/compute/ComputeInvert.h"
#include "trace/compute/ComputeInvertDlg.h"
#include "trace/compute/ComputeNormalise.h"
#include "trace/compute/ComputeNormaliseDlg.h"
#include "trace/compute/ComputeRelative.h"
#include "trace/compute/ComputeRelativeDlg.h"
#include "trace/compute/ComputeSmooth.h"
#include "trace/compute/ComputeSmoothDlg.h"
#include "trace/compute/ComputeSumBins.h"
#include "trace/compute/ComputeSumBinsDlg.h"
#include "trace/model/QXTrace.h"

#include <cfloat>
#include <memory>
#include <new>

IMPLEMENT_DYNAMIC(CCompute, CObject)

namespace {

// A limit line takes its units from the trace it belongs to.
CQXTrace* UnitTrace(CQXTrace* pTrace)
{
    CQXTrace* pOwner = pTrace ? pTrace->GetOwnerTrace() : nullptr;
    return pOwner ? pOwner : pTrace;
}

const CRuntimeClass* ClassForType(int eType)
{
    switch (eType) {
    case COMPUTE_NORMALISE: return RUNTIME_CLASS(CComputeNormalise);
    case COMPUTE_INVERT: return RUNTIME_CLASS(CComputeInvert);
    case COMPUTE_SMOOTH: return RUNTIME_CLASS(CComputeSmooth);
    case COMPUTE_SUMBINS: return RUNTIME_CLASS(CComputeSumBins);
    case COMPUTE_RELATIVE: return RUNTIME_CLASS(CComputeRelative);
    default: return nullptr;
    }
}

} // namespace

ComputeType CCompute::GetComputeType() const
{
    const CRuntimeClass* pClass = ClassForType(m_eComputeType);
    QXASSERT(pClass == nullptr || IsKindOf(pClass));
    return m_eComputeType;
}

int CCompute::DoComputation(CQXTrace*, int, int)
{
    QXASSERT(!"CCompute::DoComputation of the base");
    return 0;
}

void CCompute::CopyFrom(const CCompute& from)
{
    m_eComputeType = from.m_eComputeType;
    m_bEnabled = from.m_bEnabled;
}

void CCompute::InitialiseDetailsFromTrace(CQXTrace*) { QXASSERT(!"CCompute::InitialiseDetailsFromTrace of the base"); }

CString CCompute::GetDescriptionString() const
{
    QXASSERT(!"CCompute::GetDescriptionString of the base");
    return CString();
}

int CCompute::ValidateComputeObject(int, int) const
{
    QXASSERT(!"CCompute::ValidateComputeObject of the base");
    return 0;
}

EUnit CCompute::GetDefaultXUnit(CQXTrace* pTrace)
{
    CQXTrace* p = UnitTrace(pTrace);
    return p ? static_cast<EUnit>(p->GetXUnit()) : UNIT_INVALID;
}

EUnit CCompute::GetDefaultYUnit(CQXTrace* pTrace)
{
    CQXTrace* p = UnitTrace(pTrace);
    return p ? static_cast<EUnit>(p->GetYUnit()) : UNIT_INVALID;
}

double CCompute::GetDefaultXValue(CQXTrace* pTrace) { return pTrace ? pTrace->GetCurrentMinXScaleValue() : 0.0; }
double CCompute::GetDefaultYValue(CQXTrace* pTrace) { return pTrace ? pTrace->GetCurrentMaxYScaleValue() : 0.0; }

int CCompute::ShowComputeDlg(CComputeListDlg* pParent, CQXTrace* pTrace)
{
    QXASSERT(pTrace != 0);
    std::unique_ptr<CComputeDlg> pDlg;
    try {
        switch (GetComputeType()) {
        case COMPUTE_NORMALISE: pDlg = std::make_unique<CComputeNormaliseDlg>(this, pTrace, pParent); break;
        case COMPUTE_INVERT: pDlg = std::make_unique<CComputeInvertDlg>(this, pTrace, pParent); break;
        case COMPUTE_SMOOTH: pDlg = std::make_unique<CComputeSmoothDlg>(this, pTrace, pParent); break;
        case COMPUTE_SUMBINS: pDlg = std::make_unique<CComputeSumBinsDlg>(this, pTrace, pParent); break;
        case COMPUTE_RELATIVE: pDlg = std::make_unique<CComputeRelativeDlg>(this, pTrace, pParent); break;
        default: QXASSERT(!"CCompute::ShowComputeDlg: no dialog for this type"); return IDCANCEL;
        }
    } catch (const std::bad_alloc&) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return IDCANCEL;
    }
    return DoModalDialog(*pDlg);
}

CString CCompute::GetNameString() const
{
    const int iId = GetNameStrIDForComputeType(m_eComputeType);
    return iId < 0 ? CString() : LoadResString(iId);
}

CString CCompute::GetListLine() const { return GetNameString() + L" (" + GetDescriptionString() + L")"; }

CString CCompute::FormatValueWithUnit(double dValue, int iUnit)
{
    if (dValue == -DBL_MAX) return LoadResString(IDS_VALUE_MINUS_INFINITY);
    const CUnit* pUnit = FindUnitObject(iUnit);
    CString sText;
    sText.Format(GetDPsString(pUnit ? pUnit->GetNumDPs() : 2, 0), dValue);
    if (pUnit && iUnit != UNIT_NULL) sText += CString(L" ") + pUnit->GetName();
    return sText;
}

// ---- Types --------------------------------------------------------------------------------

int GetNameStrIDForComputeType(int eType)
{
    switch (eType) {
    case COMPUTE_NORMALISE: return IDS_COMPUTE_NORMALISE;
    case COMPUTE_INVERT: return IDS_COMPUTE_INVERT;
    case COMPUTE_SMOOTH: return IDS_COMPUTE_SMOOTH;
    case COMPUTE_SUMBINS: return IDS_COMPUTE_SUMBINS;
    case COMPUTE_RELATIVE: return IDS_COMPUTE_RELATIVE;
    default: QXASSERT(!"GetNameStrIDForComputeType: not a compute type"); return -1;
    }
}

bool IsKnownComputeType(int eType) { return ClassForType(eType) != nullptr; }

CCompute* CreateComputeObject(ComputeType eType, CQXTrace* pTrace)
{
    CCompute* pCompute = nullptr;
    switch (eType) {
    case COMPUTE_NORMALISE: pCompute = new (std::nothrow) CComputeNormalise(); break;
    case COMPUTE_INVERT: pCompute = new (std::nothrow) CComputeInvert(); break;
    case COMPUTE_SMOOTH: pCompute = new (std::nothrow) CComputeSmooth(); break;
    case COMPUTE_SUMBINS: pCompute = new (std::nothrow) CComputeSumBins(); break;
    case COMPUTE_RELATIVE: pCompute = new (std::nothrow) CComputeRelative(); break;
    default: QXASSERT(!"CreateComputeObject: a type this build does not make"); return nullptr;
    }
    if (!pCompute) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return nullptr;
    }
    if (pTrace) {
        QXASSERT(pTrace->IsKindOf(RUNTIME_CLASS(CQXTrace)));
        pCompute->InitialiseDetailsFromTrace(pTrace);
    }
    return pCompute;
}
