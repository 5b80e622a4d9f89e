#include "fileview.h"

#include "textconv.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

std::shared_ptr<const FileView> FileView::Open(const std::wstring& path)
{
    const int file = open(WideToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return nullptr;
    struct stat status = {};
    void* data = MAP_FAILED;
    if (fstat(file, &status) == 0 && status.st_size > 0 && static_cast<uint64_t>(status.st_size) <= SIZE_MAX)
        data = mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, file, 0);
    close(file);
    if (data == MAP_FAILED)
        return nullptr;
    return std::shared_ptr<const FileView>(
        new FileView(static_cast<const unsigned char*>(data), static_cast<size_t>(status.st_size)));
}

FileView::~FileView()
{
    munmap(const_cast<unsigned char*>(m_data), m_size);
}
