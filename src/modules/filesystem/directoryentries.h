#pragma once

#include <cstdint>
#include <string>

// One enumeration of the entries a search text names ("C:\data\*.txt"), with
// its state held in the object: enumerations on several threads never meet.
// "." and ".." are passed over.
//
//   for (DirectoryEntries entries(folder + L"\\*"); entries.HasEntry(); entries.Advance())
//       use(entries.Name());
class DirectoryEntries {
public:
    explicit DirectoryEntries(const std::wstring& searchText);
    ~DirectoryEntries();
    DirectoryEntries(const DirectoryEntries&) = delete;
    DirectoryEntries& operator=(const DirectoryEntries&) = delete;

    // Whether the search started (it may still have found nothing to give).
    bool Opened() const;
    // Whether the enumeration stands on an entry; false when the search
    // found nothing or could not start, and after the last entry.
    bool HasEntry() const { return m_hasEntry; }
    void Advance();

    // The current entry's name (no folder part), its attribute word and its
    // size in bytes.
    const std::wstring& Name() const { return m_name; }
    uint32_t Attributes() const { return m_attributes; }
    uint64_t Size() const { return m_size; }
    bool IsFolder() const;
    bool IsHiddenOrSystem() const;
    // A junction or symbolic link: searches do not descend into one, so a
    // link back up the tree cannot make them run without end.
    bool IsLink() const;

private:
    // Moves to the next entry, dot entries included.
    void Step();
    // Takes the entry the last find call returned; false when there was none.
    bool TakeEntry(bool found, const void* findData);
    bool IsDotEntry() const;
    void SkipDotEntries();

    void* m_handle;
    bool m_hasEntry = false;
    std::wstring m_name;
    uint32_t m_attributes = 0;
    uint64_t m_size = 0;
};
