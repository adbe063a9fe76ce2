// Archive byte layouts: numbers, the string length forms, counts, truncation, misuse and files.

#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

template <class T>
Bytes Written(const T& value)
{
    CArchive ar(CArchive::store);
    ar << value;
    return ar.GetBytes();
}

CString Loaded(const Bytes& bytes)
{
    CArchive ar(CArchive::load, bytes);
    CString s;
    ar >> s;
    EXPECT_EQ(ar.GetRemaining(), 0u);
    return s;
}

CString Letters(int length)
{
    std::wstring s(static_cast<size_t>(length), L'a');
    for (int i = 0; i < length; ++i) s[static_cast<size_t>(i)] = static_cast<wchar_t>(L'a' + i % 26);
    return CString(s);
}

void ReadString(CArchive& ar)
{
    CString s;
    ar >> s;
}

template <class Read>
int CauseOfRead(const Bytes& bytes, Read read)
{
    CArchive ar(CArchive::load, bytes);
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

// Reading from any cut of `full` (every one, unless some are named) ends in endOfFile.
template <class Read>
void ExpectCutsThrow(const Bytes& full, Read read, std::vector<size_t> cuts = {})
{
    if (cuts.empty())
        for (size_t cut = 0; cut < full.size(); ++cut) cuts.push_back(cut);
    for (size_t cut : cuts)
        EXPECT_EQ(CauseOfRead(Bytes(full.begin(), full.begin() + static_cast<long>(cut)), read),
                  CArchiveException::endOfFile)
            << "cut " << cut << " of " << full.size();
}

} // namespace

TEST(ArchiveNumbers, LittleEndianByteDumpAndRoundTrip)
{
    const auto values = std::make_tuple(true, 'g', std::uint8_t{0xAB}, std::int16_t{-2}, std::uint16_t{0x1234},
                                        std::int32_t{0x01020304}, std::uint32_t{0xA0B0C0D0}, std::int64_t{-2},
                                        std::uint64_t{0x0102030405060708}, 1.0f, -2.5, L'\u00e9');
    CArchive out(CArchive::store);
    std::apply([&](const auto&... v) { (out << ... << v); }, values);
    const Bytes expected = {0x01, 0x67, 0xAB, 0xFE, 0xFF, 0x34, 0x12, 0x04, 0x03, 0x02, 0x01, 0xD0, 0xC0, 0xB0,
                            0xA0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04,
                            0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04,
                            0xC0, 0xE9, 0x00};
    EXPECT_EQ(out.GetBytes(), expected);

    CArchive in(CArchive::load, expected);
    std::remove_const_t<decltype(values)> read{}; // every field starts other than its value
    std::apply([&](auto&... v) { (in >> ... >> v); }, read);
    EXPECT_EQ(read, values);
    EXPECT_EQ(in.GetRemaining(), 0u);
}

TEST(ArchiveNumbers, EachIntegerTypeWritesItsOwnWidth)
{
    enum E { e5 = 5 };
    for (const auto& [bytes, size] : {std::pair{Written(5), 4u}, {Written(5ULL), 8u}, {Written(static_cast<short>(5)), 2u},
                                      {Written(static_cast<signed char>(5)), 1u}, {Written(e5), 4u}})
        EXPECT_EQ(bytes, [&] { Bytes b(size, 0); b[0] = 5; return b; }());
}

TEST(ArchiveStrings, EncodesEveryLengthFormByteExactly)
{
    const struct { int length; Bytes prefix; } rows[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {256, {0xFF, 0x00, 0x01}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& row : rows) {
        const CString text = Letters(row.length);
        const Bytes bytes = Written(text);
        ASSERT_EQ(bytes.size(), 3 + row.prefix.size() + 2 * static_cast<size_t>(row.length)) << row.length;
        Bytes head = {0xFF, 0xFE, 0xFF}; // the wide-string marker, then the length
        head.insert(head.end(), row.prefix.begin(), row.prefix.end());
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(head.size())), head) << row.length;
        EXPECT_EQ(Loaded(bytes), text) << row.length;
    }
    // UTF-16 little endian, characters beyond the BMP as surrogate pairs.
    const CString text(L"x\U0001F600");
    EXPECT_EQ(Written(text), (Bytes{0xFF, 0xFE, 0xFF, 0x03, 'x', 0x00, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(Loaded(Written(text)), text);
}

TEST(ArchiveStrings, NarrowStringsWithoutMarkerAreLatin1)
{
    EXPECT_EQ(Loaded({0x03, 'a', 0xE9, 'c'}), CString(L"a\u00e9c"));
    EXPECT_EQ(Loaded({0x00}), CString());
    Bytes longForm = {0xFF, 0x2C, 0x01};
    longForm.insert(longForm.end(), 300, 'z');
    EXPECT_EQ(Loaded(longForm), CString(std::wstring(300, L'z')));
}

TEST(ArchiveCounts, WordFormEscapesToDwordAndQword)
{
    const struct { std::uint64_t count; Bytes bytes; } rows[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
        {0x100000000, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}},
    };
    for (const auto& row : rows) {
        CArchive out(CArchive::store);
        out.WriteCount(row.count);
        EXPECT_EQ(out.GetBytes(), row.bytes) << row.count;
        CArchive in(CArchive::load, row.bytes);
        EXPECT_EQ(in.ReadCount(), row.count);
    }
}

TEST(ArchiveTruncation, EveryCutThrowsEndOfFile)
{
    for (int length : {0, 5, 300}) ExpectCutsThrow(Written(Letters(length)), ReadString);
    // The long form: every cut inside the prefix, and one in the text.
    ExpectCutsThrow(Written(Letters(70000)), ReadString, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 1000});
    ExpectCutsThrow({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, [](CArchive& ar) { ar.ReadCount(); });

    CArchive out(CArchive::store);
    out << std::int32_t{-7} << 3.25 << CString(L"Trace A") << std::uint16_t{9};
    out.WriteCount(3);
    out << true;
    std::tuple<std::int32_t, double, CString, std::uint16_t, std::uint64_t, bool> read{};
    auto readAll = [&read](CArchive& ar) {
        auto& [i, d, s, w, n, b] = read;
        ar >> i >> d >> s >> w;
        n = ar.ReadCount();
        ar >> b;
    };
    EXPECT_EQ(CauseOfRead(out.GetBytes(), readAll), CArchiveException::none);
    EXPECT_EQ(read, std::make_tuple(std::int32_t{-7}, 3.25, CString(L"Trace A"), std::uint16_t{9}, std::uint64_t{3}, true));
    ExpectCutsThrow(out.GetBytes(), readAll);
}

TEST(ArchiveTruncation, CorruptHugeLengthsFailBeforeAllocating)
{
    const Bytes rows[] = {
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, // cut QWORD
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 0, 'b', 0},
        {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'n', 'a', 'r', 'r', 'o', 'w'},
        {0xFF, 0xFE, 0xFF, 0x05, 'a', 0, 'b', 0, 'c'},
    };
    // Once the length is whole, the length check refuses it (a wide length
    // counts code units of two bytes), not a later read.
    for (const Bytes& bytes : rows) {
        CArchive ar(CArchive::load, bytes);
        try {
            ReadString(ar);
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetCause(), CArchiveException::endOfFile);
            if (&bytes != &rows[0]) {
                EXPECT_STREQ(e.what(), "string length exceeds the archive") << bytes.size();
            }
        }
    }
}

