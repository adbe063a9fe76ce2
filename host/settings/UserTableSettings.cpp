#include "host/settings/UserTableSettings.h"

#include "host/app/DebugLog.h"

#include <algorithm>

double InterpolateTable(const std::vector<double>& aX, const std::vector<double>& aY, double x)
{
    if (aX.empty() || aX.size() != aY.size()) return 0.0;
    if (x <= aX.front()) return aY.front();
    if (x >= aX.back()) return aY.back();
    const size_t i = static_cast<size_t>(std::upper_bound(aX.begin(), aX.end(), x) - aX.begin());
    const double dSpan = aX[i] - aX[i - 1];
    if (dSpan <= 0.0) return aY[i];
    return aY[i - 1] + (aY[i] - aY[i - 1]) * (x - aX[i - 1]) / dSpan;
}

void CUserTableSettings::Record(const wchar_t* szFunction, const CString& sPath, int iCount)
{
    m_aCalls.push_back({CString(szFunction), sPath, iCount});
}

bool CUserTableSettings::CreateFilterFile(const CString& sPath, int iCount, const double* pdValues)
{
    Record(L"CreateFilterFile", sPath, iCount);
    if (!QXVERIFY(!sPath.IsEmpty() && iCount >= 2 && pdValues != nullptr)) return false;
    STable table;
    table.aValues.assign(pdValues, pdValues + iCount);
    m_mapTables[sPath.str()] = std::move(table);
    return true;
}

bool CUserTableSettings::CreateFreqTableFilterFile(const CString& sPath, int iCount, const double* pdFrequencies,
                                                   const double* pdValues)
{
    Record(L"CreateFreqTableFilterFile", sPath, iCount);
    if (!QXVERIFY(!sPath.IsEmpty() && iCount >= 2 && pdFrequencies != nullptr && pdValues != nullptr)) return false;
    STable table;
    table.bFrequencyTable = true;
    table.aFrequencies.assign(pdFrequencies, pdFrequencies + iCount);
    table.aValues.assign(pdValues, pdValues + iCount);
    m_mapTables[sPath.str()] = std::move(table);
    return true;
}

int CUserTableSettings::ReadWeightingFilterFromFile(const CString& sPath, int iNumPoints, double dHalfSampleRate,
                                                    std::vector<double>& aResponse)
{
    Record(L"ReadWeightingFilterFromFile", sPath, iNumPoints);
    aResponse.clear();
    const auto it = m_mapTables.find(sPath.str());
    if (it == m_mapTables.end() || iNumPoints < 1 || !(dHalfSampleRate > 0.0)) return kReadFailed;
    const STable& table = it->second;
    std::vector<double> aX = table.aFrequencies;
    if (!table.bFrequencyTable) {
        // An evenly spaced table spans 0 Hz to half the sample rate.
        const size_t n = table.aValues.size();
        aX.resize(n);
        for (size_t i = 0; i < n; ++i) aX[i] = dHalfSampleRate * double(i) / double(n - 1);
    }
    aResponse.resize(static_cast<size_t>(iNumPoints));
    for (int k = 0; k < iNumPoints; ++k)
        aResponse[static_cast<size_t>(k)] = InterpolateTable(aX, table.aValues, dHalfSampleRate * k / iNumPoints);
    return iNumPoints;
}
