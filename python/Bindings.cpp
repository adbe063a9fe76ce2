// The Python module `tracewin`, shared by the extension module and the
// demo's embedded interpreter. A Window is a headless graph window (host and
// document); its attributes are the document's automation members, and
// Window.trace(id) gives the trace's members, all found by name in the
// dispatch tables, so the Python surface is the automation interface itself.
//
//   w = tracewin.Window()
//   tid = w.TW_CreateTrace(w.TW_CHA, 5, 0.0, 4.0, 0.0, 1.0)
//   t = w.trace(tid)
//   t.TRACE_Name = "ramp"
//   lo, hi = t.TRACE_GetXRange()          # VARIANT* outs come back as a tuple
//
// With messages off (the default here) a member's failure raises
// RuntimeError with the failure text. Window(live=True) is a new document
// with its live traces on the simulated analyser: w.measure(n) measures n
// blocks, and w.on_event(kind, id, f) calls f(kind, param) when the trace
// fires that script event (421/422: a lower/upper limit breached).

#include "apps/common/BuiltInDocument.h"
#include "apps/common/LiveSource.h"
#include "host/app/EventManager.h"
#include "host/app/HeadlessHost.h"
#include "platform/CmdTarget.h"
#include "platform/Dispatch.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/limits/LimitTable.h"
#include "trace/model/QXTrace.h"
#include "trace/output/HeadlessGraphWindow.h"

#include "python/Bindings.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace py = pybind11;

namespace {

class CWindow {
public:
    // A headless window of its own, optionally live on the simulated analyser.
    explicit CWindow(bool bLive) : m_pOwnHost(std::make_unique<CHeadlessHost>()), m_pOwnDoc(std::make_unique<CGraphDoc>())
    {
        m_pHost = m_pOwnHost.get();
        m_pDoc = m_pOwnDoc.get();
        m_pHost->SetGraphDoc(m_pDoc);
        m_pHost->SetOLEShowMessages(false);
        // TW_Print, TW_Export and TW_CopyToClipboard are answered by it.
        m_pGraphWindow = std::make_unique<CHeadlessGraphWindow>(*m_pHost, *m_pDoc);
        if (bLive) {
            if (!m_pDoc->Initialise() || !FillBuiltInSignals(*m_pDoc))
                throw std::runtime_error("tracewin: the live document could not be made");
            m_pLive = std::make_unique<CLiveSource>(*m_pHost, *m_pDoc);
            m_measure = [this](int iBlocks) {
                if (!m_pLive->RunBlocks(iBlocks)) return false;
                m_pHost->PumpMessages();
                return true;
            };
        }
        ListenToEvents();
    }
    // A window over a host and document that outlive it (an application's).
    CWindow(CHeadlessHost& host, CGraphDoc& doc, std::function<bool(int)> measure)
        : m_pHost(&host), m_pDoc(&doc), m_measure(std::move(measure))
    {
        ListenToEvents();
    }
    ~CWindow()
    {
        m_pHost->Events().SetFireHandler(nullptr);
        if (!m_pOwnHost) return;
        m_pLive.reset();
        m_pGraphWindow.reset();
        m_pHost->PumpMessages();
        m_pOwnDoc.reset();
        m_pHost->SetGraphDoc(nullptr);
    }
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    CGraphDoc& Doc() { return *m_pDoc; }

    void Measure(int iBlocks)
    {
        if (!m_measure) throw std::runtime_error("tracewin: measure() needs Window(live=True)");
        if (iBlocks < 1) throw py::value_error("tracewin: measure() takes a block count of at least 1");
        if (!m_measure(iBlocks)) throw std::runtime_error("tracewin: the simulated measurement failed");
    }

    // Registers the script event for the trace, as the host's script engine
    // does, and the callback it runs.
    void OnEvent(int iKind, int iTraceID, py::function callback)
    {
        CQXTrace* pTrace = m_pDoc->GetTraceFromID(static_cast<short>(iTraceID));
        if (!pTrace) throw py::key_error("tracewin: no trace " + std::to_string(iTraceID));
        const auto owner = reinterpret_cast<LPARAM>(pTrace);
        m_pHost->Events().AddEvent(iKind, CString(L"python"), owner, 1, 0, 0, 1, 0, -1, 0);
        m_callbacks[{iKind, owner}] = std::move(callback);
    }

private:
    void ListenToEvents()
    {
        m_pHost->Events().SetFireHandler([this](const SFiredEvent& fired) { OnFired(fired); });
    }

