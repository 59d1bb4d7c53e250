#include "ui/window_binder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/qt_test_app.h"
#include "sim/simulated_sensor.h"
#include "ui/list_view.h"
#include "virtual/virtual_program.h"

namespace zan::ui {
namespace {

TEST(WindowBinder, EveryControlHasItsWidgetModelChangesReachThemAndUserActionsRunTheHandlers) {
    test::App();
    VirtualProgram program;
    program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(sim::SensorModel::Vsf));
    program.Load();
    WindowBinder binder(program.ctx);
    const std::pair<const ControlRegistry*, const Form*> forms[] = {
        {&program.ctx.main.registry, &program.ctx.main.Form1},
        {&program.ctx.quick.registry, &program.ctx.quick.Form2},
        {&program.ctx.progress.registry, &program.ctx.progress.Form3}};
    for (const auto& [registry, form] : forms)
        for (const Control* control : registry->All())
            EXPECT_NE(binder.Find(*form, control->Name()), nullptr)
                << form->Name() << " has no widget for " << control->Name();
    MainForm& m = program.ctx.main;
    const auto widget = [&](const char* name) { return binder.Find(m.Form1, name); };
    m.List1.AddItem("first");
    m.List1.AppendToEntry(0, '!');
    m.Command1.SetCaption("Stop Graphing");
    m.dh1.SetEnabled(false);
    auto* list = qobject_cast<QWidget*>(widget("List1"));
    SyncListView(list);
    EXPECT_EQ(ListViewRowText(list, 0), "first!");
    EXPECT_EQ(qobject_cast<QPushButton*>(widget("Command1"))->text(), "Stop Graphing");
    EXPECT_FALSE(qobject_cast<QAction*>(widget("dh1"))->isEnabled());
    program.ctx.quick.Form2.SetVisible(false);
    program.ctx.quick.Form2.SetVisible(true);
    EXPECT_TRUE(binder.QuickSetupWindow()->isVisible());

    qobject_cast<QAction*>(widget("inst2"))->trigger();
    EXPECT_EQ(qobject_cast<QLabel*>(widget("Label13"))->text(), "VSF");
    auto* open = qobject_cast<QAction*>(widget("op1"));
    open->trigger();
    open->trigger();
    // The second trigger leaves the model's check mark, not Qt's toggle.
    EXPECT_TRUE(program.port.IsOpen() && open->isChecked());
    auto* edit = qobject_cast<QLineEdit*>(widget("Text12"));
    edit->setText("61");
    emit edit->textEdited("61");
    EXPECT_EQ(m.Text12.Text(), "61");
}

}  // namespace
}  // namespace zan::ui
