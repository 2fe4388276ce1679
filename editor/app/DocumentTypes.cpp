// DocumentTypes: the current document type and its commands.
#include "DocumentTypes.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "DocumentTypeTable.h"
#include "FrameTexts.h"
#include "ProgramFiles.h"
#include "HtmlTexts.h"
#include "QuorvaleMessages.h"
#include "UloResource.h"


bool DocumentTypes::apply(int type) {
    const DocumentType* row = documentType(static_cast<uint32_t>(type));
    if (row == nullptr) return false;
    if (row->keywordFile != nullptr) {
        const std::string path = programFolder() + "keyword\\" + row->keywordFile;
        if (!keywords_.loadKeywordTable(path.c_str())) {
            char text[600];
            std::snprintf(text, sizeof text, html_text::kKeywordFileFailed, row->keywordFile);
            MessageBoxA(editor_.window() ? GetAncestor(editor_.window(), GA_ROOT) : nullptr, text, ulo_text::kAppName,
                        MB_OK | MB_ICONERROR);
            return false;
        }
    }
    type_ = type;
    editor_.ask(EC_SETMODE, row->colouringMode);
    editor_.ask(EC_SETKEYWORDS, row->keywordFile != nullptr ? reinterpret_cast<LPARAM>(&keywords_) : 0);
    return true;
}

void DocumentTypes::editorCreated() {
    if (type_ != CMD_DOCTYPE_PLAIN && !apply(type_)) type_ = CMD_DOCTYPE_PLAIN;
}

int DocumentTypes::typeFromDeclaration() const {
    std::vector<std::string> lines;
    LineIterator it{};
    if (!editor_.ask(EC_FIRSTLINE, reinterpret_cast<LPARAM>(&it))) return 0;
    do {
        lines.emplace_back(reinterpret_cast<const char*>(it.text), it.length);
    } while (lines.size() < 10 && editor_.ask(EC_NEXTLINE, reinterpret_cast<LPARAM>(&it)));
    std::vector<const char*> texts;
    std::vector<uint32_t> lengths;
    for (const std::string& l : lines) {
        texts.push_back(l.data());
        lengths.push_back(static_cast<uint32_t>(l.size()));
    }
    return static_cast<int>(::typeFromDeclaration(texts.data(), lengths.data(), lines.size()));
}

bool DocumentTypes::inInternetCache(const char* path) {
    if (!cacheLooked_) {
        cacheLooked_ = true;
        LPITEMIDLIST list = nullptr;
        char folder[MAX_PATH] = {};
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_INTERNET_CACHE, &list)) && list != nullptr) {
            if (SHGetPathFromIDListA(list, folder)) cacheFolder_ = folder;
            CoTaskMemFree(list);
        }
    }
    return !cacheFolder_.empty() && std::strncmp(path, cacheFolder_.c_str(), cacheFolder_.size()) == 0;
}

int DocumentTypes::typeForPath(const char* path) {
    if (!path) return CMD_DOCTYPE_PLAIN;
    if (type_ != CMD_DOCTYPE_PLAIN) return 0;
    const ExtensionKind kind = extensionKind(path);
    const bool cache = kind == ExtensionKind::None && inInternetCache(path);
    const int declaration = (kind == ExtensionKind::Html || cache) ? typeFromDeclaration() : 0;
    const int type = static_cast<int>(::typeFromPath(path, static_cast<uint32_t>(declaration),
                                                     settings_.default_html_type, cache));
    return type != CMD_DOCTYPE_PLAIN ? type : 0;
}

void DocumentTypes::addCommands(CommandTable& table) {
    auto choose = [this](const CommandCall& call) -> intptr_t {
        apply(static_cast<int>(call.id));
        return 0;
    };
    table.add(CMD_DOCTYPE_PLAIN, choose);
    table.add(28101, 28199, choose);
    table.add(28200, 28203, choose);
}
