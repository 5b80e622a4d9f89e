#include "opensslkey.h"

#include <openssl/bio.h>
#include <openssl/pem.h>

#include <climits>

namespace {

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};

} // namespace

PkeyPointer ReadRsaPrivateKey(const void* pem, size_t length)
{
    if (length > INT_MAX)
        return nullptr;
    std::unique_ptr<BIO, BioFree> bio(BIO_new_mem_buf(pem, static_cast<int>(length)));
    if (!bio)
        return nullptr;
    PkeyPointer key(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr));
    if (!key || EVP_PKEY_get_base_id(key.get()) != EVP_PKEY_RSA)
        return nullptr;
    return key;
}
