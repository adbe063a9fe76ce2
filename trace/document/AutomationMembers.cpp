// The member list of docs/automation.md, written from the dispatch tables
// so that the page cannot drift from them.

#include "platform/CmdTarget.h"
#include "platform/Dispatch.h"
#include "resources/StringTable.h"
#include "trace/document/GraphOLEData.h"

namespace {

const char* KindName(EDispKind eKind)
{
    switch (eKind) {
    case EDispKind::method: return "method";
    case EDispKind::property: return "property";
    case EDispKind::readOnly: return "read-only";
    }
    return "?";
}

// One table cell: line breaks become spaces and bars are escaped.
std::string Cell(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n') {
            if (out.empty() || out.back() != ' ') out += ' ';
        } else if (s[i] == '|') {
            out += "\\|";
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string Describe(const CDispatchTable& table)
{
    std::string s = "| ID | Member | Kind | Parameters | Result | Behaviour | Failure |\n|---|---|---|---|---|---|---|\n";
    int iId = 0;
    for (const SDispEntry& e : table.GetEntries()) {
        std::string sParams;
        for (const SDispParam& p : e.aParams)
            sParams += (sParams.empty() ? "" : ", ") + std::string(VarTypeName(p.vt)) + " " + p.szName;
        std::string sBehaviour = CString(e.szBehaviour).ToUtf8();
        // A constant's handler reads no object: show its value.
        if (sBehaviour.rfind("constant ", 0) == 0) {
            CCmdTarget none;
            std::vector<CVariant> aNone;
            sBehaviour += " = " + e.pfnGet(none, aNone).AsBStr().ToUtf8();
        }
        const std::string sFailure =
            e.iFailureId ? std::to_string(e.iFailureId) + " \"" + LoadResString(e.iFailureId).ToUtf8() + "\"" : "";
        s += "| " + std::to_string(++iId) + " | `" + e.szName + "` | " + KindName(e.eKind) + " | " +
             (sParams.empty() ? "none" : sParams) + " | " + VarTypeName(e.vtResult) + " | " +
             Cell(sBehaviour) + " | " + Cell(sFailure) + " |\n";
    }
    return s;
}

} // namespace

std::string DescribeAutomationMembers()
{
    return "### Document members (`TW_`, constants)\n\n" + Describe(GetGraphDocDispatchTable()) +
           "\n### Trace members (`TRACE_`)\n\n" + Describe(GetTraceDispatchTable()) +
           "\n### Limit-table members (`LMT_`)\n\n" + Describe(GetLimitTableDispatchTable());
}
