#pragma once

#include <cstdio>

// Holds a C stream and closes it when the holder goes away, if the holder
// owns it.
class ScopedFileClose {
public:
    explicit ScopedFileClose(std::FILE* file = nullptr, bool owns = true)
        : m_file(file), m_owns(owns) {}
    ~ScopedFileClose();

    ScopedFileClose(const ScopedFileClose&) = delete;
    ScopedFileClose& operator=(const ScopedFileClose&) = delete;

    std::FILE* Get() const { return m_file; }
    explicit operator bool() const { return m_file != nullptr; }

private:
    std::FILE* m_file;
    bool m_owns;
};
