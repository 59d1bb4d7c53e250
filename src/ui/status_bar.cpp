#include "ui/status_bar.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "context/context.h"
#include "link/port_watch.h"
#include "ui/on_change.h"
#include "ui/qt_text.h"

namespace zan::ui {
namespace {

// A long line is cut at the window's edge rather than widening the window;
// its tooltip holds all of it.
QLabel* StatusLabel(Label& control, QStatusBar* bar) {
    auto* label = new QLabel(bar);
    label->setObjectName(ToQt(control.Name()));
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setVisible(!control.Caption().empty());
    OnChange(control, label, [&control](QLabel* l, Property p) {
        if (p != Property::Caption) return;
        const QString text = ToQt(control.Caption());
        l->setText(text);
        l->setToolTip(text);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(text.left(60)));
        l->setVisible(!text.isEmpty());
    });
    return label;
}

}  // namespace

void BuildStatusBar(Context& ctx, QMainWindow* window) {
    QStatusBar* bar = window->statusBar();
    MainForm& m = ctx.main;
    bar->addPermanentWidget(StatusLabel(m.PortStatus, bar), 3);
    bar->addPermanentWidget(StatusLabel(m.RecordingStatus, bar), 1);
    bar->addPermanentWidget(StatusLabel(m.RawLogStatus, bar), 1);
    m.PortStatus.Observe([&ctx, window](Property p) {
        if (p != Property::Caption) return;
        for (MenuItem* item : {&ctx.main.op1, &ctx.main.op2, &ctx.main.op3, &ctx.main.op4}) {
            const int n = static_cast<int>(item->Name().back() - '0');
            if (auto* action = window->findChild<QAction*>(ToQt(item->Name())))
                action->setStatusTip(ToQt(ctx.platform.port.Describe(n)));
        }
    });
    ShowPortStatus(ctx);
}

}  // namespace zan::ui
