// The Python module `tracewin`. A Window is a headless graph window (host and
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
// RuntimeError with the failure text.

#include "host/app/HeadlessHost.h"
#include "platform/CmdTarget.h"
#include "platform/Dispatch.h"
#include "trace/document/GraphDoc.h"
#include "trace/document/GraphOLEData.h"
#include "trace/model/QXTrace.h"

#include <pybind11/pybind11.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace py = pybind11;

namespace {

class CWindow {
public:
    CWindow() : m_pDoc(std::make_unique<CGraphDoc>())
    {
        m_host.SetGraphDoc(m_pDoc.get());
        m_host.SetOLEShowMessages(false);
    }
    ~CWindow()
    {
        m_host.PumpMessages();
        m_pDoc.reset();
        m_host.SetGraphDoc(nullptr);
    }
    CGraphDoc& Doc() { return *m_pDoc; }

private:
    CHeadlessHost m_host;
    std::unique_ptr<CGraphDoc> m_pDoc;
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
    CDispatchObject(CCmdTarget* pTarget, CGraphDoc* pDoc, py::object owner)
        : m_pTarget(pTarget), m_pDoc(pDoc), m_owner(std::move(owner))
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
        for (const SDispEntry& e : m_pTarget->GetDispatchTable()->GetEntries()) names.append(e.szName);
        return names;
    }

private:
    const SDispEntry* Entry(const std::string& sName) const
    {
        const CDispatchTable* pTable = m_pTarget->GetDispatchTable();
        const SDispEntry* pEntry = pTable ? pTable->GetEntry(pTable->GetIDOfName(sName)) : nullptr;
        if (!pEntry) throw py::attribute_error("tracewin: no member " + sName);
        return pEntry;
    }

    CVariant Invoke(const std::string& sName, EInvokeKind eKind, std::vector<CVariant>& args)
    {
        m_pDoc->GetOLEData().SetLastFailure(CString());
        CVariant result;
        const EDispResult eResult = m_pTarget->InvokeByName(sName, eKind, args, &result);
        if (eResult != EDispResult::ok) throw py::type_error(sName + ": " + DescribeDispResult(eResult));
        const CString& sFailure = m_pDoc->GetOLEData().GetLastFailure();
        if (!sFailure.IsEmpty()) throw std::runtime_error(sFailure.ToUtf8());
        return result;
    }

    CCmdTarget* m_pTarget;
    CGraphDoc* m_pDoc;
    py::object m_owner;
};

} // namespace

PYBIND11_MODULE(tracewin, m)
{
    m.doc() = "A headless trace window driven through its automation members.";
    py::class_<CDispatchObject>(m, "Members")
        .def("__getattr__", &CDispatchObject::Get)
        .def("__setattr__", &CDispatchObject::Set)
        .def("members", &CDispatchObject::Names);
    py::class_<CWindow>(m, "Window")
        .def(py::init<>())
        .def("__getattr__",
             [](py::object self, const std::string& sName) {
                 CWindow& w = self.cast<CWindow&>();
                 return CDispatchObject(&w.Doc(), &w.Doc(), self).Get(sName);
             })
        .def("__setattr__",
             [](py::object self, const std::string& sName, const py::object& value) {
                 CWindow& w = self.cast<CWindow&>();
                 CDispatchObject(&w.Doc(), &w.Doc(), self).Set(sName, value);
             })
        .def("members",
             [](py::object self) {
                 CWindow& w = self.cast<CWindow&>();
                 return CDispatchObject(&w.Doc(), &w.Doc(), self).Names();
             })
        // The trace's members, with the trace made the automation trace.
        .def(
            "trace",
            [](py::object self, int iID) {
                CWindow& w = self.cast<CWindow&>();
                CQXTrace* pTrace = w.Doc().GetTraceFromID(static_cast<short>(iID));
                if (!pTrace) throw py::key_error("tracewin: no trace " + std::to_string(iID));
                w.Doc().SetAutomationTrace(pTrace);
                return CDispatchObject(pTrace, &w.Doc(), self);
            });
}
