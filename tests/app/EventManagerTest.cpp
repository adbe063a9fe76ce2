// Events keyed by kind and owner: details, updates, moves, firing and clean-up of vanished owners.

#include "host/app/EventManager.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr LPARAM kTraceA = 0x1000;
constexpr LPARAM kTraceB = 0x2000;

void AddLimitEvent(CEventManager& events, int kind, LPARAM owner)
{
    events.AddEvent(kind, L"limit", owner, 1, 1, 0, 1, 2, -1, 1);
}

} // namespace

TEST(AppEventManager, EventsAreKeyedByKindAndOwnerAndGoWithTheirOwners)
{
    CEventManager events;
    AddLimitEvent(events, EVENT_MIN_LIMIT_BREACHED, kTraceA);
    AddLimitEvent(events, EVENT_MAX_LIMIT_BREACHED, kTraceA);
    AddLimitEvent(events, EVENT_MIN_LIMIT_BREACHED, kTraceB);
    AddLimitEvent(events, EVENT_MIN_LIMIT_BREACHED, kTraceB); // replaces, no duplicate
    EXPECT_EQ(events.GetEventCount(), 3);
    EXPECT_TRUE(events.EventExists(EVENT_MAX_LIMIT_BREACHED, kTraceA));
    EXPECT_FALSE(events.EventExists(EVENT_MAX_LIMIT_BREACHED, kTraceB));

    EXPECT_TRUE(events.RemoveEvent(EVENT_MIN_LIMIT_BREACHED, kTraceA));
    EXPECT_FALSE(events.RemoveEvent(EVENT_MIN_LIMIT_BREACHED, kTraceA));
    EXPECT_TRUE(events.EventExists(EVENT_MAX_LIMIT_BREACHED, kTraceA));
    EXPECT_EQ(events.GetEventCount(), 2);

    // Events of owners that vanished are dropped.
    AddLimitEvent(events, EVENT_MIN_LIMIT_BREACHED, kTraceA);
    EXPECT_EQ(events.VerifyTraceEvents([](LPARAM owner) { return owner == kTraceB; }), 2);
    EXPECT_EQ(events.GetEventCount(), 1);
    EXPECT_TRUE(events.EventExists(EVENT_MIN_LIMIT_BREACHED, kTraceB));
    EXPECT_EQ(events.VerifyTraceEvents(nullptr), 0);
}

TEST(AppEventManager, DetailsAreUpdatableOnlyForAnExistingEvent)
{
    CEventManager events;
    AddLimitEvent(events, 422, kTraceA);
    SEventDetails details, reread;
    ASSERT_TRUE(events.GetEventDetails(422, kTraceA, details));
    details.bEnabled = 0;
    EXPECT_TRUE(events.UpdateEvent(details) && events.GetEventDetails(422, kTraceA, reread));
    EXPECT_EQ(std::make_tuple(reread.sText, reread.bEnabled, reread.iAction), std::make_tuple(CString(L"limit"), 0, -1));
    details.lParam = kTraceB; // no such event
    EXPECT_FALSE(events.UpdateEvent(details) || events.GetEventDetails(421, kTraceA, reread));
}

TEST(AppEventManager, UpdateEventlParamMovesTheEventToTheNewOwner)
{
    CEventManager events;
    AddLimitEvent(events, 421, kTraceA);
    AddLimitEvent(events, 421, kTraceB);
    EXPECT_TRUE(events.UpdateEventlParam(421, kTraceA, kTraceB));
    EXPECT_FALSE(events.EventExists(421, kTraceA));
    EXPECT_TRUE(events.EventExists(421, kTraceB));
    EXPECT_EQ(events.GetEventCount(), 1); // the old event of the new owner gave way
    EXPECT_FALSE(events.UpdateEventlParam(421, kTraceA, kTraceB));
}

TEST(AppEventManager, OnEventRecordsEveryCallAndTellsWhetherRegistered)
{
    CEventManager events;
    AddLimitEvent(events, 421, kTraceA);
    int handled = 0;
    events.SetFireHandler([&](const SFiredEvent&) { ++handled; });
    EXPECT_TRUE(events.OnEvent(421, kTraceA, 1, 2));
    EXPECT_FALSE(events.OnEvent(422, kTraceA, 1, 2));
    EXPECT_EQ(events.GetFiredEvents(),
              (std::vector<SFiredEvent>{{421, kTraceA, 1, 2}, {422, kTraceA, 1, 2}}));
    EXPECT_EQ(handled, 2);

    SEventDetails details;
    events.GetEventDetails(421, kTraceA, details);
    details.bEnabled = 0;
    events.UpdateEvent(details);
    EXPECT_FALSE(events.OnEvent(421, kTraceA, 1, 2)); // disabled
    events.ClearFiredEvents();
    EXPECT_TRUE(events.GetFiredEvents().empty());
}
