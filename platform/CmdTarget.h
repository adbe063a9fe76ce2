#pragma once
// CCmdTarget: the base of objects that scripts can reach. It carries the
// automation switch, the external reference count and the calls through
// the class's dispatch table (platform/Dispatch.h).

#include "platform/Object.h"

#include <string_view>
#include <vector>

class CDispatchTable;
class CVariant;
enum class EDispResult;
enum class EInvokeKind;

class CCmdTarget : public CObject {
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    void EnableAutomation() { m_bAutomationEnabled = true; }
    bool IsAutomationEnabled() const { return m_bAutomationEnabled; }

    // Script references. The object deletes itself through OnFinalRelease
    // when the last one goes.
    long ExternalAddRef() { return ++m_lRefCount; }
    long ExternalRelease()
    {
        const long count = --m_lRefCount;
        if (count == 0) OnFinalRelease();
        return count;
    }
    long GetRefCount() const { return m_lRefCount; }

    virtual void OnFinalRelease() { delete this; }

    // ---- Automation ----------------------------------------------------------
    // The class's members for scripts; null for a class that offers none.
    virtual const CDispatchTable* GetDispatchTable() const { return nullptr; }
    // -1 for a name that no member has.
    int GetIDOfName(std::string_view name) const;
    // Calls a member: a method, or a property's get or set (the new value as
    // the one argument). A method call of a property without arguments gets
    // it, as script engines call it. Arguments are converted to the declared
    // types first; by-reference arguments receive the member's out values.
    EDispResult Invoke(int iDispID, EInvokeKind eKind, std::vector<CVariant>& args, CVariant* pResult);
    EDispResult InvokeByName(std::string_view name, EInvokeKind eKind, std::vector<CVariant>& args,
                             CVariant* pResult);

private:
    bool m_bAutomationEnabled = false;
    long m_lRefCount = 0;
};
