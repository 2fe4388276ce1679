// DocumentState: path, file name, last path and edit marks of the frame's document.
#include "DocumentState.h"

#include <cstdio>
#include <cstring>

#include "FrameTexts.h"
#include "TextCodes.h"

namespace {

void copyCut(char* to, const char* from, size_t size) {
    size_t n = std::strlen(from);
    if (n > size - 1) n = size - 1;
    std::memcpy(to, from, n);
    to[n] = 0;
}

bool equalIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return *a == *b;
}

}  // namespace

DocumentState::DocumentState() { std::strcpy(fileName_, ulo_text::kUntitled); }

void DocumentState::setPath(const char* path) {
    if (path) {
        copyCut(path_, path, kPathSize);
        copyCut(fileName_, afterLastBackslash(path_), kPathSize);
    } else {
        path_[0] = 0;
        std::strcpy(fileName_, ulo_text::kUntitled);
    }
}

void DocumentState::setLastPath(const char* path) { copyCut(lastPath_, path, kPathSize); }

bool DocumentState::changed(intptr_t mark) {
    bool was = isModified();
    currentMark_ = mark;
    return was != isModified();
}

const char* afterLastBackslash(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (isSjisLead(static_cast<uint8_t>(*p)) && p[1]) {
            ++p;
            continue;
        }
        if (*p == '\\') name = p + 1;
    }
    return name;
}

int typeFromExtension(const char* path, int html, int plain) {
    const char* dot = std::strrchr(afterLastBackslash(path), '.');
    if (!dot) return plain;
    static const char* const extensions[] = {".html", ".htm", ".shtml", ".jsp", ".asp", ".php"};
    for (const char* e : extensions)
        if (equalIgnoringAsciiCase(dot, e)) return html;
    return plain;
}

void titleText(char* out, size_t size, const DocumentState& document, bool active, const char* appName,
               const char* untitled) {
    const char* name = !document.titled() ? untitled : (active ? document.path() : document.fileName());
    std::snprintf(out, size, document.isModified() ? "%s * - %s" : "%s - %s", name, appName);
}
