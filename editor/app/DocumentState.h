// DocumentState: what the frame knows of its one document apart from the text: the full path and
// the file name shown in the title, the last path used by the file dialogs, and the edit marks
// from which the modified state follows (the control's undo marker at the last save against the
// one it reported last).
#pragma once
#include <cstddef>
#include <cstdint>

class DocumentState {
public:
    static constexpr size_t kPathSize = 511;  // 510 bytes and the terminator

    DocumentState();

    // Sets the path (cut to 510 bytes) and the file name after its last backslash; nullptr makes
    // the document untitled.
    void setPath(const char* path);
    void clearPathOnly() { path_[0] = 0; }
    const char* path() const { return path_; }
    bool titled() const { return path_[0] != 0; }
    const char* fileName() const { return fileName_; }

    void setLastPath(const char* path);
    const char* lastPath() const { return lastPath_; }
    char* lastPathBuffer() { return lastPath_; }

    bool isModified() const { return savedMark_ != currentMark_; }
    // Untitled and not modified: the window can take a file without asking.
    bool isEmpty() const { return !titled() && !isModified(); }
    // A change notification's marker; true when the modified state changed with it.
    bool changed(intptr_t mark);
    // After a successful save the current text is the saved one.
    void markSaved() { savedMark_ = currentMark_; }
    // Before saving under a new name: no marker equals this one, so the save always counts.
    void markUnsaved() { savedMark_ = -1; }
    // A fresh or freshly loaded text: both markers null.
    void resetMarks() { savedMark_ = currentMark_ = 0; }

private:
    char path_[kPathSize] = {};
    char fileName_[kPathSize] = {};
    char lastPath_[kPathSize] = {};
    intptr_t savedMark_ = 0;
    intptr_t currentMark_ = 0;
};

// The part of a path after its last backslash; the scan steps over Shift_JIS double-byte
// characters, whose second byte may be a backslash.
const char* afterLastBackslash(const char* path);

// The document type a file name's extension suggests (HTML extensions give HTML 4.01
// Transitional, everything else plain text); `html` and `plain` are the two type ids.
int typeFromExtension(const char* path, int html, int plain);

// The main window's title: the full path while the window is active, the file name while it is
// not, the untitled name without a path, with " *" while modified.
void titleText(char* out, size_t size, const DocumentState& document, bool active, const char* appName,
               const char* untitled);
