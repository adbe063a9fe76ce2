#include "resources/StringTable.h"

#include "host/app/DebugLog.h"

#include <iterator>

namespace {

struct SResString {
    int iId;
    const char* pszSymbol;
    const wchar_t* pszText;
};

constexpr SResString kStrings[] = {
#define QXSTR(symbol, id, text) {id, #symbol, text},
#include "resources/StringTable.inc"
#undef QXSTR
};

const SResString* Find(int id)
{
    // The table is in id order.
    const auto* first = std::begin(kStrings);
    const auto* last = std::end(kStrings);
    while (first < last) {
        const auto* middle = first + (last - first) / 2;
        if (middle->iId < id) {
            first = middle + 1;
        } else {
            last = middle;
        }
    }
    return first != std::end(kStrings) && first->iId == id ? first : nullptr;
}

} // namespace

CString LoadResString(int id)
{
    const SResString* entry = Find(id);
    QXASSERT(entry != nullptr);
    return entry ? CString(entry->pszText) : CString();
}

const char* GetResSymbol(int id)
{
    const SResString* entry = Find(id);
    return entry ? entry->pszSymbol : "";
}

bool HasResString(int id)
{
    return Find(id) != nullptr;
}

std::vector<int> GetResStringIds()
{
    std::vector<int> ids;
    ids.reserve(std::size(kStrings));
    for (const SResString& entry : kStrings) ids.push_back(entry.iId);
    return ids;
}
