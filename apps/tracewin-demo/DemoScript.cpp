#include "apps/tracewin-demo/DemoScript.h"

#include "host/app/AppServices.h"
#include "host/app/FileDialog.h"
#include "host/app/PathResolver.h"

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
    explicit SImpl(CHeadlessHost& h) : host(h) {}
    CHeadlessHost& host;
    py::scoped_interpreter interpreter;
    py::object window;
};

namespace {

// Messages off while a script runs, as they were afterwards.
class CScriptMessagesOff {
public:
    explicit CScriptMessagesOff(CHeadlessHost& host) : m_host(host), m_bWas(host.GetOLEShowMessages())
    {
        host.SetOLEShowMessages(false);
    }
    ~CScriptMessagesOff() { m_host.SetOLEShowMessages(m_bWas); }
    CScriptMessagesOff(const CScriptMessagesOff&) = delete;
    CScriptMessagesOff& operator=(const CScriptMessagesOff&) = delete;

private:
    CHeadlessHost& m_host;
    bool m_bWas;
};

} // namespace

CDemoScript::CDemoScript(CHeadlessHost& host, CGraphDoc& doc, std::function<bool(int)> waitForBlocks)
    : m_pImpl(std::make_unique<SImpl>(host))
{
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

int CDemoScript::Run(const std::string& sPath, const std::vector<std::string>& asArgs, std::string* psError)
{
    // A script sees failures as exceptions, not as message boxes it cannot answer.
    CScriptMessagesOff messagesOff(m_pImpl->host);
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
            const std::string sCode = py::str(code).cast<std::string>();
            std::fprintf(stderr, "%s\n", sCode.c_str());
            if (psError) *psError = sCode;
            return 1;
        }
        if (psError) *psError = e.what();
        e.restore();
        PyErr_Print();
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        if (psError) *psError = e.what();
        return 1;
    }
}

#endif

bool CDemoScript::RunChosenFile()
{
    CMyFileDialog* pDialog = CMyFileDialog::createOpenDialog(L"py", CString(), L"Python scripts (*.py)|*.py|All files (*.*)|*.*||",
                                                             PATH_SUBTYPE_GENERAL);
    const CString sPath = pDialog->DoModal() == IDOK ? pDialog->GetPathName() : CString();
    CMyFileDialog::deleteFunc(pDialog);
    if (sPath.IsEmpty()) return false;
    std::string sError;
    const int iStatus = Run(sPath.ToUtf8(), {}, &sError);
    if (iStatus == 0) return true;
    if (sError.empty()) sError = "It ended with status " + std::to_string(iStatus) + ".";
    AfxMessageBox(L"The script " + sPath + L" failed.\n\n" + CString(sError), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

#ifndef TRACEWIN_HAVE_PYTHON

struct CDemoScript::SImpl {};

CDemoScript::CDemoScript(CHeadlessHost&, CGraphDoc&, std::function<bool(int)>) {}
CDemoScript::~CDemoScript() = default;
bool CDemoScript::IsAvailable() { return false; }
int CDemoScript::Run(const std::string&, const std::vector<std::string>&, std::string* psError)
{
    if (psError) *psError = "this build has no Python";
    return 1;
}

#endif
