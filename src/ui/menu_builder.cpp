#include "ui/menu_builder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalBlocker>

#include "controls/controls.h"
#include "ui/on_change.h"
#include "ui/qt_text.h"

namespace zan::ui {
namespace {

void BindAction(MenuItem& item, QAction* action) {
    action->setObjectName(ToQt(item.Name()));
    action->setEnabled(item.Enabled());
    action->setVisible(item.Visible());
    action->setStatusTip(ToQt(item.ToolTip()));
    OnChange(item, action, [&item](QAction* a, Property p) {
        if (p == Property::Enabled)
            a->setEnabled(item.Enabled());
        else if (p == Property::Visible)
            a->setVisible(item.Visible());
        else if (p == Property::Caption && !item.IsSeparator())
            a->setText(ToQt(item.Caption()));
        else if (p == Property::ToolTip)
            a->setStatusTip(ToQt(item.ToolTip()));
        else if (p == Property::Checked) {
            QSignalBlocker block(a);
            a->setChecked(item.Checked());
        }
    });
}

void AddItems(Control& parent, QMenu* menu, const EventGuard& guard) {
    for (Control* child : parent.Children()) {
        auto* item = dynamic_cast<MenuItem*>(child);
        if (!item) continue;
        QAction* action = nullptr;
        if (item->IsSeparator()) {
            action = menu->addSeparator();
        } else if (!item->Children().empty()) {
            QMenu* sub = menu->addMenu(ToQt(item->Caption()));
            AddItems(*item, sub, guard);
            action = sub->menuAction();
        } else {
            action = menu->addAction(ToQt(item->Caption()));
            action->setCheckable(true);
            action->setChecked(item->Checked());
            QPointer<QAction> self(action);
            QObject::connect(action, &QAction::triggered, action, [item, guard, self] {
                guard([item] { item->Click(); });
                // The check mark is the model's; Qt toggled its own on the click.
                if (!self) return;
                QSignalBlocker block(self.data());
                self->setChecked(item->Checked());
            });
        }
        BindAction(*item, action);
    }
}

}  // namespace

void BuildMenuBar(Form& form, QMenuBar* bar, const EventGuard& guard) {
    for (Control* child : form.Children()) {
        auto* item = dynamic_cast<MenuItem*>(child);
        if (!item) continue;
        QMenu* menu = bar->addMenu(ToQt(item->Caption()));
        menu->setToolTipsVisible(true);
        AddItems(*item, menu, guard);
        BindAction(*item, menu->menuAction());
    }
}

}  // namespace zan::ui