    void OnFired(const SFiredEvent& fired)
    {
        const auto it = m_callbacks.find({fired.iKind, fired.lParam});
        if (it == m_callbacks.end() || !m_pHost->Events().EventExists(fired.iKind, fired.lParam)) return;
        // Events of a live application come from its event loop, after the script returned.
        py::gil_scoped_acquire gil;
        // A script receives the 32-bit token TW_SetCurrentTraceFromEventParam takes back.
        it->second(fired.iKind, m_pHost->Events().GetEventParam(fired.lParam));
    }

    std::unique_ptr<CHeadlessHost> m_pOwnHost;
    std::unique_ptr<CGraphDoc> m_pOwnDoc;
    CHeadlessHost* m_pHost = nullptr;
    CGraphDoc* m_pDoc = nullptr;
    std::unique_ptr<CLiveSource> m_pLive;
    std::function<bool(int)> m_measure;
    // Only a window of its own: an application answers with its own window.
    std::unique_ptr<CHeadlessGraphWindow> m_pGraphWindow;
    std::map<std::pair<int, LPARAM>, py::function> m_callbacks;
};

CVariant ToVariant(const py::handle& value)
{
    if (value.is_none()) return CVariant();
    if (py::isinstance<py::bool_>(value)) return CVariant::Bool(value.cast<bool>());
    if (py::isinstance<py::int_>(value)) {
        const long long l = value.cast<long long>();
        if (l < INT32_MIN || l > INT32_MAX) return CVariant::R8(static_cast<double>(l)); // the table refuses it
        return CVariant::I4(static_cast<std::int32_t>(l));
    }
    if (py::isinstance<py::float_>(value)) return CVariant::R8(value.cast<double>());
    if (py::isinstance<py::str>(value)) return CVariant::BStr(CString(value.cast<std::string>()));
    throw py::type_error("tracewin: a value must be None, bool, int, float or str");
}

py::object FromVariant(const CVariant& v)
{
    switch (v.GetType()) {
    case VT_I2:
    case VT_I4: return py::int_(v.AsI4());
    case VT_R8: return py::float_(v.AsR8());
    case VT_BOOL: return py::bool_(v.AsBool());
    case VT_BSTR: return py::str(v.AsBStr().ToUtf8());
    default: return py::none();
    }
}

// One object's members, reached by name.
class CDispatchObject {
public:
    // owner is the Python window: members and methods taken from it keep it,
    // and so its document, alive however long the script holds them.
    // find answers the object now, or null once it is gone (a deleted
    // trace), so that a stale handle raises instead of reaching freed memory.
    using Finder = std::function<CCmdTarget*()>;
    CDispatchObject(Finder find, std::string sGone, CGraphDoc* pDoc, py::object owner)
        : m_find(std::move(find)), m_sGone(std::move(sGone)), m_pDoc(pDoc), m_owner(std::move(owner))
    {
    }

    py::object Get(const std::string& sName)
    {
        const SDispEntry* pEntry = Entry(sName);
        if (pEntry->eKind == EDispKind::method) {
            // A copy: the object asked may be a temporary.
            CDispatchObject self = *this;
            return py::cpp_function([self, sName](py::args args) mutable { return self.Call(sName, args); });
        }
        std::vector<CVariant> none;
        return FromVariant(Invoke(sName, EInvokeKind::propertyGet, none));
    }

    void Set(const std::string& sName, const py::object& value)
    {
        std::vector<CVariant> args{ToVariant(value)};
        Invoke(sName, EInvokeKind::propertyPut, args);
    }

    // Inputs in order; VARIANT* parameters are left out and come back after the result.
    py::object Call(const std::string& sName, const py::args& args)
    {
        const SDispEntry* pEntry = Entry(sName);
        std::vector<CVariant> aArgs;
        size_t iNext = 0;
        for (const SDispParam& p : pEntry->aParams) {
            if (p.vt == VT_BYREF_VARIANT) {
                aArgs.emplace_back();
            } else {
                if (iNext >= args.size()) throw py::type_error(sName + ": missing argument " + p.szName);
                aArgs.push_back(ToVariant(args[iNext++]));
            }
        }
        if (iNext != args.size()) throw py::type_error(sName + ": too many arguments");
        const CVariant result = Invoke(sName, EInvokeKind::method, aArgs);
        py::list outs;
        for (size_t i = 0; i < aArgs.size(); ++i)
            if (pEntry->aParams[i].vt == VT_BYREF_VARIANT) outs.append(FromVariant(aArgs[i]));
        if (outs.empty()) return FromVariant(result);
        if (!result.IsEmpty()) outs.insert(0, FromVariant(result));
        return py::tuple(outs);
    }

