#pragma once
// The GUI application the drawing benchmarks need for fonts, made once and
// offscreen unless a platform is chosen. It lives until the process ends and
// is never deleted: at exit Qt's own statics may already be gone.

#include <QGuiApplication>

// App: QApplication where widgets are drawn too (made before anything asks
// for the plain GUI application).
template <class App = QGuiApplication>
void EnsureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tracewin_bench";
    static char* argv[] = {name, nullptr};
    new App(argc, argv);
}
