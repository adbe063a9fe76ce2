#include "platform/Archive.h"
#include "platform/Object.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CAnimal : public CObject {
    DECLARE_DYNAMIC(CAnimal)
};
class CDog : public CAnimal {
    DECLARE_DYNCREATE(CDog)
public:
    int m_iLegs = 4;
};
class CPuppy : public CDog {
    DECLARE_DYNCREATE(CPuppy)
};
class CCat : public CAnimal {
    DECLARE_DYNCREATE(CCat)
};

} // namespace

IMPLEMENT_DYNAMIC(CAnimal, CObject)
IMPLEMENT_DYNCREATE(CDog, CAnimal)
IMPLEMENT_DYNCREATE(CPuppy, CDog)
IMPLEMENT_DYNCREATE(CCat, CAnimal)

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain)
{
    const CPuppy puppy;
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CPuppy)));
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(puppy.IsKindOf(RUNTIME_CLASS(CCat)));
    EXPECT_FALSE(puppy.IsKindOf(nullptr));

    const CDog dog;
    EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CPuppy)));
    const CObject& asObject = dog;
    EXPECT_EQ(asObject.GetRuntimeClass(), RUNTIME_CLASS(CDog));
    EXPECT_STREQ(asObject.GetRuntimeClass()->m_lpszClassName, "CDog");
}

TEST(RuntimeClass, CreatesByNameOnlyWhatIsCreatable)
{
    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject("CPuppy"));
    ASSERT_TRUE(made);
    EXPECT_EQ(made->GetRuntimeClass(), RUNTIME_CLASS(CPuppy));
    auto* dog = dynamic_cast<CDog*>(made.get());
    ASSERT_NE(dog, nullptr);
    EXPECT_EQ(dog->m_iLegs, 4);

    EXPECT_EQ(CRuntimeClass::FromName("CAnimal"), RUNTIME_CLASS(CAnimal));
    EXPECT_EQ(CRuntimeClass::CreateObject("CAnimal"), nullptr); // dynamic, not creatable
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CHorse"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CHorse"), nullptr);
}

TEST(RuntimeClass, BaseSerializeWritesNothing)
{
    CArchive ar(CArchive::store);
    CCat cat;
    cat.Serialize(ar);
    EXPECT_EQ(ar.GetLength(), 0u);
}
