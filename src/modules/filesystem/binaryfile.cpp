#include "binaryfile.h"

#include "bytetext.h"
#include "wholefile.h"

bool BinaryFile::SetData(const std::wstring& byteText)
{
    std::vector<unsigned char> bytes;
    const bool read = AppendBufferByteText(byteText, bytes);
    std::lock_guard<std::mutex> hold(m_lock);
    m_data.swap(bytes);
    return read;
}

void BinaryFile::SetDataBA(std::vector<unsigned char> bytes)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_dataBA.swap(bytes);
}

bool BinaryFile::WriteBuffer(const std::vector<unsigned char>& buffer, const std::wstring& path, bool append) const
{
    // Held through the write, so a set on the other thread cannot change the
    // bytes under it.
    std::lock_guard<std::mutex> hold(m_lock);
    if (buffer.empty())
        return false;
    const long length = static_cast<long>(buffer.size());
    return append ? AppendFileBytes(path, buffer.data(), length) : WriteWholeFile(path, buffer.data(), length);
}
