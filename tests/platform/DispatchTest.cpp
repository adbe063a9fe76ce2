// Script values and dispatch: the coercions a script engine applies, and
// members bound by name and ID.

#include "platform/CmdTarget.h"
#include "platform/Dispatch.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

struct SCoercion {
    CVariant from;
    VARTYPE to;
    EDispResult eResult;
    CVariant expected; // when ok
};

TEST(Variant, CoercionsFollowTheScriptEngine)
{
    const SCoercion aCases[] = {
        {CVariant::R8(2.5), VT_I2, EDispResult::ok, CVariant::I2(2)}, // half to even
        {CVariant::R8(3.5), VT_I2, EDispResult::ok, CVariant::I2(4)},
        {CVariant::R8(-2.5), VT_I2, EDispResult::ok, CVariant::I2(-2)},
        {CVariant::R8(32767.4), VT_I2, EDispResult::ok, CVariant::I2(32767)},
        {CVariant::R8(32767.5), VT_I2, EDispResult::overflow, {}}, // rounds to 32768
        {CVariant::R8(DBL_MAX), VT_I4, EDispResult::overflow, {}},
        {CVariant::I4(40000), VT_I2, EDispResult::overflow, {}},
        {CVariant::Bool(true), VT_I2, EDispResult::ok, CVariant::I2(-1)},
        {CVariant::Bool(false), VT_R8, EDispResult::ok, CVariant::R8(0.0)},
        {CVariant::I2(7), VT_BOOL, EDispResult::ok, CVariant::Bool(true)},
        {CVariant::BStr(L" 12 "), VT_I2, EDispResult::ok, CVariant::I2(12)},
        {CVariant::BStr(L"1e3"), VT_I4, EDispResult::ok, CVariant::I4(1000)},
        {CVariant::BStr(L"12abc"), VT_I2, EDispResult::typeMismatch, {}},
        {CVariant::BStr(L""), VT_R8, EDispResult::typeMismatch, {}},
        {CVariant::BStr(L"tRUE"), VT_BOOL, EDispResult::ok, CVariant::Bool(true)},
        {CVariant::I2(-5), VT_BSTR, EDispResult::ok, CVariant::BStr(L"-5")},
        {CVariant::R8(0.1), VT_BSTR, EDispResult::ok, CVariant::BStr(L"0.1")},
        {CVariant::R8(DBL_MAX), VT_BSTR, EDispResult::ok, CVariant::BStr(L"1.79769313486232E+308")},
        {CVariant::Bool(true), VT_BSTR, EDispResult::ok, CVariant::BStr(L"True")},
        {CVariant(), VT_I4, EDispResult::ok, CVariant::I4(0)},
    };
    for (const SCoercion& c : aCases) {
        CVariant out;
        const EDispResult eResult = c.from.ChangeType(c.to, &out);
        EXPECT_EQ(eResult, c.eResult) << c.from.AsBStr().ToUtf8() << " to " << VarTypeName(c.to);
        if (c.eResult == EDispResult::ok) {
            EXPECT_EQ(out, c.expected) << c.from.AsBStr().ToUtf8();
        }
    }
}

// A counter with a settable value, a read-only name, a method with two
// inputs and a method with two out values.
class CCounter : public CCmdTarget {
public:
    const CDispatchTable* GetDispatchTable() const override
    {
        static const CDispatchTable table({
            {"Value", EDispKind::property, VT_I2, {},
             [](CCmdTarget& t, std::vector<CVariant>&) { return CVariant::I2(Self(t).m_sValue); },
             [](CCmdTarget& t, std::vector<CVariant>& a) {
                 Self(t).m_sValue = a[0].AsI2();
                 return CVariant();
             }},
            {"Name", EDispKind::readOnly, VT_BSTR, {},
             [](CCmdTarget&, std::vector<CVariant>&) { return CVariant::BStr(L"counter"); }, nullptr},
            {"Add", EDispKind::method, VT_I4, {{VT_I2, "a"}, {VT_R8, "b"}},
             [](CCmdTarget& t, std::vector<CVariant>& a) {
                 Self(t).m_sValue = static_cast<short>(a[0].AsI2() + a[1].AsR8());
                 return CVariant::I4(Self(t).m_sValue);
             },
             nullptr},
            {"Split", EDispKind::method, VT_EMPTY, {{VT_BYREF_VARIANT, "tens"}, {VT_BYREF_VARIANT, "units"}},
             [](CCmdTarget& t, std::vector<CVariant>& a) {
                 a[0] = CVariant::I2(static_cast<short>(Self(t).m_sValue / 10));
                 a[1] = CVariant::I2(static_cast<short>(Self(t).m_sValue % 10));
                 return CVariant();
             },
             nullptr},
        });
        return &table;
    }
    static CCounter& Self(CCmdTarget& t) { return static_cast<CCounter&>(t); }
    short m_sValue = 0;
};

