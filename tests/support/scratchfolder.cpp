#include "scratchfolder.h"

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    std::random_device random;
    const fs::path base = fs::temp_directory_path() / ("kova-test-" + std::to_string(random()));
    fs::create_directories(base);
    m_path = base.wstring();
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::wstring ScratchFolder::operator/(const std::wstring& name) const
{
#ifdef _WIN32
    return m_path + L"\\" + name;
#else
    return m_path + L"/" + name;
#endif
}
