#include "cpackageform.h"

#include "moviecipher.h"
#include "packageconstants.h"
#include "packagereader.h"
#include "scrambling.h"
#include "wholefile.h"

#include <climits>

namespace {

const size_t kVersionByteOffset = 3;

} // namespace

CPackageForm::~CPackageForm() = default;

bool CPackageForm::Read(PackageReader& reader)
{
    m_movie.Clear();
    m_mask = CompressedBlock();
    m_secondMovie.Clear();
    m_reservedBlock.Clear();
    m_keyBlock.Clear();
    int32_t version = 0;
    return reader.ReadInt32(version) && ReadBaseFields(reader) && ReadVersionedFields(reader, version);
}

bool CPackageForm::ReadBaseFields(PackageReader& reader)
{
    FormSettings& s = m_settings;
    return reader.ReadString(s.name) && reader.ReadBool(s.centre) && reader.ReadInt32(s.x)
        && reader.ReadInt32(s.y) && reader.ReadInt32(s.sizeUnit) && reader.ReadInt32(s.width)
        && reader.ReadInt32(s.height) && reader.ReadInt32(s.windowType) && reader.ReadInt32(s.frameKind)
        && reader.ReadBool(s.maximizeBox) && reader.ReadBool(s.minimizeBox) && reader.ReadBool(s.closeBox)
        && reader.ReadInt32(s.initialState) && reader.ReadBool(s.scale) && reader.ReadBool(s.keepAspect)
        && reader.ReadBool(s.visible) && reader.ReadBool(s.stayOnTop) && reader.ReadInt32(s.reservedNumber1)
        && reader.ReadInt32(s.reservedNumber2) && reader.ReadInt32(s.fadeTarget)
        && reader.ReadInt32(s.fadeInterval) && reader.ReadInt32(s.reservedNumber3)
        && reader.ReadInt32(s.fadeOutOnClose) && reader.ReadString(s.reservedText)
        && reader.ReadBool(s.escapeCloses) && reader.ReadBool(s.altF4Allowed) && m_movie.Read(reader);
}

bool CPackageForm::ReadVersionedFields(PackageReader& reader, int32_t version)
{
    FormSettings& s = m_settings;
    if (version >= 2 && !m_mask.Read(reader))
        return false;
    if (version >= 3 && !reader.ReadInt32(s.backgroundColour))
        return false;
    if (version >= 4 && !reader.ReadBool(s.noCaption))
        return false;
    if (version >= 5 && !(reader.ReadInt32(s.leftButtonMode) && reader.ReadInt32(s.middleButtonMode)
                          && reader.ReadInt32(s.rightButtonMode)))
        return false;
    if (version >= 6 && !reader.ReadString(s.title))
        return false;
    if (version >= 7 && !reader.ReadInt32(s.positionUnit))
        return false;
    if (version >= 8 && !(m_secondMovie.Read(reader) && m_reservedBlock.Read(reader)))
        return false;
    if (version >= 9 && !(reader.ReadBool(s.reservedFlag) && reader.ReadInt32(s.reservedNumber4)))
        return false;
    if (version >= 10 && !(reader.ReadInt32(s.reservedNumber5) && reader.ReadInt32(s.reservedNumber6)))
        return false;
    if (version >= 11 && !m_keyBlock.Read(reader))
        return false;
    if (version >= 12 && !reader.ReadInt32(s.movieVersion))
        return false;
    return version < 14 || reader.ReadBool(s.direct);
}

bool CPackageForm::GetMovie(int32_t& length, std::unique_ptr<unsigned char[]>& bytes) const
{
    if (!m_keyBlock.Present()) {
        if (!m_movie.CopyDescrambled(PackageConstants::kMovie, bytes))
            return false;
        length = m_movie.Length();
        return true;
    }
    std::unique_ptr<unsigned char[]> keyText;
    if (!m_keyBlock.CopyDescrambled(PackageConstants::kKeyBlock, keyText))
        return false;
    std::unique_ptr<unsigned char[]> movie;
    if (!MovieCipher::Decipher(m_movie.Bytes(), m_movie.Length(), keyText.get(),
                               static_cast<size_t>(m_keyBlock.Length()), movie))
        return false;
    bytes = std::move(movie);
    length = m_movie.Length();
    return true;
}

const ByteBlock* CPackageForm::PlainMovieBlock(bool preferSecond) const
{
    if (preferSecond && m_secondMovie.Present())
        return &m_secondMovie;
    return m_keyBlock.Present() ? nullptr : &m_movie;
}

bool CPackageForm::GetUnencryptedMovie(int32_t& length, std::unique_ptr<unsigned char[]>& bytes) const
{
    bytes.reset();
    if (!m_secondMovie.Present() || !m_secondMovie.CopyDescrambled(PackageConstants::kMovie, bytes))
        return false;
    length = m_secondMovie.Length();
    return true;
}

bool CPackageForm::GetMaskImage(std::unique_ptr<unsigned char[]>& bytes, int32_t& length) const
{
    return m_mask.Expand(PackageConstants::kMovie, bytes, length);
}

bool CPackageForm::LoadMovieFile(const std::wstring& path)
{
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    if (!ReadWholeFile(path, bytes, length) || length > INT32_MAX)
        return false;
    ScrambleRun(bytes.get(), static_cast<size_t>(length), PackageConstants::kMovie);
    m_movie.Assign(std::move(bytes), static_cast<int32_t>(length));
    m_keyBlock.Clear();
    return true;
}

int32_t CPackageForm::MovieVersion() const
{
    if (m_keyBlock.Present())
        return m_settings.movieVersion;
    if (static_cast<size_t>(m_movie.Length()) <= kVersionByteOffset)
        return 0;
    return m_movie.Bytes()[kVersionByteOffset]
        ^ ScrambleKeyByte(kVersionByteOffset, static_cast<size_t>(m_movie.Length()), PackageConstants::kMovie);
}