TEST(Dispatch, MembersByNameInTableOrderConvertTheirArgumentsAndRefuseWhatTheTableForbids)
{
    CCounter counter;
    const std::pair<const char*, int> aIds[] = {{"Value", 1}, {"name", 2}, {"ADD", 3}, {"Split", 4}, {"Nope", -1}};
    for (const auto& [szName, iId] : aIds) EXPECT_EQ(counter.GetIDOfName(szName), iId) << szName;
    EXPECT_EQ(CCmdTarget().GetIDOfName("Value"), -1); // a class with no table
    CVariant result;
    std::vector<CVariant> args{CVariant::BStr(L"41")};
    EXPECT_EQ(counter.InvokeByName("Value", EInvokeKind::propertyPut, args, nullptr), EDispResult::ok);
    std::vector<CVariant> none;
    EXPECT_EQ(counter.Invoke(1, EInvokeKind::propertyGet, none, &result), EDispResult::ok);
    EXPECT_EQ(result, CVariant::I2(41));

    args = {CVariant::R8(1.5), CVariant::I2(2)}; // 1.5 rounds to 2 on the way in
    EXPECT_EQ(counter.InvokeByName("Add", EInvokeKind::method, args, &result), EDispResult::ok);
    EXPECT_EQ(result, CVariant::I4(4));

    struct SRefusal { const char* szName; EInvokeKind eKind; std::vector<CVariant> args; EDispResult eResult; };
    const SRefusal aRefusals[] = {
        {"Name", EInvokeKind::propertyPut, {CVariant::BStr(L"x")}, EDispResult::readOnly},
        {"Add", EInvokeKind::propertyPut, {CVariant::I2(1)}, EDispResult::memberNotFound},
        {"Add", EInvokeKind::propertyGet, {}, EDispResult::memberNotFound},
        {"Add", EInvokeKind::method, {CVariant::I2(1)}, EDispResult::badParamCount},
        {"Add", EInvokeKind::method, {CVariant::R8(1e6), CVariant::I2(1)}, EDispResult::overflow},
        {"Value", EInvokeKind::propertyPut, {CVariant::BStr(L"lots")}, EDispResult::typeMismatch},
        {"Missing", EInvokeKind::method, {}, EDispResult::unknownName},
    };
    for (SRefusal r : aRefusals)
        EXPECT_EQ(counter.InvokeByName(r.szName, r.eKind, r.args, &result), r.eResult) << r.szName;
    EXPECT_EQ(counter.m_sValue, 4); // nothing refused changed it
    EXPECT_EQ(counter.Invoke(5, EInvokeKind::method, none, &result), EDispResult::memberNotFound);

    // A property called as a method without arguments is got.
    EXPECT_EQ(counter.InvokeByName("Name", EInvokeKind::method, none, &result), EDispResult::ok);
    EXPECT_EQ(result, CVariant::BStr(L"counter"));

    // By-reference arguments receive the out values.
    counter.m_sValue = 37;
    args.assign(2, CVariant());
    EXPECT_EQ(counter.InvokeByName("Split", EInvokeKind::method, args, nullptr), EDispResult::ok);
    EXPECT_EQ(args, (std::vector<CVariant>{CVariant::I2(3), CVariant::I2(7)}));
}

} // namespace
