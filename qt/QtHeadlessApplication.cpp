#include "qt/QtHeadlessApplication.h"

#include <QByteArray>
#include <QGuiApplication>

#include <filesystem>
#include <stdlib.h>
#include <string>

namespace {

// Without a desktop login there is no XDG_RUNTIME_DIR, and Qt warns about it
// on every run before making a folder of its own. This run gets what a login
// would give it: a private folder (mode 0700), removed when the run ends.
class CPrivateRuntimeDir {
public:
    CPrivateRuntimeDir()
    {
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
        std::error_code error;
        std::string sTemplate = (std::filesystem::temp_directory_path(error) / "tracewin-runtime-XXXXXX").string();
        if (error || !mkdtemp(sTemplate.data())) return;
        m_sPath = sTemplate;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(m_sPath));
    }
    ~CPrivateRuntimeDir()
    {
        if (m_sPath.empty()) return;
        qunsetenv("XDG_RUNTIME_DIR");
        std::error_code error;
        std::filesystem::remove_all(m_sPath, error);
    }
    CPrivateRuntimeDir(const CPrivateRuntimeDir&) = delete;
    CPrivateRuntimeDir& operator=(const CPrivateRuntimeDir&) = delete;

private:
    std::string m_sPath;
};

} // namespace

// Fonts need a GUI application; drawing into files needs no display.
struct CHeadlessGuiApplication::SImpl {
    CPrivateRuntimeDir runtimeDir;
    std::unique_ptr<QGuiApplication> pApp;
};

CHeadlessGuiApplication::CHeadlessGuiApplication() : m_pImpl(std::make_unique<SImpl>())
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char szName[] = "tracewin";
    static char* argv[] = {szName, nullptr};
    m_pImpl->pApp = std::make_unique<QGuiApplication>(argc, argv);
}

CHeadlessGuiApplication::~CHeadlessGuiApplication() = default;
