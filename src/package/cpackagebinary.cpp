#include "cpackagebinary.h"

#include "packageconstants.h"
#include "packagereader.h"

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
