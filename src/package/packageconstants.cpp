#include "packageconstants.h"

namespace PackageConstants {

const unsigned char kMovie = 0x5B;
const unsigned char kEmbeddedFile = 0xA7;
const unsigned char kSplash = 0x3C;
const unsigned char kTray = 0xD2;
const unsigned char kKeyBlock = 0x71;
const unsigned char kString = 0x8E;

std::string PassPhrase()
{
    return "kova-pkg-phrase17";
}

std::array<unsigned char, 8> PackageMagic()
{
    // The marker bytes, each XORed with a mask that is read through a
    // volatile object: the compiler cannot fold the two into the plain marker.
    static const unsigned char masked[8] = {0x4E, 0x53, 0x49, 0x13, 0x13, 0x49, 0x53, 0x4E};
    static volatile unsigned char mask = 0x5A;
    std::array<unsigned char, 8> magic{};
    for (size_t i = 0; i < magic.size(); ++i)
        magic[i] = static_cast<unsigned char>(masked[i] ^ mask);
    return magic;
}

} // namespace PackageConstants
