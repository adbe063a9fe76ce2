#pragma once
// Reading enhanced metafiles in tests: the records of a file as the format
// lays them out (type, size, body), and the independent reader (libemf2svg)
// turning one into SVG. Without the reader the suites skip those checks:
//
//   std::string svg;
//   if (!EmfToSvgAvailable()) GTEST_SKIP() << kNoEmfReader;
//   ASSERT_TRUE(EmfToSvg(bytes, svg));

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#ifdef TRACEWIN_HAVE_EMF2SVG
#include <emf2svg.h>
#endif

struct SEmfRecord {
    std::uint32_t uType = 0;
    std::uint32_t uSize = 0;
    size_t uOffset = 0; // of the record in the file
};

inline std::uint32_t EmfU32(const std::vector<std::uint8_t>& a, size_t offset)
{
    if (offset + 4 > a.size()) return 0;
    std::uint32_t v = 0;
    std::memcpy(&v, a.data() + offset, 4);
    return v;
}
inline std::int32_t EmfI32(const std::vector<std::uint8_t>& a, size_t offset)
{
    return static_cast<std::int32_t>(EmfU32(a, offset));
}

// The records in order; stops at a size that is not a positive multiple of
// four or runs past the end (the list then ends early).
inline std::vector<SEmfRecord> EmfRecords(const std::vector<std::uint8_t>& a)
{
    std::vector<SEmfRecord> records;
    size_t offset = 0;
    while (offset + 8 <= a.size()) {
        const std::uint32_t uSize = EmfU32(a, offset + 4);
        if (uSize < 8 || uSize % 4 || offset + uSize > a.size()) break;
        records.push_back({EmfU32(a, offset), uSize, offset});
        offset += uSize;
    }
    return records;
}

inline const char* const kNoEmfReader = "libemf2svg is not installed (scripts/setup installs libemf2svg-dev)";

inline bool EmfToSvgAvailable()
{
#ifdef TRACEWIN_HAVE_EMF2SVG
    return true;
#else
    return false;
#endif
}

// The SVG the reader makes of the file; false when it reports an error.
inline bool EmfToSvg(const std::vector<std::uint8_t>& bytes, std::string& svg)
{
#ifdef TRACEWIN_HAVE_EMF2SVG
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = 0;
    options.imgHeight = 0;
    std::vector<char> contents(bytes.begin(), bytes.end());
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(contents.data(), contents.size(), &out, &length, &options);
    if (out) svg.assign(out, length);
    std::free(out);
    return ok != 0;
#else
    (void)bytes;
    (void)svg;
    return false;
#endif
}
