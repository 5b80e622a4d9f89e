#include "packagereader.h"

#include "packageconstants.h"
#include "scrambling.h"
#include "textconv.h"
#include "wholefile.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Bytes from the current position to the end; 0 when the stream cannot seek,
// which makes every later read fail instead of guessing.
int64_t BytesLeft(std::FILE* file)
{
    if (!file)
        return 0;
    const int64_t here = TellFile(file);
    if (here < 0 || !SeekFile(file, 0, SEEK_END))
        return 0;
    const int64_t end = TellFile(file);
    if (!SeekFile(file, here, SEEK_SET) || end < here)
        return 0;
    return end - here;
}

} // namespace

PackageReader::PackageReader(std::FILE* file, bool ownsFile)
    : m_file(file, ownsFile), m_remaining(BytesLeft(file))
{
}

PackageReader::PackageReader(const unsigned char* data, size_t length, std::shared_ptr<const void> keeper)
    : m_memory(data), m_keeper(std::move(keeper)), m_remaining(data ? static_cast<int64_t>(length) : 0)
{
}

size_t PackageReader::ReadBlob(size_t count, unsigned char* buffer)
{
    if (count == 0)
        return 0;
    if (m_memory) {
        const size_t read = std::min(count, static_cast<size_t>(m_remaining));
        std::memcpy(buffer, m_memory, read);
        m_memory += read;
        m_remaining -= static_cast<int64_t>(read);
        return read;
    }
    if (!m_file)
        return 0;
    const size_t read = std::fread(buffer, 1, count, m_file.Get());
    m_remaining = m_remaining > static_cast<int64_t>(read) ? m_remaining - static_cast<int64_t>(read) : 0;
    return read;
}

bool PackageReader::ReadInt32(int32_t& value)
{
    unsigned char bytes[4];
    if (ReadBlob(sizeof bytes, bytes) != sizeof bytes)
        return false;
    const uint32_t word = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8
        | static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    value = static_cast<int32_t>(word);
    return true;
}

bool PackageReader::ReadBool(bool& flag)
{
    int32_t value = 0;
    if (!ReadInt32(value))
        return false;
    flag = value == 1;
    return true;
}

bool PackageReader::ReadString(std::wstring& text)
{
    int32_t count = 0;
    if (!ReadInt32(count))
        return false;
    if (count <= 0)
        return true;
    std::unique_ptr<unsigned char[]> bytes;
    if (!ReadOwnedBytes(count, bytes))
        return false;
    ScrambleString(bytes.get(), static_cast<size_t>(count), PackageConstants::kString);
    const std::string utf8(reinterpret_cast<const char*>(bytes.get()), static_cast<size_t>(count));
    return Utf8ToWide(utf8.substr(0, utf8.find('\0')), text);
}

bool PackageReader::ReadOwnedBytes(int32_t count, std::unique_ptr<unsigned char[]>& bytes)
{
    if (count <= 0 || count > m_remaining)
        return false;
    std::unique_ptr<unsigned char[]> data(new (std::nothrow) unsigned char[static_cast<size_t>(count)]);
    if (!data || ReadBlob(static_cast<size_t>(count), data.get()) != static_cast<size_t>(count))
        return false;
    bytes = std::move(data);
    return true;
}

bool PackageReader::ReadStoredBytes(int32_t count, StoredBytes& bytes)
{
    if (!m_memory) {
        std::unique_ptr<unsigned char[]> owned;
        if (!ReadOwnedBytes(count, owned))
            return false;
        bytes = std::move(owned);
        return true;
    }
    if (count <= 0 || count > m_remaining)
        return false;
    // Shares the keeper's ownership, points at the run.
    bytes = StoredBytes(m_keeper, m_memory);
    m_memory += count;
    m_remaining -= count;
    return true;
}
