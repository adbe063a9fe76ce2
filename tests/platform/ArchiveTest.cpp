#include "platform/Archive.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Stored(const CString& s)
{
    CArchive ar(CArchive::store);
    ar << s;
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

} // namespace

TEST(ArchiveNumbers, LittleEndianByteDumpAndRoundTrip)
{
    CArchive out(CArchive::store);
    out << true << 'g' << std::uint8_t{0xAB} << std::int16_t{-2} << std::uint16_t{0x1234} << std::int32_t{0x01020304}
        << std::uint32_t{0xA0B0C0D0} << std::int64_t{-2} << std::uint64_t{0x0102030405060708} << 1.0f << -2.5
        << L'\u00e9';
    const Bytes expected = {0x01, 0x67, 0xAB, 0xFE, 0xFF, 0x34, 0x12, 0x04, 0x03, 0x02, 0x01, 0xD0, 0xC0, 0xB0,
                            0xA0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04,
                            0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04,
                            0xC0, 0xE9, 0x00};
    EXPECT_EQ(out.GetBytes(), expected);

    CArchive in(CArchive::load, expected);
    bool b = false;
    char c = 0;
    std::uint8_t u8 = 0;
    std::int16_t i16 = 0;
    std::uint16_t u16 = 0;
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
    std::int64_t i64 = 0;
    std::uint64_t u64 = 0;
    float f = 0;
    double d = 0;
    wchar_t w = 0;
    in >> b >> c >> u8 >> i16 >> u16 >> i32 >> u32 >> i64 >> u64 >> f >> d >> w;
    EXPECT_TRUE(b);
    EXPECT_EQ(c, 'g');
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(i32, 0x01020304);
    EXPECT_EQ(u32, 0xA0B0C0D0u);
    EXPECT_EQ(i64, -2);
    EXPECT_EQ(u64, 0x0102030405060708u);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(d, -2.5);
    EXPECT_EQ(w, L'\u00e9');
    EXPECT_EQ(in.GetRemaining(), 0u);
}

TEST(ArchiveNumbers, EachIntegerTypeWritesItsOwnWidth)
{
    const struct { const char* name; void (*write)(CArchive&); std::uint64_t size; } rows[] = {
        {"int", [](CArchive& a) { a << 5; }, 4},
        {"unsigned", [](CArchive& a) { a << 5u; }, 4},
        {"short", [](CArchive& a) { a << static_cast<short>(5); }, 2},
        {"long long", [](CArchive& a) { a << 5LL; }, 8},
        {"unsigned long long", [](CArchive& a) { a << 5ULL; }, 8},
        {"signed char", [](CArchive& a) { a << static_cast<signed char>(5); }, 1},
        {"enum", [](CArchive& a) { enum E { e5 = 5 }; a << e5; }, 4},
    };
    for (const auto& row : rows) {
        CArchive ar(CArchive::store);
        row.write(ar);
        EXPECT_EQ(ar.GetLength(), row.size) << row.name;
        EXPECT_EQ(ar.GetBytes()[0], 5) << row.name;
    }
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
        const Bytes bytes = Stored(text);
        ASSERT_EQ(bytes.size(), 3 + row.prefix.size() + 2 * static_cast<size_t>(row.length)) << row.length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{0xFF, 0xFE, 0xFF})) << row.length;
        EXPECT_EQ(Bytes(bytes.begin() + 3, bytes.begin() + 3 + static_cast<long>(row.prefix.size())), row.prefix)
            << row.length;
        if (row.length > 0) {
            const size_t first = 3 + row.prefix.size();
            EXPECT_EQ(bytes[first], 'a');
            EXPECT_EQ(bytes[first + 1], 0x00);
            EXPECT_EQ(bytes.back(), 0x00);
        }
        EXPECT_EQ(Loaded(bytes), text) << row.length;
    }
}

TEST(ArchiveStrings, NonBmpCharactersTravelAsSurrogatePairs)
{
    const CString text(L"x\U0001F600");
    const Bytes bytes = Stored(text);
    EXPECT_EQ(bytes, (Bytes{0xFF, 0xFE, 0xFF, 0x03, 'x', 0x00, 0x3D, 0xD8, 0x00, 0xDE}));
    EXPECT_EQ(Loaded(bytes), text);
}

TEST(ArchiveStrings, NarrowStringsWithoutMarkerAreLatin1)
{
    EXPECT_EQ(Loaded({0x03, 'a', 0xE9, 'c'}), CString(L"a\u00e9c"));
    EXPECT_EQ(Loaded({0x00}), CString());

    Bytes longForm = {0xFF, 0x2C, 0x01};
    longForm.insert(longForm.end(), 300, 'z');
    EXPECT_EQ(Loaded(longForm), CString(std::wstring(300, L'z')));

    Bytes dwordForm = {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00};
    dwordForm.insert(dwordForm.end(), 70000, 'q');
    EXPECT_EQ(Loaded(dwordForm).GetLength(), 70000);
}

TEST(ArchiveStrings, TruncationAtAnyPointThrows)
{
    for (int length : {0, 5, 300}) {
        const Bytes full = Stored(Letters(length));
        for (size_t cut = 0; cut < full.size(); ++cut) {
            const Bytes part(full.begin(), full.begin() + static_cast<long>(cut));
            EXPECT_EQ(CauseOfRead(part, [](CArchive& ar) { CString s; ar >> s; }), CArchiveException::endOfFile)
                << "length " << length << " cut " << cut;
        }
    }
    // The long form: every cut inside the prefix, and one in the text.
    const Bytes full = Stored(Letters(70000));
    for (size_t cut : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 1000}) {
        const Bytes part(full.begin(), full.begin() + static_cast<long>(cut));
        EXPECT_EQ(CauseOfRead(part, [](CArchive& ar) { CString s; ar >> s; }), CArchiveException::endOfFile) << cut;
    }
}

