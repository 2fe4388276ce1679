// PaneLayout: rectangles of the main window's panes and the splitter drags.
#include "PaneLayout.h"

PanePlacement PaneLayout::arrange() {
    PanePlacement out;
    int top = 0, bottom = clientHeight;
    if (toolbarShown) {
        out.toolbar = true;
        out.toolbarRect = {0, 0, clientWidth, kToolbarHeight};
        top = kToolbarHeight;
    }
    if (tabBarShown) {
        bottom = clientHeight - kTabBarHeight;
        out.tabBar = true;
        out.tabBarRect = {0, bottom, clientWidth, kTabBarHeight};
    }
    int left = 0, right = clientWidth;
    if (previewShown && previewExists) {
        out.preview = true;
        if (previewLeft) {
            if (previewWidth < 0) previewWidth = clientWidth * 40 / 100;
            out.previewRect = {0, top, previewWidth, bottom - top};
            left = previewWidth + kGap;
        } else {
            if (previewHeight < 0) previewHeight = clientHeight / 3;
            out.previewRect = {0, bottom - previewHeight, clientWidth, previewHeight};
            bottom -= previewHeight + kGap;
        }
    }
    if (resultShown && resultExists) {
        out.result = true;
        out.resultRect = {left, bottom - resultHeight, right - left, resultHeight};
        bottom -= resultHeight + kGap;
    }
    out.editorRect = {left, top, right - left, bottom - top > 0 ? bottom - top : 0};
    return out;
}

int PaneLayout::splitterAt(int x, int y) const {
    int top = toolbarShown ? kToolbarHeight : 0;
    int bottom = tabBarShown ? clientHeight - kTabBarHeight : clientHeight;
    if (y < top || y >= bottom) return kNoSplitter;
    if (previewShown && previewExists) {
        if (previewLeft && x >= previewWidth && x < previewWidth + kGap) return kPreviewSplitter;
        if (!previewLeft) {
            int gapTop = bottom - previewHeight - kGap;
            if (y >= gapTop && y < gapTop + kGap) return kPreviewSplitter;
            bottom = gapTop;
        }
    }
    if (resultShown && resultExists) {
        int gapTop = bottom - resultHeight - kGap;
        if (y >= gapTop && y < gapTop + kGap) return kResultSplitter;
    }
    return kNoSplitter;
}

void PaneLayout::resultCreated() {
    resultExists = true;
    resultHeight = clientHeight / 3;
    resultShown = true;
}

int PaneLayout::areaHeight() const {
    return clientHeight - (toolbarShown ? kToolbarHeight : 0) - (tabBarShown ? kTabBarHeight : 0);
}

bool PaneLayout::beginDrag(int x, int y, int screenX, int screenY) {
    int kind = splitterAt(x, y);
    if (kind == kNoSplitter) return false;
    dragging_ = true;
    dragKind_ = kind;
    dragStartX_ = screenX;
    dragStartY_ = screenY;
    dragStartSize_ = kind == kResultSplitter ? resultHeight : (previewLeft ? previewWidth : previewHeight);
    return true;
}

bool PaneLayout::dragTo(int screenX, int screenY) {
    if (!dragging_) return false;
    int h = areaHeight();
    if (dragKind_ == kResultSplitter) {
        int size = dragStartSize_ + (dragStartY_ - screenY);
        if (previewShown && !previewLeft) h -= previewHeight + kGap;
        resultHeight = size > h - kGap ? h - kGap : size;
        if (resultHeight < 5) resultHeight = 5;
    } else if (previewLeft) {
        int size = dragStartSize_ + (screenX - dragStartX_);
        previewWidth = size > clientWidth - kGap ? clientWidth - kGap : size;
        if (previewWidth < 20) previewWidth = 20;
    } else {
        int size = dragStartSize_ + (dragStartY_ - screenY);
        if (resultShown) h -= resultHeight + kGap;
        previewHeight = size > h - kGap ? h - kGap : size;
        if (previewHeight < 5) previewHeight = 5;
    }
    return true;
}
