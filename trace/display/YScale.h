#pragma once
// CYScale: a painter of Y labels bound to a live trace. The Y range, unit,
// log flag and ticks belong to that trace; the scale only draws them.

#include "trace/display/Scale.h"
#include "trace/core/TraceDefs.h"

class CGraphDoc;
class CQXTrace;

enum YScaleSide : int {
    LEFT = 0,
    RIGHT = 1,
};

// 0: labels above their tick lines (upper scale of a pair sharing a slot),
// 1: centred (a scale alone in its slot), 2: below (lower scale of a pair).
using YScalePos = int;

class CYScale : public CScale {
    DECLARE_DYNCREATE(CYScale)
public:
    CYScale() = default;
    CYScale(const CYScale& other);
    CYScale& operator=(const CYScale& other);
    ~CYScale() override = default;

    void Draw(CDC* pDC, CTickArray* pTicks) override;
    COLORREF GetColor(CDC* pDC) override;
    void Serialize(CArchive& /*ar*/) override {}

    CQXTrace* GetLiveTrace() const { return m_pLiveTrace; }
    void SetLiveTrace(CQXTrace* pTrace);

    void SetDetails(YScaleSide eSide, YScalePos iPos, ChannelNumber eChannel);
    YScaleSide GetSide() const { return m_eSide; }
    YScalePos GetPosition() const { return m_iPos; }
    ChannelNumber GetChannel() const { return m_eChannel; }

    int GetFirstLabelWidth() const { return m_iFirstLabelWidth; }
    int GetLastLabelWidth() const { return m_iLastLabelWidth; }
    int GetMaxTextWidth(CDC* pDC, CTickArray* pTicks);

private:
    void PaintLinearY(CDC* pDC, CTickArray* pTicks);
    void PaintLogY(CDC* pDC, CTickArray* pTicks);
    void PaintLabels(CDC* pDC, const CTickArray& ticks, const CRect& rc, bool bLog);
    // The draw rectangle moved up by the label offset of the position.
    CRect GetLabelRect(int iFontHeight) const;
    CQXTrace* FindColorTrace(CGraphDoc& doc) const;

    CQXTrace* m_pLiveTrace = nullptr;
    YScaleSide m_eSide = LEFT;
    YScalePos m_iPos = 1;
    ChannelNumber m_eChannel = CHANNEL_BOTH;
    int m_iFirstLabelWidth = 0;
    int m_iLastLabelWidth = 0;
    int m_iReserved = 0;
};
