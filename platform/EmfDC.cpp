#include "platform/EmfDC.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

using namespace emf;

namespace {

constexpr std::uint32_t kSystemFont = 13;
// Beyond this many live objects the unused ones are deleted again.
constexpr size_t kMaxObjects = 4096;
constexpr std::uint32_t kEtoNone = 0;

bool Fits16(const CPoint* points, int count)
{
    constexpr int lo = std::numeric_limits<std::int16_t>::min();
    constexpr int hi = std::numeric_limits<std::int16_t>::max();
    return std::all_of(points, points + count, [](CPoint p) { return p.x >= lo && p.x <= hi && p.y >= lo && p.y <= hi; });
}

// The smallest rectangle holding the points, right and bottom included (count >= 1).
CRect PointBox(const CPoint* points, int count)
{
    CRect r(points[0].x, points[0].y, points[0].x, points[0].y);
    for (int i = 1; i < count; ++i) {
        r.left = std::min(r.left, points[i].x);
        r.top = std::min(r.top, points[i].y);
        r.right = std::max(r.right, points[i].x);
        r.bottom = std::max(r.bottom, points[i].y);
    }
    return r;
}

std::string KeyOf(std::uint32_t type, const std::vector<std::uint8_t>& body)
{
    std::string key(reinterpret_cast<const char*>(&type), sizeof type);
    key.append(body.begin(), body.end());
    return key;
}

bool IsSimplePen(const CPen& pen)
{
    return !pen.IsGeometric() && pen.GetBaseStyle() != PS_USERSTYLE && pen.GetBaseStyle() != PS_ALTERNATE &&
           pen.GetEndCap() == 0 && (pen.GetStyle() & PS_JOIN_MASK) == 0;
}

std::vector<std::uint8_t> PenBody(const CPen& pen)
{
    CRecordWriter w;
    if (IsSimplePen(pen)) {
        w.U32(static_cast<std::uint32_t>(pen.GetStyle())).I32(pen.GetWidth()).I32(0).U32(pen.GetColor());
    } else {
        const std::vector<DWORD>& dashes = pen.GetDashes();
        w.U32(0).U32(0).U32(0).U32(0); // no brush bitmap
        w.U32(static_cast<std::uint32_t>(pen.GetStyle())).U32(static_cast<std::uint32_t>(pen.GetWidth()));
        w.U32(BS_SOLID).U32(pen.GetColor()).U32(0).U32(static_cast<std::uint32_t>(dashes.size()));
        for (DWORD d : dashes) w.U32(d);
    }
    return w.Take();
}

std::vector<std::uint8_t> FontBody(const LOGFONT& lf)
{
    CRecordWriter w;
    w.I32(lf.lfHeight).I32(lf.lfWidth).I32(lf.lfEscapement).I32(lf.lfOrientation).I32(lf.lfWeight);
    w.U8(lf.lfItalic).U8(lf.lfUnderline).U8(lf.lfStrikeOut).U8(lf.lfCharSet);
    w.U8(lf.lfOutPrecision).U8(lf.lfClipPrecision).U8(lf.lfQuality).U8(lf.lfPitchAndFamily);
    w.Utf16(lf.lfFaceName.Left(LF_FACESIZE - 1).ToUtf16(), LF_FACESIZE);
    // The panose extension: full name, style, version, style size, match,
    // reserved, vendor, culture, panose and padding, all left empty.
    for (int i = 0; i < 64 + 32; ++i) w.U16(0);
    for (int i = 0; i < 6; ++i) w.U32(0);
    for (int i = 0; i < 12; ++i) w.U8(0);
    return w.Take();
}

// The corners of the text box turned about the reference point by the escapement.
CRect TextBounds(CPoint reference, CPoint origin, CSize extent, int iEscapement)
{
    const double dAngle = iEscapement * 3.14159265358979 / 1800.0;
    const double c = std::cos(dAngle), s = std::sin(dAngle);
    CRect bounds(std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
                 std::numeric_limits<int>::min());
    for (const CPoint corner : {origin, CPoint(origin.x + extent.cx, origin.y), CPoint(origin.x, origin.y + extent.cy),
                                CPoint(origin.x + extent.cx, origin.y + extent.cy)}) {
        const double dx = corner.x - reference.x, dy = corner.y - reference.y;
        // Counter-clockwise on a screen whose y grows downwards.
        const int x = reference.x + static_cast<int>(std::lround(dx * c + dy * s));
        const int y = reference.y + static_cast<int>(std::lround(-dx * s + dy * c));
        bounds.left = std::min(bounds.left, x);
        bounds.top = std::min(bounds.top, y);
        bounds.right = std::max(bounds.right, x - 1);
        bounds.bottom = std::max(bounds.bottom, y - 1);
    }
    return bounds;
}

} // namespace

