// The trace window keeps its bars' and docks' states between runs, in the
// registry its INI file holds.

#include "qt/TraceWindow.h"
#include "support/HostDocFixture.h"

#include <QDockWidget>
#include <QTemporaryDir>
#include <QToolBar>

using TraceWindowState = HostDocFixture;

TEST_F(TraceWindowState, HiddenBarsStayHiddenInTheNextRun)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    const auto hidden = [](CTraceWindow& window) {
        return std::make_pair(window.findChild<QDockWidget*>("legend")->isHidden(),
                              window.findChild<QToolBar*>("cursorBar")->isHidden());
    };
    {
        CTraceWindow window(m_host, *m_pDoc);
        EXPECT_EQ(hidden(window), std::make_pair(false, false));
        window.findChild<QDockWidget*>("legend")->hide();
        window.findChild<QToolBar*>("cursorBar")->hide();
    }
    // A new host: only the INI file carries the state over.
    CHeadlessHost next;
    next.SetGraphDoc(m_pDoc.get());
    {
        CTraceWindow window(next, *m_pDoc);
        EXPECT_EQ(hidden(window), std::make_pair(true, true));
    }
    next.SetGraphDoc(nullptr);
    qunsetenv("XDG_CONFIG_HOME");
}
