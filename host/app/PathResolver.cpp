#include "host/app/PathResolver.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const wchar_t* FolderOf(int subtype)
{
    switch (subtype) {
    case PATH_SUBTYPE_EXPORT_PICTURE:
    case PATH_SUBTYPE_EXPORT_EMF:
    case PATH_SUBTYPE_EXPORT: return L"Exports";
    case PATH_SUBTYPE_TRACES: return L"Traces";
    case PATH_SUBTYPE_LIMITS: return L"Limits";
    case PATH_SUBTYPE_FILTERS: return L"Filters";
    default: return L"";
    }
}

CString Join(const CString& dir, const CString& name)
{
    if (name.IsEmpty()) return dir;
    return CString((fs::path(dir.str()) / fs::path(name.str())).wstring());
}

CString DefaultRoot()
{
    std::error_code error;
    fs::path temp = fs::temp_directory_path(error);
    if (error) temp = fs::path(L".");
    return CString((temp / L"tracewin").wstring());
}

} // namespace

PrivatePathResolver::PrivatePathResolver() : m_sRoot(DefaultRoot()) {}

PrivatePathResolver* PrivatePathResolver::getInstance()
{
    // Never destroyed: hosts living in statics of their own (a fuzz target's)
    // restore the root while the program exits, after function statics are gone.
    static PrivatePathResolver* const pInstance = new PrivatePathResolver;
    return pInstance;
}

void PrivatePathResolver::setRoot(const CString& root)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sRoot = root.IsEmpty() ? DefaultRoot() : root;
}

CString PrivatePathResolver::getRoot() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sRoot;
}

CString PrivatePathResolver::getDefaultDir(int subtype) const
{
    return Join(getRoot(), CString(FolderOf(subtype)));
}

CString PrivatePathResolver::getDirPath(int subtype) const
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_mapDirs.find(subtype);
        if (it != m_mapDirs.end()) return it->second;
    }
    return getDefaultDir(subtype);
}

void PrivatePathResolver::setDirPath(int subtype, const CString& dir)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (dir.IsEmpty()) {
        m_mapDirs.erase(subtype);
    } else {
        m_mapDirs[subtype] = dir;
    }
}

CString PrivatePathResolver::getFilePath(const CString& path, int subtype) const
{
    if (!path.IsEmpty() && fs::path(path.str()).is_absolute()) return path;
    return Join(getDirPath(subtype), path);
}

void PrivatePathResolver::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mapDirs.clear();
}

CString ExtractFileNameFromPath(const CString& path, int bIncludeExtension)
{
    // Both separators: files written on Windows name their paths with '\'.
    std::wstring name = path.str();
    const size_t slash = name.find_last_of(L"/\\");
    if (slash != std::wstring::npos) name = name.substr(slash + 1);
    if (!bIncludeExtension) {
        const size_t dot = name.rfind(L'.');
        if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    }
    return CString(name);
}
