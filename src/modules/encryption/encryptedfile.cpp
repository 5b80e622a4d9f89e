#include "encryptedfile.h"

#include "encryption2.h"
#include "stagedfile.h"
#include "streamint32.h"

#include <wx/file.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

const wxFileOffset kHeaderSize = 8;
// Whole blocks read and written at a time.
const size_t kChunkSize = 64 * 1024;
// The temporary file's name begins with this.
const wxString kTemporaryPrefix = wxS("nxa_enc");

enum class Direction { Encipher, Decipher };

wxFileOffset RoundUpToBlocks(wxFileOffset length)
{
    return (length + Encryption2::kBlockSize - 1) / Encryption2::kBlockSize * Encryption2::kBlockSize;
}

// Checks the arguments, keys the cipher and opens the source.
bool OpenSource(Encryption2& cipher, const std::string& key, const wxString& source, const wxString& destination,
                wxFile& in)
{
    return !source.empty() && !destination.empty() && cipher.SetKey(key) && in.Open(source, wxFile::read);
}

// Moves `plainLength` plain bytes between the files, in blocks that are each
// enciphered or deciphered from the zero vector. Enciphering reads the plain
// bytes and writes whole blocks; deciphering reads whole blocks and writes
// only the plain bytes of the last one.
bool TransformBlocks(Encryption2& cipher, Direction direction, wxFile& in, wxFile& out, wxFileOffset plainLength)
{
    std::vector<unsigned char> buffer(kChunkSize);
    for (wxFileOffset remaining = plainLength; remaining > 0;) {
        const size_t plainBytes = static_cast<size_t>(std::min<wxFileOffset>(remaining, kChunkSize));
        const size_t blockBytes = static_cast<size_t>(RoundUpToBlocks(plainBytes));
        std::fill(buffer.begin(), buffer.begin() + blockBytes, 0);
        const size_t readBytes = direction == Direction::Encipher ? plainBytes : blockBytes;
        if (in.Read(buffer.data(), readBytes) != static_cast<ssize_t>(readBytes))
            return false;
        for (size_t offset = 0; offset < blockBytes; offset += Encryption2::kBlockSize) {
            unsigned char* block = buffer.data() + offset;
            const int status = direction == Direction::Encipher ? cipher.Encrypt(Encryption2::kBlockSize, block)
                                                                : cipher.Decrypt(Encryption2::kBlockSize, block);
            if (status != 0)
                return false;
        }
        const size_t writeBytes = direction == Direction::Encipher ? blockBytes : plainBytes;
        if (out.Write(buffer.data(), writeBytes) != writeBytes)
            return false;
        remaining -= static_cast<wxFileOffset>(plainBytes);
    }
    return true;
}

// Writes the header (when enciphering) and the blocks into a temporary file,
// then copies that over the destination.
bool WriteThroughStagedFile(Encryption2& cipher, Direction direction, wxFile& in, wxFileOffset plainLength,
                            const wxString& destination)
{
    StagedFile staged(kTemporaryPrefix);
    if (!staged.IsOpened())
        return false;
    if (direction == Direction::Encipher &&
        (!StreamWriteInt32(static_cast<int32_t>(static_cast<uint32_t>(plainLength)), staged.File()) ||
         !StreamWriteInt32(0, staged.File())))
        return false;
    if (!TransformBlocks(cipher, direction, in, staged.File(), plainLength))
        return false;
    in.Close();
    return staged.Commit(destination);
}

} // namespace

bool EncryptedFile::Encrypt(const std::string& key, const wxString& source, const wxString& destination)
{
    Encryption2 cipher; // forgets the key when it goes
    wxFile in;
    if (!OpenSource(cipher, key, source, destination, in))
        return false;
    const wxFileOffset length = in.Length();
    if (length < 0 || length > wxFileOffset(UINT32_MAX))
        return false;
    return WriteThroughStagedFile(cipher, Direction::Encipher, in, length, destination);
}

bool EncryptedFile::Decrypt(const std::string& key, const wxString& source, const wxString& destination)
{
    Encryption2 cipher; // forgets the key when it goes
    wxFile in;
    if (!OpenSource(cipher, key, source, destination, in))
        return false;
    int32_t storedLength = 0;
    int32_t reserved = 0;
    if (!StreamReadInt32(in, storedLength) || !StreamReadInt32(in, reserved))
        return false;
    const wxFileOffset length = static_cast<uint32_t>(storedLength);
    if (in.Length() != kHeaderSize + RoundUpToBlocks(length))
        return false;
    return WriteThroughStagedFile(cipher, Direction::Decipher, in, length, destination);
}
