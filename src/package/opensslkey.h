#pragma once

#include <openssl/evp.h>

#include <cstddef>
#include <memory>

// Owning handles for OpenSSL key objects.
struct PkeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct PkeyContextFree {
    void operator()(EVP_PKEY_CTX* context) const { EVP_PKEY_CTX_free(context); }
};
using PkeyPointer = std::unique_ptr<EVP_PKEY, PkeyFree>;
using PkeyContextPointer = std::unique_ptr<EVP_PKEY_CTX, PkeyContextFree>;

// Reads a PEM private key from memory; null when it is not an RSA key or is
// enciphered (nothing asks for a pass phrase).
PkeyPointer ReadRsaPrivateKey(const void* pem, size_t length);
