// InterfaceFont: the frame's interface font (Shift_JIS, fixed pitch, 12 pixels), used by the
// search box, the result pane, the floating text and the status texts; deleted with its owner.
#pragma once
#include <windows.h>

#include <cstring>

#include "FrameTexts.h"

class InterfaceFont {
public:
    InterfaceFont() = default;
    ~InterfaceFont() {
        if (font_) DeleteObject(font_);
    }
    InterfaceFont(const InterfaceFont&) = delete;
    InterfaceFont& operator=(const InterfaceFont&) = delete;

    bool create() {
        LOGFONTA lf{};
        lf.lfHeight = 12;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lf.lfPitchAndFamily = FIXED_PITCH;
        std::strcpy(lf.lfFaceName, ulo_text::kInterfaceFontFace);
        font_ = CreateFontIndirectA(&lf);
        return font_ != nullptr;
    }
    HFONT handle() const { return font_; }

private:
    HFONT font_ = nullptr;
};
