// File versions and their scopes, the rate limiter, the path resolver and printer scaling.

#include "host/app/FileVersion.h"
#include "host/app/PathResolver.h"
#include "host/app/PrintDetails.h"
#include "host/app/RateLimiter.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(AppFileVersion, CompareOrdersByNumberThenLetterCode)
{
    struct Case { int fileNumber, fileLetter, number, letter, expected; };
    const Case cases[] = {
        {100, 'g', 100, 'g', 0},  {100, 'g', 100, 'h', -1}, {100, 'h', 100, 'g', 1},
        {99, 'z', 100, 'a', -1},  {101, 'a', 100, 'z', 1},  {91, '*', 91, '.', -1}, // '*' 0x2A < '.' 0x2E
        {121, 'k', 121, 107, 0},  {150, 0xE9, 150, 'z', 1},                          // letters are unsigned bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fileNumber << char(c.fileLetter) << " vs " << c.number << char(c.letter));
        EXPECT_EQ(CompareFileVersion(c.fileNumber, c.fileLetter, c.number, c.letter), c.expected);
    }
}

TEST(AppFileVersion, ScopesAnswerForTheArchiveBeingReadAndNest)
{
    // No archive being read: the version this software writes.
    EXPECT_EQ(CheckFileVersion(QX_FILE_VERSION_NUMBER, QX_FILE_VERSION_LETTER), 0);
    EXPECT_EQ(GetConfigVersion(), QX_CONFIG_VERSION);
    {
        CFileVersionScope configuration(95, 'm');
        EXPECT_LT(CheckFileVersion(101, 'r'), 0);
        configuration.SetConfigVersion(30);
        EXPECT_EQ(GetConfigVersion(), 30);
        {
            CFileVersionScope traceFile(100, 'g', 78);
            EXPECT_EQ(CheckFileVersion(100, 'g'), 0);
            EXPECT_GT(CheckFileVersion(93, 'f'), 0);
            EXPECT_EQ(GetConfigVersion(), 78);
        }
        EXPECT_GT(CheckFileVersion(95, 'd'), 0);
        EXPECT_EQ(GetConfigVersion(), 30);
    }
    EXPECT_EQ(GetConfigVersion(), QX_CONFIG_VERSION);
}

TEST(AppRateLimiter, AllowsNPerIntervalAndCountsTheRest)
{
    CRateLimiter limiter(2, 1000);
    EXPECT_TRUE(limiter.Allow(5000) && limiter.Allow(5100));
    EXPECT_FALSE(limiter.Allow(5200) || limiter.Allow(5999));
    EXPECT_EQ(limiter.GetSuppressed(), 2u);
    EXPECT_TRUE(limiter.Allow(6000)); // a new interval
    EXPECT_EQ(limiter.GetSuppressed(), 0u);
    EXPECT_TRUE(limiter.Allow(6001));
    EXPECT_FALSE(limiter.Allow(6002));
    EXPECT_TRUE(limiter.Allow(100)); // clock went backwards: start again

    // A zero allowance never allows; a zero interval is treated as 1 ms.
    CRateLimiter none(0, 1000);
    EXPECT_FALSE(none.Allow(0) || none.Allow(5000));
    CRateLimiter zeroInterval(1, 0);
    EXPECT_TRUE(zeroInterval.Allow(10));
    EXPECT_FALSE(zeroInterval.Allow(10));
    EXPECT_TRUE(zeroInterval.Allow(11));
}

TEST(AppPathResolver, SubtypesMapToFoldersUnderTheRoot)
{
    PrivatePathResolver* paths = PrivatePathResolver::getInstance();
    const CString savedRoot = paths->getRoot();
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "tracewin-paths";
    paths->setRoot(CString(root.wstring()));

    EXPECT_EQ(paths->getDefaultDir(PATH_SUBTYPE_TRACES).str(), (root / "Traces").wstring());
    EXPECT_EQ(paths->getDefaultDir(PATH_SUBTYPE_LIMITS).str(), (root / "Limits").wstring());
    EXPECT_EQ(paths->getDefaultDir(PATH_SUBTYPE_EXPORT_EMF).str(), (root / "Exports").wstring());
    EXPECT_EQ(paths->getDefaultDir(999).str(), root.wstring());

    EXPECT_EQ(paths->getFilePath(L"a.trc", PATH_SUBTYPE_TRACES).str(), (root / "Traces" / "a.trc").wstring());
    EXPECT_EQ(paths->getFilePath(L"/abs/a.trc", PATH_SUBTYPE_TRACES), CString(L"/abs/a.trc"));
    paths->setDirPath(PATH_SUBTYPE_TRACES, L"/elsewhere");
    EXPECT_EQ(paths->getFilePath(L"a.trc", PATH_SUBTYPE_TRACES).str(), std::wstring(L"/elsewhere/a.trc"));
    EXPECT_EQ(paths->getDirPath(PATH_SUBTYPE_LIMITS).str(), (root / "Limits").wstring());
    paths->setDirPath(PATH_SUBTYPE_TRACES, L"");
    EXPECT_EQ(paths->getDirPath(PATH_SUBTYPE_TRACES).str(), (root / "Traces").wstring());

    paths->setRoot(savedRoot);
}

TEST(AppPathResolver, ExtractFileNameHandlesBothSeparatorsAndExtensions)
{
    struct Case { const wchar_t* path; int withExtension; const wchar_t* expected; };
    const Case cases[] = {
        {L"C:\\Traces\\fft.trc", 1, L"fft.trc"}, {L"/home/u/fft.trc", 0, L"fft"},
        {L"fft", 0, L"fft"},                     {L"dir/.hidden", 0, L".hidden"},
        {L"a.b.c", 0, L"a.b"},                   {L"dir/", 1, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CString(c.path).ToUtf8());
        EXPECT_EQ(ExtractFileNameFromPath(c.path, c.withExtension), CString(c.expected));
    }
}

TEST(AppPrintDetails, ScreenValuesScaleWithDeviceResolution)
{
    struct Case { double value; int logPixels; int expected; };
    const Case cases[] = {
        {2.0, 96, 2}, {2.0, 600, 13}, {2.0, 300, 6}, {-2.0, 600, -13}, {0.0, 600, 0}, {1e300, 600, 2147483647},
        {2.0, 0, 0},  // a device that reports no resolution
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " at " << c.logPixels);
        EXPECT_EQ(ScaleScreenValue(c.value, c.logPixels), c.expected);
    }
    EXPECT_EQ(GetPrinterValue(nullptr, 2.4, 0), 2); // no device: screen
    EXPECT_EQ(GetNumColors(nullptr), -1);
}