CRect EmfFrameForPixels(CSize pixels, CSize mm, CSize device)
{
    if (device.cx <= 0 || device.cy <= 0) return CRect();
    const auto Side = [](int n, int iMM, int iPixels) {
        return static_cast<int>((static_cast<std::int64_t>(n) + 1) * iMM * 100 / iPixels);
    };
    return CRect(0, 0, Side(pixels.cx, mm.cx, device.cx), Side(pixels.cy, mm.cy, device.cy));
}

CEmfDC::CEmfDC(CDC& reference, CSize pixels, const CString& sApplication, const CString& sPicture)
    : m_pReference(&reference), m_size(std::max(pixels.cx, 0), std::max(pixels.cy, 0))
{
    SetAttribDC(&reference);
    m_player.uPen = kStockObject | BLACK_PEN;
    m_player.uBrush = kStockObject | WHITE_BRUSH;
    m_player.uFont = kStockObject | kSystemFont;
    m_rcFrame = EmfFrameForPixels(m_size, CSize(reference.GetDeviceCaps(HORZSIZE), reference.GetDeviceCaps(VERTSIZE)),
                                  CSize(reference.GetDeviceCaps(HORZRES), reference.GetDeviceCaps(VERTRES)));
    // Each name ends with a zero, and the whole with another.
    std::u16string description = sApplication.ToUtf16();
    description += u'\0';
    description += sPicture.ToUtf16();
    description.append(2, u'\0');
    WriteHeader(description);
}

void CEmfDC::WriteHeader(const std::u16string& description)
{
    const CDC& ref = *m_pReference;
    const std::uint32_t uUnits = static_cast<std::uint32_t>(description.size());
    m_out.Begin(EMR_HEADER);
    m_out.Rect(CRect(0, 0, -1, -1)).Rect(m_rcFrame); // bounds patched at the end
    m_out.U32(kSignature).U32(kVersion).U32(0).U32(0).U16(0).U16(0);
    m_out.U32(uUnits).U32(uUnits ? kHeaderSize : 0).U32(0);
    m_out.I32(ref.GetDeviceCaps(HORZRES)).I32(ref.GetDeviceCaps(VERTRES));
    m_out.I32(ref.GetDeviceCaps(HORZSIZE)).I32(ref.GetDeviceCaps(VERTSIZE));
    m_out.U32(0).U32(0).U32(0); // no pixel format, no OpenGL
    m_out.U32(static_cast<std::uint32_t>(ref.GetDeviceCaps(HORZSIZE)) * 1000);
    m_out.U32(static_cast<std::uint32_t>(ref.GetDeviceCaps(VERTSIZE)) * 1000);
    m_out.Utf16(description);
    m_out.End();
}

int CEmfDC::GetDeviceCaps(int index) const
{
    return index == TECHNOLOGY ? DT_METAFILE : m_pReference->GetDeviceCaps(index);
}

CRect CEmfDC::GetBounds() const
{
    return m_bHasBounds ? m_rcBounds : CRect(0, 0, -1, -1);
}

std::vector<std::uint8_t> CEmfDC::Close()
{
    if (m_bClosed) return {};
    m_bClosed = true;
    m_out.Begin(EMR_EOF);
    m_out.U32(0).U32(16).U32(20); // no palette; its offset; this record's size
    m_out.End();
    m_out.PatchRect(HEADER_BOUNDS, GetBounds());
    m_out.PatchU32(HEADER_BYTES, static_cast<std::uint32_t>(m_out.Size()));
    m_out.PatchU32(HEADER_RECORDS, m_out.GetRecordCount());
    m_out.PatchU32(HEADER_HANDLES, std::min<std::uint32_t>(m_uNextHandle, 0xFFFF));
    return m_out.Take();
}

// ---- State ------------------------------------------------------------------------------

template <class Fn>
auto CEmfDC::Measure(Fn fn) const
{
    const CFont previous = m_pReference->SelectObject(State().m_font);
    auto result = fn(*m_pReference);
    m_pReference->SelectObject(previous);
    return result;
}

CSize CEmfDC::DoGetTextExtent(const CString& text) const
{
    return Measure([&](CDC& dc) { return dc.GetTextExtent(text); });
}

