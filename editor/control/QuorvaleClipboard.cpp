// QuorvaleInput: copy, cut and paste through the system clipboard (Shift_JIS as CF_TEXT and the
// same text as CF_UNICODETEXT, lines joined by CR LF), with RAII guards for the clipboard and for
// locked global memory.
#include <cstring>
#include <vector>

#include "Cp932.h"

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

namespace {

// The UTF-16 form of Shift_JIS text[0, length), zero-terminated, in a new global block (null
// when memory runs out).
HGLOBAL unicodeBlock(const char* text, uint32_t length) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (size_t(length) + 1) * sizeof(uint16_t));
    if (memory == nullptr) return nullptr;
    GlobalLockGuard lock(memory);
    uint16_t* units = static_cast<uint16_t*>(lock.data());
    if (units == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    // One unit per byte at most.
    const uint32_t n = cp932::toUtf16(reinterpret_cast<const uint8_t*>(text), length, units, length);
    units[n] = 0;
    return memory;
}

// The clipboard's Unicode text converted as a file load converts it: the same best-fit forms,
// "？" for a character without one. Empty when there is none (or it is empty).
std::vector<uint8_t> unicodeClipboardText() {
    std::vector<uint8_t> bytes;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return bytes;
    HGLOBAL memory = static_cast<HGLOBAL>(GetClipboardData(CF_UNICODETEXT));
    if (memory == nullptr) return bytes;
    GlobalLockGuard lock(memory);
    const uint16_t* units = static_cast<const uint16_t*>(lock.data());
    if (units == nullptr) return bytes;
    // Up to the terminating zero, never past the block.
    const SIZE_T limit = lock.size() / sizeof(uint16_t);
    SIZE_T count = 0;
    while (count < limit && units[count] != 0) ++count;
    if (count == 0 || count > 0x7FFFFFFF / 2) return bytes;
    // At most two bytes per unit.
    bytes.resize(count * 2);
    bool lossy = false;
    const uint32_t n = cp932::fromUtf16(units, static_cast<uint32_t>(count), bytes.data(),
                                        static_cast<uint32_t>(bytes.size()), &lossy);
    bytes.resize(n);
    return bytes;
}

}  // namespace

bool copySelection(Quorvale& q) {
    if (!q.hasSelection()) return false;
    const uint32_t size = quorvale::clipboardSize(q);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + 1);
    if (memory == nullptr) return false;
    HGLOBAL unicode = nullptr;
    {
        GlobalLockGuard lock(memory);
        char* text = static_cast<char*>(lock.data());
        if (text == nullptr || !quorvale::clipboardText(q, text)) {
            GlobalFree(memory);
            return false;
        }
        // Both forms: a program that reads Unicode then gets the characters, not the system's
        // guess at them.
        unicode = unicodeBlock(text, size);
    }
    ClipboardGuard clipboard(q.window());
    if (!clipboard.isOpen()) {
        GlobalFree(memory);
        if (unicode) GlobalFree(unicode);
        return false;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, memory) == nullptr) {
        GlobalFree(memory);
        if (unicode) GlobalFree(unicode);
        return false;
    }
    if (unicode && SetClipboardData(CF_UNICODETEXT, unicode) == nullptr) GlobalFree(unicode);
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
    // The Unicode text first: the system's own CF_TEXT from it (under Wine) lacks the best-fit
    // forms a file load uses, so "〜" would come in as "?".
    const std::vector<uint8_t> unicode = unicodeClipboardText();
    if (!unicode.empty()) {
        endCompletion(q);
        const bool ok = replaceSelectionText(q, unicode.data(), static_cast<uint32_t>(unicode.size()));
        afterEdit(q);
        return ok;
    }
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
