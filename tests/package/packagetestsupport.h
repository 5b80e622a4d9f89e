#pragma once

#include "packagecontent.h"

#include <string>

class CPackage;

// Reads the bytes with CPackage::Read from memory, as the runtime does; the
// same bytes read from a scratch file as a stream must give the same result.
bool ReadPackageBytes(const ByteVector& bytes, CPackage& package);
// Writes an executable image to a scratch file and loads it as the runtime
// does (marker scan, then the package).
bool LoadExecutableImage(const ByteVector& image, CPackage& package);
// Path of a scratch file holding the bytes (the same file on every call).
std::wstring WriteScratchFile(const ByteVector& bytes);

ByteVector Pattern(size_t length, unsigned seed);

// An unprotected PEM private key of that many bits, made once per run.
const std::string& RsaKeyPem(int bits);

// The same key as a PEM text enciphered with the pass phrase.
std::string EncipheredPem(const std::string& pem, const std::string& passPhrase);

// Content with every field of the given version set to something other than
// its initial value.
FormContent FullForm(int32_t version);
PackageContent FullPackage(int32_t version);

ByteVector WritePackage(const PackageContent& content);
