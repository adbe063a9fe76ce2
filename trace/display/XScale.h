#pragma once
// CXScale: an X axis: its full and current range, unit, log flag, ticks and
// colour. Traces of one channel share it.

#include "platform/String.h"
#include "trace/display/Scale.h"
#include "trace/core/TickArray.h"
#include "trace/core/TraceDefs.h"

struct SFormat;
class CGraphDoc;
class CQXTrace;

class CXScale : public CScale {
    DECLARE_DYNCREATE(CXScale)
public:
    CXScale();
    CXScale(ScaleType eType, ChannelNumber eChannel);
    CXScale(const CXScale& other);
    CXScale& operator=(const CXScale& other);
    ~CXScale() override = default;

    void Draw(CDC* pDC, CTickArray* pTicks) override;
    COLORREF GetColor(CDC* pDC) override;
    virtual int CalcXTicks();

    void Serialize(CArchive& ar) override;

    ScaleType GetScaleType() const { return m_eScaleType; }
    void SetScaleType(ScaleType eType) { m_eScaleType = eType; }
    ChannelNumber GetChannel() const { return m_eChannel; }
    void SetChannel(ChannelNumber eChannel) { m_eChannel = eChannel; }

    COLORREF GetScaleColor() const { return m_crColor; }
    void SetColor(COLORREF crColor) { m_crColor = crColor; m_crColorCopy = crColor; }
    void InitialiseColors();

    int GetXUnit() const { return m_iUnit; }
    void SetXUnit(int iUnit);
    const CString& GetUnitFormat() const { return m_sUnitFormat; }

    int GetLog() const { return m_bLog; }
    void SetLog(int bLog) { m_bLog = bLog; }
    int GetAutoIntervals() const { return m_bAutoIntervals; }
    void SetAutoIntervals(int bAuto) { m_bAutoIntervals = bAuto; }

    int GetFirstLabelWidth() const { return m_iFirstLabelWidth; }
    int GetLastLabelWidth() const { return m_iLastLabelWidth; }

    CTickArray& GetTicks() { return m_aiTicks; }
    const CTickArray& GetTicks() const { return m_aiTicks; }

    // Setters ignore unchanged values.
    double GetMinXScaleValue() const { return m_dMinXScaleValue; }
    void SetMinXScaleValue(double d) { if (d != m_dMinXScaleValue) m_dMinXScaleValue = d; }
    double GetMaxXScaleValue() const { return m_dMaxXScaleValue; }
    void SetMaxXScaleValue(double d) { if (d != m_dMaxXScaleValue) m_dMaxXScaleValue = d; }
    double GetCurrentMinXScaleValue() const { return m_dCurrentMinXScaleValue; }
    void SetCurrentMinXScaleValue(double d) { if (d != m_dCurrentMinXScaleValue) m_dCurrentMinXScaleValue = d; }
    double GetCurrentMaxXScaleValue() const { return m_dCurrentMaxXScaleValue; }
    void SetCurrentMaxXScaleValue(double d) { if (d != m_dCurrentMaxXScaleValue) m_dCurrentMaxXScaleValue = d; }

    CString GetValueStringForXValue(double dValue, int iUnit, SFormat* pFormat) const;
    int GetMaxTextWidth(CDC* pDC, CTickArray* pTicks);

    int GetSerialNumber() const { return m_iSerialNumber; }
    // "XS:%d %d=%s:%s unit:%d=%s log:%c Cur:%g->%g"
    const char* DbgDumpState();

private:
    void PaintLinearX(CDC* pDC, CTickArray* pTicks);
    void PaintLogX(CDC* pDC, CTickArray* pTicks);
    void PaintLabels(CDC* pDC, const CTickArray& ticks);
    bool CanDraw(CDC* pDC, CTickArray* pTicks) const;
    // The value a tick shows: the rounded limits at the ends, interpolated between.
    double GetLabelValue(const CTickArray& ticks, int i) const;
    // The first label also names the unit.
    CString GetLabelText(const CTickArray& ticks, int i, bool bFirstLabel) const;
    bool ShowsSameAxisAs(const CXScale* pOther) const;
    CQXTrace* FindColorTrace(const CGraphDoc& doc) const;

    ScaleType m_eScaleType = ST_SCOPE;
    ChannelNumber m_eChannel = CHANNEL_BOTH;
    COLORREF m_crColor = 0;
    COLORREF m_crColorCopy = 0;
    int m_iUnit = -1;
    CString m_sUnitFormat;
    int m_bLog = 0;
    int m_iFirstLabelWidth = 0;
    int m_iLastLabelWidth = 0;
    CTickArray m_aiTicks;
    int m_bAutoIntervals = 0;
    int m_iSerialNumber = 0;
    char m_szDiag[128] = {};
    double m_dMinXScaleValue = DBL_MAX;
    double m_dMaxXScaleValue = DBL_MAX;
    double m_dCurrentMinXScaleValue = 0.0;
    double m_dCurrentMaxXScaleValue = 0.0;
};

// "ST_SCOPE" ... "ST_SWEEP_CHANNEL", or "[INVALID SCALETYPE]".
const char* GetScaleTypeName(int iScaleType);
