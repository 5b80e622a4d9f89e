#include "cpackage.h"

#include "cencryptedstring.h"
#include "cpackagebinary.h"
#include "cpackageform.h"
#include "packageconstants.h"
#include "packagereader.h"

namespace {

// Reads `count` records of type T, appending each that reads; a record that
// fails is dropped and ends the read.
template <typename T>
bool ReadRecords(PackageReader& reader, std::vector<std::unique_ptr<T>>& list)
{
    int32_t count = 0;
    if (!reader.ReadInt32(count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        std::unique_ptr<T> record(new T());
        if (!record->Read(reader))
            return false;
        list.push_back(std::move(record));
    }
    return true;
}

// Name and value pairs. The name is read into one working text that is only
// emptied before the first pair, so a pair stored without a name takes the
// name of the pair before it; a repeated name replaces the earlier value.
template <typename T>
bool ReadNamedRecords(PackageReader& reader, std::map<std::wstring, std::unique_ptr<T>>& map)
{
    int32_t count = 0;
    if (!reader.ReadInt32(count))
        return false;
    std::wstring name;
    for (int32_t i = 0; i < count; ++i) {
        std::unique_ptr<T> record(new T());
        if (!reader.ReadString(name) || !record->Read(reader))
            return false;
        map[name] = std::move(record);
    }
    return true;
}

template <typename Map>
typename Map::mapped_type::pointer FindIn(const Map& map, const std::wstring& name)
{
    const auto found = map.find(name);
    return found == map.end() ? nullptr : found->second.get();
}

} // namespace

CPackage::CPackage() = default;
CPackage::~CPackage() = default;

bool CPackage::Read(PackageReader& reader)
{
    int32_t version = 0;
    if (!reader.ReadInt32(version) || !ReadBaseFields(reader) || !ReadRecords(reader, m_forms))
        return false;
    if (version >= 2 && !ReadRecords(reader, m_embeddedFiles))
        return false;
    if (version >= 3 && !ReadNamedRecords(reader, m_secureVariables))
        return false;
    if (version >= 4 && !ReadNamedRecords(reader, m_libraryFiles))
        return false;
    if (version >= 5 && !(ReadRecords(reader, m_reservedValues) && ReadVersion5Fields(reader)))
        return false;
    if (version >= 6 && !m_splashBlock.Read(reader))
        return false;
    if (version >= 7 && !reader.ReadString(m_settings.password))
        return false;
    if (version >= 8 && !m_trayBlock.Read(reader))
        return false;
    if (version >= 9 && !ReadNamedRecords(reader, m_globalVariables))
        return false;
    if (version >= 10 && !ReadReservedTexts(reader))
        return false;
    if (version >= 11 && !reader.ReadBool(m_settings.reservedFlag2))
        return false;
    if (version >= 12 && !m_reservedBlock1.Read(reader))
        return false;
    return version < 14 || m_reservedBlock2.Read(reader);
}

bool CPackage::ReadBaseFields(PackageReader& reader)
{
    PackageSettings& s = m_settings;
    return reader.ReadInt32(s.mode) && reader.ReadString(s.reservedText1) && reader.ReadString(s.reservedText2)
        && reader.ReadBool(s.trayIcon) && reader.ReadBool(s.showInTaskbar) && reader.ReadBool(s.splash)
        && reader.ReadString(s.reservedText3) && reader.ReadInt32(s.reservedNumber1)
        && reader.ReadInt32(s.reservedNumber2) && reader.ReadInt32(s.splashTime);
}

bool CPackage::ReadVersion5Fields(PackageReader& reader)
{
    PackageSettings& s = m_settings;
    return reader.ReadInt32(s.reservedNumber3) && reader.ReadInt32(s.reservedNumber4)
        && reader.ReadInt32(s.reservedNumber5) && reader.ReadInt32(s.reservedNumber6)
        && reader.ReadBool(s.reservedFlag1) && reader.ReadString(s.reservedText4)
        && reader.ReadBool(s.passwordRequired) && reader.ReadInt32(s.reservedNumber7);
}

bool CPackage::ReadReservedTexts(PackageReader& reader)
{
    for (std::wstring& text : m_settings.reservedTexts) {
        if (!reader.ReadString(text))
            return false;
    }
    return true;
}

CPackageBinary* CPackage::FindBinary(const std::wstring& name) const
{
    return FindIn(m_libraryFiles, name);
}

CEncryptedString* CPackage::FindString(const std::wstring& name) const
{
    return FindIn(m_secureVariables, name);
}

bool CPackage::GetSplashImage(std::unique_ptr<unsigned char[]>& bytes, int32_t& length) const
{
    return m_splashBlock.Expand(PackageConstants::kSplash, bytes, length);
}

bool CPackage::GetTrayIcon(std::unique_ptr<unsigned char[]>& bytes, int32_t& length) const
{
    return m_trayBlock.Expand(PackageConstants::kTray, bytes, length);
}
