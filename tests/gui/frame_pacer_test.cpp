#include "ui/frame_pacer.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "gui/qt_test_app.h"

namespace zan::ui {
namespace {

constexpr int kFrameMs = 600;

struct Painted : QWidget {
    using QWidget::QWidget;
    int paints = 0;

    void paintEvent(QPaintEvent*) override { ++paints; }
};

// A change shows at once after a quiet spell; changes within the frame wait
// for it and are painted together; a change that answers a key shows at once.
TEST(FramePacer, HoldsRepaintsToOneAFrameExceptAfterQuietOrInput) {
    test::App();
    QWidget window;
    window.resize(200, 100);
    auto* child = new Painted(&window);
    child->resize(50, 50);
    PaceRepaints(&window, kFrameMs);
    window.show();
    test::RunEventLoop(2 * kFrameMs + 100);
    const int shown = child->paints;
    ASSERT_GE(shown, 1);

    // The paints since it was shown, 30 ms after a change.
    const auto paintsAfterChange = [&] {
        child->update();
        test::RunEventLoop(30);
        return child->paints - shown;
    };
    EXPECT_EQ(paintsAfterChange(), 1);
    paintsAfterChange();
    EXPECT_EQ(paintsAfterChange(), 1);
    test::RunEventLoop(kFrameMs);
    EXPECT_EQ(child->paints, shown + 2);

    // Within the next frame, yet answering the user.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(window.windowHandle(), &key);
    EXPECT_EQ(paintsAfterChange(), 3);
}

}  // namespace
}  // namespace zan::ui
