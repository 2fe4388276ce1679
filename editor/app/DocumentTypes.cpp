// DocumentTypes: the current document type and its commands.
#include "DocumentTypes.h"

#include "DocumentState.h"

#include "QuorvaleMessages.h"
#include "UloResource.h"

void DocumentTypes::apply(int type) {
    type_ = type;
    // Colouring per type comes with the document-type table; HTML types colour as HTML.
    editor_.ask(EC_SETMODE, isHtml() ? 100 : 0);
}

void DocumentTypes::editorCreated() {
    if (!isHtml()) return;
    editor_.ask(EC_SETMODE, 100);
    editor_.ask(EC_SETKEYWORDS, 0);
}

int DocumentTypes::typeForPath(const char* path) const {
    if (!path) return CMD_DOCTYPE_PLAIN;
    if (type_ != CMD_DOCTYPE_PLAIN) return 0;
    int type = typeFromExtension(path, CMD_DOCTYPE_HTML401T, CMD_DOCTYPE_PLAIN);
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
