// EditorChannel: the frame's line to its editor control: creation, the EC_REQUEST requests, the
// document's encoding and line end, and the control's destruction with the main window.
#pragma once
#include <windows.h>

#include <cstdint>

#include "EditorLink.h"

class EditorChannel {
public:
    EditorChannel() = default;
    EditorChannel(const EditorChannel&) = delete;
    EditorChannel& operator=(const EditorChannel&) = delete;

    bool create(const EditorCreation& creation);
    // Destroys the control's window and releases the link; nothing when there is none.
    void destroy();

    HWND window() const { return window_; }
    bool exists() const { return window_ != nullptr; }
    // Sends EC_REQUEST with `code`; 0 without a control.
    LRESULT ask(uint32_t code, LPARAM lParam = 0) const;
    void focus() const {
        if (window_) SetFocus(window_);
    }

    TextEncoding encoding() const { return link_->encoding(); }
    void setEncoding(TextEncoding e) { link_->setEncoding(e); }
    LineEnd lineEnd() const { return link_->lineEnd(); }
    void setLineEnd(LineEnd e) { link_->setLineEnd(e); }
    bool hasLink() const { return link_ != nullptr; }

private:
    EditorLink* link_ = nullptr;
    HWND window_ = nullptr;
};
