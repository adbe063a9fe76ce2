// The trace's members for scripts (TRACE_). Every member acts on the
// document's automation trace when one is set, otherwise on the trace whose
// table was called; each row calls the trace or document operation it names.

#include "host/app/AppServices.h"
#include "platform/Dispatch.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "trace/display/XScale.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/document/TraceScaleSettings.h"
#include "trace/limits/LimitLine.h"
#include "trace/model/CursorMark.h"
#include "trace/model/QXTrace.h"
#include "trace/types/UserTrace.h"

#include <cfloat>

namespace {

using Args = std::vector<CVariant>;

struct STarget {
    CQXTrace& trace;
    CGraphDoc* pDoc;
};

STarget Of(CCmdTarget& target)
{
    CGraphDoc* pDoc = GetGraphDoc();
    CQXTrace* pCalled = static_cast<CQXTrace*>(&target);
    return {pDoc ? *pDoc->GetTraceForAutomation(pCalled) : *pCalled, pDoc};
}

int Display() { return GetOLEDisplay() ? 1 : 0; }

void Hint(const STarget& t, int iHint)
{
    if (Display() && t.pDoc) t.pDoc->UpdateAllViews(iHint, &t.trace);
}

// A setting that could not be changed: 18787 with the setting's name.
CVariant FailSetting(const STarget& t, int iNameId)
{
    if (t.pDoc) ReportOLEFailure(*t.pDoc, IDS_OLE_SET_PROPERTY_FAILED, LoadResString(iNameId).GetString());
    return CVariant::Bool(false);
}

CVariant Fail(const STarget& t, int iStringId)
{
    if (t.pDoc) ReportOLEFailure(*t.pDoc, iStringId);
    return CVariant::Bool(false);
}

CVariant None() { return CVariant(); }

CVariant OLESetUnit(const STarget& t, AxisType eAxis, int iUnit)
{
    if (!t.trace.CheckUnit(iUnit, eAxis)) return eAxis == Y_AXIS ? FailSetting(t, IDS_OLE_PROP_Y_UNIT) : None();
    if (eAxis == X_AXIS) {
        t.trace.SetXUnit(iUnit);
        if (t.pDoc) t.pDoc->AdjustXScalesOfRelatedTraces(&t.trace, 0, 1, 0);
        Hint(t, UPDATE_TRACE_ZOOMX);
    } else {
        // The Y window is kept in data, so the range shown stays.
        t.trace.SetYUnit(iUnit);
        if (t.pDoc) t.pDoc->AdjustYScalesOfRelatedTraces(&t.trace, 0, 1);
        Hint(t, UPDATE_TRACE_ZOOMY);
    }
    return None();
}

CVariant OLESetCursorUnit(const STarget& t, AxisType eAxis, int iUnit)
{
    if (!t.trace.CheckUnit(iUnit, eAxis))
        return FailSetting(t, eAxis == X_AXIS ? IDS_OLE_PROP_CURSOR_X_UNIT : IDS_OLE_PROP_CURSOR_Y_UNIT);
    if (eAxis == X_AXIS)
        t.trace.SetCursorXUnit(iUnit, Display());
    else
        t.trace.SetCursorYUnit(iUnit, Display());
    return None();
}

CVariant OLESetLimitBreached(const STarget& t, bool bMax, bool bBreached)
{
    const int iCount = bMax ? t.trace.GetMaxLimitBreachCount() : t.trace.GetMinLimitBreachCount();
    const int iNew = bBreached ? iCount + 1 : 0;
    if (bMax)
        t.trace.SetMaxLimitBreached(iNew);
    else
        t.trace.SetMinLimitBreached(iNew);
    return None();
}

CVariant OLECursorValue(const STarget& t, bool bX)
{
    CCursorMark* pCursor = t.trace.IsCursorOn() ? t.trace.GetCursor() : nullptr;
    if (!pCursor) return CVariant::R8(TRACE_NULL_VALUE);
    return CVariant::R8(bX ? t.trace.GetCursorMarkXValue(pCursor, t.trace.GetCursorXUnit())
                           : t.trace.GetCursorMarkYValue(pCursor, t.trace.GetCursorYUnit()));
}

bool IndexInTrace(CQXTrace& trace, int iIndex) { return iIndex >= 0 && iIndex < trace.GetDataSize(); }

CVariant OLEXValueAt(const STarget& t, int iIndex)
{
    if (!IndexInTrace(t.trace, iIndex)) return CVariant::R8(TRACE_NULL_VALUE);
    const double dX = t.trace.GetXValueAtPos(iIndex, t.trace.GetXUnit());
    return CVariant::R8(dX == -DBL_MAX ? -300.0 : dX);
}

CVariant OLEYValueAt(const STarget& t, int iIndex)
{
    if (!IndexInTrace(t.trace, iIndex)) return CVariant::R8(TRACE_NULL_VALUE);
    const int bTransformed = t.trace.HasTransformedYData();
    const double dData = t.trace.GetYDataAtXPos(iIndex, bTransformed);
    return CVariant::R8(t.trace.GetYValueForData(dData, t.trace.GetYUnit(), 0, bTransformed));
}

// One point of a user trace (X and Y in its units) or of a limit line kept
// as trace data (Y in its trace's Y unit); no other kind has settable points.
CVariant OLESetPoint(const STarget& t, int iIndex, double dX, double dY)
{
    if (!IndexInTrace(t.trace, iIndex)) return CVariant::Bool(false);
    if (auto* pUser = dynamic_cast<CUserTrace*>(&t.trace)) {
        pUser->SetXValue(iIndex, dX);
        pUser->GetYDataBuffer(0)[iIndex] = pUser->GetYDataForValue(dY, pUser->GetYUnit(), 0);
    } else if (auto* pLimit = dynamic_cast<CLimitLine*>(&t.trace); pLimit && pLimit->HasTraceData()) {
        pLimit->SetYDataAtXPos(iIndex, pLimit->GetYDataForValue(dY, pLimit->GetYUnit(), 0), 0);
    } else {
        return CVariant::Bool(false);
    }
    t.trace.ApplyComputationsOnTraceDataChange(0);
    t.trace.RecalcTrace();
    Hint(t, UPDATE_TRACE_REDRAW);
    return CVariant::Bool(true);
}

void SetOut(Args& a, double dMin, double dMax)
{
    a[0] = CVariant::R8(dMin);
    a[1] = CVariant::R8(dMax);
}

CVariant OLEGetRange(const STarget& t, Args& a, AxisType eAxis, bool bFull)
{
    double dMin = 0.0, dMax = 0.0;
    GetTraceRange(t.trace, eAxis, bFull, &dMin, &dMax);
    SetOut(a, dMin, dMax);
    return None();
}

CVariant OLESetRange(const STarget& t, AxisType eAxis, double dMin, double dMax)
{
    if (SetTraceRange(t.trace, t.pDoc, eAxis, dMin, dMax, Display()) != EScaleSetting::done)
        return FailSetting(t, eAxis == X_AXIS ? IDS_OLE_PROP_X_RANGE : IDS_OLE_PROP_Y_RANGE);
    return CVariant::Bool(true);
}

CVariant OLESetIntervals(const STarget& t, AxisType eAxis, int iIntervals, bool bLog)
{
    const bool bX = eAxis == X_AXIS;
    switch (SetTraceIntervals(t.trace, t.pDoc, eAxis, iIntervals, bLog, Display())) {
    case EScaleSetting::done: return CVariant::Bool(true);
    case EScaleSetting::logRefused: return Fail(t, bX ? IDS_OLE_SET_X_LOG_FAILED : IDS_OLE_SET_Y_LOG_FAILED);
    default: return Fail(t, bX ? IDS_OLE_SET_X_INTERVALS_FAILED : IDS_OLE_SET_Y_INTERVALS_FAILED);
    }
}

CVariant OLEGetIntervals(const STarget& t, Args& a, AxisType eAxis)
{
    a[0] = CVariant::I2(static_cast<short>(GetTraceIntervals(t.trace, eAxis)));
    a[1] = CVariant::Bool((eAxis == X_AXIS ? t.trace.GetLogX() : t.trace.GetLogY()) != 0);
    return None();
}

CVariant OLESetLimit(const STarget& t, const CString& sFile, bool bMax)
{
    int iFailure = 0;
    if (CLimitLine::LoadForTrace(&t.trace, sFile, bMax ? TT_MAXLIMITLINE : TT_MINLIMITLINE, 0, &iFailure))
        return CVariant::Bool(true);
    return Fail(t, iFailure ? iFailure : IDS_OLE_SET_LIMIT_FAILED);
}

CVariant OLEAddMark(const STarget& t, int iIndex, CString sLabel)
{
    const int iMark = t.trace.AddMark(iIndex, 0);
    if (iMark < 0 || !t.trace.GetMark(iMark)) return CVariant::I2(-1);
    t.trace.SetMarkLabel(iMark, sLabel, false);
    t.trace.MarksOn();
    Hint(t, UPDATE_TRACE_MARKS);
    return CVariant::I2(static_cast<short>(iMark));
}

// A zoom of the document that carries the trace's related traces along.
template <void (CGraphDoc::*Zoom)(CQXTrace*, int, int)>
CVariant OLEZoom(CCmdTarget& c, Args&)
{
    STarget t = Of(c);
    if (t.pDoc) (t.pDoc->*Zoom)(&t.trace, Display(), 1);
    return None();
}

#define TRACE_GET(name, vt, expr, behaviour)                                                        \
    SDispEntry                                                                                      \
    {                                                                                               \
        name, EDispKind::readOnly, vt, {}, [](CCmdTarget& c, Args&) { STarget t = Of(c); return expr; }, \
            nullptr, behaviour                                                                      \
    }
#define TRACE_CONSTANT(name, value)                                                                            \
    SDispEntry                                                                                                 \
    {                                                                                                          \
        name, EDispKind::readOnly, VT_I2, {}, [](CCmdTarget&, Args&) { return CVariant::I2(value); }, nullptr, \
            L"constant " #value                                                                                \
    }

} // namespace

