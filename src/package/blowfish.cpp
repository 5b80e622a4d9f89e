// The low-level Blowfish calls are deprecated in OpenSSL 3 in favour of EVP,
// where Blowfish lives in the legacy provider that static builds may lack.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "blowfish.h"

#include <openssl/blowfish.h>
#include <openssl/crypto.h>

namespace Tev {
namespace Encryption {

namespace {

BF_LONG LoadLittleEndian(const unsigned char* bytes)
{
    return static_cast<BF_LONG>(bytes[0]) | static_cast<BF_LONG>(bytes[1]) << 8
        | static_cast<BF_LONG>(bytes[2]) << 16 | static_cast<BF_LONG>(bytes[3]) << 24;
}

void StoreLittleEndian(BF_LONG word, unsigned char* bytes)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(word >> (8 * i));
}

} // namespace

struct Blowfish::Schedule {
    BF_KEY key;
};

Blowfish::Blowfish() : m_schedule(new Schedule())
{
}

Blowfish::~Blowfish()
{
    Reset();
}

bool Blowfish::SetKey(const std::string& key)
{
    Reset();
    const std::string text = key.substr(0, key.find('\0'));
    if (text.empty())
        return false;
    BF_set_key(&m_schedule->key, static_cast<int>(text.size()),
               reinterpret_cast<const unsigned char*>(text.data()));
    m_hasKey = true;
    return true;
}

void Blowfish::Reset()
{
    OPENSSL_cleanse(&m_schedule->key, sizeof m_schedule->key);
    m_hasKey = false;
}

void Blowfish::EncryptBlock(unsigned char* block) const
{
    if (!m_hasKey)
        return;
    BF_LONG words[2] = {LoadLittleEndian(block), LoadLittleEndian(block + 4)};
    BF_encrypt(words, &m_schedule->key);
    StoreLittleEndian(words[0], block);
    StoreLittleEndian(words[1], block + 4);
}

void Blowfish::DecryptBlock(unsigned char* block) const
{
    if (!m_hasKey)
        return;
    BF_LONG words[2] = {LoadLittleEndian(block), LoadLittleEndian(block + 4)};
    BF_decrypt(words, &m_schedule->key);
    StoreLittleEndian(words[0], block);
    StoreLittleEndian(words[1], block + 4);
}

} // namespace Encryption
} // namespace Tev
