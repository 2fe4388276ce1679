// DocumentTypes: the document type of the window (28001 plain text, 28101..28199 HTML types,
// 28200..28203 program and style-sheet types), what it gives the editor control (colouring mode
// and keyword table, from the table in DocumentTypeTable.h), the choice of a type for a path, and
// the commands that choose a type.
#pragma once
#include <string>

#include "CommandTable.h"
#include "EditorChannel.h"
#include "KeywordTable.h"
#include "MainSettings.h"

class DocumentTypes {
public:
    DocumentTypes(EditorChannel& editor, const MainSettings& settings) : editor_(editor), settings_(settings) {}
    DocumentTypes(const DocumentTypes&) = delete;
    DocumentTypes& operator=(const DocumentTypes&) = delete;

    // The type the window starts with, before the editor control exists.
    void start(int type) { type_ = type; }
    int current() const { return type_; }
    bool isHtml() const { return type_ >= 28100 && type_ <= 28199; }
    // Takes a type: the control's colouring mode and, for Perl, Java and C/C++, the keyword file
    // "keyword\<file>" beside the program. A keyword file that cannot be loaded is reported and
    // the type stays as it was (false).
    bool apply(int type);
    // The control was just created: it gets what the starting type gives.
    void editorCreated();
    // The type the document's new path asks for, 0 when the type stays: a titled plain-text
    // document takes the type of its extension (HTML: its declaration, else the default HTML
    // type), or HTML rules inside the Internet cache folder; an untitled one plain text.
    int typeForPath(const char* path);
    // The type the document's declaration names (first 10 lines), or 0.
    int typeFromDeclaration() const;

    void addCommands(CommandTable& table);

private:
    bool inInternetCache(const char* path);

    EditorChannel& editor_;
    const MainSettings& settings_;
    int type_ = 28001;
    KeywordTable keywords_;      // the process's one keyword table, lent to the control
    bool cacheLooked_ = false;   // the Internet cache folder is looked up once
    std::string cacheFolder_;
};