TEST(ArchiveModes, RawReadsAndMisuse)
{
    CArchive in(CArchive::load, {1, 2, 3, 4, 5});
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, 3), 3u);
    EXPECT_EQ(in.Read(buffer, 8), 2u); // exactly what remains
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(in.Read(buffer, 8), 0u);
    EXPECT_EQ(CauseOfRead({}, [](CArchive& ar) { ar << 1; }), CArchiveException::readOnly);
    CArchive out(CArchive::store);
    EXPECT_THROW(out.Read(buffer, 1), CArchiveException);
}

TEST(ArchiveFile, RoundTripThroughATemporaryFile)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("tracewin_archive_" + std::to_string(std::random_device()()) + ".bin");
    const CString name(path.string());
    {
        auto out = CArchive::OpenFile(name, CArchive::store);
        ASSERT_TRUE(out);
        *out << std::uint32_t{0x3A0B0C0D} << CString(L"µV trace") << 1e-3;
        EXPECT_TRUE(out->Close() && out->Close());
    }
    EXPECT_EQ(std::filesystem::file_size(path), 32u);

    auto in = CArchive::OpenFile(name, CArchive::load);
    ASSERT_TRUE(in);
    std::tuple<std::uint32_t, CString, double> read{};
    *in >> std::get<0>(read) >> std::get<1>(read) >> std::get<2>(read);
    EXPECT_EQ(read, std::make_tuple(std::uint32_t{0x3A0B0C0D}, CString(L"µV trace"), 1e-3));
    std::filesystem::remove(path);

    EXPECT_FALSE(CArchive::OpenFile(name, CArchive::load));
    EXPECT_FALSE(CArchive::OpenFile(CString(L"/nonexistent-dir/x/y.trc"), CArchive::store));
}

// Only regular files open for loading, and they are streamed: a 2 GiB file
// (sparse, so it costs no disk) opens at once and reading its first word
// reads only that; a cut inside a string still throws.
TEST(ArchiveFile, LoadingOpensRegularFilesOnlyAndStreamsThem)
{
    const auto dir = std::filesystem::temp_directory_path() / ("tracewin_stream_" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir);
    const struct { std::filesystem::path path; EInputFileProblem eProblem; } refused[] = {
        {dir / "missing.trc", EInputFileProblem::missing},
        {dir / "missing-folder" / "x.trc", EInputFileProblem::missing},
        {dir, EInputFileProblem::notRegular},
        {"/dev/zero", EInputFileProblem::notRegular},
    };
    for (const auto& c : refused) {
        EInputFileProblem eProblem = EInputFileProblem::none;
        EXPECT_FALSE(CArchive::OpenFile(CString(c.path.string()), CArchive::load, &eProblem)) << c.path;
        EXPECT_EQ(eProblem, c.eProblem) << c.path;
    }

    const auto huge = dir / "zeros.bin";
    { std::ofstream create(huge); }
    std::filesystem::resize_file(huge, std::uint64_t{2} << 30);
    auto in = CArchive::OpenFile(CString(huge.string()), CArchive::load);
    ASSERT_TRUE(in);
    std::uint32_t magic = 1;
    *in >> magic;
    EXPECT_EQ(magic, 0u);
    EXPECT_EQ(in->GetPosition(), 4u);
    EXPECT_EQ(in->GetRemaining(), (std::uint64_t{2} << 30) - 4);
    in.reset();

    const auto cut = dir / "cut.bin";
    {
        std::ofstream out(cut, std::ios::binary);
        out.write("\x05" "abc", 4); // a narrow string of 5 characters holding 3
    }
    in = CArchive::OpenFile(CString(cut.string()), CArchive::load);
    ASSERT_TRUE(in);
    CString text;
    EXPECT_THROW(*in >> text, CArchiveException);
    in.reset();
    std::filesystem::remove_all(dir);
}
