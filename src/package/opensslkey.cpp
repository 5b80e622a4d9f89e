#include "opensslkey.h"

#include <openssl/bio.h>
#include <openssl/pem.h>

#include <climits>

namespace {

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};

// Key blocks carry no pass phrase. Without this callback OpenSSL would ask
// for one on the console and wait for an answer.
int RefusePassPhrase(char*, int, int, void*)
{
    return -1;
}

} // namespace

PkeyPointer ReadRsaPrivateKey(const void* pem, size_t length)
{
    if (length > INT_MAX)
        return nullptr;
    std::unique_ptr<BIO, BioFree> bio(BIO_new_mem_buf(pem, static_cast<int>(length)));
    if (!bio)
        return nullptr;
    PkeyPointer key(PEM_read_bio_PrivateKey(bio.get(), nullptr, RefusePassPhrase, nullptr));
    if (!key || EVP_PKEY_get_base_id(key.get()) != EVP_PKEY_RSA)
        return nullptr;
    return key;
}
