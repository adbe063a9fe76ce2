// The limit table's members for scripts (LMT_). They act on the document's
// table under construction (LMT_InitTable) when there is one, otherwise on
// the table whose interface was called.

#include "host/app/AppServices.h"
#include "platform/Dispatch.h"
#include "resources/StringTable.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/limits/LimitTable.h"

namespace {

using Args = std::vector<CVariant>;

CLimitTable& Table(CCmdTarget& target)
{
    CGraphDoc* pDoc = GetGraphDoc();
    CLimitTable* pBuilding = pDoc ? pDoc->GetOLEData().GetLimitTable() : nullptr;
    return pBuilding ? *pBuilding : static_cast<CLimitTable&>(target);
}

// A point may not be added while the table could not be made.
bool TableFailed()
{
    CGraphDoc* pDoc = GetGraphDoc();
    return pDoc && pDoc->GetOLEData().GetLimitTableError() != 0;
}

CVariant RemovePointAt(CLimitTable& table, double dX)
{
    int bExact = 0;
    const int i = table.GetInsertionPoint(dX, &bExact);
    return CVariant::Bool(bExact && table.RemovePoint(i));
}

bool SaveTable(CLimitTable& table, const CString& sName)
{
    CGraphDoc* pDoc = GetGraphDoc();
    if (!pDoc) return false;
    const CString& sPath = sName.IsEmpty() ? pDoc->GetOLEData().GetLimitTableFileName() : sName;
    return !sPath.IsEmpty() && table.GetNumPoints() > 0 && pDoc->SaveLimitTable(table, sPath, GetOLEShowMessages());
}

} // namespace

const CDispatchTable* CLimitTable::GetDispatchTable() const { return &GetLimitTableDispatchTable(); }

const CDispatchTable& GetLimitTableDispatchTable()
{
    static const CDispatchTable table({
        {"LMT_XUnit", EDispKind::property, VT_I2, {},
         [](CCmdTarget& c, Args&) { return CVariant::I2(static_cast<short>(Table(c).GetXUnit())); },
         [](CCmdTarget& c, Args& a) {
             Table(c).SetXUnit(a[0].AsI2());
             return CVariant();
         },
         L"X unit of the table's X values"},
        {"LMT_YUnit", EDispKind::property, VT_I2, {},
         [](CCmdTarget& c, Args&) { return CVariant::I2(static_cast<short>(Table(c).GetYUnit())); },
         [](CCmdTarget& c, Args& a) {
             Table(c).SetYUnit(a[0].AsI2());
             return CVariant();
         },
         L"Y unit of the table's Y values"},
        {"LMT_InitTable", EDispKind::method, VT_BOOL, {{VT_BSTR, "fileName"}},
         [](CCmdTarget&, Args& a) {
             CGraphDoc* pDoc = GetGraphDoc();
             if (!pDoc) return CVariant::Bool(false);
             Args args{a[0]};
             CVariant result;
             pDoc->InvokeByName("LMT_InitTable", EInvokeKind::method, args, &result);
             return result;
         },
         nullptr, L"as the document's LMT_InitTable: starts a new, empty table under construction"},
        {"LMT_AddPoint", EDispKind::method, VT_BOOL, {{VT_R8, "x"}, {VT_R8, "y"}, {VT_BOOL, "flag"}},
         [](CCmdTarget& c, Args& a) {
             if (TableFailed()) return CVariant::Bool(false);
             return CVariant::Bool(Table(c).AddPoint(a[0].AsR8(), a[1].AsR8(), a[2].AsBool(), POLARITY_NONE) >= 0);
         },
         nullptr, L"adds a point in X order (flag: connected to the previous one); fails at once while the table could not be made"},
        {"LMT_RemovePoint", EDispKind::method, VT_BOOL, {{VT_R8, "x"}},
         [](CCmdTarget& c, Args& a) { return RemovePointAt(Table(c), a[0].AsR8()); }, nullptr,
         L"removes the point at exactly that x; false when there is none"},
        {"LMT_SaveTable", EDispKind::method, VT_BOOL, {{VT_BSTR, "fileName"}},
         [](CCmdTarget& c, Args& a) { return CVariant::Bool(SaveTable(Table(c), a[0].AsBStr())); }, nullptr,
         L"writes the table as a limit file (limits folder, default extension added); an empty name saves to the "
         L"name LMT_InitTable was given",
         IDS_TRACE_SAVE_FAILED},
    });
    return table;
}
