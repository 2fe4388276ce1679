// FilterMenu: loading the plug-in by full path, building the submenu, the two-call run protocol.
#include "FilterMenu.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "ProgramFiles.h"
#include "QuorvaleMessages.h"
#include "UloNames.h"
#include "UloResource.h"

namespace {

// "ulo_extension.dll のロードに失敗しました。"
constexpr char kLoadFailed[] =
    "ulo_extension.dll \x82\xcc\x83\x8d\x81[\x83h\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";

LRESULT request(HWND editor, uint32_t code, const void* argument) {
    return SendMessageA(editor, EC_REQUEST, code, reinterpret_cast<LPARAM>(argument));
}

}  // namespace

std::string FilterMenu::defaultLibraryPath() { return programFile(ulo_filter_api::kLibraryName); }

FilterMenu::FilterMenu(std::string libraryPath) : path_(std::move(libraryPath)), library_(path_.c_str()) {}

void FilterMenu::submenuOpening(HWND owner, HMENU submenu) {
    if (built_) return;
    if (!library_.load()) {
        reportFileNotFound(owner, ulo_names::kEditorCaption, ulo_filter_api::kLibraryName);
        return;
    }
    auto getList = library_.function<ulo_filter_api::GetFilterListFn>(ulo_filter_api::kGetFilterList);
    if (!getList) {
        MessageBoxA(owner, kLoadFailed, ulo_names::kEditorCaption, MB_OK | MB_ICONERROR);
        library_.unload();
        return;
    }
    const FilterEntry* entries = nullptr;
    getList(&entries);
    if (!entries) return;
    DeleteMenu(submenu, 0, MF_BYPOSITION);  // the placeholder "(なし)"
    for (const FilterEntry* e = entries; e->filter_id != 0; ++e) {
        if (!e->label)
            AppendMenuA(submenu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(submenu, MF_STRING, ulo_filter_api::kCommandBase + e->filter_id, e->label);
    }
    built_ = true;
}

int FilterMenu::run(HWND owner, HWND editor, unsigned command, uint32_t tabWidth) {
    auto execute = library_.function<ulo_filter_api::ExecuteFilterFn>(ulo_filter_api::kExecuteFilter);
    if (!execute || !isFilterCommand(command)) return 0;
    const uint32_t id = command - ulo_filter_api::kCommandBase;
    const uint64_t size = static_cast<uint64_t>(request(editor, EC_GETSELECTIONSIZE, nullptr));
    if (size == 0 || size >= UINT32_MAX) return 0;
    char* input = static_cast<char*>(std::malloc(static_cast<size_t>(size) + 1));
    if (!input) return 0;
    input[size] = '\0';
    request(editor, EC_GETSELECTIONTEXT, input);
    const uint8_t* lineText = nullptr;
    const LRESULT offset = request(editor, EC_GETSELECTIONSTART, &lineText);
    FilterRequest r{};
    r.input_length = static_cast<uint32_t>(size);
    r.input = input;
    r.owner = owner;
    r.prefix_length = lineText ? static_cast<uint32_t>(offset) : 0;
    r.prefix = reinterpret_cast<const char*>(lineText);
    r.tab_width = tabWidth;
    const bool done = execute(id, &r);
    // A true answer without a result (or with a negative length) is a failure, not an empty text.
    const bool usable = done && r.output && r.output_length >= 0;
    if (usable) {
        const EcTextSpan span{r.output, static_cast<uint32_t>(r.output_length)};
        request(editor, EC_REPLACESELECTION, &span);
    }
    // A buffer of the library's own goes back to it.
    if (done && r.output && r.output != r.input) execute(id, &r);
    std::free(input);
    return usable ? 1 : 0;
}

void FilterMenu::release() {
    library_.unload();
    built_ = false;
}

namespace {
// The filter submenu: item 15 of the Edit menu (item 2 of the menu bar).
constexpr int kEditMenu = 2;
constexpr int kFilterSubmenu = 15;
constexpr uint32_t kLastMenuCommand = 0xFFFF;
static_assert(CMD_FILTER_FIRST == ulo_filter_api::kCommandBase,
              "filter commands start at the plug-in's base");
}  // namespace

void FilterMenu::addCommands(CommandTable& table) {
    table.add(CMD_FILTER_FIRST, kLastMenuCommand, [this](const CommandCall& call) -> intptr_t {
        if (!editor_ || !settings_) return 0;
        return run(main_, editor_->window(), call.id, settings_->tab_width);
    });
}

void FilterMenu::menuOpening(HMENU menuBar, HMENU menu) {
    if (menu && GetSubMenu(GetSubMenu(menuBar, kEditMenu), kFilterSubmenu) == menu)
        submenuOpening(main_, menu);
}
