// InsertionTools: relative path, image, link and colour insertion (see InsertionTools.h).
#include "InsertionTools.h"

#include <vector>

#include "FrameMessages.h"
#include "HuePick.h"
#include "PreviewFiles.h"
#include "PreviewTexts.h"
#include "QuorvaleMessages.h"
#include "UloNames.h"
#include "UloResource.h"

namespace {
const int kPathBuffer = 510;
const int kAnchorBuffer = 1020;
const size_t kShortestColour = 7;  // "#RRGGBB"
}  // namespace

bool InsertionTools::needsSavedDocument(const char* message) {
    if (document_.state().titled()) return true;
    MessageBoxA(main_, message, ulo_names::kEditorCaption, MB_OK | MB_ICONINFORMATION);
    return false;
}

bool InsertionTools::allowedOrConfirmed(const char* element, const char* question) {
    if (events_.elementAllowedAtCaret(element)) return true;
    return MessageBoxA(main_, question, ulo_names::kEditorCaption, MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) ==
           IDYES;
}

void InsertionTools::insertRaw(const char* text) { editor_.ask(EC_INSERTRAW, reinterpret_cast<LPARAM>(text)); }

void InsertionTools::insertRelativePath() {
    if (!needsSavedDocument(preview_text::kPathNeedsSave) || !pagetool_.load(main_)) return;
    auto get = pagetool_.function<pagetool_exports::GetRelativePathFn>(pagetool_exports::kGetRelativePath);
    std::vector<char> buffer(kPathBuffer, '\0');
    lstrcpynA(buffer.data(), document_.state().path(), kPathBuffer);
    if (get && get(main_, buffer.data(), kPathBuffer, ulo_names::kEditorCaption)) insertRaw(buffer.data());
}

void InsertionTools::insertImage() {
    if (!needsSavedDocument(preview_text::kImageNeedsSave)) return;
    if (!allowedOrConfirmed("img", preview_text::kImageNotAllowed) || !pagetool_.load(main_)) return;
    auto get = pagetool_.function<pagetool_exports::GetImageTagFn>(pagetool_exports::kGetImageTag);
    std::vector<char> buffer(kPathBuffer, '\0');
    lstrcpynA(buffer.data(), document_.state().path(), kPathBuffer);
    const BOOL alwaysAlt = (settings_.option_flags & OptionFlag::kAltAttributeAlways) != 0;
    if (get && get(main_, buffer.data(), kPathBuffer, ulo_names::kEditorCaption, events_.xhtmlMap(),
                   events_.upperCaseNames(), alwaysAlt))
        insertRaw(buffer.data());
}

void InsertionTools::insertLink() {
    if (!needsSavedDocument(preview_text::kLinkNeedsSave)) return;
    if (!allowedOrConfirmed("a", preview_text::kLinkNotAllowed) || !pagetool_.load(main_)) return;
    auto get = pagetool_.function<pagetool_exports::GetAnchorTagFn>(pagetool_exports::kGetAnchorTag);
    std::vector<char> buffer(kAnchorBuffer, '\0');
    lstrcpynA(buffer.data(), document_.state().path(), kAnchorBuffer);
    if (get && get(main_, buffer.data(), kAnchorBuffer, ulo_names::kEditorCaption, events_.upperCaseNames()))
        events_.insertPhrase(buffer.data());
}

void InsertionTools::chooseColour() {
    // A selection within one line of at least seven bytes is the picker's initial colour.
    const uint8_t* selected = nullptr;
    const LRESULT length = editor_.ask(EC_GETLINESELECTION, reinterpret_cast<LPARAM>(&selected));
    std::string initial;
    if (selected && length >= static_cast<LRESULT>(kShortestColour))
        initial.assign(reinterpret_cast<const char*>(selected), static_cast<size_t>(length));
    if (!huePick_.loadOrReport(main_, ulo_names::kEditorCaption)) return;
    auto open = huePick_.function<huepick_exports::CreateHuePickWindowBFn>(huepick_exports::kCreateWindowB);
    if (!open) return;
    if (IsWindow(picker_)) DestroyWindow(picker_);  // one picker at a time
    picker_ = open(main_, frame_msg::WM_FRAME_COLOUR, preview_text::kChooseColour,
                   initial.empty() ? nullptr : initial.c_str());
}

void InsertionTools::colourChosen(WPARAM chosen, LPARAM bgr) {
    picker_ = nullptr;
    if (!chosen || !bgr) return;
    const bool upper = (settings_.option_flags & OptionFlag::kUpperCaseColourCode) != 0;
    insertRaw(preview_files::colourCode(reinterpret_cast<const uint8_t*>(bgr), upper).c_str());
}

void InsertionTools::destroy() {
    if (IsWindow(picker_)) DestroyWindow(picker_);
    picker_ = nullptr;
    huePick_.unload();
}

void InsertionTools::addCommands(CommandTable& table) {
    table.add(CMD_RELPATH, plainCommand([this] { insertRelativePath(); }));
    table.add(CMD_IMAGE, plainCommand([this] { insertImage(); }));
    table.add(CMD_LINK, plainCommand([this] { insertLink(); }));
    table.add(CMD_COLOUR, plainCommand([this] { chooseColour(); }));
}
