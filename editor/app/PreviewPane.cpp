// PreviewPane: the embedded preview and the external browsers (see PreviewPane.h).
#include "PreviewPane.h"

#include "PreviewTexts.h"
#include "QuorvaleMessages.h"
#include "SettingsStore.h"
#include "UloNames.h"
#include "UloResource.h"

namespace {
const uint32_t kFirstBrowser = CMD_BROWSER_IE;  // slot = id - 21451
}  // namespace

void PreviewPane::checkFirst() { events_.checkBeforePreview(); }

void PreviewPane::show() {
    checkFirst();
    showCurrentText();
}

void PreviewPane::showCurrentText() {
    editor_.ask(EC_UPDATECURSOR, 1);
    if (!viewer_) {
        if (!pagetool_.load(main_)) return;
        auto create = pagetool_.function<pagetool_exports::CreateHtmlViewerFn>(pagetool_exports::kCreateHtmlViewer);
        HWND window = nullptr;
        viewer_ = create ? create(main_, &window) : nullptr;
        if (!viewer_ || !window) {
            if (viewer_) {
                if (auto destroy = pagetool_.function<pagetool_exports::DestroyHtmlViewerFn>(
                        pagetool_exports::kDestroyHtmlViewer))
                    destroy(viewer_);
            }
            viewer_ = nullptr;
            MessageBoxA(main_, preview_text::kViewerFailed, ulo_names::kEditorCaption, MB_OK | MB_ICONERROR);
            return;
        }
        viewerWindow_ = window;
        layout_.setPreviewPane(window);
    }
    if (!file_.write(main_)) return;
    pagetool_.function<pagetool_exports::NavigateFn>(pagetool_exports::kNavigate)(viewer_, file_.path().c_str());
    layout_.showPreview();
    ShowWindow(viewerWindow_, SW_SHOW);
    layout_.restartTimers();
}

void PreviewPane::refresh() {
    if (!layout_.previewShown() || !viewer_) return;
    if (!file_.write(main_)) return;
    // The viewer takes the focus when it reloads; the editor takes it back at once.
    editor_.setFocusStamp(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(viewerWindow_)));
    pagetool_.function<pagetool_exports::RefreshFn>(pagetool_exports::kRefresh)(viewer_);
}

void PreviewPane::saved() {
    if (layout_.previewShown()) {
        showCurrentText();
    } else if (file_.exists()) {
        file_.write(main_);
    }
}

void PreviewPane::destroy() {
    if (viewer_) {
        if (auto destroy =
                pagetool_.function<pagetool_exports::DestroyHtmlViewerFn>(pagetool_exports::kDestroyHtmlViewer))
            destroy(viewer_);
        viewer_ = nullptr;
        viewerWindow_ = nullptr;
        layout_.setPreviewPane(nullptr);
    }
    file_.remove();
}

intptr_t PreviewPane::showInBrowser(uint32_t id) {
    const uint32_t slot = id - kFirstBrowser;
    checkFirst();
    if (!browsers_.list().isRegistered(slot)) {
        MessageBoxA(main_, preview_text::kBrowserNotRegistered, ulo_names::kEditorCaption, MB_OK | MB_ICONINFORMATION);
        events_.runCommand(CMD_BROWSER_REGISTER);
        return 0;
    }
    if (!file_.write(main_) || !pagetool_.load(main_)) return 0;
    auto launch = pagetool_.function<pagetool_exports::ExternalBrowserFn>(pagetool_exports::kExternalBrowser);
    if (!launch || !launch(slot, browsers_.list().paths[slot], file_.path().c_str()))
        MessageBoxA(main_, preview_text::kBrowserFailed, ulo_names::kEditorCaption, MB_OK | MB_ICONWARNING);
    return 0;
}

void PreviewPane::addCommands(CommandTable& table) {
    table.add(CMD_PREVIEW, plainCommand([this] { show(); }));
    const auto registered = [this](uint32_t id) { return browsers_.registered(id); };
    for (uint32_t id : {CMD_BROWSER_IE, CMD_BROWSER_CHROME, CMD_BROWSER_FIREFOX, CMD_BROWSER_OPERA})
        table.add(id, [this](const CommandCall& call) { return showInBrowser(call.id); }, registered);
}
