// The hot / pressed model shared by the tab bar and the toolbar: which item the pointer makes hot,
// when it is pressed, when its command fires, and when the look returns to normal.
#pragma once

namespace bars {

enum class PointerState { None = 0, Hot = 1, Pressed = 2 };

// What the model asks of its window. Releasing the capture may come back as captureLost().
class PointerSink {
public:
    virtual void capturePointer() = 0;  // capture the mouse and ask for a leave notification
    virtual void releasePointer() = 0;
    virtual void drawItem(int item, PointerState look) = 0;
    virtual void fireItem(int item) = 0;

protected:
    ~PointerSink() = default;
};

class PointerModel {
public:
    explicit PointerModel(PointerSink& sink) : sink_(sink) {}
    PointerModel(const PointerModel&) = delete;
    PointerModel& operator=(const PointerModel&) = delete;

    // `hit` is the item under the pointer, or -1.
    void move(int hit);
    // `fireOnDown`: the item fires at once instead of being pressed (toolbar flag 0x10).
    void buttonDown(int hit, bool fireOnDown);
    void buttonUp();
    // The pointer left the window (ends only the hot state, giving up its capture) / the capture
    // ended (ends any state).
    void leave();
    void captureLost();

    PointerState state() const { return state_; }
    int item() const { return item_; }  // meaningful while the state is not None
    bool inside() const { return inside_; }

private:
    void toNormal();

    PointerSink& sink_;
    PointerState state_ = PointerState::None;
    int item_ = -1;
    bool inside_ = false;
};

}  // namespace bars
