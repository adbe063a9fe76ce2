// The extension module: `import tracewin` from the build's python folder.

#include "python/Bindings.h"

PYBIND11_MODULE(tracewin, m)
{
    m.doc() = "A headless trace window driven through its automation members.";
    DefineTracewinModule(m);
}
