#pragma once

#include "formsettings.h"
#include "packagesettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Plain descriptions of package records for the package writer. Bytes are
// given plain; the writer scrambles, compresses and enciphers them.

using ByteVector = std::vector<unsigned char>;

struct FileContent {
    int32_t fileVersion = 1;
    ByteVector bytes;
};

struct ValueContent {
    // 1: stored enciphered; any other kind: stored as a string.
    int32_t storageKind = 1;
    std::wstring text;
    // Kind 1 only: store these bytes as the enciphered value instead of the
    // enciphered text (for damaged values).
    std::optional<ByteVector> storedBytes;
};

// A compressed image block. An empty image and no stream give an absent block.
struct ImageContent {
    ByteVector image;
    // Stored (before scrambling) in place of the compressed image.
    std::optional<ByteVector> stream;
    // Recorded in place of the true lengths.
    std::optional<int32_t> storedLength;
    std::optional<int32_t> expandedLength;
};

// A reserved block: length, a second number, the bytes as given.
struct RawBlockContent {
    int32_t secondNumber = 0;
    ByteVector bytes;
};

struct FormContent {
    int32_t version = 14;
    FormSettings settings;
    ByteVector movie;
    ImageContent mask;
    ByteVector secondMovie;
    ByteVector reservedBlock;
    // The plain key block (PEM text). When it is not empty the movie is
    // stored exactly as given, as EncipherMovie made it.
    ByteVector keyBlock;
};

using NamedValue = std::pair<std::wstring, ValueContent>;
using NamedFile = std::pair<std::wstring, FileContent>;

struct PackageContent {
    int32_t version = 14;
    PackageSettings settings;
    std::vector<FormContent> forms;
    std::vector<FileContent> embeddedFiles;
    std::vector<NamedValue> secureVariables;
    std::vector<NamedFile> libraryFiles;
    std::vector<ValueContent> reservedValues;
    ImageContent splash;
    ImageContent tray;
    std::vector<NamedValue> globalVariables;
    RawBlockContent reservedBlock1;
    RawBlockContent reservedBlock2;
};
