#pragma once
// What the fuzz targets and seed writers share: a headless host with a
// document, an input written to a file, and the seed folder argument.

#include "host/app/HeadlessHost.h"
#include "trace/document/GraphDoc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

struct SWorld {
    CHeadlessHost host;
    CGraphDoc doc;
    CString sPath;
    explicit SWorld(const wchar_t* szInput) : sPath(host.GetRoot() + L"/" + CString(szInput)) { host.SetGraphDoc(&doc); }
    ~SWorld() { host.PumpMessages(); }
};

// The world of this run, replaced now and then so that the host's
// recordings (hints, log) stay small. Never destroyed at exit: the host's
// teardown would run after the path resolver it restores has gone.
template <class World, class... Args> World& Recycled(Args... args)
{
    static World* world = nullptr;
    static unsigned runs = 0;
    if (!world || ++runs % 4096 == 0) {
        delete world;
        world = new World(args...);
    }
    return *world;
}

inline void WriteInput(const CString& sPath, const std::uint8_t* data, std::size_t size)
{
    std::FILE* pFile = std::fopen(sPath.ToUtf8().c_str(), "wb");
    if (!pFile) std::abort();
    const bool bOk = std::fwrite(data, 1, size, pFile) == size;
    if (std::fclose(pFile) != 0 || !bOk) std::abort();
}

// The seed folder named on the command line, made absolute (or the document
// would place the files in its traces folder); empty after a usage message.
inline std::string SeedFolder(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return {};
    }
    return std::filesystem::absolute(argv[1]).string();
}

inline int Report(int iWritten, const std::string& sFolder, bool bOk)
{
    std::printf("%d seed files written to %s\n", iWritten, sFolder.c_str());
    return bOk ? 0 : 1;
}

} // namespace fuzz