TEST(ArchiveStrings, CorruptHugeLengthsFailBeforeAllocating)
{
    const Bytes rows[] = {
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
        {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 0, 'b', 0},
        {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'n', 'a', 'r', 'r', 'o', 'w'},
        {0xFF, 0xFE, 0xFF, 0x05, 'a', 0, 'b', 0, 'c'},
    };
    for (const Bytes& bytes : rows)
        EXPECT_EQ(CauseOfRead(bytes, [](CArchive& ar) { CString s; ar >> s; }), CArchiveException::endOfFile);
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
    EXPECT_EQ(CauseOfRead({0xFF, 0xFF, 0x01}, [](CArchive& ar) { ar.ReadCount(); }), CArchiveException::endOfFile);
}

TEST(ArchiveRecords, EveryCutOfAMultiFieldArchiveThrows)
{
    CArchive out(CArchive::store);
    out << std::int32_t{-7} << 3.25 << CString(L"Trace A") << std::uint16_t{9};
    out.WriteCount(3);
    out << true;
    const Bytes full = out.GetBytes();

    auto readAll = [](CArchive& ar) {
        std::int32_t i = 0;
        double d = 0;
        CString s;
        std::uint16_t w = 0;
        bool b = false;
        ar >> i >> d >> s >> w;
        const std::uint64_t n = ar.ReadCount();
        ar >> b;
        EXPECT_EQ(i, -7);
        EXPECT_EQ(d, 3.25);
        EXPECT_EQ(s, CString(L"Trace A"));
        EXPECT_EQ(w, 9);
        EXPECT_EQ(n, 3u);
        EXPECT_TRUE(b);
    };
    EXPECT_EQ(CauseOfRead(full, readAll), CArchiveException::none);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        const Bytes part(full.begin(), full.begin() + static_cast<long>(cut));
        EXPECT_EQ(CauseOfRead(part, [](CArchive& ar) {
                      std::int32_t i; double d; CString s; std::uint16_t w; bool b;
                      ar >> i >> d >> s >> w;
                      ar.ReadCount();
                      ar >> b;
                  }),
                  CArchiveException::endOfFile)
            << cut;
    }
}

TEST(ArchiveModes, RawReadsAndMisuse)
{
    CArchive in(CArchive::load, {1, 2, 3, 4, 5});
    EXPECT_TRUE(in.IsLoading());
    EXPECT_FALSE(in.IsStoring());
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, 3), 3u);
    EXPECT_EQ(in.GetPosition(), 3u);
    EXPECT_EQ(in.Read(buffer, 8), 2u);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(in.Read(buffer, 8), 0u);
    EXPECT_EQ(CauseOfRead({}, [](CArchive& ar) { ar << 1; }), CArchiveException::readOnly);

    CArchive out(CArchive::store);
    EXPECT_TRUE(out.IsStoring());
    try {
        out.Read(buffer, 1);
        ADD_FAILURE() << "read from a store archive";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::writeOnly);
        EXPECT_STRNE(e.what(), "");
    }
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
        EXPECT_EQ(out->GetPosition(), 4u + 4 + 16 + 8);
        EXPECT_TRUE(out->Close());
        EXPECT_TRUE(out->Close());
    }
    EXPECT_EQ(std::filesystem::file_size(path), 32u);

    auto in = CArchive::OpenFile(name, CArchive::load);
    ASSERT_TRUE(in);
    std::uint32_t magic = 0;
    CString text;
    double value = 0;
    *in >> magic >> text >> value;
    EXPECT_EQ(magic, 0x3A0B0C0Du);
    EXPECT_EQ(text, CString(L"µV trace"));
    EXPECT_EQ(value, 1e-3);
    EXPECT_EQ(in->GetLength(), 32u);
    std::filesystem::remove(path);

    EXPECT_FALSE(CArchive::OpenFile(name, CArchive::load));
    EXPECT_FALSE(CArchive::OpenFile(CString(L"/nonexistent-dir/x/y.trc"), CArchive::store));
}

TEST(ArchiveVersion, ComparesNumberThenLetter)
{
    CArchive ar(CArchive::load);
    ar.SetFileVersion(121, 'k');
    ar.SetConfigVersion(25);
    EXPECT_EQ(ar.GetConfigVersion(), 25);
    EXPECT_EQ(ar.GetFileVersionNumber(), 121);
    EXPECT_EQ(ar.GetFileVersionLetter(), 'k');

    const struct { int number; char letter; int sign; } rows[] = {
        {121, 107, 0}, {121, 'a', 1}, {121, 'z', -1}, {122, '.', -1}, {90, 'z', 1}, {121, '.', 1},
    };
    for (const auto& row : rows) {
        const int c = ar.CompareFileVersion(row.number, row.letter);
        EXPECT_EQ((c > 0) - (c < 0), row.sign) << row.number << row.letter;
    }
    ar.SetFileVersion(121, static_cast<char>(0xE9)); // letters compare as unsigned bytes
    EXPECT_GT(ar.CompareFileVersion(121, 'z'), 0);
}