TEXTMETRIC CEmfDC::DoGetTextMetrics() const
{
    return Measure([](CDC& dc) {
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        return tm;
    });
}

std::uint32_t CEmfDC::ObjectHandle(std::uint32_t type, const std::vector<std::uint8_t>& body)
{
    const std::string key = KeyOf(type, body);
    if (const auto it = m_mapObjects.find(key); it != m_mapObjects.end()) return it->second;
    if (m_mapObjects.size() >= kMaxObjects) {
        // Objects selected now or in a saved state stay; the rest go.
        std::vector<std::uint32_t> aInUse{m_player.uPen, m_player.uBrush, m_player.uFont};
        for (const SPlayerState& saved : m_aSavedPlayer) aInUse.insert(aInUse.end(), {saved.uPen, saved.uBrush, saved.uFont});
        for (auto it = m_mapObjects.begin(); it != m_mapObjects.end();) {
            if (std::find(aInUse.begin(), aInUse.end(), it->second) != aInUse.end()) {
                ++it;
                continue;
            }
            WriteSimple(EMR_DELETEOBJECT, it->second);
            it = m_mapObjects.erase(it);
        }
    }
    // The lowest handle free.
    std::uint32_t uHandle = 1;
    std::vector<std::uint32_t> aUsed;
    for (const auto& entry : m_mapObjects) aUsed.push_back(entry.second);
    std::sort(aUsed.begin(), aUsed.end());
    for (std::uint32_t u : aUsed) {
        if (u != uHandle) break;
        ++uHandle;
    }
    m_uNextHandle = std::max(m_uNextHandle, uHandle + 1);
    m_out.Begin(type);
    m_out.U32(uHandle).Raw(body);
    m_out.End();
    m_mapObjects.emplace(key, uHandle);
    return uHandle;
}

void CEmfDC::Select(std::uint32_t& uSelected, std::uint32_t uHandle)
{
    if (uSelected == uHandle) return;
    WriteSimple(EMR_SELECTOBJECT, uHandle);
    uSelected = uHandle;
}

void CEmfDC::WriteSimple(std::uint32_t type, std::uint32_t value)
{
    m_out.Begin(type);
    m_out.U32(value);
    m_out.End();
}

void CEmfDC::SyncPen(const CPen& pen)
{
    if (pen.IsNull()) return Select(m_player.uPen, kStockObject | NULL_PEN);
    if (pen == CPen()) return Select(m_player.uPen, kStockObject | BLACK_PEN);
    const bool bSimple = IsSimplePen(pen);
    Select(m_player.uPen, ObjectHandle(bSimple ? EMR_CREATEPEN : EMR_EXTCREATEPEN, PenBody(pen)));
}

void CEmfDC::SyncBrush(const CBrush& brush)
{
    if (brush.IsNull()) return Select(m_player.uBrush, kStockObject | NULL_BRUSH);
    CRecordWriter w;
    w.U32(BS_SOLID).U32(brush.GetColor()).U32(0);
    Select(m_player.uBrush, ObjectHandle(EMR_CREATEBRUSHINDIRECT, w.Take()));
}

void CEmfDC::SyncFont(const CFont& font)
{
    Select(m_player.uFont, ObjectHandle(EMR_EXTCREATEFONTINDIRECTW, FontBody(font.GetLogFont())));
}

void CEmfDC::SyncModes(bool bText)
{
    const SDCState& s = State();
    const auto Set = [this](auto& held, auto wanted, std::uint32_t type) {
        if (held == wanted) return;
        held = wanted;
        WriteSimple(type, static_cast<std::uint32_t>(wanted));
    };
    Set(m_player.iBkMode, s.m_iBkMode, EMR_SETBKMODE);
    Set(m_player.crBk, s.m_crBk, EMR_SETBKCOLOR);
    Set(m_player.iROP2, s.m_iROP2, EMR_SETROP2);
    if (!bText) return;
    Set(m_player.crText, s.m_crText, EMR_SETTEXTCOLOR);
    // The reference point is always given: the player never moves along.
    Set(m_player.uTextAlign, s.m_uTextAlign & ~TA_UPDATECP, EMR_SETTEXTALIGN);
}

