// Companions: CreateProcessA with the full path in the program's folder as the application name,
// so that a program of the same name in the document's folder or on the search path is never run
// in place of a missing one.
#include "Companions.h"

#include <string>
#include <utility>

#include "LibraryOnDemand.h"
#include "ProgramFiles.h"
#include "UloNames.h"
#include "UloResource.h"

namespace {

constexpr unsigned kSettingsCommand = CMD_SETTINGS;
constexpr unsigned kBrowsersCommand = CMD_BROWSER_REGISTER;
constexpr unsigned kPhrasesCommand = CMD_PHRASE_EDIT;

}  // namespace

Companions::Companions(std::string folder) : folder_(std::move(folder)) {}

std::string Companions::defaultFolder() { return programFolder(); }

const char* Companions::programFor(unsigned command) {
    switch (command) {
        case kSettingsCommand:
            return "ulo_conf.exe";
        case kBrowsersCommand:
            return "browserpick.exe";
        case kPhrasesCommand:
            return "phrasedit.exe";
        default:
            return nullptr;
    }
}

int Companions::start(HWND owner, unsigned command) {
    const char* program = programFor(command);
    if (!program) return 0;
    if (startProcess((folder_ + program).c_str(), program)) return 1;
    reportFileNotFound(owner, ulo_names::kEditorCaption, program);
    return 0;
}

void Companions::addCommands(CommandTable& table) {
    for (unsigned id : {kSettingsCommand, kBrowsersCommand, kPhrasesCommand})
        table.add(id, [this](const CommandCall& call) -> intptr_t { return start(main_, call.id); });
}
