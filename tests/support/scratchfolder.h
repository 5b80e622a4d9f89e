#pragma once

#include <string>

// A fresh empty folder for one test, removed with everything in it when the
// object goes away.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    // Path of an entry in the folder, with the platform's separator.
    std::wstring operator/(const std::wstring& name) const;

private:
    std::wstring m_path;
};
