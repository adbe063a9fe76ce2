#include "trace/file/CreateFilterDlg.h"

#include "host/app/AppServices.h"
#include "host/app/DebugLog.h"
#include "host/app/PathResolver.h"
#include "host/settings/MeasurementSettings.h"
#include "host/settings/UserTableSettings.h"
#include "host/units/Unit.h"
#include "host/units/UnitSet.h"
#include "resources/StringTable.h"
#include "trace/core/ZoomMath.h"
#include "trace/display/GraphFrame.h"
#include "trace/document/GraphDoc.h"
#include "trace/model/QXTrace.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cwchar>
#include <new>

namespace {

// A point's gain relative to the reference, both in the unit: dB units as
// a difference, the others as a ratio. Missing points and a zero reference pass nothing.
double RelativeGain(double dValue, double dReference, bool bDb)
{
    if (dValue == DBL_MAX || dValue == -DBL_MAX) return 0.0;
    if (bDb) return std::pow(10.0, (dValue - dReference) / 20.0);
    return dReference != 0.0 ? dValue / dReference : 0.0;
}

} // namespace

CCreateFilterDlg::CCreateFilterDlg(CQXTrace* pTrace) : m_pTrace(pTrace)
{
    if (!m_pTrace) return;
    if (const CUnitSet* pSet = m_pTrace->GetUnitSet(2)) m_aeUnits = pSet->GetUnits();
    const int iYUnit = m_pTrace->GetYUnit();
    const auto it = std::find(m_aeUnits.begin(), m_aeUnits.end(), static_cast<EUnit>(iYUnit));
    if (it == m_aeUnits.end()) m_aeUnits.insert(m_aeUnits.begin(), static_cast<EUnit>(iYUnit));
    m_iUnitIndex = static_cast<int>(std::find(m_aeUnits.begin(), m_aeUnits.end(), static_cast<EUnit>(iYUnit)) -
                                    m_aeUnits.begin());
    const double* pdY = m_pTrace->GetYDataBuffer(0);
    const int iSize = m_pTrace->GetDataSize();
    double dLargest = -DBL_MAX;
    for (int i = 0; pdY && i < iSize; ++i)
        if (pdY[i] != DBL_MAX) dLargest = std::max(dLargest, m_pTrace->GetYValueForData(pdY[i], iYUnit, 0, 0));
    if (dLargest != -DBL_MAX) m_sValue.Format(L"%.6g", dLargest);
}

CString CCreateFilterDlg::GetCaption() const { return LoadResString(IDS_CREATE_FILTER_CAPTION); }

bool CCreateFilterDlg::SetUnitIndex(int iIndex)
{
    if (iIndex < 0 || iIndex >= static_cast<int>(m_aeUnits.size())) return false;
    m_iUnitIndex = iIndex;
    return true;
}

EUnit CCreateFilterDlg::GetUnit() const
{
    return m_aeUnits.empty() ? UNIT_INVALID : m_aeUnits[static_cast<size_t>(m_iUnitIndex)];
}

bool CCreateFilterDlg::ParseValue(double& dValue) const
{
    const wchar_t* szStart = m_sValue.GetString();
    wchar_t* pEnd = nullptr;
    dValue = std::wcstod(szStart, &pEnd);
    if (pEnd == szStart) return false;
    while (*pEnd == L' ' || *pEnd == L'\t') ++pEnd;
    return *pEnd == 0 && std::isfinite(dValue);
}