    py::list Names() const
    {
        py::list names;
        for (const SDispEntry& e : Target()->GetDispatchTable()->GetEntries()) names.append(e.szName);
        return names;
    }

private:
    CCmdTarget* Target() const
    {
        CCmdTarget* pTarget = m_find();
        if (!pTarget) throw py::key_error("tracewin: " + m_sGone);
        return pTarget;
    }

    const SDispEntry* Entry(const std::string& sName) const
    {
        const CDispatchTable* pTable = Target()->GetDispatchTable();
        const SDispEntry* pEntry = pTable ? pTable->GetEntry(pTable->GetIDOfName(sName)) : nullptr;
        if (!pEntry) throw py::attribute_error("tracewin: no member " + sName);
        return pEntry;
    }

    CVariant Invoke(const std::string& sName, EInvokeKind eKind, std::vector<CVariant>& args)
    {
        m_pDoc->GetOLEData().SetLastFailure(CString());
        CVariant result;
        const EDispResult eResult = Target()->InvokeByName(sName, eKind, args, &result);
        if (eResult != EDispResult::ok) throw py::type_error(sName + ": " + DescribeDispResult(eResult));
        const CString& sFailure = m_pDoc->GetOLEData().GetLastFailure();
        if (!sFailure.IsEmpty()) throw std::runtime_error(sFailure.ToUtf8());
        return result;
    }

    Finder m_find;
    std::string m_sGone; // why a call finds nothing
    CGraphDoc* m_pDoc;
    py::object m_owner;
};

} // namespace

py::object MakeBorrowedWindow(CHeadlessHost& host, CGraphDoc& doc, std::function<bool(int)> measure)
{
    return py::cast(std::make_unique<CWindow>(host, doc, std::move(measure)));
}

void DefineTracewinModule(py::module_& m)
{
    py::class_<CDispatchObject>(m, "Members")
        .def("__getattr__", &CDispatchObject::Get)
        .def("__setattr__", &CDispatchObject::Set)
        .def("members", &CDispatchObject::Names);
    const auto Members = [](py::object self) {
        CGraphDoc* pDoc = &self.cast<CWindow&>().Doc();
        return CDispatchObject([pDoc] { return pDoc; }, "the window is closed", pDoc, self);
    };
    py::class_<CWindow>(m, "Window")
        .def(py::init<bool>(), py::arg("live") = false)
        .def("__getattr__", [Members](py::object self, const std::string& sName) { return Members(self).Get(sName); })
        .def("__setattr__", [Members](py::object self, const std::string& sName,
                                      const py::object& value) { Members(self).Set(sName, value); })
        .def("members", [Members](py::object self) { return Members(self).Names(); })
        // The trace's members, with the trace made the automation trace.
        .def(
            "trace",
            [](py::object self, int iID) {
                CGraphDoc* pDoc = &self.cast<CWindow&>().Doc();
                const auto id = static_cast<short>(iID);
                CQXTrace* pTrace = pDoc->GetTraceFromID(id);
                if (!pTrace) throw py::key_error("tracewin: no trace " + std::to_string(iID));
                pDoc->SetAutomationTrace(pTrace);
                // Each trace object acts on its own trace: using it makes that
                // trace the automation trace again.
                const auto find = [pDoc, id]() -> CCmdTarget* {
                    CQXTrace* p = pDoc->GetTraceFromID(id);
                    if (p) pDoc->SetAutomationTrace(p);
                    return p;
                };
                return CDispatchObject(find,
                                       "trace " + std::to_string(iID) + " is gone", pDoc, self);
            })
        // The LMT_ members of the table LMT_InitTable started.
        .def("limit_table",
             [](py::object self) {
                 CGraphDoc* pDoc = &self.cast<CWindow&>().Doc();
                 return CDispatchObject([pDoc]() -> CCmdTarget* { return pDoc->GetOLEData().GetLimitTable(); },
                                        "no limit table (LMT_InitTable starts one)", pDoc, self);
             })
        .def("measure", &CWindow::Measure, py::arg("blocks") = 1)
        .def("on_event", &CWindow::OnEvent, py::arg("kind"), py::arg("trace_id"), py::arg("callback"));
    m.attr("EVENT_MIN_LIMIT_BREACHED") = EVENT_MIN_LIMIT_BREACHED;
    m.attr("EVENT_MAX_LIMIT_BREACHED") = EVENT_MAX_LIMIT_BREACHED;
}
