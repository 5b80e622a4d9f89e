#include "pinnedtable.h"

#include "rowcontext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string CanonicalJson(const char* text)
{
    const RowRule rule{kAnyArgCount, text, kAnyThread};
    return FallbackJson(&rule);
}

} // namespace

void ExpectPinnedTable(const ModuleDescriptor& module, const std::vector<PinnedRow>& pinned)
{
    ASSERT_NE(nullptr, module.rules) << "the module is not initialised";
    EXPECT_EQ(pinned.size(), static_cast<size_t>(module.rowCount));
    const size_t common = std::min(pinned.size(), static_cast<size_t>(module.rowCount));
    for (size_t index = 0; index < common; ++index) {
        const PinnedRow& expected = pinned[index];
        const RowRule& rule = module.rules[index];
        SCOPED_TRACE(expected.name);
        EXPECT_STREQ(expected.name, module.rows[index].name) << "row " << index;
        EXPECT_EQ(expected.argc, rule.argc);
        EXPECT_EQ(CanonicalJson(expected.fallback), FallbackJson(&rule));
    }
    for (size_t index = common; index < static_cast<size_t>(module.rowCount); ++index)
        ADD_FAILURE() << "row not pinned: " << module.rows[index].name;
    for (size_t index = common; index < pinned.size(); ++index)
        ADD_FAILURE() << "row not registered: " << pinned[index].name;
}
