// The metafile surface: the header's fields, the records each drawing call
// becomes, and a whole graph read back by the independent reader.

#include "apps/common/BuiltInDocument.h"
#include "platform/EmfDC.h"
#include "platform/RecordingDC.h"
#include "support/EmfFile.h"
#include "trace/display/GraphView.h"
#include "trace/document/GraphDoc.h"

#include <gtest/gtest.h>

using namespace emf;

namespace {

using Types = std::vector<std::uint32_t>;

constexpr CPoint near[] = {{0, 0}, {5, 5}, {9, 0}};
constexpr CPoint far[] = {{0, 0}, {40000, 5}};

// The record types between the header and the end record.
Types BodyTypes(const std::vector<std::uint8_t>& bytes)
{
    Types types;
    for (const SEmfRecord& r : EmfRecords(bytes))
        if (r.uType != EMR_HEADER && r.uType != EMR_EOF) types.push_back(r.uType);
    return types;
}

const SEmfRecord* FindRecord(const std::vector<SEmfRecord>& records, std::uint32_t uType)
{
    for (const SEmfRecord& r : records)
        if (r.uType == uType) return &r;
    return nullptr;
}

} // namespace

TEST(EmfWriter, HeaderCarriesBoundsFrameAndTheReferenceDevice)
{
    // The reference: 1024 x 768 pixels on 271 x 203 mm. A picture of 80 %
    // of it, 819 x 614 pixels, has a frame of 820 x 27100 / 1024 = 21701
    // and 615 x 20300 / 768 = 16255 hundredths of a millimetre.
    CRecordingDC reference;
    CEmfDC dc(reference, CSize(819, 614));
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    dc.SelectObject(CPen(PS_SOLID, 3, RGB(255, 0, 0)));
    const CPoint line[] = {{10, 20}, {110, 220}};
    dc.Polyline(line, 2);
    const std::vector<std::uint8_t> bytes = dc.Close();
    EXPECT_TRUE(dc.Close().empty());

    const std::vector<SEmfRecord> records = EmfRecords(bytes);
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.front().uType, EMR_HEADER);
    EXPECT_EQ(records.back().uType, EMR_EOF);
    EXPECT_EQ(records.back().uOffset + records.back().uSize, bytes.size()) << "the records fill the file";
    const struct {
        size_t uOffset;
        std::int64_t iValue;
        const char* szField;
    } fields[] = {
        {8, 9, "bounds left: 10 less half the 3-pixel pen"},
        {12, 19, "bounds top"},
        {16, 111, "bounds right, inclusive"},
        {20, 221, "bounds bottom"},
        {24, 0, "frame left"},
        {32, 21701, "frame right"},
        {36, 16255, "frame bottom"},
        {40, 0x464D4520, "signature"},
        {44, 0x10000, "version"},
        {48, static_cast<std::int64_t>(bytes.size()), "bytes"},
        {52, static_cast<std::int64_t>(records.size()), "records"},
        {56, 2, "handles: the one pen and the reserved entry"},
        {60, 16, "description length in units"},
        {64, 108, "description offset"},
        {72, 1024, "device width in pixels"},
        {76, 768, "device height"},
        {80, 271, "device width in mm"},
        {84, 203, "device height in mm"},
        {100, 271000, "device width in micrometres"},
    };
    for (const auto& f : fields) EXPECT_EQ(EmfI32(bytes, f.uOffset), f.iValue) << f.szField;
    EXPECT_EQ(EmfFrameForPixels(CSize(819, 614), CSize(271, 203), CSize(1024, 768)), CRect(0, 0, 21701, 16255));
    EXPECT_EQ(EmfFrameForPixels(CSize(10, 10), CSize(271, 203), CSize(0, 768)), CRect()) << "no device, no frame";
}