void CEmfDC::SyncClip()
{
    const SDCState& s = State();
    if (m_player.bClip == s.m_bClip && (!s.m_bClip || m_player.rcClip == s.m_rcClip)) return;
    const bool bNarrows = m_player.bClip && s.m_bClip && (s.m_rcClip & m_player.rcClip) == s.m_rcClip;
    if (m_player.bClip && !bNarrows) {
        m_out.Begin(EMR_SELECTCLIPRGN);
        m_out.U32(0).U32(kRegionCopy); // no region: back to the whole picture
        m_out.End();
        m_player.bClip = false;
    }
    if (s.m_bClip) {
        m_out.Begin(EMR_INTERSECTCLIPRECT);
        m_out.Rect(s.m_rcClip);
        m_out.End();
        m_player.bClip = true;
        m_player.rcClip = s.m_rcClip;
    }
}

void CEmfDC::SyncShape()
{
    SyncPen(State().m_pen);
    SyncBrush(State().m_brush);
    SyncModes(false);
    SyncClip();
}

void CEmfDC::OnSaveDC()
{
    if (m_bClosed) return;
    m_out.Begin(EMR_SAVEDC);
    m_out.End();
    m_aSavedPlayer.push_back(m_player);
}

void CEmfDC::OnRestoreDC(int levels)
{
    if (m_bClosed || levels < 1 || static_cast<size_t>(levels) > m_aSavedPlayer.size()) return;
    m_out.Begin(EMR_RESTOREDC);
    m_out.I32(-levels);
    m_out.End();
    m_player = m_aSavedPlayer[m_aSavedPlayer.size() - static_cast<size_t>(levels)];
    m_aSavedPlayer.resize(m_aSavedPlayer.size() - static_cast<size_t>(levels));
}

// ---- Bounds -----------------------------------------------------------------------------

void CEmfDC::AddBounds(CRect r)
{
    CRect clip;
    if (GetClipBox(&clip) == NULLREGION) return;
    r.left = std::max(r.left, clip.left);
    r.top = std::max(r.top, clip.top);
    r.right = std::min(r.right, clip.right - 1);
    r.bottom = std::min(r.bottom, clip.bottom - 1);
    if (r.right < r.left || r.bottom < r.top) return;
    if (!m_bHasBounds) {
        m_rcBounds = r;
        m_bHasBounds = true;
        return;
    }
    m_rcBounds.left = std::min(m_rcBounds.left, r.left);
    m_rcBounds.top = std::min(m_rcBounds.top, r.top);
    m_rcBounds.right = std::max(m_rcBounds.right, r.right);
    m_rcBounds.bottom = std::max(m_rcBounds.bottom, r.bottom);
}

void CEmfDC::AddPointBounds(const CPoint* points, int count, int iPenWidth)
{
    if (count < 1) return;
    CRect r = PointBox(points, count);
    const int iHalf = std::max(iPenWidth, 1) / 2;
    r.InflateRect(iHalf, iHalf);
    AddBounds(r);
}

// ---- Drawing ------------------------------------------------------------------------------

void CEmfDC::DoLine(CPoint from, CPoint to)
{
    if (m_bClosed) return;
    SyncPen(State().m_pen);
    SyncModes(false);
    SyncClip();
    if (!m_player.bPositionKnown || m_player.ptCurrent != from) {
        m_out.Begin(EMR_MOVETOEX);
        m_out.Point(from);
        m_out.End();
    }
    m_out.Begin(EMR_LINETO);
    m_out.Point(to);
    m_out.End();
    m_player.bPositionKnown = true;
    m_player.ptCurrent = to;
    if (!State().m_pen.IsNull()) {
        const CPoint ends[] = {from, to};
        AddPointBounds(ends, 2, State().m_pen.GetWidth());
    }
}

void CEmfDC::WritePoints(std::uint32_t type16, std::uint32_t type32, const CPoint* points, int count)
{
    const bool b16 = Fits16(points, count);
    const CRect box = PointBox(points, count);
    m_out.Begin(b16 ? type16 : type32);
    m_out.Rect(box).U32(static_cast<std::uint32_t>(count));
    for (int i = 0; i < count; ++i) {
        if (b16) m_out.I16(static_cast<std::int16_t>(points[i].x)).I16(static_cast<std::int16_t>(points[i].y));
        else m_out.Point(points[i]);
    }
    m_out.End();
}

void CEmfDC::DoPolyline(const CPoint* points, int count)
{
    if (m_bClosed) return;
    SyncPen(State().m_pen);
    SyncModes(false);
    SyncClip();
    WritePoints(EMR_POLYLINE16, EMR_POLYLINE, points, count);
    if (!State().m_pen.IsNull()) AddPointBounds(points, count, State().m_pen.GetWidth());
}

