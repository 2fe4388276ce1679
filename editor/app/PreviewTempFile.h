// PreviewTempFile: the copy of the document that previews show, written beside the document (so
// that relative links and images resolve) or, untitled, in the temporary folder, as
// "~NAME.NUMBER.html", hidden and temporary. Made on first use without ever taking an existing
// file's name, written again only when the text changed since, removed when the document goes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "DocumentSession.h"

class PreviewTempFile {
public:
    explicit PreviewTempFile(DocumentSession& document) : document_(document) {}
    ~PreviewTempFile() { remove(); }
    PreviewTempFile(const PreviewTempFile&) = delete;
    PreviewTempFile& operator=(const PreviewTempFile&) = delete;

    // Writes the document unless the file already holds its current text; the failures get their
    // error boxes, owned by `main`.
    bool write(HWND main);
    // The text was replaced (reload): the next write happens whatever the marks say.
    void stale() { current_ = false; }
    bool exists() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    // Deletes the file; the next preview makes a new name.
    void remove();

private:
    bool create(HWND main);

    DocumentSession& document_;
    std::string path_;
    intptr_t mark_ = 0;     // the document's edit mark at the last write
    bool current_ = false;  // the file holds the text of mark_
};
