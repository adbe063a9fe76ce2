#pragma once
// User weighting-filter tables. Until the file formats exist the tables are
// kept in memory by path, and every call is recorded for inspection, so a
// filter created from a trace can be read back as a weighting.

#include "platform/String.h"

#include <map>
#include <vector>

class CUserTableSettings {
public:
    // Result of ReadWeightingFilterFromFile for a file that cannot be read.
    static constexpr int kReadFailed = -3;

    struct SRecordedCall {
        CString sFunction; // "CreateFilterFile", "CreateFreqTableFilterFile", "ReadWeightingFilterFromFile"
        CString sPath;
        int iCount = 0;
    };

    // Evenly spaced gains from 0 Hz to half the sample rate. False for an
    // empty path, a count below 2 or null values.
    bool CreateFilterFile(const CString& sPath, int iCount, const double* pdValues);
    // Gains at the given frequencies (ascending). Same failures.
    bool CreateFreqTableFilterFile(const CString& sPath, int iCount, const double* pdFrequencies,
                                   const double* pdValues);

    // The weighting of a table at iNumPoints bins spanning 0 to
    // dHalfSampleRate, interpolated linearly and held flat beyond the
    // table's ends. Returns iNumPoints, or kReadFailed for an unknown path or
    // bad arguments.
    int ReadWeightingFilterFromFile(const CString& sPath, int iNumPoints, double dHalfSampleRate,
                                    std::vector<double>& aResponse);

    const std::vector<SRecordedCall>& GetRecordedCalls() const { return m_aCalls; }

private:
    struct STable {
        bool bFrequencyTable = false;
        std::vector<double> aFrequencies;
        std::vector<double> aValues;
    };

    void Record(const wchar_t* szFunction, const CString& sPath, int iCount);

    std::map<std::wstring, STable> m_mapTables;
    std::vector<SRecordedCall> m_aCalls;
};

// Linear interpolation of y(x) over ascending xs, flat beyond the ends.
double InterpolateTable(const std::vector<double>& aX, const std::vector<double>& aY, double x);
