#pragma once

#include <cstddef>

// Position-dependent XOR over stored package data. Each operation is its
// own inverse: scrambling and descrambling are the same call.

// The value XORed into byte `position` of a run of `length` bytes.
unsigned char ScrambleKeyByte(size_t position, size_t length, unsigned char constant);

// Byte i of a run of `length` bytes is XORed with the low 8 bits of
// i * 33 + length + constant.
void ScrambleRun(unsigned char* data, size_t length, unsigned char constant);

// Bytes offset to offset + count - 1 of a run of `length` bytes, scrambled
// (or descrambled) from `from` into `to`; the two may be the same array but
// must not otherwise overlap.
void ScrambleCopy(const unsigned char* from, unsigned char* to, size_t offset, size_t count, size_t length,
                  unsigned char constant);

// Strings: every whole 512-byte block b has only its byte b XORed (with
// b * 33 + constant); every byte j of the tail of T bytes is XORed with
// j * 33 + T + constant.
void ScrambleString(unsigned char* data, size_t length, unsigned char constant);
