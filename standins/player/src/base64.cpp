#include "base64.h"

namespace standin {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

std::string Base64Encode(const std::string& bytes)
{
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned group = (unsigned char)bytes[i] << 16 | (unsigned char)bytes[i + 1] << 8 | (unsigned char)bytes[i + 2];
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += kAlphabet[group >> 6 & 63];
        text += kAlphabet[group & 63];
    }
    size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned group = (unsigned char)bytes[i] << 16;
        if (rest == 2)
            group |= (unsigned char)bytes[i + 1] << 8;
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += rest == 2 ? kAlphabet[group >> 6 & 63] : '=';
        text += '=';
    }
    return text;
}

bool Base64Decode(const std::string& text, std::string& bytes)
{
    bytes.clear();
    unsigned group = 0;
    int bits = 0;
    for (char c : text) {
        if (c == '=')
            break;
        int sextet = SextetOf(c);
        if (sextet < 0)
            return false;
        group = group << 6 | unsigned(sextet);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes += char(group >> bits & 0xFF);
        }
    }
    // Whole groups leave 0, 2 or 4 spare bits; 6 means a lone character.
    return bits != 6;
}

} // namespace standin
