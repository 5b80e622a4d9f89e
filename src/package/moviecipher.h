#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Enciphered movies. The key block (descrambled) is the PEM text of an RSA
// private key; its bytes 48 to 79, up to the first zero, are the key of the
// little-endian Blowfish. The stored movie is split into chunks of the RSA
// modulus size c: chunk k is RSA-OAEP when k is a multiple of 48, otherwise
// c / 8 Blowfish blocks of which the first c - 42 bytes count. The kept bytes
// together are the Base64 text of the movie.
namespace MovieCipher {

const size_t kKeyBlockMinimum = 80;
const size_t kBlowfishKeyOffset = 48;
const size_t kBlowfishKeyMaximum = 32;
const size_t kRsaChunkInterval = 48;
const size_t kChunkOverhead = 42;

// The Blowfish key text carried inside a descrambled key block.
std::string BlowfishKeyFromKeyBlock(const unsigned char* keyBlock, size_t length);

// Fills `movie` with `storedLength` bytes: the decoded movie followed by
// zeros. False when the key block is short, holds no usable RSA key or an
// empty Blowfish key, the modulus size is unusable, or a chunk does not
// decrypt. The chunks are independent: a large movie is deciphered on up to
// `workers` threads (0: as many as the machine has cores, for movies large
// enough to pay for them); the result does not depend on their number.
bool Decipher(const unsigned char* stored, int32_t storedLength,
              const unsigned char* keyBlock, size_t keyBlockLength,
              std::unique_ptr<unsigned char[]>& movie, size_t workers = 0);

} // namespace MovieCipher
