#include "trace/document/TraceSettingsDlg.h"

#include "host/app/AppServices.h"
#include "host/app/PathResolver.h"
#include "host/units/Unit.h"
#include "resources/StringTable.h"
#include "trace/compute/ComputeDlg.h"
#include "trace/core/ScaleMath.h"
#include "trace/core/ZoomMath.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/TraceScaleSettings.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cwchar>

namespace {

const wchar_t* AxisName(AxisType eAxis) { return eAxis == X_AXIS ? L"X" : L"Y"; }

int AxisUnit(CQXTrace& trace, AxisType eAxis) { return eAxis == X_AXIS ? trace.GetXUnit() : trace.GetYUnit(); }

// A whole number, or 0 for anything else (which the interval check refuses).
int ReadCount(const CString& sText)
{
    const wchar_t* pBegin = sText.GetString();
    wchar_t* pEnd = nullptr;
    const long lCount = std::wcstol(pBegin, &pEnd, 10);
    while (*pEnd == L' ') ++pEnd;
    return pEnd == pBegin || *pEnd || lCount < 0 || lCount > 1000 ? 0 : static_cast<int>(lCount);
}

} // namespace

CTraceSettingsDlg::CTraceSettingsDlg(CQXTrace& trace) : m_Trace(trace), m_Axes(GetScalesTrace(trace))
{
    m_sName = trace.GetTraceName(0, 0, 0);
    // dB values of data that takes both signs are magnitudes: the box says which side.
    m_bPolarityApplies = m_Axes.HasNegativeYData() && m_Axes.HasPositiveYData() && IsdBUnit(m_Axes.GetYUnit());
    m_bPositive = !m_bPolarityApplies || m_Axes.GetCurrentMaxYData() > 0.0;
    for (AxisType eAxis : {X_AXIS, Y_AXIS}) {
        double dMin = 0.0, dMax = 0.0;
        GetTraceRange(m_Axes, eAxis, false, &dMin, &dMax);
        ShowRange(eAxis, dMin, dMax);
        const int iIntervals = GetTraceIntervals(m_Axes, eAxis);
        const bool bLog = (eAxis == X_AXIS ? m_Axes.GetLogX() : m_Axes.GetLogY()) != 0;
        SAxis& axis = Axis(eAxis);
        axis.eIntervals = bLog ? EIntervals::logarithmic
                          : iIntervals == TRACE_INTERVALS_AUTO ? EIntervals::automatic : EIntervals::linear;
        axis.sCount.Format(L"%d", iIntervals == TRACE_INTERVALS_AUTO ? 10 : iIntervals);
    }
    const CQXTrace* apLines[2] = {m_Axes.GetMaxLimitLine(), m_Axes.GetMinLimitLine()};
    for (int i = 0; i < 2; ++i) m_asLimit[i] = m_asOpenedLimit[i] = apLines[i] ? apLines[i]->GetFileName() : CString();
    std::copy(std::begin(m_aAxes), std::end(m_aAxes), std::begin(m_aOpened));
    m_bOpenedPositive = m_bPositive;
}

CString CTraceSettingsDlg::GetCaption() const { return LoadResString(IDS_TRACE_SETTINGS_CAPTION); }

CString CTraceSettingsDlg::GetUnitName(AxisType eAxis) const
{
    const CUnit* pUnit = FindUnitObject(AxisUnit(m_Axes, eAxis));
    return pUnit ? pUnit->GetName() : CString();
}

bool CTraceSettingsDlg::LogAllowed(AxisType eAxis) const { return TraceLogAllowed(m_Axes, eAxis); }

void CTraceSettingsDlg::ShowRange(AxisType eAxis, double dMin, double dMax)
{
    const int iUnit = AxisUnit(m_Axes, eAxis);
    Axis(eAxis).sFrom = FormatFieldValue(dMin, iUnit);
    Axis(eAxis).sTo = FormatFieldValue(dMax, iUnit);
}

void CTraceSettingsDlg::ResetDefaults()
{
    m_sName = m_Trace.GetTraceName(0, 0, 1);
    double dMin = 0.0, dMax = 0.0;
    m_Axes.CalcDefaultXScaleValues(&dMin, &dMax);
    ShowRange(X_AXIS, dMin, dMax);
    m_Axes.CalcDefaultYScaleValues(&dMin, &dMax);
    ShowRange(Y_AXIS, dMin, dMax);
    for (SAxis& axis : m_aAxes) axis.eIntervals = EIntervals::automatic;
    m_bPositive = true;
}

bool CTraceSettingsDlg::ReadAxis(AxisType eAxis, double* pdFrom, double* pdTo, int* piIntervals) const
{
    const SAxis& axis = GetAxis(eAxis);
    const int iUnit = AxisUnit(m_Axes, eAxis);
    *piIntervals = axis.eIntervals == EIntervals::linear ? ReadCount(axis.sCount) : TRACE_INTERVALS_AUTO;
    return ParseFieldValue(axis.sFrom, iUnit, pdFrom) && ParseFieldValue(axis.sTo, iUnit, pdTo);
}

