#include "ui/window_binder.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "gui/qt_test_app.h"
#include "sim/simulated_sensor.h"
#include "ui/list_view.h"
#include "virtual/virtual_program.h"

namespace zan::ui {
namespace {

class WindowBinderTest : public ::testing::Test {
  protected:
    WindowBinderTest() { test::App(); }
    VirtualProgram program;
};

void ExpectWidgetForEveryControl(const WindowBinder& binder, const ControlRegistry& registry,
                                 const Form& form) {
    for (const Control* control : registry.All())
        EXPECT_NE(binder.Find(form, control->Name()), nullptr)
            << form.Name() << " has no widget for " << control->Name();
}

TEST_F(WindowBinderTest, EveryControlOfEveryWindowHasItsWidget) {
    WindowBinder binder(program.ctx);
    ExpectWidgetForEveryControl(binder, program.ctx.main.registry, program.ctx.main.Form1);
    ExpectWidgetForEveryControl(binder, program.ctx.quick.registry, program.ctx.quick.Form2);
    ExpectWidgetForEveryControl(binder, program.ctx.progress.registry, program.ctx.progress.Form3);
}

TEST_F(WindowBinderTest, ModelChangesReachTheWidgets) {
    WindowBinder binder(program.ctx);
    MainForm& m = program.ctx.main;
    const Form& form = m.Form1;
    m.Label43.SetCaption("41");
    m.List1.AddItem("first");
    m.List1.AppendToEntry(0, '!');
    m.MSFlexGrid2.SetCell(1, 1, "0.5");
    m.Command1.SetBackColour(kLightRed);
    m.Command1.SetCaption("Stop Graphing");
    m.inst4.SetChecked(true);
    m.dh1.SetEnabled(false);

    EXPECT_EQ(qobject_cast<QLabel*>(binder.Find(form, "Label43"))->text(), "41");
    auto* list = qobject_cast<QAbstractItemView*>(binder.Find(form, "List1"));
    SyncListView(list);
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), "first!");
    EXPECT_EQ(qobject_cast<QTableWidget*>(binder.Find(form, "MSFlexGrid2"))->item(1, 1)->text(),
              "0.5");
    auto* button = qobject_cast<QPushButton*>(binder.Find(form, "Command1"));
    EXPECT_EQ(button->text(), "Stop Graphing");
    EXPECT_TRUE(button->styleSheet().contains("rgb(255,128,128)"));
    EXPECT_TRUE(qobject_cast<QAction*>(binder.Find(form, "inst4"))->isChecked());
    EXPECT_FALSE(qobject_cast<QAction*>(binder.Find(form, "dh1"))->isEnabled());
    // Windows follow their forms' visibility.
    program.ctx.quick.Form2.SetVisible(false);
    program.ctx.quick.Form2.SetVisible(true);
    EXPECT_TRUE(binder.QuickSetupWindow()->isVisible());
    program.ctx.quick.Form2.SetVisible(false);
    EXPECT_FALSE(binder.QuickSetupWindow()->isVisible());
}

TEST_F(WindowBinderTest, UserActionsRunTheModelHandlers) {
    auto sensor = std::make_shared<sim::SimulatedSensor>(sim::SensorModel::Vsf);
    program.port.Attach(1, sensor);
    program.Load();
    WindowBinder binder(program.ctx);
    const Form& form = program.ctx.main.Form1;

    qobject_cast<QAction*>(binder.Find(form, "inst2"))->trigger();
    EXPECT_EQ(program.ctx.state.InstrumentType, 1);
    EXPECT_EQ(qobject_cast<QLabel*>(binder.Find(form, "Label13"))->text(), "VSF");

    auto* open = qobject_cast<QAction*>(binder.Find(form, "op1"));
    open->trigger();
    EXPECT_TRUE(program.port.IsOpen());
    EXPECT_TRUE(open->isChecked());
    // A second trigger leaves the model's check mark, not Qt's toggle.
    open->trigger();
    EXPECT_TRUE(open->isChecked());

    program.pump.RunFor(2.5);
    auto* list = qobject_cast<QAbstractItemView*>(binder.Find(form, "List1"));
    SyncListView(list);
    EXPECT_GE(list->model()->rowCount(), 2);
}

TEST_F(WindowBinderTest, TypingInATextBoxFiresItsChangeHandler) {
    WindowBinder binder(program.ctx);
    int changes = 0;
    program.ctx.main.Text12.onChange = [&] { ++changes; };
    auto* edit = qobject_cast<QLineEdit*>(binder.Find(program.ctx.main.Form1, "Text12"));
    edit->setText("61");
    emit edit->textEdited("61");
    EXPECT_EQ(program.ctx.main.Text12.Text(), "61");
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace zan::ui
