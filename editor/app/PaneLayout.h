// PaneLayout: where the main window's children go for a given client size: the toolbar at the
// top, the tab bar at the bottom, the preview pane at the left or below, the result pane under
// the editor control, 3-pixel splitters between them; and the splitter drags that resize the
// result and preview panes.
#pragma once

struct PaneRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PaneRect& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};

// Which panes were placed and where; a pane not shown keeps shown == false.
struct PanePlacement {
    bool toolbar = false, tabBar = false, preview = false, result = false;
    PaneRect toolbarRect, tabBarRect, previewRect, resultRect, editorRect;
};

class PaneLayout {
public:
    static constexpr int kToolbarHeight = 29;
    static constexpr int kTabBarHeight = 17;
    static constexpr int kGap = 3;

    // Splitter kinds of splitterAt().
    static constexpr int kNoSplitter = 0;
    static constexpr int kPreviewSplitter = 1;
    static constexpr int kResultSplitter = -1;

    int clientWidth = 0;
    int clientHeight = 0;
    bool toolbarShown = false;
    bool tabBarShown = true;
    bool resultExists = false;   // the result pane was created
    bool resultShown = false;
    bool previewExists = false;  // an embedded viewer gives the preview pane
    bool previewShown = false;
    bool previewLeft = false;    // the preview pane at the left instead of below
    int resultHeight = 0;
    int previewWidth = -1;   // -1 until first laid out at the left, then 40 % of the width
    int previewHeight = -1;  // -1 until first laid out below, then a third of the height

    // The placement for the current sizes; fixes the preview size on first use.
    PanePlacement arrange();
    // The splitter under a client point.
    int splitterAt(int x, int y) const;
    // The result pane was just created: a third of the height, shown.
    void resultCreated();

    // A drag starting at a client point (and the same point on the screen); false when the point
    // is on no splitter.
    bool beginDrag(int x, int y, int screenX, int screenY);
    // The cursor moved to a screen point; false when no drag runs (nothing changed).
    bool dragTo(int screenX, int screenY);
    void endDrag() { dragging_ = false; }
    bool dragging() const { return dragging_; }

private:
    int areaHeight() const;

    bool dragging_ = false;
    int dragKind_ = kNoSplitter;
    int dragStartX_ = 0, dragStartY_ = 0;
    int dragStartSize_ = 0;
};
