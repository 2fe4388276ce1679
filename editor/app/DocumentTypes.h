// DocumentTypes: the document type of the window (28001 plain text, 28101..28199 HTML types,
// 28200..28203 program and style-sheet types), the colouring mode it gives the editor control,
// and the commands that choose a type.
#pragma once
#include "CommandTable.h"
#include "EditorChannel.h"

class DocumentTypes {
public:
    explicit DocumentTypes(EditorChannel& editor) : editor_(editor) {}
    DocumentTypes(const DocumentTypes&) = delete;
    DocumentTypes& operator=(const DocumentTypes&) = delete;

    // The type the window starts with, before the editor control exists.
    void start(int type) { type_ = type; }
    int current() const { return type_; }
    bool isHtml() const { return type_ >= 28100 && type_ <= 28199; }
    // Takes a type and sets the control's colouring mode for it.
    void apply(int type);
    // The control was just created: an HTML window colours as HTML from the start.
    void editorCreated();
    // The type the document's new path asks for, 0 when the type stays: a titled plain-text
    // document takes the type of its extension, an untitled one plain text.
    int typeForPath(const char* path) const;

    void addCommands(CommandTable& table);

private:
    EditorChannel& editor_;
    int type_ = 28001;
};
