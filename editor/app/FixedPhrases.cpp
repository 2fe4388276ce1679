// FixedPhrases: the value read raw at each insertion, expanded, inserted as one step.
#include "FixedPhrases.h"

#include "PhraseExpansion.h"
#include "QuorvaleMessages.h"
#include "SettingsStore.h"

int FixedPhrases::insert(HWND editor, unsigned command) const {
    if (!isPhraseCommand(command)) return 0;
    std::string phrase;
    if (!settings_store::loadPhrase(command - kFirstCommand, &phrase)) return 0;
    return insertExpanded(editor, phrase, '$');
}

int FixedPhrases::insertExpanded(HWND editor, const std::string& text, char marker) {
    const uint64_t selection =
        static_cast<uint64_t>(SendMessageA(editor, EC_REQUEST, EC_GETSELECTIONSIZE, 0));
    std::string result;
    // The control writes the selection and its terminator in place; the result has room for the
    // terminator after the last byte.
    const bool expanded = PhraseExpansion(marker).expand(
        text, selection,
        [editor](char* to) {
            SendMessageA(editor, EC_REQUEST, EC_GETSELECTIONTEXT, reinterpret_cast<LPARAM>(to));
        },
        result);
    if (!expanded || result.empty()) return 0;
    return SendMessageA(editor, EC_REQUEST, EC_INSERTTEXT, reinterpret_cast<LPARAM>(result.c_str())) ? 1 : 0;
}

void FixedPhrases::addCommands(CommandTable& table) {
    table.add(
        kFirstCommand, kLastCommand,
        [this](const CommandCall& call) -> intptr_t {
            return editor_ ? insert(editor_->window(), call.id) : 0;
        },
        [](uint32_t id) { return settings_store::isPhraseDefined(id - kFirstCommand); });
}