const CDispatchTable* CQXTrace::GetDispatchTable() const { return &GetTraceDispatchTable(); }

const CDispatchTable& GetTraceDispatchTable()
{
    static const CDispatchTable table({
        {"TRACE_Name", EDispKind::property, VT_BSTR, {},
         [](CCmdTarget& c, Args&) { return CVariant::BStr(Of(c).trace.GetTraceName(0, 0, 0)); },
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             if (t.pDoc) t.pDoc->SetTraceName(&t.trace, a[0].AsBStr());
             return None();
         },
         L"trace name; a set sends UPDATE_TRACE_NAME"},
        TRACE_GET("TRACE_ID", VT_I2, CVariant::I2(t.trace.GetTraceID()), L"trace ID"),
        TRACE_GET("TRACE_Type", VT_I2, CVariant::I2(static_cast<short>(t.trace.GetTraceType())), L"trace type"),
        TRACE_GET("TRACE_Channel", VT_I2, CVariant::I2(static_cast<short>(t.trace.GetChannel())), L"channel"),
        {"TRACE_XUnit", EDispKind::property, VT_I2, {},
         [](CCmdTarget& c, Args&) { return CVariant::I2(static_cast<short>(Of(c).trace.GetXUnit())); },
         [](CCmdTarget& c, Args& a) { return OLESetUnit(Of(c), X_AXIS, a[0].AsI2()); },
         L"X unit; a set (of a unit the axis offers) sends UPDATE_TRACE_ZOOMX"},
        {"TRACE_YUnit", EDispKind::property, VT_I2, {},
         [](CCmdTarget& c, Args&) { return CVariant::I2(static_cast<short>(Of(c).trace.GetYUnit())); },
         [](CCmdTarget& c, Args& a) { return OLESetUnit(Of(c), Y_AXIS, a[0].AsI2()); },
         L"Y unit; a set keeps the Y range and sends UPDATE_TRACE_ZOOMY", IDS_OLE_SET_PROPERTY_FAILED},
        {"TRACE_On", EDispKind::property, VT_BOOL, {},
         [](CCmdTarget& c, Args&) { return CVariant::Bool(Of(c).trace.IsOn() != 0); },
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             if (t.pDoc && a[0].AsBool()) t.pDoc->TraceOn(&t.trace, Display());
             if (t.pDoc && !a[0].AsBool()) t.pDoc->TraceOff(&t.trace, Display());
             return None();
         },
         L"on or off"},
        {"TRACE_Comment", EDispKind::property, VT_BSTR, {},
         [](CCmdTarget& c, Args&) { return CVariant::BStr(Of(c).trace.GetComment()); },
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             if (t.pDoc) t.pDoc->SetTraceComment(&t.trace, a[0].AsBStr());
             return None();
         },
         L"comment"},
        {"TRACE_PrintStyle", EDispKind::property, VT_I2, {},
         [](CCmdTarget& c, Args&) { return CVariant::I2(static_cast<short>(Of(c).trace.GetPrintStyle())); },
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             const int iStyle = a[0].AsI2();
             if (!t.pDoc || iStyle < TRACE_PRINTSTYLE_SOLID || iStyle > TRACE_PRINTSTYLE_DASHDOTDOT)
                 return FailSetting(t, IDS_OLE_PROP_PRINT_STYLE);
             t.pDoc->SetTracePrintStyle(&t.trace, iStyle);
             return None();
         },
         L"print style 0 to 4", IDS_OLE_SET_PROPERTY_FAILED},
        TRACE_CONSTANT("TRACE_PRINTSTYLE_SOLID", TRACE_PRINTSTYLE_SOLID),
        TRACE_CONSTANT("TRACE_PRINTSTYLE_DASH", TRACE_PRINTSTYLE_DASH),
        TRACE_CONSTANT("TRACE_PRINTSTYLE_DOT", TRACE_PRINTSTYLE_DOT),
        TRACE_CONSTANT("TRACE_PRINTSTYLE_DASHDOT", TRACE_PRINTSTYLE_DASHDOT),
        TRACE_CONSTANT("TRACE_PRINTSTYLE_DASHDOTDOT", TRACE_PRINTSTYLE_DASHDOTDOT),
        {"TRACE_ShowTransformedData", EDispKind::property, VT_BOOL, {},
         [](CCmdTarget& c, Args&) { return CVariant::Bool(Of(c).trace.GetShowTransformedYData() != 0); },
         [](CCmdTarget& c, Args& a) {
             Of(c).trace.SetShowTransformedYData(a[0].AsBool(), Display());
             return None();
         },
         L"shows the transformed data (runs the trace's transforms)"},
        {"TRACE_MaxLimitBreached", EDispKind::property, VT_BOOL, {},
         [](CCmdTarget& c, Args&) { return CVariant::Bool(Of(c).trace.GetMaxLimitBreached() != 0); },
         [](CCmdTarget& c, Args& a) { return OLESetLimitBreached(Of(c), true, a[0].AsBool()); },
         L"upper limit breached; false clears the count, true adds one"},
        {"TRACE_MinLimitBreached", EDispKind::property, VT_BOOL, {},
         [](CCmdTarget& c, Args&) { return CVariant::Bool(Of(c).trace.GetMinLimitBreached() != 0); },
         [](CCmdTarget& c, Args& a) { return OLESetLimitBreached(Of(c), false, a[0].AsBool()); },
         L"lower limit breached; false clears the count, true adds one"},
        {"TRACE_CursorOn", EDispKind::property, VT_BOOL, {},
         [](CCmdTarget& c, Args&) { return CVariant::Bool(Of(c).trace.IsCursorOn() != 0); },
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             if (a[0].AsBool())
                 t.trace.CursorOn();
             else
                 t.trace.CursorOff();
             Hint(t, UPDATE_TRACE_CURSOR);
             return None();
         },
         L"cursor on or off"},
        TRACE_GET("TRACE_CursorXValue", VT_R8, OLECursorValue(t, true),
                  L"cursor X in the cursor X unit; TRACE_NULL_VALUE without a cursor"),
        TRACE_GET("TRACE_CursorYValue", VT_R8, OLECursorValue(t, false),
                  L"cursor Y in the cursor Y unit; TRACE_NULL_VALUE without a cursor"),
        {"TRACE_CursorXUnit", EDispKind::property, VT_I2, {},
         [](CCmdTarget& c, Args&) { return CVariant::I2(static_cast<short>(Of(c).trace.GetCursorXUnit())); },
         [](CCmdTarget& c, Args& a) { return OLESetCursorUnit(Of(c), X_AXIS, a[0].AsI2()); },
         L"cursor X unit; a set sends UPDATE_TRACE_CURSOR", IDS_OLE_SET_PROPERTY_FAILED},
        {"TRACE_CursorYUnit", EDispKind::property, VT_I2, {},
         [](CCmdTarget& c, Args&) { return CVariant::I2(static_cast<short>(Of(c).trace.GetCursorYUnit())); },
         [](CCmdTarget& c, Args& a) { return OLESetCursorUnit(Of(c), Y_AXIS, a[0].AsI2()); },
         L"cursor Y unit; a set sends UPDATE_TRACE_CURSOR", IDS_OLE_SET_PROPERTY_FAILED},
        {"TRACE_MarksOn", EDispKind::property, VT_BOOL, {},
         [](CCmdTarget& c, Args&) { return CVariant::Bool(Of(c).trace.AreMarksOn() != 0); },
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             if (a[0].AsBool())
                 t.trace.MarksOn();
             else
                 t.trace.MarksOff();
             Hint(t, UPDATE_TRACE_MARKS);
             return None();
         },
         L"marks on or off"},
        TRACE_CONSTANT("TRACE_INTERVALS_AUTO", TRACE_INTERVALS_AUTO),
        {"TRACE_DrawTrace", EDispKind::method, VT_EMPTY, {},
         [](CCmdTarget& c, Args&) {
             STarget t = Of(c);
             t.trace.ApplyComputationsOnTraceDataChange(0);
             t.trace.RecalcTrace();
             Hint(t, UPDATE_TRACE_REDRAW);
             return None();
         },
         nullptr, L"re-applies the transforms and redraws"},
        {"TRACE_SetColour", EDispKind::method, VT_EMPTY, {{VT_I2, "red"}, {VT_I2, "green"}, {VT_I2, "blue"}},
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             const auto Byte = [](short s) { return static_cast<COLORREF>(std::clamp<int>(s, 0, 255)); };
             const COLORREF cr = Byte(a[0].AsI2()) | Byte(a[1].AsI2()) << 8 | Byte(a[2].AsI2()) << 16;
             if (t.pDoc) t.pDoc->TraceColorChange(&t.trace, cr, Display());
             return None();
         },
         nullptr, L"sets the colour (components 0 to 255)"},
        {"TRACE_SaveTrace", EDispKind::method, VT_BOOL, {{VT_BSTR, "fileName"}},
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             return CVariant::Bool(t.pDoc && t.pDoc->SaveTrace(&t.trace, a[0].AsBStr(), GetOLEShowMessages()));
         },
         nullptr, L"saves the trace file (traces folder, default extension added)", IDS_TRACE_SAVE_FAILED},
        {"TRACE_GetNumPoints", EDispKind::method, VT_I4, {},
         [](CCmdTarget& c, Args&) { return CVariant::I4(Of(c).trace.GetDataSize()); }, nullptr, L"data size"},
        {"TRACE_GetXValueAt", EDispKind::method, VT_R8, {{VT_I4, "index"}},
         [](CCmdTarget& c, Args& a) { return OLEXValueAt(Of(c), a[0].AsI4()); }, nullptr,
         L"X value at an index in the X unit; TRACE_NULL_VALUE outside the data; minus infinity as -300"},
        {"TRACE_GetYValueAt", EDispKind::method, VT_R8, {{VT_I4, "index"}},
         [](CCmdTarget& c, Args& a) { return OLEYValueAt(Of(c), a[0].AsI4()); }, nullptr,
         L"Y value at an index in the Y unit; TRACE_NULL_VALUE outside the data"},
        {"TRACE_SetPoint", EDispKind::method, VT_BOOL, {{VT_I4, "index"}, {VT_R8, "x"}, {VT_R8, "y"}, {VT_BOOL, "flag"}},
         [](CCmdTarget& c, Args& a) { return OLESetPoint(Of(c), a[0].AsI4(), a[1].AsR8(), a[2].AsR8()); }, nullptr,
         L"sets a point of a user trace or limit line, re-applies the transforms and redraws; false for other kinds"},
        {"TRACE_GetXRange", EDispKind::method, VT_EMPTY, {{VT_BYREF_VARIANT, "min"}, {VT_BYREF_VARIANT, "max"}},
         [](CCmdTarget& c, Args& a) { return OLEGetRange(Of(c), a, X_AXIS, false); }, nullptr, L"current X range in the X unit"},
        {"TRACE_GetFullXRange", EDispKind::method, VT_EMPTY, {{VT_BYREF_VARIANT, "min"}, {VT_BYREF_VARIANT, "max"}},
         [](CCmdTarget& c, Args& a) { return OLEGetRange(Of(c), a, X_AXIS, true); }, nullptr, L"full X range in the X unit"},
        {"TRACE_SetXRange", EDispKind::method, VT_BOOL, {{VT_R8, "min"}, {VT_R8, "max"}},
         [](CCmdTarget& c, Args& a) { return OLESetRange(Of(c), X_AXIS, a[0].AsR8(), a[1].AsR8()); }, nullptr,
         L"zooms X to the range (a zoom step is stored; related traces follow)", IDS_OLE_SET_PROPERTY_FAILED},
        {"TRACE_SetXIntervals", EDispKind::method, VT_BOOL, {{VT_I2, "intervals"}, {VT_BOOL, "log"}},
         [](CCmdTarget& c, Args& a) { return OLESetIntervals(Of(c), X_AXIS, a[0].AsI2(), a[1].AsBool()); }, nullptr,
         L"X intervals: TRACE_INTERVALS_AUTO or a fixed count of 1 to 50; log or linear", IDS_OLE_SET_X_INTERVALS_FAILED},
        {"TRACE_AutoZoomX", EDispKind::method, VT_EMPTY, {},
         OLEZoom<&CGraphDoc::AutoZoomX>,
         nullptr, L"auto-zooms X (related traces follow)"},
        {"TRACE_DefaultZoomX", EDispKind::method, VT_EMPTY, {},
         OLEZoom<&CGraphDoc::DefaultZoomX>,
         nullptr, L"default X zoom (related traces follow)"},
        {"TRACE_GetYRange", EDispKind::method, VT_EMPTY, {{VT_BYREF_VARIANT, "min"}, {VT_BYREF_VARIANT, "max"}},
         [](CCmdTarget& c, Args& a) { return OLEGetRange(Of(c), a, Y_AXIS, false); }, nullptr, L"current Y range in the Y unit"},
        {"TRACE_GetFullYRange", EDispKind::method, VT_EMPTY, {{VT_BYREF_VARIANT, "min"}, {VT_BYREF_VARIANT, "max"}},
         [](CCmdTarget& c, Args& a) { return OLEGetRange(Of(c), a, Y_AXIS, true); }, nullptr, L"full Y range in the Y unit"},
        {"TRACE_SetYRange", EDispKind::method, VT_BOOL, {{VT_R8, "min"}, {VT_R8, "max"}},
         [](CCmdTarget& c, Args& a) { return OLESetRange(Of(c), Y_AXIS, a[0].AsR8(), a[1].AsR8()); }, nullptr,
         L"zooms Y to the range (a zoom step is stored; related traces follow)", IDS_OLE_SET_PROPERTY_FAILED},
        {"TRACE_SetYIntervals", EDispKind::method, VT_BOOL, {{VT_I2, "intervals"}, {VT_BOOL, "log"}},
         [](CCmdTarget& c, Args& a) { return OLESetIntervals(Of(c), Y_AXIS, a[0].AsI2(), a[1].AsBool()); }, nullptr,
         L"Y intervals: TRACE_INTERVALS_AUTO or a fixed count of 1 to 50; log or linear", IDS_OLE_SET_Y_INTERVALS_FAILED},
        {"TRACE_AutoZoomY", EDispKind::method, VT_EMPTY, {},
         OLEZoom<&CGraphDoc::AutoZoomY>,
         nullptr, L"auto-zooms Y (related traces follow)"},
        {"TRACE_DefaultZoomY", EDispKind::method, VT_EMPTY, {},
         OLEZoom<&CGraphDoc::DefaultZoomY>,
         nullptr, L"default Y zoom (related traces follow)"},
        {"TRACE_SetMaxLimit", EDispKind::method, VT_BOOL, {{VT_BSTR, "fileName"}},
         [](CCmdTarget& c, Args& a) { return OLESetLimit(Of(c), a[0].AsBStr(), true); }, nullptr,
         L"loads a limit file as the upper limit line (18208 when its units do not suit)", IDS_OLE_SET_LIMIT_FAILED},
        {"TRACE_SetMinLimit", EDispKind::method, VT_BOOL, {{VT_BSTR, "fileName"}},
         [](CCmdTarget& c, Args& a) { return OLESetLimit(Of(c), a[0].AsBStr(), false); }, nullptr,
         L"loads a limit file as the lower limit line (18208 when its units do not suit)", IDS_OLE_SET_LIMIT_FAILED},
        {"TRACE_GetMaxLimitLine", EDispKind::method, VT_I2, {},
         [](CCmdTarget& c, Args&) {
             CQXTrace* p = Of(c).trace.GetMaxLimitLine();
             return CVariant::I2(p ? p->GetTraceID() : TRACE_NULL_ID);
         },
         nullptr, L"ID of the upper limit line or TRACE_NULL_ID"},
        {"TRACE_GetMinLimitLine", EDispKind::method, VT_I2, {},
         [](CCmdTarget& c, Args&) {
             CQXTrace* p = Of(c).trace.GetMinLimitLine();
             return CVariant::I2(p ? p->GetTraceID() : TRACE_NULL_ID);
         },
         nullptr, L"ID of the lower limit line or TRACE_NULL_ID"},
        {"TRACE_GetCursorPos", EDispKind::method, VT_I4, {},
         [](CCmdTarget& c, Args&) {
             STarget t = Of(c);
             return CVariant::I4(t.trace.IsCursorOn() && t.trace.GetCursor() ? t.trace.GetCursor()->GetPosition(1) : -1);
         },
         nullptr, L"cursor index, -1 without a cursor"},
        {"TRACE_SetCursorPos", EDispKind::method, VT_BOOL, {{VT_I4, "index"}},
         [](CCmdTarget& c, Args& a) {
             STarget t = Of(c);
             if (!IndexInTrace(t.trace, a[0].AsI4()) || !t.trace.GetCursor()) return CVariant::Bool(false);
             t.trace.SetCursorPosition(a[0].AsI4());
             Hint(t, UPDATE_TRACE_CURSOR);
             return CVariant::Bool(true);
         },
         nullptr, L"moves the cursor; false outside the data or without a cursor"},
        {"TRACE_AddMark", EDispKind::method, VT_I2, {{VT_I4, "index"}, {VT_BSTR, "label"}},
         [](CCmdTarget& c, Args& a) { return OLEAddMark(Of(c), a[0].AsI4(), a[1].AsBStr()); }, nullptr,
         L"adds a labelled mark and turns marks on; the mark number or -1"},
        {"TRACE_RemoveMark", EDispKind::method, VT_BOOL, {{VT_I2, "mark"}},
         [](CCmdTarget& c, Args& a) { return CVariant::Bool(Of(c).trace.RemoveMark(a[0].AsI2(), Display()) != 0); },
         nullptr, L"removes a mark"},
        {"TRACE_SetMarkLabel", EDispKind::method, VT_BOOL, {{VT_I2, "mark"}, {VT_BSTR, "label"}},
         [](CCmdTarget& c, Args& a) {
             CString sLabel = a[1].AsBStr();
             return CVariant::Bool(Of(c).trace.SetMarkLabel(a[0].AsI2(), sLabel, Display()) != 0);
         },
         nullptr, L"sets a mark's label"},
        {"TRACE_GetMarkLabel", EDispKind::method, VT_BSTR, {{VT_I2, "mark"}},
         [](CCmdTarget& c, Args& a) { return CVariant::BStr(Of(c).trace.GetMarkLabel(a[0].AsI2(), 0)); }, nullptr,
         L"a mark's label"},
        {"TRACE_RemoveAllMarks", EDispKind::method, VT_EMPTY, {},
         [](CCmdTarget& c, Args&) {
             Of(c).trace.RemoveAllMarks(Display());
             return None();
         },
         nullptr, L"removes every mark"},
        {"TRACE_GetColour", EDispKind::method, VT_EMPTY,
         {{VT_BYREF_VARIANT, "red"}, {VT_BYREF_VARIANT, "green"}, {VT_BYREF_VARIANT, "blue"}},
         [](CCmdTarget& c, Args& a) {
             const COLORREF cr = Of(c).trace.GetScreenColor();
             for (int i = 0; i < 3; ++i) a[static_cast<size_t>(i)] = CVariant::I2(static_cast<short>(cr >> (8 * i) & 0xFF));
             return None();
         },
         nullptr, L"colour components"},
        {"TRACE_GetXIntervals", EDispKind::method, VT_EMPTY, {{VT_BYREF_VARIANT, "intervals"}, {VT_BYREF_VARIANT, "log"}},
         [](CCmdTarget& c, Args& a) { return OLEGetIntervals(Of(c), a, X_AXIS); }, nullptr,
         L"X interval count (TRACE_INTERVALS_AUTO when automatic) and log flag"},
        {"TRACE_GetYIntervals", EDispKind::method, VT_EMPTY, {{VT_BYREF_VARIANT, "intervals"}, {VT_BYREF_VARIANT, "log"}},
         [](CCmdTarget& c, Args& a) { return OLEGetIntervals(Of(c), a, Y_AXIS); }, nullptr,
         L"Y interval count (TRACE_INTERVALS_AUTO when automatic) and log flag"},
    });
    return table;
}
