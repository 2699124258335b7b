#pragma once

#include <string>

#include "server/database/wildcard_match.h"

struct sqlite3;

namespace kt {

// What the functions of a host's search ask of the search they run in: keepGoing() is false
// once the search has run out of time.
class SearchGuard : public MatchDeadline {
public:
    // Records why the search cannot go on; the call then fails.
    virtual void refuse(std::string reason) = 0;
};

// Puts the search's own versions of the engine's functions whose one call could run without
// bound in their place on a connection that runs only searches: LIKE and GLOB match as the
// engine's do but stop when the guard says time is up, and refuse a pattern longer than the
// connection's pattern limit; trim, ltrim and rtrim with a second argument (the characters to
// take off, worked through once per character of the text) are refused. The guard must
// outlive the connection.
void installSearchFunctions(sqlite3* connection, SearchGuard& guard);

}  // namespace kt
