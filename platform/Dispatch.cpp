#include "platform/Dispatch.h"

#include "platform/CmdTarget.h"

#include <cctype>

namespace {

bool SameNameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

int CDispatchTable::GetIDOfName(std::string_view name) const
{
    for (size_t i = 0; i < m_aEntries.size(); ++i)
        if (SameNameNoCase(m_aEntries[i].szName, name)) return static_cast<int>(i) + 1;
    return -1;
}

const SDispEntry* CDispatchTable::GetEntry(int iDispID) const
{
    if (iDispID < 1 || iDispID > static_cast<int>(m_aEntries.size())) return nullptr;
    return &m_aEntries[static_cast<size_t>(iDispID - 1)];
}

const char* VarTypeName(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY: return "none";
    case VT_I2: return "I2";
    case VT_I4: return "I4";
    case VT_R8: return "R8";
    case VT_BSTR: return "BSTR";
    case VT_BOOL: return "BOOL";
    case VT_BYREF_VARIANT: return "VARIANT*";
    default: return "?";
    }
}

int CCmdTarget::GetIDOfName(std::string_view name) const
{
    const CDispatchTable* pTable = GetDispatchTable();
    return pTable ? pTable->GetIDOfName(name) : -1;
}

EDispResult CCmdTarget::InvokeByName(std::string_view name, EInvokeKind eKind, std::vector<CVariant>& args,
                                     CVariant* pResult)
{
    const int iDispID = GetIDOfName(name);
    if (iDispID < 0) return EDispResult::unknownName;
    return Invoke(iDispID, eKind, args, pResult);
}

EDispResult CCmdTarget::Invoke(int iDispID, EInvokeKind eKind, std::vector<CVariant>& args, CVariant* pResult)
{
    const CDispatchTable* pTable = GetDispatchTable();
    const SDispEntry* pEntry = pTable ? pTable->GetEntry(iDispID) : nullptr;
    if (!pEntry) return EDispResult::memberNotFound;
    const bool bProperty = pEntry->eKind != EDispKind::method;
    if (eKind == EInvokeKind::propertyPut) {
        if (!bProperty) return EDispResult::memberNotFound;
        if (!pEntry->pfnSet) return EDispResult::readOnly;
        if (args.size() != 1) return EDispResult::badParamCount;
        CVariant value;
        if (const EDispResult e = args[0].ChangeType(pEntry->vtResult, &value); e != EDispResult::ok) return e;
        std::vector<CVariant> aValue{value};
        pEntry->pfnSet(*this, aValue);
        if (pResult) *pResult = CVariant();
        return EDispResult::ok;
    }
    if (eKind == EInvokeKind::propertyGet && !bProperty) return EDispResult::memberNotFound;
    if (args.size() != pEntry->aParams.size()) return EDispResult::badParamCount;
    // Convert into a copy so that a refused call leaves the caller's arguments as they were.
    std::vector<CVariant> aArgs(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        const VARTYPE vt = pEntry->aParams[i].vt;
        if (vt == VT_BYREF_VARIANT) {
            aArgs[i] = args[i];
            continue;
        }
        if (const EDispResult e = args[i].ChangeType(vt, &aArgs[i]); e != EDispResult::ok) return e;
    }
    const CVariant result = pEntry->pfnGet(*this, aArgs);
    for (size_t i = 0; i < args.size(); ++i)
        if (pEntry->aParams[i].vt == VT_BYREF_VARIANT) args[i] = aArgs[i];
    if (pResult) *pResult = result;
    return EDispResult::ok;
}
