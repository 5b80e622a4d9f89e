#include "encryption2.h"

namespace {

const size_t kMaxKeyLength = 56;

} // namespace

Encryption2::~Encryption2()
{
    Reset();
}

void Encryption2::Reset()
{
    m_cipher.Reset();
}

bool Encryption2::SetKey(const std::string& key)
{
    Reset();
    const std::string text = key.substr(0, key.find('\0'));
    if (text.empty() || text.size() > kMaxKeyLength)
        return false;
    m_cipher.SetKey(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    return true;
}

int Encryption2::Encrypt(int32_t length, unsigned char* data)
{
    const int check = CheckArguments(length, data);
    if (check == 0)
        m_cipher.EncryptCbc(data, static_cast<size_t>(length));
    return check;
}

int Encryption2::Decrypt(int32_t length, unsigned char* data)
{
    const int check = CheckArguments(length, data);
    if (check == 0)
        m_cipher.DecryptCbc(data, static_cast<size_t>(length));
    return check;
}

int Encryption2::CheckArguments(int32_t length, const unsigned char* data) const
{
    if (!data)
        return -4;
    if (length < 0 || length % kBlockSize != 0)
        return -1;
    if (!m_cipher.HasKey())
        return -2;
    return 0;
}
