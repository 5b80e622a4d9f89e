#include "binresource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LoadBinResource, ReturnsTheBytesOfAnEmbeddedResource)
{
    const std::uint8_t* bytes = nullptr;
    std::uint32_t size = 0;
    ASSERT_TRUE(LoadBinResource(101, bytes, size));
    EXPECT_EQ("embedded payload\n", std::string(reinterpret_cast<const char*>(bytes), size));
}

TEST(LoadBinResource, ReportsMissingAndEmptyResources)
{
    for (std::uint16_t id : {102, 103}) {
        const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>("stale");
        std::uint32_t size = 5;
        EXPECT_FALSE(LoadBinResource(id, bytes, size)) << id;
        EXPECT_EQ(nullptr, bytes) << id;
        EXPECT_EQ(0u, size) << id;
    }
}

} // namespace
