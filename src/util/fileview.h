#pragma once

#include <cstddef>
#include <memory>
#include <string>

// A read-only view of a whole file's bytes, mapped rather than read: a page
// is fetched from the file the first time it is touched, so bytes nobody
// reads cost neither time nor memory. The bytes stay valid while the view
// lives; the view is never written through.
class FileView {
public:
    // Null when the file cannot be opened or mapped, or is empty.
    static std::shared_ptr<const FileView> Open(const std::wstring& path);

    ~FileView();
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;

    const unsigned char* Data() const { return m_data; }
    size_t Size() const { return m_size; }

private:
    FileView(const unsigned char* data, size_t size) : m_data(data), m_size(size) {}

    const unsigned char* m_data;
    size_t m_size;
};
