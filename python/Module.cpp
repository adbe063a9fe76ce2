// The extension module: `import tracewin` from the build's python folder.
// Where the Qt front end is built, exports take every format the window
// offers (pictures need a GUI application, made offscreen, and the Qt
// encoder); without it they are metafiles only.

#include "python/Bindings.h"

#ifdef TRACEWIN_PYTHON_PICTURES
#include "qt/QtHeadlessApplication.h"
#include "qt/QtPictureEncoder.h"
#endif

PYBIND11_MODULE(tracewin, m)
{
    m.doc() = "A headless trace window driven through its automation members.";
    DefineTracewinModule(m);
#ifdef TRACEWIN_PYTHON_PICTURES
    struct SPictures {
        CHeadlessGuiApplication app; // first: the encoder asks it for the screen
        CQtPictureEncoder encoder;
    };
    // Gone before the interpreter is: Qt's objects must not outlive the run.
    auto* pPictures = new SPictures;
    pybind11::module_::import("atexit").attr("register")(pybind11::cpp_function([pPictures] { delete pPictures; }));
#endif
}
