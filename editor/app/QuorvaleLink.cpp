// QuorvaleLink: the frame's link to the editor control proper (Quorvale, window class
// "QuorvaleEditer"): creation with the settings' values and the document's encoding and line end.
#include <new>

#include "EditorLink.h"
#include "Quorvale.h"

namespace {

class QuorvaleLink final : public EditorLink {
public:
    explicit QuorvaleLink(Quorvale* control) : control_(control) {}
    QuorvaleLink(const QuorvaleLink&) = delete;
    QuorvaleLink& operator=(const QuorvaleLink&) = delete;

    HWND window() const override { return control_->window(); }
    TextEncoding encoding() const override { return control_->encoding(); }
    void setEncoding(TextEncoding e) override { control_->setEncoding(e); }
    LineEnd lineEnd() const override { return control_->documentLineEnd(); }
    void setLineEnd(LineEnd e) override { control_->setDocumentLineEnd(e); }
    void setFocusStamp(uint32_t value) override { control_->setFocusStamp(value); }
    void release() override { delete this; }

private:
    ~QuorvaleLink() = default;
    Quorvale* control_;  // owned by its window
};

}  // namespace

EditorLink* createEditorControl(const EditorCreation& c) {
    // The settings keep COLORREF values (0x00BBGGRR); the control takes red, green, blue, flags.
    ColourEntry colours[20] = {};
    for (int i = 0; i < 20 && c.colours; ++i) {
        uint32_t v = c.colours[i];
        colours[i] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16), 0};
    }
    Quorvale* control = Quorvale::create(c.exStyle, c.style, c.instance, c.parent, c.notifyMessage, c.fontFace,
                                         c.fontPoints, colours, c.tabWidth, c.undoLimit, c.wrapColumns, c.flags,
                                         c.defaultEncoding);
    if (!control) return nullptr;
    auto* link = new (std::nothrow) QuorvaleLink(control);
    if (!link) DestroyWindow(control->window());
    return link;
}
