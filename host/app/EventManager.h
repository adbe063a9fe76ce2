#pragma once
// The script engine's event manager as the library sees it: script events are
// registered per (event kind, owner handle), where the owner handle is the
// value scripts receive (a trace's address), and fired on limit breaches.

#include "host/app/AppMessages.h"
#include "platform/String.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// Event kinds the library registers and fires.
constexpr int EVENT_MIN_LIMIT_BREACHED = 421;
constexpr int EVENT_MAX_LIMIT_BREACHED = 422;

struct SEventDetails {
    int iKind = 0;
    CString sText;
    LPARAM lParam = 0;   // the owner handle
    int bEnabled = 0;
    int bStateFlag1 = 0;
    int bStateFlag2 = 0;
    int bActive = 0;
    int iState = 0;
    int iAction = -1;
    int iRepeat = 0;
};

// One call of OnEvent, kept for tests and for the host's script console.
struct SFiredEvent {
    int iKind = 0;
    LPARAM lParam = 0;
    int iParam = 0;
    int iState = 0;
    bool operator==(const SFiredEvent&) const = default;
};

class CEventManager {
public:
    // Registers (or replaces) the event of `kind` for `owner`. The trailing values
    // belong to the script engine and are kept as given.
    bool AddEvent(int kind, const CString& text, LPARAM owner, int enabled, int stateFlag1, int stateFlag2,
                  int active, int state, int action, int repeat);
    bool RemoveEvent(int kind, LPARAM owner);
    // Stores changed details of an existing event (found by kind and owner).
    bool UpdateEvent(const SEventDetails& details);
    // Moves the event of `kind` from one owner handle to another (a reloaded trace).
    bool UpdateEventlParam(int kind, LPARAM oldOwner, LPARAM newOwner);
    bool EventExists(int kind, LPARAM owner) const;
    bool GetEventDetails(int kind, LPARAM owner, SEventDetails& details) const;
    int GetEventCount() const;

    // Fires an event: recorded always; returns true when an enabled event of
    // that kind is registered for the owner.
    bool OnEvent(int kind, LPARAM owner, int param, int state);

    // Drops every event whose owner the callback no longer knows; returns how many.
    int VerifyTraceEvents(const std::function<bool(LPARAM owner)>& ownerExists);

    // Every registered event, and all of them put back (a configuration that
    // failed to load re-points nothing).
    std::vector<SEventDetails> GetEvents() const;
    void SetEvents(std::vector<SEventDetails> aEvents);

    // The 32-bit value a script receives for an owner handle: a number handed
    // out once per handle (from 1), so that a script can give it back
    // whatever the width of a pointer. 0 for a null handle.
    std::int32_t GetEventParam(LPARAM owner);
    // The handle a value stands for; 0 for a value never handed out.
    LPARAM GetOwnerOfEventParam(std::int32_t param) const;

    std::vector<SFiredEvent> GetFiredEvents() const;
    void ClearFiredEvents();
    // Optional: called after each fired event is recorded (a script console).
    void SetFireHandler(std::function<void(const SFiredEvent&)> handler);

private:
    int FindIndex(int kind, LPARAM owner) const;

    mutable std::mutex m_mutex;
    std::vector<SEventDetails> m_aEvents;
    std::vector<SFiredEvent> m_aFired;
    std::vector<LPARAM> m_aParamOwners; // value n stands for m_aParamOwners[n - 1]
    std::function<void(const SFiredEvent&)> m_fireHandler;
};
