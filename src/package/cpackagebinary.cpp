#include "cpackagebinary.h"

#include "packageconstants.h"
#include "packagereader.h"
#include "scrambling.h"

#include <algorithm>

CPackageBinary::~CPackageBinary() = default;

bool CPackageBinary::Read(PackageReader& reader)
{
    int32_t fileVersion = 0;
    return reader.ReadInt32(fileVersion) && m_data.Read(reader);
}

bool CPackageBinary::GetData(int32_t& length, std::unique_ptr<unsigned char[]>& bytes) const
{
    if (!m_data.CopyDescrambled(PackageConstants::kEmbeddedFile, bytes))
        return false;
    length = m_data.Length();
    return true;
}

size_t CPackageBinary::CopyHead(unsigned char* out, size_t count) const
{
    const size_t length = static_cast<size_t>(m_data.Length());
    const size_t copied = std::min(count, length);
    ScrambleCopy(m_data.Bytes(), out, 0, copied, length, PackageConstants::kEmbeddedFile);
    return copied;
}
