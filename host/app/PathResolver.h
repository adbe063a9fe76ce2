#pragma once
// Default folders per kind of file, under a root the host chooses, and the
// resolution of relative file names against them.

#include "platform/String.h"

#include <map>
#include <mutex>

// File subtypes the library asks for.
enum EPathSubtype : int {
    PATH_SUBTYPE_GENERAL = 0,
    PATH_SUBTYPE_EXPORT_PICTURE = 4,  // graph exported in a raster format
    PATH_SUBTYPE_EXPORT_EMF = 5,      // graph exported as an enhanced metafile
    PATH_SUBTYPE_EXPORT = 7,          // the export dialog's folder
    PATH_SUBTYPE_TRACES = 12,         // trace files and trace values
    PATH_SUBTYPE_LIMITS = 13,         // limit files
    PATH_SUBTYPE_FILTERS = 14,        // weighting-filter files
};

class PrivatePathResolver {
public:
    static PrivatePathResolver* getInstance();

    void setRoot(const CString& root);
    CString getRoot() const;

    // root/<folder of the subtype>: "Exports", "Traces", "Limits", "Filters"; the
    // root itself for other subtypes.
    CString getDefaultDir(int subtype) const;
    // The folder last set for the subtype, else its default.
    CString getDirPath(int subtype) const;
    // An empty folder restores the default.
    void setDirPath(int subtype, const CString& dir);
    // An absolute path is returned unchanged; a relative one is placed in the
    // subtype's folder; an empty one gives the folder itself.
    CString getFilePath(const CString& path, int subtype) const;
    // Forgets every folder set with setDirPath.
    void reset();

private:
    PrivatePathResolver();

    mutable std::mutex m_mutex;
    CString m_sRoot;
    std::map<int, CString> m_mapDirs;
};

// The file-name part of a path, with or without its extension.
CString ExtractFileNameFromPath(const CString& path, int bIncludeExtension);
