#pragma once
// The game's hooks for tests (platform/test_hooks.h tells how hooks work).

// Routes (game/route.cpp): shows the message of a route that does not fit
// into the road; the default writes it to standard error.
using RouteMessageHook = void (*)(const char* caption, const char* text);
void setRouteMessageHook(RouteMessageHook hook);

// A fresh attempt, bee, training markers and no level list.
void ResetGameForTests();