CString CTraceSettingsDlg::Validate(int* piControl) const
{
    for (AxisType eAxis : {X_AXIS, Y_AXIS}) {
        const bool bX = eAxis == X_AXIS;
        double dFrom = 0.0, dTo = 0.0;
        int iIntervals = TRACE_INTERVALS_AUTO;
        if (!ReadAxis(eAxis, &dFrom, &dTo, &iIntervals)) {
            double dMin = 0.0, dMax = 0.0;
            GetTraceRange(m_Axes, eAxis, true, &dMin, &dMax);
            if (piControl) *piControl = bX ? IDC_X_FROM : IDC_Y_FROM;
            return GetInvalidRangeText(CString(), dMin, dMax, AxisUnit(m_Axes, eAxis), 0);
        }
        const CString sProblem = GetScaleRangeError(eAxis, dFrom, dTo, iIntervals);
        if (!sProblem.IsEmpty()) {
            const bool bInterval = dFrom < dTo;
            if (piControl) *piControl = bInterval ? (bX ? IDC_X_INTERVALS : IDC_Y_INTERVALS) : (bX ? IDC_X_TO : IDC_Y_TO);
            return sProblem;
        }
    }
    if (piControl) *piControl = 0;
    return CString();
}

bool CTraceSettingsDlg::Refuse(int iMessageId, AxisType eAxis) const
{
    CString sText;
    sText.Format(LoadResString(iMessageId), AxisName(eAxis));
    AfxMessageBox(sText, MB_OK | MB_ICONINFORMATION);
    return false;
}

bool CTraceSettingsDlg::ApplyAxis(AxisType eAxis)
{
    CGraphDoc* pDoc = GetGraphDoc();
    const SAxis& axis = GetAxis(eAxis);
    const SAxis& opened = m_aOpened[eAxis == X_AXIS ? 0 : 1];
    double dFrom = 0.0, dTo = 0.0;
    int iIntervals = TRACE_INTERVALS_AUTO;
    if (!ReadAxis(eAxis, &dFrom, &dTo, &iIntervals)) return false;
    const bool bPolarityChanged = eAxis == Y_AXIS && m_bPositive != m_bOpenedPositive;
    if (axis.sFrom != opened.sFrom || axis.sTo != opened.sTo || bPolarityChanged) {
        EScaleSetting eSet = EScaleSetting::done;
        if (eAxis == Y_AXIS && m_bPolarityApplies) {
            const int iUnit = m_Axes.GetYUnit();
            const double dA = m_Axes.GetYDataForValue(dFrom, iUnit, 0);
            const double dB = m_Axes.GetYDataForValue(dTo, iUnit, 0);
            const double dSign = m_bPositive ? 1.0 : -1.0;
            eSet = SetTraceYDataRange(m_Axes, pDoc, std::min(dSign * dA, dSign * dB), std::max(dSign * dA, dSign * dB), 1);
        } else {
            eSet = SetTraceRange(m_Axes, pDoc, eAxis, dFrom, dTo, 1);
        }
        if (eSet != EScaleSetting::done) return Refuse(IDS_TRACE_SETTINGS_RANGE_REFUSED, eAxis);
    }
    if (axis.eIntervals != opened.eIntervals || (axis.eIntervals == EIntervals::linear && axis.sCount != opened.sCount)) {
        const EScaleSetting eSet =
            SetTraceIntervals(m_Axes, pDoc, eAxis, iIntervals, axis.eIntervals == EIntervals::logarithmic, 1);
        if (eSet == EScaleSetting::logRefused) return Refuse(IDS_TRACE_SETTINGS_LOG_REFUSED, eAxis);
        if (eSet != EScaleSetting::done) return Refuse(IDS_TRACE_SETTINGS_RANGE_REFUSED, eAxis);
    }
    return true;
}

bool CTraceSettingsDlg::Apply()
{
    // The trace's own name is kept as no name, so it follows the trace.
    const CString sUserName = m_sName == m_Trace.GetTraceName(0, 0, 1) ? CString() : m_sName;
    if (sUserName != m_Trace.GetUserName()) {
        if (CGraphDoc* pDoc = GetGraphDoc()) pDoc->SetTraceName(&m_Trace, sUserName);
        else m_Trace.SetTraceName(sUserName);
    }
    for (AxisType eAxis : {X_AXIS, Y_AXIS}) {
        if (!ApplyAxis(eAxis)) return false;
        // A refused later axis must not set this one again.
        m_aOpened[eAxis == X_AXIS ? 0 : 1] = GetAxis(eAxis);
    }
    m_bOpenedPositive = m_bPositive;
    for (int i = 0; i < 2; ++i) {
        if (m_asLimit[i].IsEmpty() || m_asLimit[i] == m_asOpenedLimit[i]) continue;
        int iFailure = 0;
        if (!CLimitLine::LoadForTrace(&m_Axes, m_asLimit[i], i == 0 ? TT_MAXLIMITLINE : TT_MINLIMITLINE, 1, &iFailure))
            return false;
        m_asOpenedLimit[i] = m_asLimit[i];
    }
    return true;
}

bool CTraceSettingsDlg::BrowseLimitFile(bool bUpper)
{
    const CString sChosen = CGraphDoc::ShowModalFileDialog(true, GetLimitFile(bUpper), IDS_LIMIT_FILE_EXT,
                                                           IDS_LIMIT_FILE_FILTER, PATH_SUBTYPE_LIMITS, nullptr);
    if (sChosen.IsEmpty()) return false;
    SetLimitFile(bUpper, sChosen);
    return true;
}

void InstallTraceSettingsCommand(CGraphFrame& frame)
{
    InstallDialogCommand<CTraceSettingsDlg>(frame, ID_TRACE_SETTINGS, [](CQXTrace* pTrace) {
        return pTrace && pTrace->IsInUse() && pTrace->GetDataSize() > 0;
    });
}
