#pragma once
// CCmdTarget: the base of objects that scripts can reach. It carries the
// automation switch and the external reference count; the dispatch table
// (name -> DISPID -> handler) is added with the automation interface.

#include "platform/Object.h"

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

private:
    bool m_bAutomationEnabled = false;
    long m_lRefCount = 0;
};
