#pragma once
// CObject and run-time class records: class names, the base-class chain for
// IsKindOf, and creation by class name through a small registry.
//
//   class CThing : public CObject { DECLARE_DYNCREATE(CThing) ... };
//   IMPLEMENT_DYNCREATE(CThing, CObject)        // in CThing.cpp
//   CObject* p = CRuntimeClass::CreateObject("CThing");
//
// A record registers itself while its source file is initialised; as with
// any static library, the file must be linked into the program for
// FromName to find it.

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)(); // null: not creatable by name

    // A new object of this class, or null when it cannot be created.
    CObject* CreateObject() const;
    // True for this class and every class derived from it.
    bool IsDerivedFrom(const CRuntimeClass* base) const;

    // Registered records by class name; null for unknown names.
    static const CRuntimeClass* FromName(const char* className);
    static CObject* CreateObject(const char* className);
};

// Adds a record to the registry; one per IMPLEMENT_ macro.
struct CRuntimeClassRegistration {
    explicit CRuntimeClassRegistration(const CRuntimeClass* record);
};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

#define DECLARE_DYNAMIC(cls)                           \
public:                                                \
    static const CRuntimeClass class##cls;             \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(cls) \
    DECLARE_DYNAMIC(cls)       \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(cls, base, create)                                   \
    const CRuntimeClass cls::class##cls = {#cls, RUNTIME_CLASS(base), create};       \
    const CRuntimeClass* cls::GetRuntimeClass() const { return RUNTIME_CLASS(cls); } \
    static const CRuntimeClassRegistration s_registration_##cls(RUNTIME_CLASS(cls));

#define IMPLEMENT_DYNAMIC(cls, base) IMPLEMENT_RUNTIMECLASS_(cls, base, nullptr)

#define IMPLEMENT_DYNCREATE(cls, base)                    \
    CObject* cls::CreateObject() { return new cls; }      \
    IMPLEMENT_RUNTIMECLASS_(cls, base, &cls::CreateObject)

class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const;
    // Objects that have a file form override this; the base writes nothing.
    virtual void Serialize(CArchive& ar);

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
