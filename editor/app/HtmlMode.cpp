// HtmlMode: the map, the popup, the grammar check and the HTML commands.
#include "HtmlMode.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "DocumentTypeTable.h"
#include "ProgramFiles.h"
#include "FrameTexts.h"
#include "HtmlModeLogic.h"
#include "HtmlTexts.h"
#include "QuorvaleMessages.h"
#include "UloResource.h"

namespace {

constexpr uint32_t kCheckAfterLoad = 0x100, kCheckAfterSave = 0x200;

struct CheckContext {
    HtmlModeEvents* events;
    GrammarReport report;
};

// The checker's message callback: one result line per message, the pane opened at the first
// error, and a stop at the line limit.
bool checkMessage(void* context, int32_t line, const char* text, uint32_t kind) {
    auto* c = static_cast<CheckContext*>(context);
    const GrammarReport::Step step = c->report.add(line, text, kind);
    if (!step.line.empty()) {
        c->events->addResult(step.line.c_str(), (kind & GrammarReport::kContinuation) ? -1 : line);
        if (!c->events->resultsShown() && c->report.errors() > 0) c->events->showResults();
    }
    if (!step.stopLine.empty()) c->events->addResult(step.stopLine.c_str(), -1);
    return step.goOn;
}

}  // namespace

HtmlMode::~HtmlMode() {
    popup_.close();
    unloadMap(map_);
}

int HtmlMode::box(const char* text, UINT type) const {
    return MessageBoxA(events_.mainWindow(), text, ulo_text::kAppName, type);
}

bool HtmlMode::ensureHtmlMap() {
    if (!types_.isHtml()) {
        const DocumentType* guess = documentType(static_cast<uint32_t>(types_.typeFromDeclaration()));
        if (guess != nullptr) {
            char text[1024];
            std::snprintf(text, sizeof text, html_text::kNotHtmlModeGuess, guess->name);
            box(text, MB_OK | MB_ICONERROR);
        } else {
            box(html_text::kNotHtmlMode, MB_OK | MB_ICONERROR);
        }
        return false;
    }
    if (loadedMapType_ == types_.current()) return true;
    unloadMap(map_);
    loadedMapType_ = 0;
    const DocumentType* type = documentType(static_cast<uint32_t>(types_.current()));
    if (type == nullptr || type->mapFile == nullptr) return false;
    const std::string path = programFolder() + "dtd\\" + type->mapFile;
    if (loadMap(map_, path.c_str()) != mapfile::kLoaded) {
        char text[1024];
        std::snprintf(text, sizeof text, html_text::kMapCannotLoad, path.c_str());
        box(text, MB_OK | MB_ICONERROR);
        return false;
    }
    loadedMapType_ = types_.current();
    return true;
}

bool HtmlMode::grammarCheck(bool showPane) {
    if (!ensureHtmlMap()) return false;
    events_.prepareResults();
    CheckContext context{&events_, GrammarReport()};
    GrammarCheckRequest request{&map_, lintOptionsFromFlags(settings_.option_flags), checkMessage, &context};
    const bool ok = editor_.ask(EC_GRAMMARCHECK, reinterpret_cast<LPARAM>(&request)) != 0;
    if (!ok && !context.report.aborted()) {
        // Also a missing lint.dll or export: the control binds again at the next check.
        box(html_text::kCheckFailed, MB_OK | MB_ICONERROR);
        return false;
    }
    events_.addResult(context.report.summary().c_str(), -1);
    if (showPane && !events_.resultsShown()) events_.showResults();
    return true;
}

void HtmlMode::documentLoaded() {
    if (types_.isHtml() && (settings_.option_flags & kCheckAfterLoad)) grammarCheck(false);
}

void HtmlMode::documentSaved() {
    if (types_.isHtml() && (settings_.option_flags & kCheckAfterSave)) grammarCheck(false);
}

LRESULT HtmlMode::completion(uint32_t code, const CompletionRequest* request) {
    if (code == ECN_ENDCOMPLETE) {
        popup_.close();
        return 1;
    }
    if (request == nullptr) return 0;
    if (types_.isHtml() && !ensureHtmlMap()) return 0;
    popup_.attach(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(events_.mainWindow(), GWLP_HINSTANCE)),
                  events_.mainWindow(), editor_.window(), settings_.colours[0], settings_.colours[1]);
    const bool html = types_.isHtml();
    return popup_.show(*request, html ? &map_ : nullptr, html && map_.xhtml()) ? 1 : 0;
}

LRESULT HtmlMode::mapRequest() {
    if (!types_.isHtml() || !ensureHtmlMap()) return 0;
    return reinterpret_cast<LRESULT>(&map_);
}

bool HtmlMode::editorKey(WPARAM key) {
    if (!popup_.isOpen()) return false;
    switch (key) {
    case VK_RETURN: return popup_.accept();
    case VK_ESCAPE:
        popup_.close();
        editor_.ask(EC_ENDCOMPLETION);
        return true;
    case VK_UP:
    case VK_DOWN: {
        const HWND list = popup_.list();
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
        at = at == LB_ERR ? (key == VK_DOWN ? 0 : count - 1) : at + (key == VK_DOWN ? 1 : -1);
        if (at >= 0 && at < count) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
        return true;
    }
    default: return false;
    }
}

void HtmlMode::closeTag() {
    if (!types_.isHtml()) {
        // Outside HTML mode the command inserts a plain line break.
        editor_.ask(EC_INSERTTEXT, reinterpret_cast<LPARAM>("\r\n"));
        return;
    }
    if (ensureHtmlMap()) editor_.ask(EC_INSERTCLOSETAG, reinterpret_cast<LPARAM>(&map_));
}

void HtmlMode::lineBreakTag() {
    if (!types_.isHtml()) {
        if (editor_.window()) SendMessageA(editor_.window(), WM_KEYDOWN, VK_RETURN, 0);
        return;
    }
    if (ensureHtmlMap()) editor_.ask(EC_INSERTLINEBREAKTAG, reinterpret_cast<LPARAM>(&map_));
}

bool HtmlMode::elementAllowed(const char* element, bool* upperCase) {
    *upperCase = false;
    if (!ensureHtmlMap()) return false;
    MayInsertRequest request{&map_, element, 0, 0};
    editor_.ask(EC_MAYINSERTELEMENT, reinterpret_cast<LPARAM>(&request));
    *upperCase = request.upperCase != 0;
    return request.allowed != 0;
}

bool HtmlMode::xhtmlMap() { return ensureHtmlMap() && map_.xhtml(); }

void HtmlMode::characterCount() {
    CharacterCounts counts;
    const LRESULT size = editor_.ask(EC_GETSELECTIONSIZE);
    if (size > 0) {
        std::vector<char> text(static_cast<size_t>(size) + 1);
        if (editor_.ask(EC_GETSELECTIONTEXT, reinterpret_cast<LPARAM>(text.data())))
            counts = countCharacters(reinterpret_cast<const uint8_t*>(text.data()), std::strlen(text.data()));
    }
    char message[512];
    std::snprintf(message, sizeof message, html_text::kCharacterCount, counts.full + counts.half, counts.full,
                  counts.half);
    box(message, MB_OK | MB_ICONINFORMATION);
}

void HtmlMode::addCommands(CommandTable& table) {
    table.add(CMD_CLOSETAG, plainCommand([this] { closeTag(); }));
    table.add(CMD_LINEBREAKTAG, plainCommand([this] { lineBreakTag(); }));
    table.add(CMD_GRAMMAR, plainCommand([this] { grammarCheck(true); }));
    table.add(CMD_COUNTCHARS, plainCommand([this] { characterCount(); }));
}
