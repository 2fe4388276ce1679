// Tests of the main window's pane rectangles for given client sizes, the splitter hit test and
// the limits of the splitter drags.
#include "PaneLayout.h"

#include <gtest/gtest.h>

namespace {

PaneRect rect(int x, int y, int w, int h) { return PaneRect{x, y, w, h}; }

// An 800 x 600 client area with the tab bar shown and the toolbar hidden (the defaults).
PaneLayout plain() {
    PaneLayout l;
    l.clientWidth = 800;
    l.clientHeight = 600;
    return l;
}

}  // namespace

TEST(PaneLayout, BarsTakeTheirRowsAndTheEditorTheRest) {
    PaneLayout l = plain();
    PanePlacement p = l.arrange();
    EXPECT_FALSE(p.toolbar);
    EXPECT_TRUE(p.tabBar);
    EXPECT_EQ(p.tabBarRect, rect(0, 583, 800, 17));
    EXPECT_EQ(p.editorRect, rect(0, 0, 800, 583));

    l.toolbarShown = true;
    l.tabBarShown = false;
    p = l.arrange();
    EXPECT_EQ(p.toolbarRect, rect(0, 0, 800, 29));
    EXPECT_FALSE(p.tabBar);
    EXPECT_EQ(p.editorRect, rect(0, 29, 800, 571));

    // A client area smaller than the bars leaves the editor no height, never a negative one.
    l.tabBarShown = true;
    l.clientHeight = 30;
    EXPECT_EQ(l.arrange().editorRect, rect(0, 29, 800, 0));
}

TEST(PaneLayout, ResultAndPreviewPanesBelowTheEditor) {
    PaneLayout l = plain();
    l.toolbarShown = true;
    l.resultCreated();
    EXPECT_EQ(l.resultHeight, 200);
    PanePlacement p = l.arrange();
    ASSERT_TRUE(p.result);
    EXPECT_EQ(p.resultRect, rect(0, 383, 800, 200));
    EXPECT_EQ(p.editorRect, rect(0, 29, 800, 351));  // 3-pixel splitter above the result pane

    // A preview pane shown without a viewer window takes no room.
    l.previewShown = true;
    EXPECT_FALSE(l.arrange().preview);
    l.previewExists = true;
    p = l.arrange();
    EXPECT_EQ(l.previewHeight, 200);  // a third of the client height on first use
    EXPECT_EQ(p.previewRect, rect(0, 383, 800, 200));
    EXPECT_EQ(p.resultRect, rect(0, 180, 800, 200));
    EXPECT_EQ(p.editorRect, rect(0, 29, 800, 148));

    // The hidden result pane gives its room back.
    l.resultShown = false;
    p = l.arrange();
    EXPECT_FALSE(p.result);
    EXPECT_EQ(p.editorRect, rect(0, 29, 800, 351));
}

TEST(PaneLayout, PreviewAtTheLeftTakesFortyPercent) {
    PaneLayout l = plain();
    l.previewLeft = l.previewShown = l.previewExists = true;
    l.resultCreated();
    PanePlacement p = l.arrange();
    EXPECT_EQ(l.previewWidth, 320);
    EXPECT_EQ(p.previewRect, rect(0, 0, 320, 583));
    EXPECT_EQ(p.resultRect, rect(323, 383, 477, 200));
    EXPECT_EQ(p.editorRect, rect(323, 0, 477, 380));
    // The width stays once set, also when the window grows.
    l.clientWidth = 1000;
    EXPECT_EQ(l.arrange().previewRect.width, 320);
}

TEST(PaneLayout, SplittersAreTheGapsBetweenPanes) {
    PaneLayout l = plain();
    l.toolbarShown = true;
    l.resultCreated();
    l.previewShown = l.previewExists = true;
    l.arrange();  // preview 200 high at y 383, result 200 high at y 180
    EXPECT_EQ(l.splitterAt(10, 380), PaneLayout::kPreviewSplitter);
    EXPECT_EQ(l.splitterAt(10, 382), PaneLayout::kPreviewSplitter);
    EXPECT_EQ(l.splitterAt(10, 383), PaneLayout::kNoSplitter);
    EXPECT_EQ(l.splitterAt(10, 177), PaneLayout::kResultSplitter);
    EXPECT_EQ(l.splitterAt(10, 179), PaneLayout::kResultSplitter);
    EXPECT_EQ(l.splitterAt(10, 100), PaneLayout::kNoSplitter);
    EXPECT_EQ(l.splitterAt(10, 10), PaneLayout::kNoSplitter);   // the toolbar
    EXPECT_EQ(l.splitterAt(10, 590), PaneLayout::kNoSplitter);  // the tab bar

    PaneLayout left = plain();
    left.previewLeft = left.previewShown = left.previewExists = true;
    left.arrange();
    EXPECT_EQ(left.splitterAt(320, 50), PaneLayout::kPreviewSplitter);
    EXPECT_EQ(left.splitterAt(322, 50), PaneLayout::kPreviewSplitter);
    EXPECT_EQ(left.splitterAt(323, 50), PaneLayout::kNoSplitter);
    EXPECT_EQ(left.splitterAt(319, 50), PaneLayout::kNoSplitter);
}

TEST(PaneLayout, DragsStopAtTheirLimits) {
    PaneLayout l = plain();
    l.toolbarShown = true;
    l.resultCreated();
    l.arrange();  // result at y 383..583, its splitter at 380..382
    EXPECT_FALSE(l.dragTo(0, 0));  // no drag yet
    EXPECT_FALSE(l.beginDrag(10, 100, 1010, 1100));
    ASSERT_TRUE(l.beginDrag(10, 381, 1010, 1381));
    EXPECT_TRUE(l.dragTo(1010, 1331));
    EXPECT_EQ(l.resultHeight, 250);
    // Far up: 3 pixels below the top of the area between the bars (600 - 29 - 17 = 554).
    l.dragTo(1010, 0);
    EXPECT_EQ(l.resultHeight, 551);
    // Far down: 5 pixels.
    l.dragTo(1010, 5000);
    EXPECT_EQ(l.resultHeight, 5);
    l.endDrag();
    EXPECT_FALSE(l.dragTo(1010, 1000));
    EXPECT_EQ(l.resultHeight, 5);

    PaneLayout left = plain();
    left.previewLeft = left.previewShown = left.previewExists = true;
    left.arrange();
    ASSERT_TRUE(left.beginDrag(321, 50, 321, 50));
    left.dragTo(421, 50);
    EXPECT_EQ(left.previewWidth, 420);
    left.dragTo(5000, 50);
    EXPECT_EQ(left.previewWidth, 797);
    left.dragTo(-5000, 50);
    EXPECT_EQ(left.previewWidth, 20);

    // The preview pane below leaves room for a shown result pane above it.
    PaneLayout below = plain();
    below.resultCreated();
    below.previewShown = below.previewExists = true;
    below.arrange();  // preview 200 at y 383; its splitter at 380..382
    ASSERT_TRUE(below.beginDrag(10, 381, 10, 381));
    below.dragTo(10, -5000);
    EXPECT_EQ(below.previewHeight, 583 - 203 - 3);
}
