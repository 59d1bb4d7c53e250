#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "core/test_support.h"
#include "gui/qt_test_app.h"
#include "sim/simulated_sensor.h"
#include "ui/window_binder.h"
#include "virtual/virtual_program.h"

namespace zan::ui {
namespace {

// The desktop start: the quick setup dialog first, its buttons clicked as Qt widgets.
class QuickSetupDialogTest : public ::testing::Test {
  protected:
    QuickSetupDialogTest() {
        test::App();
        program.clock.quickSetupPath = (folder / "def.zhl").string();
        program.clock.preferencesPath = (folder / "zhost.def").string();
        program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(sim::SensorModel::Vsf));
        binder = std::make_unique<WindowBinder>(program.ctx);
        program.Start();
        binder->ShowVisibleWindows();
        // Lets the layouts place the widgets before the mouse looks for them.
        test::RunEventLoop(50);
    }
    template <typename W>
    W* Quick(const char* name) {
        return qobject_cast<W*>(binder->Find(program.ctx.quick.Form2, name));
    }
    template <typename W>
    W* Main(const char* name) {
        return qobject_cast<W*>(binder->Find(program.ctx.main.Form1, name));
    }

    // Keys go where the keyboard focus is, as when the user types.
    static QWidget* KeyTarget(QWidget* window) {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == window ? focus : window;
    }

    // A radio button takes clicks on its circle and caption only.
    void ClickOption(const char* name) {
        QRadioButton* option = Quick<QRadioButton>(name);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }

    zan::test::TempFolder folder;
    VirtualProgram program;
    std::unique_ptr<WindowBinder> binder;
};

TEST_F(QuickSetupDialogTest, ApplyOpensTheMainWindowWithTheOptionsClickedLast) {
    EXPECT_TRUE(binder->QuickSetupWindow()->isVisible());
    EXPECT_FALSE(binder->MainWindow()->isVisible());
    ClickOption("Option2");
    ClickOption("Option1");
    ClickOption("Option4");
    EXPECT_FALSE(Quick<QRadioButton>("Option2")->isChecked());
    QTest::mouseClick(Quick<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(binder->QuickSetupWindow()->isVisible());
    EXPECT_TRUE(binder->MainWindow()->isVisible());
    EXPECT_EQ(binder->MainWindow()->windowTitle(), "ZAN Host 4.1.4");
    EXPECT_EQ(Main<QLabel>("Label13")->text(), "VSF");
    EXPECT_TRUE(program.port.IsOpen());
    // Closing the main window saves the date format.
    program.ctx.main.ydm.Click();
    binder->MainWindow()->close();
    EXPECT_TRUE(program.ctx.programEnded);
    EXPECT_EQ(zan::test::ReadBytes(folder / "zhost.def"),
              "False\r\nFalse\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n");
}

TEST_F(QuickSetupDialogTest, CtrlKThenExclamationMarkUnlocksTestMode) {
    QWidget* dialog = KeyTarget(binder->QuickSetupWindow());
    QTest::keyClick(dialog, Qt::Key_Exclam);
    EXPECT_FALSE(Quick<QLabel>("Label2")->isVisible());
    QTest::keyClick(dialog, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(dialog, Qt::Key_A);
    QTest::keyClick(dialog, '!');
    EXPECT_TRUE(Quick<QLabel>("Label2")->isVisible());
    EXPECT_EQ(program.ctx.state.TestMode, 1);
}

TEST_F(QuickSetupDialogTest, CtrlDInTheMainWindowFocusesTheTerminalOfTheTestingPanel) {
    program.ctx.quick.Form2.KeyPress(11);
    program.ctx.quick.Form2.KeyPress('!');
    QTest::mouseClick(Quick<QPushButton>("Command1"), Qt::LeftButton);
    qobject_cast<QTabWidget*>(binder->Find(program.ctx.main.Form1, "SSTab1"))->setCurrentIndex(2);
    QTest::mouseClick(Main<QPushButton>("Image1"), Qt::LeftButton);
    EXPECT_TRUE(Main<QWidget>("Frame9")->isVisible());
    // The user types into the main window, the active one.
    binder->MainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(binder->MainWindow()));
    QTest::keyClick(KeyTarget(binder->MainWindow()), Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(program.ctx.main.Text9.HasFocus());
    EXPECT_TRUE(Main<QLineEdit>("Text9")->hasFocus());
}

TEST_F(QuickSetupDialogTest, TheCalibrationEditorOpensOverTheClickedCellAndEnterCommits) {
    ClickOption("Option1");
    QTest::mouseClick(Quick<QPushButton>("Command1"), Qt::LeftButton);
    program.ctx.main.SSTab1.SetCurrentTab(2);
    auto* grid = Main<QTableWidget>("MSFlexGrid2");
    const QRect cell = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());

    auto* editor = Main<QLineEdit>("Text11");
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->parentWidget(), grid->viewport());
    EXPECT_EQ(editor->geometry(), cell);
    QTest::keyClicks(editor, "0.0025");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(program.ctx.main.MSFlexGrid2.Cell(2, 1), "0.0025");
    EXPECT_EQ(grid->item(2, 1)->text(), "0.0025");
}

}  // namespace
}  // namespace zan::ui
