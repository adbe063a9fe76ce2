#pragma once
// Views that take part in update broadcasting, and the list a host keeps of them.

#include "host/app/AppMessages.h"

#include <vector>

class CObject;

// A view of the graph document (graph views, legends, the trace values table).
class IGraphViewSink {
public:
    virtual ~IGraphViewSink() = default;
    virtual void OnUpdate(IGraphViewSink* sender, LPARAM hint, CObject* object) = 0;
};

class CViewList {
public:
    // Adding a view twice keeps one entry.
    void Add(IGraphViewSink* view);
    void Remove(IGraphViewSink* view);
    bool Contains(const IGraphViewSink* view) const;
    int GetCount() const { return static_cast<int>(m_apViews.size()); }

    // Calls every view but the sender. A view may register or unregister views
    // from inside OnUpdate: views removed during the broadcast are not called,
    // views added during it wait for the next one.
    void Broadcast(IGraphViewSink* sender, LPARAM hint, CObject* object);

private:
    std::vector<IGraphViewSink*> m_apViews;
};
