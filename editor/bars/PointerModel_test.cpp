// Tests of the hot / pressed model: the sequences of capture, drawing and firing it asks for.
#include "PointerModel.h"

#include <gtest/gtest.h>

#include <string>

using bars::PointerModel;
using bars::PointerState;

namespace {

// Records every request as text; releasing the capture reports its end like a window does.
class Recorder : public bars::PointerSink {
public:
    PointerModel* model = nullptr;
    std::string log;
    bool captured = false;

    void capturePointer() override {
        captured = true;
        log += "capture ";
    }
    void releasePointer() override {
        log += "release ";
        if (captured) {
            captured = false;
            model->captureLost();
        }
    }
    void drawItem(int item, PointerState look) override {
        log += "draw" + std::to_string(item) + ":" + std::to_string(int(look)) + " ";
    }
    void fireItem(int item) override { log += "fire" + std::to_string(item) + " "; }
};

class PointerModelTest : public ::testing::Test {
protected:
    Recorder sink;
    PointerModel model{sink};
    void SetUp() override { sink.model = &model; }
    std::string take() {
        std::string s = sink.log;
        sink.log.clear();
        return s;
    }
};

}  // namespace

TEST_F(PointerModelTest, ClickOnAnItemFiresOnce) {
    model.move(-1);
    EXPECT_EQ(take(), "");
    model.move(2);
    EXPECT_EQ(take(), "capture draw2:1 ");
    model.move(2);
    EXPECT_EQ(take(), "");
    model.buttonDown(2, false);
    EXPECT_EQ(take(), "draw2:2 ");
    EXPECT_EQ(model.state(), PointerState::Pressed);
    model.buttonUp();
    EXPECT_EQ(take(), "fire2 draw2:0 release ");
    EXPECT_EQ(model.state(), PointerState::None);
}

TEST_F(PointerModelTest, PressMoveOffAndReleaseSendsNothing) {
    model.move(0);
    model.buttonDown(0, false);
    take();
    model.move(1);  // another item: the pressed look goes, the press stays
    EXPECT_EQ(take(), "draw0:0 ");
    EXPECT_FALSE(model.inside());
    model.move(-1);
    EXPECT_EQ(take(), "");
    model.move(0);  // back on it: pressed again
    EXPECT_EQ(take(), "draw0:2 ");
    model.move(-1);
    take();
    model.buttonUp();
    EXPECT_EQ(take(), "draw0:0 release ");
}

TEST_F(PointerModelTest, LeavingTheHotItemEndsTheHotState) {
    model.move(1);
    take();
    model.move(3);  // off item 1 (onto item 3): capture released, item 1 normal
    EXPECT_EQ(take(), "release draw1:0 ");
    EXPECT_EQ(model.state(), PointerState::None);
    model.move(3);  // the next move makes item 3 hot
    EXPECT_EQ(take(), "capture draw3:1 ");
    model.leave();  // the hot state's capture goes with it
    EXPECT_EQ(take(), "release draw3:0 ");
    EXPECT_FALSE(sink.captured);
    // A leave notification while pressed is ignored; the capture's end is not.
    model.move(3);
    model.buttonDown(3, false);
    take();
    model.leave();
    EXPECT_EQ(take(), "");
    model.captureLost();
    EXPECT_EQ(take(), "draw3:0 ");
    model.buttonUp();
    EXPECT_EQ(take(), "");
}

TEST_F(PointerModelTest, ButtonDownCountsOnlyOnTheHotItem) {
    model.buttonDown(0, false);  // nothing hot
    EXPECT_EQ(take(), "");
    model.move(0);
    take();
    model.buttonDown(1, false);  // a different item than the hot one
    EXPECT_EQ(take(), "");
    model.buttonDown(-1, false);
    EXPECT_EQ(model.state(), PointerState::Hot);
}

TEST_F(PointerModelTest, FireOnDownHasNoPressedState) {
    model.move(4);
    take();
    model.buttonDown(4, true);
    EXPECT_EQ(take(), "draw4:0 release fire4 ");
    EXPECT_EQ(model.state(), PointerState::None);
    model.buttonUp();
    EXPECT_EQ(take(), "");
}
