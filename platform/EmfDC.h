#pragma once
// CEmfDC: a drawing surface that writes an enhanced metafile. Every drawing
// call becomes the records a metafile player needs to draw the same thing:
// pens, brushes and fonts created once each and selected when they change,
// colours, modes and alignment when they change, the clip, SaveDC and
// RestoreDC as they happen, polylines in 16-bit form when the coordinates
// fit, wide text with the advance of every character. Text is measured on
// the reference surface (the screen) and the device answers for it, so the
// picture lays out as the window does; only the technology says metafile.
//
// The header carries the bounds of what was drawn (pixels, inclusive), the
// frame in 0.01 mm and the reference device's size in pixels and
// millimetres; Close ends the picture with the end record.

#include "platform/DC.h"
#include "platform/EmfRecords.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The frame of a picture of w x h pixels of the reference device, in 0.01 mm:
// (w + 1) x HORZSIZE x 100 / HORZRES wide, the height likewise, truncated.
CRect EmfFrameForPixels(CSize pixels, CSize deviceMillimetres, CSize devicePixels);

class CEmfDC : public CDC {
public:
    // A picture of `pixels` drawn against `reference`, which must outlive
    // this surface. The header's description names the application and the
    // picture.
    CEmfDC(CDC& reference, CSize pixels, const CString& sApplication = CString(L"tracewin"),
           const CString& sPicture = CString(L"graph"));

    int GetDeviceCaps(int index) const override;
    bool IsMetafile() const override { return true; }

    // Writes the end record, completes the header and hands the file over;
    // later drawing is not recorded. Empty when already closed.
    std::vector<std::uint8_t> Close();
    bool IsClosed() const { return m_bClosed; }
    const CRect& GetFrame() const { return m_rcFrame; }
    // What was drawn so far, inclusive pixels; empty (0, 0, -1, -1) when nothing.
    CRect GetBounds() const;

protected:
    CRect GetSurfaceRect() const override { return CRect(CPoint(0, 0), m_size); }
    void DoLine(CPoint from, CPoint to) override;
    void DoPolyline(const CPoint* points, int count) override;
    void DoPolygon(const CPoint* points, int count) override;
    void DoRectangle(const CRect& rect) override;
    void DoEllipse(const CRect& rect) override;
    void DoFillRect(const CRect& rect, COLORREF color) override;
    void DoSetPixel(CPoint p, COLORREF color) override;
    void DoTextOut(CPoint reference, const CString& text) override;
    CSize DoGetTextExtent(const CString& text) const override;
    TEXTMETRIC DoGetTextMetrics() const override;
    void OnSaveDC() override;
    void OnRestoreDC(int levels) override;

private:
    // What the player's DC holds, as far as the records written so far say.
    struct SPlayerState {
        std::uint32_t uPen = 0;
        std::uint32_t uBrush = 0;
        std::uint32_t uFont = 0;
        COLORREF crText = RGB(0, 0, 0);
        COLORREF crBk = RGB(255, 255, 255);
        int iBkMode = OPAQUE;
        int iROP2 = R2_COPYPEN;
        UINT uTextAlign = TA_LEFT | TA_TOP;
        bool bClip = false;
        CRect rcClip;
        bool bPositionKnown = false;
        CPoint ptCurrent;
    };

    void WriteHeader(const std::u16string& description);
    // Bring the player's DC in line with the state in force before drawing.
    void SyncPen(const CPen& pen);
    void SyncBrush(const CBrush& brush);
    void SyncFont(const CFont& font);
    void SyncModes(bool bText);
    void SyncClip();
    // A shape outlined with the pen and filled with the brush.
    void SyncShape();
    // The handle of an object with this creation record, created on first use.
    std::uint32_t ObjectHandle(std::uint32_t type, const std::vector<std::uint8_t>& body);
    void Select(std::uint32_t& uSelected, std::uint32_t uHandle);
    void WriteSimple(std::uint32_t type, std::uint32_t value);
    void WritePoints(std::uint32_t type16, std::uint32_t type32, const CPoint* points, int count);
    void WriteBox(std::uint32_t type, const CRect& box);
    // Adds a drawn area (inclusive pixels), cut to the clip.
    void AddBounds(CRect inclusive);
    void AddPointBounds(const CPoint* points, int count, int iPenWidth);

    // The reference surface measures with the selected font.
    template <class Fn>
    auto Measure(Fn fn) const;

    CDC* m_pReference;
    CSize m_size;
    CRect m_rcFrame;
    emf::CRecordWriter m_out;
    SPlayerState m_player;
    std::vector<SPlayerState> m_aSavedPlayer;
    std::map<std::string, std::uint32_t> m_mapObjects;
    std::uint32_t m_uNextHandle = 1;
    bool m_bHasBounds = false;
    CRect m_rcBounds;
    bool m_bClosed = false;
};

// Writes bytes to a file; false when it cannot be written whole.
bool WriteBinaryFile(const CString& path, const std::vector<std::uint8_t>& bytes);
