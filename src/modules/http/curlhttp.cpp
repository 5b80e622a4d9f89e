#include "curlhttp.h"

#include <utility>

namespace {

std::string Credentials(const std::string& user, const std::string& password)
{
    return user.empty() ? std::string() : user + ":" + password;
}

} // namespace

void CurlHttp::GetFile(const std::string& url, const std::string& user, const std::string& password,
                       const std::wstring& localPath)
{
    StartGet(TransferOp::HttpGetFile, TransferTarget{url, Credentials(user, password), "", localPath, ""});
}

void CurlHttp::GetString(const std::string& url, const std::string& user, const std::string& password)
{
    StartGet(TransferOp::HttpGetText, TransferTarget{url, Credentials(user, password), "", L"", ""});
}

void CurlHttp::Abort()
{
    if (const std::shared_ptr<CurlThread> transfer = TakeTransfer())
        transfer->Abort();
}

void CurlHttp::Close()
{
    if (const std::shared_ptr<CurlThread> transfer = TakeTransfer())
        transfer->Close();
}

// The new get starts only after the previous one has ended. It is held only
// once it runs; a get that another thread started meanwhile is stopped.
void CurlHttp::StartGet(TransferOp op, TransferTarget target)
{
    Abort();
    auto transfer = std::make_shared<CurlThread>(op, *this, std::move(target));
    transfer->Start();
    std::shared_ptr<CurlThread> displaced;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        displaced = std::exchange(m_transfer, std::move(transfer));
    }
    if (displaced)
        displaced->Abort();
}

std::shared_ptr<CurlThread> CurlHttp::TakeTransfer()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return std::exchange(m_transfer, nullptr);
}
