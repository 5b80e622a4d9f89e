#pragma once

#include "rowrule.h"

#include <string>

struct json_object;

// The rule of the row whose handler runs on this thread, so that the shared
// helpers (ObjectRows) can answer the row's declared fallback without every
// handler spelling it out.

// A new JSON value of the current row's fallback; null ("null") when the row
// declares none or no row runs on this thread.
json_object* RowFallback();

// The rule's fallback as a new JSON value; null ("null") when the rule or its
// fallback is missing or is not JSON.
json_object* FallbackValue(const RowRule* rule);
// The fallback as json-c writes it ("[ ]" for "[]"), so a wrong count and an
// unknown object answer the same text; "null" when there is none.
std::string FallbackJson(const RowRule* rule);

// Makes a rule the current one on this thread for as long as it lives; the
// command centre sets one around every handler. Nests (a handler that pumps
// messages may run another command inside).
class CurrentRowScope {
public:
    explicit CurrentRowScope(const RowRule* rule);
    ~CurrentRowScope();
    CurrentRowScope(const CurrentRowScope&) = delete;
    CurrentRowScope& operator=(const CurrentRowScope&) = delete;

private:
    const RowRule* m_previous;
};
