#pragma once
// CEnumeration: an ordered list of the enabled items of a choice (unit sets
// and the host's enumerated settings). Items keep the order in which they were
// added; adding an item twice keeps the first place.

#include <algorithm>
#include <vector>

class CEnumeration {
public:
    virtual ~CEnumeration() = default;

    void Add(int iItem)
    {
        if (!Contains(iItem)) m_aiItems.push_back(iItem);
    }
    void Remove(int iItem) { std::erase(m_aiItems, iItem); }
    bool Contains(int iItem) const
    {
        return std::find(m_aiItems.begin(), m_aiItems.end(), iItem) != m_aiItems.end();
    }
    int GetCount() const { return static_cast<int>(m_aiItems.size()); }
    // The item at an index, or -1 outside 0 .. GetCount() - 1.
    int GetItem(int iIndex) const
    {
        return (iIndex >= 0 && iIndex < GetCount()) ? m_aiItems[static_cast<size_t>(iIndex)] : -1;
    }
    std::vector<int>::const_iterator begin() const { return m_aiItems.begin(); }
    std::vector<int>::const_iterator end() const { return m_aiItems.end(); }

private:
    std::vector<int> m_aiItems;
};
