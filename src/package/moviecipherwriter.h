#pragma once

#include "packagecontent.h"

#include <string>

// Enciphers a movie for a form definition whose key block is the PEM text
// `pemKey` (an unprotected RSA private key): the Base64 text of the movie is
// cut into pieces of c - 42 bytes (c the modulus size, the last piece padded
// with "="); piece k goes RSA-OAEP when k is a multiple of 48 and otherwise,
// followed by 42 filler bytes, through the little-endian Blowfish. A
// non-negative `corruptChunk` flips one byte of that chunk afterwards.
// False when the key cannot be read or its size does not suit the format.
bool EncipherMovie(const ByteVector& movie, const std::string& pemKey, ByteVector& stored, int corruptChunk = -1);
