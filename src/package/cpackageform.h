#pragma once

#include "byteblock.h"
#include "compressedblock.h"
#include "formsettings.h"

#include <cstdint>
#include <memory>
#include <string>

class PackageReader;

// One form definition: its settings and its stored movie, mask, second
// movie, reserved block and key block.
class CPackageForm {
public:
    CPackageForm() = default;
    // A definition made at run time from its settings, with no movie yet
    // (see LoadMovieFile).
    explicit CPackageForm(const FormSettings& settings) : m_settings(settings) {}
    virtual ~CPackageForm();

    bool Read(PackageReader& reader);

    // The playable movie, scrambled or enciphered in the package. False when
    // an enciphered movie cannot be deciphered.
    bool GetMovie(int32_t& length, std::unique_ptr<unsigned char[]>& bytes) const;
    // The stored block of the movie that plays when it needs no deciphering:
    // the second movie when preferred and present, else the main movie when
    // it has no key block; null when the movie is enciphered (see GetMovie).
    // Its bytes descramble with PackageConstants::kMovie.
    const ByteBlock* PlainMovieBlock(bool preferSecond) const;
    // The second movie; false when there is none.
    bool GetUnencryptedMovie(int32_t& length, std::unique_ptr<unsigned char[]>& bytes) const;
    bool GetMaskImage(std::unique_ptr<unsigned char[]>& bytes, int32_t& length) const;
    // Makes the file the definition's movie (a plain one: any key block is
    // dropped), so GetMovie returns the file unchanged.
    bool LoadMovieFile(const std::wstring& path);

    // The Flash version of the movie: the stored version field for an
    // enciphered movie, else byte 3 of the movie; 0 when it has fewer bytes.
    int32_t MovieVersion() const;
    bool IsEnciphered() const { return m_keyBlock.Present(); }

    const FormSettings& Settings() const { return m_settings; }
    const CompressedBlock& MaskBlock() const { return m_mask; }
    const ByteBlock& ReservedBlock() const { return m_reservedBlock; }

private:
    bool ReadBaseFields(PackageReader& reader);
    bool ReadVersionedFields(PackageReader& reader, int32_t version);

    FormSettings m_settings;
    ByteBlock m_movie;
    CompressedBlock m_mask;
    ByteBlock m_secondMovie;
    ByteBlock m_reservedBlock;
    ByteBlock m_keyBlock;
};
