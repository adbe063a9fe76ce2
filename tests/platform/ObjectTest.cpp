// Run-time classes: kind-of checks and creation by name.

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
    for (const CRuntimeClass* pClass : {RUNTIME_CLASS(CPuppy), RUNTIME_CLASS(CDog), RUNTIME_CLASS(CAnimal), RUNTIME_CLASS(CObject)})
        EXPECT_TRUE(puppy.IsKindOf(pClass)) << pClass->m_lpszClassName;
    EXPECT_FALSE(puppy.IsKindOf(RUNTIME_CLASS(CCat)) || puppy.IsKindOf(nullptr));

    const CDog dog;
    EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CPuppy)));
    EXPECT_STREQ(static_cast<const CObject&>(dog).GetRuntimeClass()->m_lpszClassName, "CDog");

    CArchive ar(CArchive::store);
    CCat().Serialize(ar); // the base writes nothing
    EXPECT_EQ(ar.GetLength(), 0u);
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
    EXPECT_EQ(CRuntimeClass::FromName("CHorse"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CHorse"), nullptr);
}

