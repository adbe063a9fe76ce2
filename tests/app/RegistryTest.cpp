#include "host/app/HeadlessHost.h"
#include "host/app/Registry.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(AppRegistry, TypedValuesRoundTripThroughTheHost)
{
    CHeadlessHost host;
    EXPECT_EQ(CRegistry::GetRegistryValue(0, L"Colours", L"GraphGraticule", 0xA0A0A0u), 0xA0A0A0u);
    EXPECT_TRUE(CRegistry::SetRegistryValue(0, L"Colours", L"GraphGraticule", 0xFF000000u));
    EXPECT_EQ(CRegistry::GetRegistryValue(0, L"colours", L"graphgraticule", 0u), 0xFF000000u); // no case

    CRegistry::SetRegistryValue(0, L"TraceExport", L"FileExt", L"png");
    EXPECT_EQ(CRegistry::GetRegistryValue(0, L"TraceExport", L"FileExt", L"emf"), CString(L"png"));
    EXPECT_EQ(CRegistry::GetRegistryValue(1, L"TraceExport", L"FileExt", L"emf"), CString(L"emf")); // other key type

    CRegistry::SetRegistryValue(0, L"K", L"Signed", -5);
    EXPECT_EQ(CRegistry::GetRegistryValue(0, L"K", L"Signed", 0), -5);
    // A value of another type reads as missing.
    EXPECT_EQ(CRegistry::GetRegistryValue(0, L"TraceExport", L"FileExt", 7), 7);

    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(CRegistry::GetRegistryValue(0, L"K", L"Blob", bytes));
    CRegistry::SetRegistryValue(0, L"K", L"Blob", std::vector<std::uint8_t>{0, 255, 16});
    EXPECT_TRUE(CRegistry::GetRegistryValue(0, L"K", L"Blob", bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, 255, 16}));
}

TEST(AppRegistry, WithoutAHostDefaultsAreReturnedAndWritesFail)
{
    ASSERT_EQ(GetAppServices(), nullptr);
    EXPECT_EQ(CRegistry::GetRegistryValue(0, L"Colours", L"TraceFFT", 0x0000FFu), 0x0000FFu);
    EXPECT_FALSE(CRegistry::SetRegistryValue(0, L"Colours", L"TraceFFT", 1u));
}

TEST(AppRegistry, IniFileRoundTripKeepsEveryTypeAndAwkwardText)
{
    CHeadlessHost host;
    CRegistryStore& store = host.Registry();
    store.SetString(0, L"Export", L"Title", L"  \"quoted\"\\path\nline two ");
    store.SetString(0, L"Export", L"Empty", L"");
    store.SetString(0, L"Export", L"Unicode", L"\u00b5V \u00b0");
    store.SetDword(0, L"Colours", L"TraceFFT", 0x0000FF);
    store.SetBinary(0, L"Colours", L"Custom", {1, 2, 0xAB});
    store.SetBinary(2, L"Colours", L"None", {});

    const CString path = host.GetRoot() + L"/registry.ini";
    ASSERT_TRUE(host.SaveRegistry(path));

    CRegistryStore loaded;
    ASSERT_TRUE(loaded.LoadIni(path));
    EXPECT_EQ(loaded.ToIni(), store.ToIni());
    CString text;
    ASSERT_TRUE(loaded.GetString(0, L"Export", L"Title", text));
    EXPECT_EQ(text, CString(L"  \"quoted\"\\path\nline two "));
}

TEST(AppRegistry, HandWrittenIniIsReadAndMalformedIniChangesNothing)
{
    CRegistryStore store;
    ASSERT_TRUE(store.FromIni("; comment\n[TraceExport]\nFileExt = png \nBackground=dword:00ffffff\n"));
    CString ext;
    ASSERT_TRUE(store.GetString(0, L"TraceExport", L"FileExt", ext));
    EXPECT_EQ(ext, CString(L"png"));
    std::uint32_t background = 0;
    ASSERT_TRUE(store.GetDword(0, L"TraceExport", L"Background", background));
    EXPECT_EQ(background, 0xFFFFFFu);

    const std::string before = store.ToIni();
    EXPECT_FALSE(store.FromIni("orphan=1\n")); // a value before any section
    // Each text adds a good value before its fault, which must not survive.
    for (const char* bad : {"[New]\nadded=1\n[Open\nx=1\n", "[New]\nadded=1\nnovalue\n",
                            "[New]\nadded=1\nd=dword:xyz\n", "[New]\nadded=1\nd=dword:123456789\n",
                            "[New]\nadded=1\nb=hex:1,02\n", "[New]\nadded=1\ns=\"unterminated\n",
                            "[New]\nadded=1\ns=\"bad \\q escape\"\n"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(store.FromIni(bad));
        EXPECT_EQ(store.ToIni(), before);
    }
    EXPECT_FALSE(store.LoadIni(L"/nonexistent/folder/registry.ini"));
}