CString CCreateFilterDlg::Validate(int* piControl) const
{
    int iControl = 0;
    CString sProblem;
    if (!m_pTrace || m_pTrace->GetDataSize() < 2 || !m_pTrace->GetYDataBuffer(0) || m_aeUnits.empty()) {
        iControl = IDC_VALUE;
        sProblem = LoadResString(IDS_FILTER_NO_TRACE_DATA);
    } else {
        const EUnit eUnit = GetUnit();
        const double dMin = m_pTrace->GetMinYValue(eUnit);
        const double dMax = m_pTrace->GetMaxYValue(eUnit);
        double dValue = 0.0;
        // A linear reference of zero would make every gain infinite.
        const bool bUsable = ParseValue(dValue) && dValue >= dMin && dValue <= dMax && (IsdBUnit(eUnit) || dValue != 0.0);
        if (!bUsable) {
            iControl = IDC_VALUE;
            sProblem = GetInvalidRangeText(CString(), dMin, dMax, eUnit, 0);
        } else if (m_sFileName.IsEmpty()) {
            iControl = IDC_FILE;
            sProblem = LoadResString(IDS_FILTER_FILE_NAME_MISSING);
        }
    }
    if (piControl) *piControl = iControl;
    return sProblem;
}

std::vector<double> CCreateFilterDlg::ComputeGains(double dReference) const
{
    std::vector<double> aGains;
    const double* pdY = m_pTrace ? m_pTrace->GetYDataBuffer(0) : nullptr;
    if (!pdY) return aGains;
    const EUnit eUnit = GetUnit();
    const bool bDb = IsdBUnit(eUnit);
    aGains.resize(static_cast<size_t>(m_pTrace->GetDataSize()));
    for (size_t i = 0; i < aGains.size(); ++i) {
        const double dValue = pdY[i] == DBL_MAX ? DBL_MAX : m_pTrace->GetYValueForData(pdY[i], eUnit, 1, 0);
        const double dGain = RelativeGain(dValue, dReference, bDb);
        aGains[i] = !m_bInvert ? dGain : (dGain != 0.0 ? 1.0 / dGain : 0.0);
    }
    return aGains;
}

bool CCreateFilterDlg::Browse()
{
    const CString sChosen = CGraphDoc::ShowModalFileDialog(false, m_sFileName, IDS_FILTER_FILE_EXT,
                                                           IDS_FILTER_FILE_FILTER, PATH_SUBTYPE_FILTERS, nullptr);
    if (sChosen.IsEmpty()) return false;
    m_sFileName = sChosen;
    return true;
}

bool CCreateFilterDlg::Apply()
{
    double dReference = 0.0;
    if (!m_pTrace || !ParseValue(dReference)) return false;
    try {
        const std::vector<double> aGains = ComputeGains(dReference);
        const int iCount = static_cast<int>(aGains.size());
        CUserTableSettings* pTables = GetUserTableSettings();
        bool bWritten = false;
        if (m_pTrace->HasXData()) {
            const int iXUnit = m_pTrace->GetXUnit();
            std::vector<double> aX(aGains.size());
            for (int i = 0; i < iCount; ++i) aX[static_cast<size_t>(i)] = m_pTrace->GetXValueAtPos(i, iXUnit);
            bWritten = pTables->CreateFreqTableFilterFile(m_sFileName, iCount, aX.data(), aGains.data());
        } else {
            bWritten = pTables->CreateFilterFile(m_sFileName, iCount, aGains.data());
        }
        if (!bWritten) {
            CString sText;
            sText.Format(LoadResString(IDS_FILTER_FILE_CREATE_FAILED), m_sFileName.GetString());
            AfxMessageBox(sText, MB_OK | MB_ICONEXCLAMATION);
        }
        return bWritten;
    } catch (const std::bad_alloc&) {
        ERROR_FATAL(IDS_ERROR_OUTOFMEMORY);
        return false;
    }
}

void InstallCreateFilterCommand(CGraphFrame& frame)
{
    const auto Usable = [](CQXTrace* pTrace) {
        return pTrace && pTrace->IsInUse() && pTrace->IsOn() && pTrace->GetDataSize() > 0;
    };
    frame.SetCommand({ID_TRACE_CREATEFILTER,
                      [Usable](CQXTrace* pTrace) {
                          if (!Usable(pTrace)) return false;
                          CCreateFilterDlg dlg(pTrace);
                          DoModalDialog(dlg);
                          return true;
                      },
                      [Usable](CQXTrace* pTrace) { return SCommandStatus{Usable(pTrace), false}; }});
}
