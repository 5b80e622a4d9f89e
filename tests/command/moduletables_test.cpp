// The DX9 module's table as movies know it: names, counts and fallbacks, in
// registration order (the other modules pin theirs in their own tests).
#include "modulelist.h"
#include "nxadx9.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

namespace {

TEST(ModuleTables, DX9)
{
    ScopedCommandCentre centre{BuiltInModules()};
    ASSERT_TRUE(centre.Initialised());
    ExpectPinnedTable(nxaDX9::Frame::Descriptor(), {
                                            {"nxa.DX9.create", kAnyArgCount, "-1"},
                                            {"nxa.DX9.enable", 3, "false"},
                                            {"nxa.DX9.disable", 1, "0"},
                                            {"nxa.DX9.enumerateModes", 1, "[]"},
                                        });
}

} // namespace
