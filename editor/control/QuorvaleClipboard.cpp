// QuorvaleInput: copy, cut and paste through the system clipboard as CF_TEXT (Shift_JIS, lines
// joined by CR LF), with RAII guards for the clipboard and for locked global memory.
#include <cstring>

#include "QuorvaleDocumentOps.h"
#include "QuorvaleInput.h"

namespace ctlinput {

namespace {

// Opens the clipboard for the window, retrying while another program holds it; closes it on
// destruction.
class ClipboardGuard {
public:
    explicit ClipboardGuard(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != 0;
            if (!open_) Sleep(10);
        }
    }
    ~ClipboardGuard() {
        if (open_) CloseClipboard();
    }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    ClipboardGuard(ClipboardGuard&&) = delete;
    ClipboardGuard& operator=(ClipboardGuard&&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_ = false;
};

// Locks a global memory block for the guard's life.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~GlobalLockGuard() {
        if (data_ != nullptr) GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    GlobalLockGuard(GlobalLockGuard&&) = delete;
    GlobalLockGuard& operator=(GlobalLockGuard&&) = delete;
    void* data() const { return data_; }
    SIZE_T size() const { return memory_ ? GlobalSize(memory_) : 0; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

bool copySelection(Quorvale& q) {
    if (!q.hasSelection()) return false;
    const uint32_t size = quorvale::clipboardSize(q);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + 1);
    if (memory == nullptr) return false;
    {
        GlobalLockGuard lock(memory);
        if (lock.data() == nullptr || !quorvale::clipboardText(q, static_cast<char*>(lock.data()))) {
            GlobalFree(memory);
            return false;
        }
    }
    ClipboardGuard clipboard(q.window());
    if (!clipboard.isOpen()) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, memory) == nullptr) {
        GlobalFree(memory);
        return false;
    }
    return true;   // the clipboard owns the memory now
}

bool cutSelection(Quorvale& q) {
    if (!copySelection(q)) return false;
    endCompletion(q);
    q.deleteSelection(true);
    afterEdit(q);
    return true;
}

bool pasteClipboard(Quorvale& q) {
    ClipboardGuard clipboard(q.window());
    if (!clipboard.isOpen()) return false;
    HGLOBAL memory = static_cast<HGLOBAL>(GetClipboardData(CF_TEXT));
    if (memory == nullptr) return false;
    GlobalLockGuard lock(memory);
    if (lock.data() == nullptr) return false;
    // Up to the terminating zero, never past the block.
    const char* text = static_cast<const char*>(lock.data());
    const SIZE_T limit = lock.size();
    SIZE_T length = 0;
    while (length < limit && text[length] != '\0') ++length;
    if (length == 0) return false;
    endCompletion(q);
    const bool ok = replaceSelectionText(q, reinterpret_cast<const uint8_t*>(text), static_cast<uint32_t>(length));
    afterEdit(q);
    return ok;
}

}  // namespace ctlinput
