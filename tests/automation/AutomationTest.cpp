// The document's and trace's members as a script reaches them: by name,
// through the dispatch tables.

#include "host/app/EventManager.h"
#include "platform/Dispatch.h"
#include "support/HostDocFixture.h"
#include "trace/document/GraphOLEData.h"
#include "trace/display/XScale.h"
#include "trace/limits/LimitTable.h"

#include <cfloat>

namespace {

class Automation : public HostDocFixture {
protected:
    CVariant Call(CCmdTarget& target, const char* szName, std::vector<CVariant> args = {})
    {
        CVariant result;
        EXPECT_EQ(target.InvokeByName(szName, EInvokeKind::method, args, &result), EDispResult::ok) << szName;
        return result;
    }
    CVariant Doc(const char* szName, std::vector<CVariant> args = {}) { return Call(*m_pDoc, szName, std::move(args)); }
    int BoxCount() const { return static_cast<int>(m_host.GetMessageBoxes().size()); }
    std::string LastBox() const
    {
        return m_host.GetMessageBoxes().empty() ? "" : m_host.GetMessageBoxes().back().sText.ToUtf8();
    }
};

// Dispatch IDs are positions in the member tables: the ends and a member
// of each kind pin the order scripts were written against.
TEST_F(Automation, DispatchIdsFollowTheMemberTables)
{
    CQXTrace* pTrace = AddShownTrace();
    const std::pair<const char*, int> aDocument[] = {
        {"TW_GraphTitle", 1}, {"TRACETYPE_FFTRESPONSE", 21}, {"TW_CreateTrace", 24}, {"TW_DefaultZoomAll", 38}};
    const std::pair<const char*, int> aTrace[] = {
        {"TRACE_Name", 1}, {"TRACE_PRINTSTYLE_DASHDOTDOT", 14}, {"TRACE_DrawTrace", 25}, {"TRACE_GetYIntervals", 57}};
    for (const auto& [szName, iId] : aDocument) EXPECT_EQ(m_pDoc->GetIDOfName(szName), iId) << szName;
    for (const auto& [szName, iId] : aTrace) EXPECT_EQ(pTrace->GetIDOfName(szName), iId) << szName;
    EXPECT_EQ(std::make_pair(m_pDoc->GetDispatchTable()->GetEntries().size(), pTrace->GetDispatchTable()->GetEntries().size()),
              std::make_pair(size_t{38}, size_t{57}));
}

TEST_F(Automation, FreshDocumentHasNoAutomationTraceAndCopiesNothingQuietly)
{
    EXPECT_EQ(Doc("TW_GetCurrentTrace"), CVariant::I2(-1));
    EXPECT_EQ(Doc("TW_CopyTrace", {CVariant::I2(-1)}), CVariant::I2(-1));
    EXPECT_EQ(Doc("TW_CopyTrace", {CVariant::I2(99)}), CVariant::I2(-1));
    EXPECT_EQ(Doc("TW_SetCurrentTrace", {CVariant::I2(99), CVariant::Bool(false)}), CVariant::Bool(false));
    EXPECT_EQ(Doc("TW_GetNextTraceOfType", {CVariant::I2(TT_FFT)}), CVariant::I2(-1));
    EXPECT_EQ(BoxCount(), 1); // only the next-of-type failure speaks
    EXPECT_NE(LastBox().find("Failed to get a Trace of the required type."), std::string::npos);
    EXPECT_EQ(Doc("TRACE_NULL_VALUE"), CVariant::R8(DBL_MAX));
    EXPECT_EQ(Doc("TRACETYPE_FFTRESPONSE"), CVariant::I2(13));
}

TEST_F(Automation, TraceMembersActOnTheAutomationTrace)
{
    CQXTrace* pCalled = AddShownTrace(TT_FFT, CHANNEL_A, 64);
    CQXTrace* pOther = AddShownTrace(TT_FFT, CHANNEL_B, 32);
    EXPECT_EQ(Call(*pCalled, "TRACE_GetNumPoints"), CVariant::I4(pCalled->GetDataSize()));
    EXPECT_EQ(Doc("TW_SetCurrentTrace", {CVariant::I2(pOther->GetTraceID()), CVariant::Bool(true)}),
              CVariant::Bool(true));
    EXPECT_EQ(m_pDoc->GetCurrentTrace(), pOther);
    EXPECT_EQ(Call(*pCalled, "TRACE_Channel"), CVariant::I2(CHANNEL_B));
    EXPECT_EQ(Call(*pCalled, "TRACE_GetXValueAt", {CVariant::I4(-1)}), CVariant::R8(DBL_MAX));
    EXPECT_EQ(Call(*pCalled, "TRACE_GetYValueAt", {CVariant::I4(pOther->GetDataSize())}), CVariant::R8(DBL_MAX));

    std::vector<CVariant> args{CVariant::I2(5)};
    EXPECT_EQ(pCalled->InvokeByName("TRACE_ID", EInvokeKind::propertyPut, args, nullptr), EDispResult::readOnly);
    args = {CVariant::BStr(L"probe")};
    EXPECT_EQ(pCalled->InvokeByName("trace_name", EInvokeKind::propertyPut, args, nullptr), EDispResult::ok);
    EXPECT_EQ(pOther->GetUserName(), CString(L"probe"));
    EXPECT_EQ(CountHints(UPDATE_TRACE_NAME), 1);

    args = {CVariant::I2(9)};
    EXPECT_EQ(pCalled->InvokeByName("TRACE_PrintStyle", EInvokeKind::propertyPut, args, nullptr), EDispResult::ok);
    EXPECT_EQ(pOther->GetPrintStyle(), TRACE_PRINTSTYLE_SOLID);
    EXPECT_NE(LastBox().find("Failed to set the Trace print style of the current Trace."), std::string::npos);

    EXPECT_EQ(Call(*pCalled, "TRACE_AddMark", {CVariant::I4(3), CVariant::BStr(L"peak")}), CVariant::I2(0));
    EXPECT_EQ(Call(*pCalled, "TRACE_GetMarkLabel", {CVariant::I2(0)}), CVariant::BStr(L"peak"));
    EXPECT_TRUE(pOther->AreMarksOn());
    Call(*pCalled, "TRACE_SetColour", {CVariant::I2(0x12), CVariant::I2(0x34), CVariant::I2(300)});
    std::vector<CVariant> rgb(3);
    EXPECT_EQ(pCalled->InvokeByName("TRACE_GetColour", EInvokeKind::method, rgb, nullptr), EDispResult::ok);
    EXPECT_EQ(rgb, (std::vector<CVariant>{CVariant::I2(0x12), CVariant::I2(0x34), CVariant::I2(255)}));

    EXPECT_EQ(Doc("TW_RemoveTrace", {CVariant::I2(pOther->GetTraceID())}), CVariant::Bool(true));
    EXPECT_EQ(Doc("TW_GetCurrentTrace"), CVariant::I2(-1));
}

TEST_F(Automation, ChannelChecksNameTheMember)
{
    struct SCase { const char* szMember; std::vector<CVariant> args; CVariant failure; };
    const SCase aCases[] = {
        {"TW_Print", {CVariant::I2(CHANNEL_BOTH)}, CVariant::Bool(false)}, // channels in separate views
        {"TW_LoadTrace", {CVariant::BStr(L"x"), CVariant::I2(CHANNEL_BOTH)}, CVariant::I2(-1)},
        {"TW_GetFirstTraceOfType", {CVariant::I2(TT_FFT), CVariant::I2(3)}, CVariant::I2(-1)},
        {"TW_AutoZoomAll", {CVariant::I2(-1)}, CVariant::Bool(false)},
    };
    for (const SCase& c : aCases) {
        EXPECT_EQ(Doc(c.szMember, c.args), c.failure) << c.szMember;
        EXPECT_EQ(LastBox(), "The " + std::string(c.szMember) + " method failed because the channel passed was invalid.");
    }
}

TEST_F(Automation, OutputFailsAtOnceWithoutAWindowAndWaitsForOne)
{
    EXPECT_EQ(Doc("TW_Print", {CVariant::I2(CHANNEL_A)}), CVariant::Bool(false));
    EXPECT_NE(LastBox().find("Failed to print the graph."), std::string::npos);
    EXPECT_EQ(Doc("TW_Export", {CVariant::I2(CHANNEL_B), CVariant::BStr(L"graph")}), CVariant::Bool(false));
    EXPECT_NE(LastBox().find("graph.emf\". Please check"), std::string::npos);
    EXPECT_EQ(CountPosted(APPMSG_PRINT_GRAPH) + CountPosted(APPMSG_EXPORT_GRAPH), 0);

    // A window answers on the next pass of the message loop.
    m_host.SetGraphWindowOpen(true);
    std::vector<std::wstring> aFiles;
    m_host.SetMessageHandler(APPMSG_EXPORT_GRAPH, [&](WPARAM wChannel, LPARAM lFile) {
        aFiles.push_back(lFile ? reinterpret_cast<const wchar_t*>(lFile) : L"<clipboard>");
        m_pDoc->GetOLEData().SetPrintExportStatus(static_cast<ChannelNumber>(wChannel),
                                                  lFile ? PRINTEXPORTSTATUS_OK : PRINTEXPORTSTATUS_FAILED);
    });
    m_host.SetOLEShowMessages(false);
    const int iBoxes = BoxCount();
    EXPECT_EQ(Doc("TW_Export", {CVariant::I2(CHANNEL_B), CVariant::BStr(L"/tmp/g.png")}), CVariant::Bool(true));
    EXPECT_EQ(Doc("TW_CopyToClipboard", {CVariant::I2(CHANNEL_A)}), CVariant::Bool(false));
    EXPECT_EQ(aFiles, (std::vector<std::wstring>{L"/tmp/g.png", L"<clipboard>"}));
    EXPECT_EQ(m_pDoc->GetOLEData().GetPrintExportStatus(CHANNEL_A), PRINTEXPORTSTATUS_NONE);
    EXPECT_EQ(BoxCount(), iBoxes); // messages off: the failure is only kept
    EXPECT_NE(m_pDoc->GetOLEData().GetLastFailure().ToUtf8().find("clipboard"), std::string::npos);
}

TEST_F(Automation, EventParametersAreTokensOfTraces)
{
    CQXTrace* pTrace = AddShownTrace();
    const std::int32_t iParam = m_host.Events().GetEventParam(Handle(pTrace));
    EXPECT_EQ(iParam, 1);
    EXPECT_EQ(m_host.Events().GetEventParam(Handle(pTrace)), 1); // the same handle keeps its token
    EXPECT_EQ(Doc("TW_SetCurrentTraceFromEventParam", {CVariant::I4(iParam + 1), CVariant::Bool(false)}),
              CVariant::Bool(false));
    EXPECT_EQ(Doc("TW_SetCurrentTraceFromEventParam", {CVariant::I4(iParam), CVariant::Bool(false)}),
              CVariant::Bool(true));
    EXPECT_EQ(Doc("TW_GetCurrentTrace"), CVariant::I2(pTrace->GetTraceID()));
}

TEST_F(Automation, LimitTableMembersBuildTheDocumentsTable)
{
    CLimitTable called;
    EXPECT_EQ(Call(called, "LMT_InitTable", {CVariant::BStr(L"mask")}), CVariant::Bool(true));
    CLimitTable* pTable = m_pDoc->GetOLEData().GetLimitTable();
    ASSERT_NE(pTable, nullptr);
    EXPECT_EQ(m_pDoc->GetOLEData().GetLimitTableFileName(), CString(L"mask"));
    for (double dX : {1000.0, 20.0, 20000.0})
        EXPECT_EQ(Call(called, "LMT_AddPoint", {CVariant::R8(dX), CVariant::R8(-3.0), CVariant::Bool(true)}),
                  CVariant::Bool(true));
    EXPECT_EQ(Call(called, "LMT_RemovePoint", {CVariant::R8(999.0)}), CVariant::Bool(false));
    EXPECT_EQ(Call(called, "LMT_RemovePoint", {CVariant::R8(1000.0)}), CVariant::Bool(true));
    ASSERT_EQ(pTable->GetNumPoints(), 2);
    EXPECT_EQ(pTable->GetPoints()[0].dX, 20.0);
    EXPECT_EQ(pTable->GetPoints()[1].dX, 20000.0);
    EXPECT_EQ(called.GetNumPoints(), 0); // the table under construction took them
}



// A fixed count spreads its ticks evenly once the scale recalculates; a count
// outside 1 to 50 fails with the axis's message and changes nothing.
TEST_F(Automation, IntervalCountsAreKeptPerAxis)
{
    CQXTrace* pTrace = AddShownTrace(TT_FFT, CHANNEL_A, 64);
    const auto Get = [&](const char* szName) {
        std::vector<CVariant> outs(2);
        EXPECT_EQ(pTrace->InvokeByName(szName, EInvokeKind::method, outs, nullptr), EDispResult::ok);
        return std::pair{outs[0].AsI2(), outs[1].AsBool()};
    };
    const auto Set = [&](const char* szName, int iIntervals) {
        return Call(*pTrace, szName, {CVariant::I2(static_cast<short>(iIntervals)), CVariant::Bool(false)});
    };
    EXPECT_EQ(Set("TRACE_SetXIntervals", 4), CVariant::Bool(true));
    EXPECT_EQ(Set("TRACE_SetYIntervals", 50), CVariant::Bool(true));
    EXPECT_EQ(Get("TRACE_GetXIntervals"), (std::pair<short, bool>{4, false}));
    EXPECT_EQ(Get("TRACE_GetYIntervals"), (std::pair<short, bool>{50, false}));
    pTrace->GetXScale()->CalcXTicks();
    const CTickArray& xTicks = pTrace->GetXScale()->GetTicks();
    ASSERT_EQ(xTicks.GetNumTicks(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(xTicks[i], i * 0.25) << i;

    const struct {
        const char* szSet;
        int iIntervals;
        const char* szMessage;
    } refused[] = {{"TRACE_SetXIntervals", 0, "number of X intervals"},
                   {"TRACE_SetYIntervals", 51, "number of Y intervals"},
                   {"TRACE_SetYIntervals", -2, "number of Y intervals"}};
    for (const auto& row : refused) {
        EXPECT_EQ(Set(row.szSet, row.iIntervals), CVariant::Bool(false)) << row.iIntervals;
        EXPECT_NE(m_pDoc->GetOLEData().GetLastFailure().ToUtf8().find(row.szMessage), std::string::npos);
    }
    EXPECT_EQ(Get("TRACE_GetYIntervals"), (std::pair<short, bool>{50, false}));
    EXPECT_EQ(Set("TRACE_SetYIntervals", -1), CVariant::Bool(true));
    EXPECT_EQ(Get("TRACE_GetYIntervals").first, -1);
}

} // namespace
