// The recently used file list ("file_history"): its byte form and its update rules.
//
// Byte form: NUL-terminated full paths (Shift_JIS) concatenated, newest first, at most 10 entries,
// no two equal when compared ignoring ASCII letter case; an empty history is a value of size 0.
// Reading and writing the registry value is in SettingsStore.h (readFileHistory and friends).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FileHistory {
public:
    static constexpr size_t kMaxEntries = 10;
    // Paths travel through 510-byte buffers: 509 bytes and the NUL.
    static constexpr size_t kMaxPathLength = 509;
    // The longest value a well-formed history can be.
    static constexpr size_t kMaxValueSize = kMaxEntries * (kMaxPathLength + 1);

    // Entries, newest first.
    const std::vector<std::string>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // Replaces the list with the decoded value. A malformed value (an entry without its NUL, an
    // empty or over-long entry, more than 10 entries, two equal entries) leaves the list empty and
    // returns false: it is never partly used.
    bool decode(const uint8_t* bytes, size_t size);
    // The value bytes; empty for an empty history.
    std::vector<uint8_t> encode() const;

    // A document was loaded from `path`: its entry (equal ignoring ASCII case) leaves the list.
    // True when an entry was removed.
    bool remove(const std::string& path);
    // A document with `path` was closed: an entry equal ignoring ASCII case is removed, otherwise
    // the oldest entry goes when the list is full; `path` becomes the newest entry. An empty or
    // over-long path is not entered (false).
    bool add(const std::string& path);
    void clear() { entries_.clear(); }

    // Equal ignoring the case of ASCII letters; the trail byte of a double-byte character is
    // never folded.
    static bool samePath(const std::string& a, const std::string& b);

private:
    std::vector<std::string> entries_;
};
