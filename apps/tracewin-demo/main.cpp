// tracewin-demo: the first window. One graph view per channel (A above B)
// shows the built-in document: the initial traces with the simulated
// spectrum and scope waveform of each channel.
//
//   tracewin-demo [--screenshot FILE]
//
// With --screenshot the window is drawn once, saved to FILE and closed.

#include "apps/common/BuiltInDocument.h"
#include "qt/GraphViewWidget.h"

#include <QApplication>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

namespace {

QWidget* MakeViews(QWidget* parent)
{
    auto* pCentral = new QWidget(parent);
    auto* pLayout = new QVBoxLayout(pCentral);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(2);
    for (ChannelNumber eChannel : {CHANNEL_A, CHANNEL_B}) pLayout->addWidget(new CGraphViewWidget(eChannel, pCentral));
    return pCentral;
}

} // namespace

int main(int argc, char** argv)
{
    const char* szScreenshot = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--screenshot") && i + 1 < argc) {
            szScreenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: tracewin-demo [--screenshot FILE]\n");
            return 2;
        }
    }

    QApplication app(argc, argv);
    CBuiltInDocument built;
    if (!built.IsValid()) {
        std::fprintf(stderr, "tracewin-demo: the built-in document could not be made\n");
        return 1;
    }

    QMainWindow window;
    window.setWindowTitle("tracewin demo - channels A and B");
    window.setCentralWidget(MakeViews(&window));
    window.resize(1100, 820);
    window.show();

    int iExit = 0;
    if (szScreenshot) {
        // Once the window has been laid out and painted.
        QTimer::singleShot(200, &window, [&]() {
            if (!window.grab().save(QString::fromLocal8Bit(szScreenshot))) {
                std::fprintf(stderr, "tracewin-demo: cannot write '%s'\n", szScreenshot);
                iExit = 1;
            } else {
                std::printf("%s\n", szScreenshot);
            }
            app.quit();
        });
    }
    const int iLoop = app.exec();
    return iExit ? iExit : iLoop;
}
