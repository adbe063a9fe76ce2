#include "platform/Object.h"

#include <cstring>
#include <vector>

namespace {

// Function-local so that registrations from other files' static
// initialisers always find it constructed.
std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> records;
    return records;
}

} // namespace

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};
static const CRuntimeClassRegistration s_registration_CObject(&CObject::classCObject);

CRuntimeClassRegistration::CRuntimeClassRegistration(const CRuntimeClass* record)
{
    if (record && !CRuntimeClass::FromName(record->m_lpszClassName)) Registry().push_back(record);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    if (!base) return false;
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass)
        if (cls == base) return true;
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className) return nullptr;
    for (const CRuntimeClass* record : Registry())
        if (std::strcmp(record->m_lpszClassName, className) == 0) return record;
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(const char* className)
{
    const CRuntimeClass* record = FromName(className);
    return record ? record->CreateObject() : nullptr;
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

void CObject::Serialize(CArchive&) {}
