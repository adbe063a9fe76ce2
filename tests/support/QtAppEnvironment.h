#pragma once
// One Qt application for a whole test program (fonts and widgets need one),
// without a display: ctest sets the platform, this covers running by hand.
// Include from one source file of a suite that links Qt.

#include <QByteArray>
#include <gtest/gtest.h>

#include <memory>

template <class App> class CQtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tracewin-test";
        static char* argv[] = {name, nullptr};
        m_pApp = std::make_unique<App>(argc, argv);
    }
    void TearDown() override { m_pApp.reset(); }

private:
    std::unique_ptr<App> m_pApp;
};
