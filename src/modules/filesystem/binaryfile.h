#pragma once

#include <mutex>
#include <string>
#include <vector>

// The movie's BinaryFile: two independent byte buffers, one filled from a
// byte text and one from a byte array, each written to files whole, replacing
// or appending. Writing leaves a buffer as it was. Safe to use from the main
// thread and the worker at once.
class BinaryFile {
public:
    // Replaces the text buffer with the bytes the text spells (see
    // AppendBufferByteText); on false it keeps the bytes read before the
    // failing piece.
    bool SetData(const std::wstring& byteText);
    // Replaces the array buffer.
    void SetDataBA(std::vector<unsigned char> bytes);

    // Write replaces the file's content, Append adds to its end; both create
    // a missing file. False, and the file is not touched, when the buffer is
    // empty; false when not every byte was written.
    bool WriteData(const std::wstring& path) const { return WriteBuffer(m_data, path, false); }
    bool AppendData(const std::wstring& path) const { return WriteBuffer(m_data, path, true); }
    bool WriteDataBA(const std::wstring& path) const { return WriteBuffer(m_dataBA, path, false); }
    bool AppendDataBA(const std::wstring& path) const { return WriteBuffer(m_dataBA, path, true); }

private:
    bool WriteBuffer(const std::vector<unsigned char>& buffer, const std::wstring& path, bool append) const;

    mutable std::mutex m_lock; // guards both buffers
    std::vector<unsigned char> m_dataBA;
    std::vector<unsigned char> m_data;
};
