// The hot / pressed model shared by both bars (see PointerModel.h).
#include "PointerModel.h"

namespace bars {

void PointerModel::move(int hit) {
    switch (state_) {
    case PointerState::None:
        if (hit < 0) return;
        state_ = PointerState::Hot;
        item_ = hit;
        sink_.capturePointer();
        sink_.drawItem(item_, PointerState::Hot);
        return;
    case PointerState::Hot:
        if (hit == item_) return;
        sink_.releasePointer();
        toNormal();  // in case the window reported no end of capture
        return;
    case PointerState::Pressed: {
        const bool inside = hit == item_;
        if (inside == inside_) return;
        inside_ = inside;
        sink_.drawItem(item_, inside ? PointerState::Pressed : PointerState::None);
        return;
    }
    }
}

void PointerModel::buttonDown(int hit, bool fireOnDown) {
    if (state_ != PointerState::Hot || hit != item_) return;
    if (fireOnDown) {
        const int fired = item_;
        toNormal();
        sink_.releasePointer();
        sink_.fireItem(fired);
        return;
    }
    state_ = PointerState::Pressed;
    inside_ = true;
    sink_.drawItem(item_, PointerState::Pressed);
}

void PointerModel::buttonUp() {
    if (state_ != PointerState::Pressed) return;
    const int fired = item_;
    const bool inside = inside_;
    state_ = PointerState::None;
    inside_ = false;
    if (inside) sink_.fireItem(fired);
    sink_.drawItem(fired, PointerState::None);
    sink_.releasePointer();
}

void PointerModel::leave() {
    if (state_ != PointerState::Hot) return;
    // The hot state holds the capture: kept past the leave, it would take every later click of
    // the program away from the window under the pointer.
    sink_.releasePointer();
    toNormal();  // in case the window reported no end of capture
}

void PointerModel::captureLost() {
    if (state_ != PointerState::None) toNormal();
}

void PointerModel::toNormal() {
    if (state_ == PointerState::None) return;
    const int drawn = item_;
    state_ = PointerState::None;
    inside_ = false;
    sink_.drawItem(drawn, PointerState::None);
}

}  // namespace bars
