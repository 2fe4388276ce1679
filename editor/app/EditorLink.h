// EditorLink: what the frame holds of its editor control besides the control's window: the
// document's encoding and line end, which the frame reads and sets on the control object. The
// frame sends every other request as EC_REQUEST messages to window().
#pragma once
#include <windows.h>

#include <cstdint>

#include "TextCodes.h"

// The creation arguments of the editor control, in its creation function's order.
struct EditorCreation {
    DWORD exStyle = 0;
    DWORD style = 0;
    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
    UINT notifyMessage = 0;
    const char* fontFace = "";
    int fontPoints = 10;
    const uint32_t* colours = nullptr;  // 20 COLORREF entries
    int tabWidth = 4;
    uint32_t undoLimit = 0xFFFFFFFFu;
    int wrapColumns = 80;
    uint32_t flags = 0;
    TextEncoding defaultEncoding = TextEncoding::ShiftJis;
};

class EditorLink {
public:
    virtual HWND window() const = 0;
    virtual TextEncoding encoding() const = 0;
    virtual void setEncoding(TextEncoding encoding) = 0;
    virtual LineEnd lineEnd() const = 0;
    virtual void setLineEnd(LineEnd lineEnd) = 0;
    // The window about to take the focus and the time: the control takes the focus back if it
    // loses it within 100 ms.
    virtual void setFocusStamp(uint32_t value) = 0;
    // Called once the control's window is destroyed: frees whatever the link itself holds.
    virtual void release() = 0;

protected:
    ~EditorLink() = default;
};

// Creates the editor control; nullptr on failure. The control's window owns the control object
// and frees it when it is destroyed; the frame then calls release() on the link.
EditorLink* createEditorControl(const EditorCreation& creation);
