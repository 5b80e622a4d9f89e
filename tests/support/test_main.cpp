#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
#ifndef _WIN32
    // Wide paths and multibyte text convert through the locale; tests use
    // non-ASCII names.
    std::setlocale(LC_ALL, "C.UTF-8");
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