TEST(EmfWriter, DrawingCallsBecomeTheirRecords)
{
    CRecordingDC reference;
    const struct {
        const char* szCase;
        void (*draw)(CDC&);
        Types expected;
    } cases[] = {
        {"the initial pen is the stock black pen", [](CDC& dc) { dc.Polyline(near, 3); }, {EMR_POLYLINE16}},
        {"a pen is created once and selected again by handle",
         [](CDC& dc) {
             dc.SelectObject(CPen(PS_DASH, 1, RGB(255, 0, 0)));
             dc.Polyline(near, 3);
             dc.SelectObject(CPen());
             dc.Polyline(near, 3);
             dc.SelectObject(CPen(PS_DASH, 1, RGB(255, 0, 0)));
             dc.Polyline(near, 3);
         },
         {EMR_CREATEPEN, EMR_SELECTOBJECT, EMR_POLYLINE16, EMR_SELECTOBJECT, EMR_POLYLINE16, EMR_SELECTOBJECT,
          EMR_POLYLINE16}},
        {"coordinates beyond 16 bits", [](CDC& dc) { dc.Polyline(far, 2); }, {EMR_POLYLINE}},
        {"a user dash pattern needs the extended pen",
         [](CDC& dc) {
             dc.SelectObject(CPen(PS_USERSTYLE, 1, RGB(0, 0, 255), {2, 3}));
             dc.Polyline(near, 3);
         },
         {EMR_EXTCREATEPEN, EMR_SELECTOBJECT, EMR_POLYLINE16}},
        {"a line moves first, and only when it does not go on from the last",
         [](CDC& dc) {
             dc.MoveTo(1, 1);
             dc.LineTo(5, 1);
             dc.LineTo(5, 9);
         },
         {EMR_MOVETOEX, EMR_LINETO, EMR_LINETO}},
        {"save, clip and restore as they happen",
         [](CDC& dc) {
             const int iSaved = dc.SaveDC();
             dc.IntersectClipRect(2, 2, 50, 50);
             dc.Polyline(near, 3);
             dc.RestoreDC(iSaved);
             dc.Polyline(near, 3);
         },
         {EMR_SAVEDC, EMR_INTERSECTCLIPRECT, EMR_POLYLINE16, EMR_RESTOREDC, EMR_POLYLINE16}},
        {"a wider clip goes back to the whole picture first",
         [](CDC& dc) {
             const CRect narrow(2, 2, 10, 10), wide(0, 0, 50, 50);
             dc.SelectClipRect(&narrow);
             dc.Polyline(near, 3);
             dc.SelectClipRect(&wide);
             dc.Polyline(near, 3);
         },
         {EMR_INTERSECTCLIPRECT, EMR_POLYLINE16, EMR_SELECTCLIPRGN, EMR_INTERSECTCLIPRECT, EMR_POLYLINE16}},
        {"a fill: no pen, the colour's brush, the background colour it leaves",
         [](CDC& dc) { dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(0, 128, 0)); },
         {EMR_SELECTOBJECT, EMR_CREATEBRUSHINDIRECT, EMR_SELECTOBJECT, EMR_SETBKCOLOR, EMR_RECTANGLE}},
        {"shapes with the null brush", [](CDC& dc) {
             dc.SelectObject(CBrush::FromStock(NULL_BRUSH));
             dc.Rectangle(0, 0, 9, 9);
             dc.Ellipse(0, 0, 9, 9);
             dc.Polygon(near, 3);
         },
         {EMR_SELECTOBJECT, EMR_RECTANGLE, EMR_ELLIPSE, EMR_POLYGON16}},
        {"text: font, colour, alignment without moving along",
         [](CDC& dc) {
             dc.SetTextColor(RGB(0, 0, 255));
             dc.SetTextAlign(TA_UPDATECP | TA_CENTER);
             dc.SetBkMode(TRANSPARENT);
             dc.TextOut(5, 5, CString(L"ab"));
         },
         {EMR_EXTCREATEFONTINDIRECTW, EMR_SELECTOBJECT, EMR_SETBKMODE, EMR_SETTEXTCOLOR, EMR_SETTEXTALIGN,
          EMR_EXTTEXTOUTW}},
        {"a pixel", [](CDC& dc) { dc.SetPixel(3, 4, RGB(1, 2, 3)); }, {EMR_SETPIXELV}},
    };
    for (const auto& c : cases) {
        CEmfDC dc(reference, CSize(100, 100), CString(L"t"), CString(L"p"));
        c.draw(dc);
        EXPECT_EQ(BodyTypes(dc.Close()), c.expected) << c.szCase;
    }
}

TEST(EmfWriter, TextCarriesItsReferencePointAndEachCharacterAdvance)
{
    // The recording surface's 16-pixel font: every character 9 pixels wide.
    CRecordingDC reference;
    CEmfDC dc(reference, CSize(200, 100), CString(L"t"), CString(L"p"));
    EXPECT_EQ(dc.GetTextExtent(CString(L"Level")), CSize(45, 16));
    dc.TextOut(20, 30, CString(L"Level"));
    const std::vector<std::uint8_t> bytes = dc.Close();
    const std::vector<SEmfRecord> records = EmfRecords(bytes);
    const SEmfRecord* pText = FindRecord(records, EMR_EXTTEXTOUTW);
    ASSERT_TRUE(pText);
    const size_t o = pText->uOffset;
    EXPECT_EQ(EmfI32(bytes, o + 8), 20) << "bounds left";
    EXPECT_EQ(EmfI32(bytes, o + 16), 64) << "bounds right: 20 + 45 - 1";
    EXPECT_EQ(EmfI32(bytes, o + 36), 20) << "reference x";
    EXPECT_EQ(EmfI32(bytes, o + 40), 30) << "reference y";
    EXPECT_EQ(EmfU32(bytes, o + 44), 5u) << "characters";
    const std::uint32_t uString = EmfU32(bytes, o + 48), uDx = EmfU32(bytes, o + 72);
    EXPECT_EQ(EmfU32(bytes, o + uString) & 0xFFFF, static_cast<std::uint32_t>(u'L'));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(EmfU32(bytes, o + uDx + 4 * i), 9u) << i;
    EXPECT_EQ(uDx + 20, pText->uSize) << "the advances end the record";
}

TEST(EmfWriter, TheIndependentReaderDrawsTheGraphWithItsTextAndTraces)
{
    if (!EmfToSvgAvailable()) GTEST_SKIP() << kNoEmfReader;
    CBuiltInDocument built;
    ASSERT_TRUE(built.IsValid());
    CRecordingDC reference;
    CEmfDC dc(reference, CSize(800, 500));
    {
        CGraphView view;
        view.SetChannel(CHANNEL_A);
        view.OnSize(CRect(0, 0, 800, 500));
        view.OnDraw(&dc);
    }
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(300, 2, CString(L"Distortion & level"));
    const std::vector<std::uint8_t> bytes = dc.Close();
    std::string svg;
    ASSERT_TRUE(EmfToSvg(bytes, svg));
    EXPECT_NE(svg.find("Distortion & level"), std::string::npos);
    EXPECT_NE(svg.find("<svg:path"), std::string::npos) << "the traces and grid as paths";
    EXPECT_NE(svg.find("dBFS"), std::string::npos) << "the scale labels";
}
