#include "apps/tracewin-demo/DemoScript.h"

#ifdef TRACEWIN_HAVE_PYTHON

#include "host/app/HeadlessHost.h"
#include "python/Bindings.h"

#include <pybind11/embed.h>

#include <cstdio>
#include <stdexcept>

namespace py = pybind11;

namespace {
// The window the embedded module hands out; set while a runner lives.
py::object* g_pWindow = nullptr;
} // namespace

PYBIND11_EMBEDDED_MODULE(tracewin, m)
{
    m.doc() = "The demo's live trace window driven through its automation members.";
    DefineTracewinModule(m);
    m.def("window", [] {
        if (!g_pWindow) throw std::runtime_error("tracewin: no live window");
        return *g_pWindow;
    });
}

struct CDemoScript::SImpl {
    py::scoped_interpreter interpreter;
    py::object window;
};

CDemoScript::CDemoScript(CHeadlessHost& host, CGraphDoc& doc, std::function<bool(int)> waitForBlocks)
    : m_pImpl(std::make_unique<SImpl>())
{
    // A script sees failures as exceptions, not as message boxes it cannot answer.
    host.SetOLEShowMessages(false);
    py::module_::import("tracewin");
    m_pImpl->window = MakeBorrowedWindow(host, doc, std::move(waitForBlocks));
    g_pWindow = &m_pImpl->window;
}

// The window and its callbacks go before the interpreter does.
CDemoScript::~CDemoScript()
{
    g_pWindow = nullptr;
    m_pImpl->window = py::object();
}

bool CDemoScript::IsAvailable() { return true; }

int CDemoScript::Run(const std::string& sPath, const std::vector<std::string>& asArgs)
{
    try {
        py::list argv;
        argv.append(sPath);
        for (const std::string& sArg : asArgs) argv.append(sArg);
        py::module_::import("sys").attr("argv") = argv;
        py::dict globals = py::module_::import("__main__").attr("__dict__");
        globals["__file__"] = sPath;
        py::eval_file(sPath, globals);
        return 0;
    } catch (py::error_already_set& e) {
        if (e.matches(PyExc_SystemExit)) {
            const py::object code = e.value().attr("code");
            if (code.is_none()) return 0;
            if (py::isinstance<py::int_>(code)) return code.cast<int>();
            std::fprintf(stderr, "%s\n", py::str(code).cast<std::string>().c_str());
            return 1;
        }
        e.restore();
        PyErr_Print();
        return 1;
    }
}

#else

struct CDemoScript::SImpl {};

CDemoScript::CDemoScript(CHeadlessHost&, CGraphDoc&, std::function<bool(int)>) {}
CDemoScript::~CDemoScript() = default;
bool CDemoScript::IsAvailable() { return false; }
int CDemoScript::Run(const std::string&, const std::vector<std::string>&) { return 1; }

#endif
