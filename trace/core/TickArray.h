#pragma once
// CTickArray: tick positions as fractions of an axis (0.0 at the minimum end,
// 1.0 at the maximum end) with their label flags. Values are never stored:
// a label's value is computed back from the fraction and the current limits.

#include "platform/Object.h"

class CTickArray : public CObject {
    DECLARE_DYNCREATE(CTickArray)
public:
    static constexpr int kMaxTicks = 50 + 1;
    // An unset position.
    static constexpr double kUnset = 1.7976931348623157e+308;

    CTickArray() { Initialise(); }
    CTickArray(const CTickArray& other) = default;
    CTickArray& operator=(const CTickArray& other);

    void Initialise();

    double GetAt(int i) const;
    void SetAt(int i, double dPosition);
    double& operator[](int i);
    double operator[](int i) const { return GetAt(i); }

    int GetNumTicks() const { return m_iNumTicks; }
    void SetNumTicks(int iNumTicks);

    // A tick is labelled when its label flag or its must-have flag is set.
    int HasLabel(int i) const;
    void SetLabel(int i, int bLabel);
    void SetMustHaveLabel(int i, int bMustHave);
    int GetLabel(int i) const;
    int GetMustHaveLabelAt(int i) const;
    // Index of the first tick that must keep its label, or -1.
    int GetMustHaveLabel() const;

    void Serialize(CArchive& ar) override;

private:
    struct SEntry {
        double dPosition = kUnset;
        int iLabel = 1;
        int iMustHaveLabel = 0;
    };
    // Out-of-range indices are programming errors; they are logged and mapped
    // to a scratch entry so callers never touch memory they do not own.
    SEntry& Entry(int i, const char* expression);
    const SEntry& Entry(int i, const char* expression) const;

    SEntry m_aEntries[kMaxTicks];
    int m_iNumTicks = 0;
    SEntry m_Scratch;
};
