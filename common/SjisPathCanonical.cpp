// Shift_JIS whole paths: canonical forms, components, case-blind comparison (see SjisPath.h).
#include "SjisPath.h"

#include <vector>

namespace sjis_path {

namespace {

char foldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Splits at backslash characters (and "/"), stepping over pairs; false for a lead byte at the end.
bool splitComponents(const std::string& text, std::vector<std::string>* parts) {
    std::string current;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLead(c)) {
            if (i + 1 >= text.size()) return false;
            current += text[i];
            current += text[++i];
        } else if (c == '\\' || c == '/') {
            parts->push_back(current);
            current.clear();
        } else {
            current += text[i];
        }
    }
    parts->push_back(current);
    return true;
}

bool isSoundComponent(const std::string& part) {
    const char last = part.back();
    if (last == '.' || last == ' ') return false;  // Windows drops these: "Ulo.exe." is Ulo.exe
    for (std::string::size_type i = 0; i < part.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(part[i]);
        if (isLead(c)) {
            ++i;
            continue;
        }
        if (c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool isLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

std::string::size_type lastBackslash(const std::string& text) {
    std::string::size_type found = std::string::npos;
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (isLead(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else if (text[i] == '\\') {
            found = i;
        }
    }
    return found;
}

bool endsWithBackslash(const std::string& text) {
    return !text.empty() && lastBackslash(text) == text.size() - 1;
}

std::string withTrailingBackslash(const std::string& text) {
    return endsWithBackslash(text) ? text : text + "\\";
}

bool equalsIgnoreCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && startsWithIgnoreCase(a, b);
}

bool startsWithIgnoreCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::string::size_type i = 0; i < prefix.size(); ++i) {
        if (isLead(static_cast<unsigned char>(prefix[i]))) {
            // The pair byte for byte; a pair in one text must be a pair in the other.
            if (i + 1 >= prefix.size() || text[i] != prefix[i] || text[i + 1] != prefix[i + 1]) return false;
            ++i;
        } else if (foldAscii(text[i]) != foldAscii(prefix[i])) {
            return false;
        }
    }
    return true;
}

std::string canonical(const std::string& path) {
    if (path.size() < 3) return "";
    const char drive = foldAscii(path[0]);
    if (drive < 'A' || drive > 'Z' || path[1] != ':' || (path[2] != '\\' && path[2] != '/')) return "";
    std::vector<std::string> parts;
    if (!splitComponents(path.substr(3), &parts)) return "";
    std::vector<std::string> kept;
    for (const std::string& part : parts) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (kept.empty()) return "";
            kept.pop_back();
            continue;
        }
        if (!isSoundComponent(part)) return "";
        kept.push_back(part);
    }
    std::string out = path.substr(0, 2) + "\\";
    for (std::vector<std::string>::size_type i = 0; i < kept.size(); ++i) {
        if (i > 0) out += "\\";
        out += kept[i];
    }
    return out;
}

std::string lastComponent(const std::string& path) {
    const std::string::size_type at = lastBackslash(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string parentFolder(const std::string& path) {
    const std::string::size_type at = lastBackslash(path);
    return at == std::string::npos ? "" : path.substr(0, at + 1);
}

}  // namespace sjis_path
