#include "platform/CmdTarget.h"

#include <gtest/gtest.h>

namespace {

class CCounted : public CCmdTarget {
public:
    explicit CCounted(int* releases) : m_pReleases(releases) {}
    void OnFinalRelease() override { ++*m_pReleases; }

private:
    int* m_pReleases;
};

} // namespace

TEST(CmdTarget, FinalReleaseOnlyWhenTheLastReferenceGoes)
{
    int releases = 0;
    CCounted target(&releases);
    EXPECT_FALSE(target.IsAutomationEnabled());
    target.EnableAutomation();
    EXPECT_TRUE(target.IsAutomationEnabled());
    EXPECT_EQ(target.ExternalAddRef(), 1);
    EXPECT_EQ(target.ExternalAddRef(), 2);
    EXPECT_EQ(target.ExternalRelease(), 1);
    EXPECT_EQ(releases, 0);
    EXPECT_EQ(target.ExternalRelease(), 0);
    EXPECT_EQ(releases, 1);

    // The default final release deletes the object (the leak checker of the
    // sanitizer build notices if it does not).
    auto* owned = new CCmdTarget;
    owned->ExternalAddRef();
    EXPECT_EQ(owned->ExternalRelease(), 0);
}