void CEmfDC::DoPolygon(const CPoint* points, int count)
{
    if (m_bClosed) return;
    SyncShape();
    WritePoints(EMR_POLYGON16, EMR_POLYGON, points, count);
    AddPointBounds(points, count, State().m_pen.IsNull() ? 0 : State().m_pen.GetWidth());
}

void CEmfDC::WriteBox(std::uint32_t type, const CRect& box)
{
    m_out.Begin(type);
    m_out.Rect(box);
    m_out.End();
}

void CEmfDC::DoRectangle(const CRect& rect)
{
    if (m_bClosed) return;
    SyncShape();
    WriteBox(EMR_RECTANGLE, rect);
    const int iHalf = State().m_pen.IsNull() ? 0 : State().m_pen.GetWidth() / 2;
    AddBounds(CRect(rect.left - iHalf, rect.top - iHalf, rect.right - 1 + iHalf, rect.bottom - 1 + iHalf));
}

void CEmfDC::DoEllipse(const CRect& rect)
{
    if (m_bClosed) return;
    SyncShape();
    WriteBox(EMR_ELLIPSE, rect);
    AddBounds(CRect(rect.left, rect.top, rect.right - 1, rect.bottom - 1));
}

void CEmfDC::DoFillRect(const CRect& rect, COLORREF color)
{
    if (m_bClosed) return;
    // Without a pen a rectangle fills one pixel short of its right and
    // bottom sides: one more each covers exactly the area of the fill.
    Select(m_player.uPen, kStockObject | NULL_PEN);
    SyncBrush(CBrush(color));
    SyncModes(false);
    SyncClip();
    WriteBox(EMR_RECTANGLE, CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
    AddBounds(CRect(rect.left, rect.top, rect.right - 1, rect.bottom - 1));
}

void CEmfDC::DoSetPixel(CPoint p, COLORREF color)
{
    if (m_bClosed) return;
    SyncClip();
    m_out.Begin(EMR_SETPIXELV);
    m_out.Point(p).U32(color);
    m_out.End();
    AddBounds(CRect(p.x, p.y, p.x, p.y));
}

void CEmfDC::DoTextOut(CPoint reference, const CString& text)
{
    if (m_bClosed) return;
    SyncFont(State().m_font);
    SyncModes(true);
    SyncClip();
    const std::u16string units = text.ToUtf16();
    // Each character's advance on the reference surface, so that the player
    // spaces the text as the screen does whatever font it finds.
    std::vector<std::uint32_t> aDx;
    aDx.reserve(units.size());
    const CSize extent = Measure([&](CDC& dc) {
        int iPrevious = 0;
        const std::wstring& s = text.str();
        for (size_t i = 0; i < s.size(); ++i) {
            const int iWidth = dc.GetTextExtent(CString(s.substr(0, i + 1))).cx;
            aDx.push_back(static_cast<std::uint32_t>(std::max(iWidth - iPrevious, 0)));
            if (static_cast<std::uint32_t>(s[i]) > 0xFFFF) aDx.push_back(0); // the second unit of a pair
            iPrevious = iWidth;
        }
        return dc.GetTextExtent(text);
    });
    const CPoint origin = GetTextOrigin(reference, text);
    const CRect bounds = TextBounds(reference, origin, extent, State().m_font.GetEscapement());
    const std::uint32_t uChars = static_cast<std::uint32_t>(units.size());
    constexpr std::uint32_t kStringOffset = 76;
    const std::uint32_t uDxOffset = kStringOffset + ((uChars * 2 + 3) / 4) * 4;
    const CDC& ref = *m_pReference;
    const int iHorzRes = std::max(ref.GetDeviceCaps(HORZRES), 1), iVertRes = std::max(ref.GetDeviceCaps(VERTRES), 1);
    m_out.Begin(EMR_EXTTEXTOUTW);
    m_out.Rect(bounds).U32(kGraphicsModeCompatible);
    // 0.01 mm per pixel of the reference device.
    m_out.F32(static_cast<float>(ref.GetDeviceCaps(HORZSIZE) * 100.0 / iHorzRes));
    m_out.F32(static_cast<float>(ref.GetDeviceCaps(VERTSIZE) * 100.0 / iVertRes));
    m_out.Point(reference).U32(uChars).U32(kStringOffset).U32(kEtoNone);
    m_out.Rect(CRect(0, 0, -1, -1)).U32(uDxOffset);
    m_out.Utf16(units).Pad();
    for (std::uint32_t d : aDx) m_out.U32(d);
    m_out.End();
    AddBounds(bounds);
}

bool WriteBinaryFile(const CString& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path.ToUtf8(), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}
