#pragma once
// Dispatch tables: the members a CCmdTarget offers to scripts, bound by name.
// Dispatch IDs follow the table order from 1. A property has a get handler
// and, unless it is read-only, a set handler; a method has one handler.
//
// Handlers receive the arguments already converted to the declared types
// (a VT_BYREF_VARIANT argument as the caller passed it, for the handler to
// overwrite) and return the result (empty for none). A property's set
// handler receives the new value as its one argument.

#include "platform/Variant.h"

#include <string_view>
#include <vector>

class CCmdTarget;

enum class EDispKind { method, property, readOnly };
enum class EInvokeKind { method, propertyGet, propertyPut };

using DispHandler = CVariant (*)(CCmdTarget& target, std::vector<CVariant>& args);

struct SDispParam {
    VARTYPE vt;
    const char* szName;
};

struct SDispEntry {
    const char* szName;
    EDispKind eKind;
    VARTYPE vtResult; // VT_EMPTY: no result
    std::vector<SDispParam> aParams;
    DispHandler pfnGet; // the method, or the property's get
    DispHandler pfnSet; // null for methods and read-only properties
    const wchar_t* szBehaviour = L""; // what a reader of the member list is told
    int iFailureId = 0;               // the string-table message of a failure, 0 for none
};

class CDispatchTable {
public:
    explicit CDispatchTable(std::vector<SDispEntry> aEntries) : m_aEntries(std::move(aEntries)) {}

    // The dispatch ID of a member (names compare without case, as scripts
    // spell them); -1 for an unknown name.
    int GetIDOfName(std::string_view name) const;
    // Null for an ID outside 1 .. count.
    const SDispEntry* GetEntry(int iDispID) const;
    const std::vector<SDispEntry>& GetEntries() const { return m_aEntries; }

private:
    std::vector<SDispEntry> m_aEntries;
};

// The type name a member list shows ("I2", "VARIANT*", ...).
const char* VarTypeName(VARTYPE vt);
