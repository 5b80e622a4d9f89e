// The low-level Blowfish calls are deprecated in OpenSSL 3 in favour of EVP,
// where Blowfish lives in the legacy provider that static builds may lack.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "bigendianblowfish.h"

#include <openssl/blowfish.h>
#include <openssl/crypto.h>

struct BigEndianBlowfish::Schedule {
    BF_KEY key;
};

BigEndianBlowfish::BigEndianBlowfish() : m_schedule(new Schedule())
{
}

BigEndianBlowfish::~BigEndianBlowfish()
{
    Reset();
}

void BigEndianBlowfish::SetKey(const unsigned char* key, size_t length)
{
    BF_set_key(&m_schedule->key, static_cast<int>(length), key);
    m_hasKey = true;
}

void BigEndianBlowfish::Reset()
{
    OPENSSL_cleanse(&m_schedule->key, sizeof m_schedule->key);
    m_hasKey = false;
}

void BigEndianBlowfish::EncryptCbc(unsigned char* data, size_t length)
{
    unsigned char vector[BF_BLOCK] = {};
    BF_cbc_encrypt(data, data, static_cast<long>(length), &m_schedule->key, vector, BF_ENCRYPT);
}

void BigEndianBlowfish::DecryptCbc(unsigned char* data, size_t length)
{
    unsigned char vector[BF_BLOCK] = {};
    BF_cbc_encrypt(data, data, static_cast<long>(length), &m_schedule->key, vector, BF_DECRYPT);
}
