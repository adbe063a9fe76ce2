// One GUI application for the whole run (fonts need one); no display needed.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <memory>

namespace {

class CRenderQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_render";
        static char* argv[] = {name, nullptr};
        m_pApp = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { m_pApp.reset(); }

private:
    std::unique_ptr<QGuiApplication> m_pApp;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new CRenderQtEnvironment);

} // namespace
