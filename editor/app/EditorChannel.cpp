// EditorChannel: requests to the editor control window.
#include "EditorChannel.h"

#include "QuorvaleMessages.h"

bool EditorChannel::create(const EditorCreation& creation) {
    link_ = createEditorControl(creation);
    if (!link_) return false;
    window_ = link_->window();
    return true;
}

void EditorChannel::destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    if (link_) link_->release();
    link_ = nullptr;
}

LRESULT EditorChannel::ask(uint32_t code, LPARAM lParam) const {
    return window_ ? SendMessageA(window_, EC_REQUEST, code, lParam) : 0;
}
