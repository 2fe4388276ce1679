// FixedPhrases: commands 21461 ... 21470 insert fixed phrase 1 ... 10 ("template0" ... "template9",
// read at every insertion) with the selection in place of its "$selected_text$" placeholders.
#pragma once
#include <windows.h>

#include <string>

#include "CommandTable.h"
#include "EditorChannel.h"
#include "UloResource.h"

class FixedPhrases {
public:
    static constexpr unsigned kFirstCommand = CMD_PHRASE_FIRST;
    static constexpr unsigned kLastCommand = CMD_PHRASE_FIRST + 9;
    static bool isPhraseCommand(unsigned command) {
        return command >= kFirstCommand && command <= kLastCommand;
    }

    // Inserts the command's phrase into the editor control. A missing or unreadable value
    // inserts nothing. Returns 1 when text was inserted.
    int insert(HWND editor, unsigned command) const;

    // Expands text with the marker ('$' for phrases, '*' for anchor tags) against the editor's
    // selection and inserts the result in place of the selection. Returns 1 when inserted.
    static int insertExpanded(HWND editor, const std::string& text, char marker);

    // In the frame: the ten commands, each greyed while its phrase is not defined.
    void attach(const EditorChannel& editor) { editor_ = &editor; }
    void addCommands(CommandTable& table);

private:
    const EditorChannel* editor_ = nullptr;
};
