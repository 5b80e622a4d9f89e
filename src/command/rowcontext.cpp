#include "rowcontext.h"

#include "commandargs.h"

#include <json-c/json.h>

namespace {

thread_local const RowRule* t_currentRule = nullptr;

} // namespace

json_object* FallbackValue(const RowRule* rule)
{
    return rule && rule->fallback ? json_tokener_parse(rule->fallback) : nullptr;
}

std::string FallbackJson(const RowRule* rule)
{
    json_object* value = FallbackValue(rule);
    const std::string text = ToJsonText(value);
    json_object_put(value);
    return text;
}

json_object* RowFallback()
{
    return FallbackValue(t_currentRule);
}

CurrentRowScope::CurrentRowScope(const RowRule* rule) : m_previous(t_currentRule)
{
    t_currentRule = rule;
}

CurrentRowScope::~CurrentRowScope()
{
    t_currentRule = m_previous;
}
