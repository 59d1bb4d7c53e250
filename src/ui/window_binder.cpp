#include "ui/window_binder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>
#include <map>

#include "context/context.h"
#include "link/port_operations.h"
#include "ui/frame_pacer.h"
#include "ui/menu_builder.h"
#include "ui/on_change.h"
#include "ui/qt_text.h"
#include "ui/status_bar.h"
#include "ui/window_layout.h"

namespace zan::ui {
namespace {

// While data streams the main window paints five frames a second: sixteen
// packets a second read as well and cost a fraction of painting each.
constexpr int kMainFrameMs = 200;

// A window whose title-bar close is the form's close event.
template <typename Base>
class FormWindow : public Base {
  public:
    explicit FormWindow(Form& form) : form_(form) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        form_.Close();
        event->accept();
    }

  private:
    Form& form_;
};

void BindWindow(Form& form, QWidget* window) {
    window->setObjectName(ToQt(form.Name()));
    window->setWindowTitle(ToQt(form.Caption()));
    OnChange(form, window, [&form](QWidget* w, Property p) {
        if (p == Property::Caption)
            w->setWindowTitle(ToQt(form.Caption()));
        else if (p == Property::Visible)
            w->setVisible(form.Visible());
    });
}

// The character code of a key as the windows' key-press events see it.
int CharCode(const QKeyEvent& event) {
    const int key = event.key();
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

}  // namespace

// Hands every key a window receives to its form's key-press event, once per key.
class KeyForwarder : public QObject {
  public:
    void Add(QWidget* window, Form& form) { forms_[window] = &form; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        QWidget* window = widget->window();
        auto it = forms_.find(window);
        if (it == forms_.end()) return false;
        // A key travels from the focused widget up to the window; take it at its first stop.
        QWidget* focus = QApplication::focusWidget();
        const bool firstStop =
            focus && focus->window() == window ? widget == focus : widget == window;
        if (!firstStop) return false;
        const int code = CharCode(*static_cast<QKeyEvent*>(event));
        if (code != 0) it->second->KeyPress(code);
        return false;
    }

  private:
    std::map<QWidget*, Form*> forms_;
};

WindowBinder::WindowBinder(Context& ctx) : ctx_(ctx), keys_(std::make_unique<KeyForwarder>()) {
    const EventGuard guard = [&ctx](const std::function<void()>& event) {
        try {
            event();
        } catch (const std::exception& e) {
            ShowError(ctx, e.what());
        }
    };

    auto* main = new FormWindow<QMainWindow>(ctx.main.Form1);
    BindWindow(ctx.main.Form1, main);
    BuildMenuBar(ctx.main.Form1, main->menuBar(), guard);
    auto* central = new QWidget(main);
    LayoutChildren(ctx.main.Form1, central, guard);
    main->setCentralWidget(central);
    BuildStatusBar(ctx, main);
    main->resize(1180, 800);
    PaceRepaints(main, kMainFrameMs);
    main_ = main;

    auto* quick = new FormWindow<QWidget>(ctx.quick.Form2);
    BindWindow(ctx.quick.Form2, quick);
    LayoutChildren(ctx.quick.Form2, quick, guard);
    quick_ = quick;

    auto* progress = new FormWindow<QWidget>(ctx.progress.Form3);
    BindWindow(ctx.progress.Form3, progress);
    LayoutChildren(ctx.progress.Form3, progress, guard);
    progress->resize(360, 100);
    progress_ = progress;

    keys_->Add(main_, ctx.main.Form1);
    keys_->Add(quick_, ctx.quick.Form2);
    qApp->installEventFilter(keys_.get());
}

WindowBinder::~WindowBinder() {
    qApp->removeEventFilter(keys_.get());
    delete main_;
    delete quick_;
    delete progress_;
}

void WindowBinder::ShowVisibleWindows() {
    main_->setVisible(ctx_.main.Form1.Visible());
    quick_->setVisible(ctx_.quick.Form2.Visible());
    progress_->setVisible(ctx_.progress.Form3.Visible());
}

QObject* WindowBinder::Find(const Form& form, const std::string& controlName) const {
    QWidget* window = &form == &ctx_.main.Form1    ? main_
                      : &form == &ctx_.quick.Form2 ? quick_
                                                   : progress_;
    if (ToQt(controlName) == window->objectName()) return window;
    return window->findChild<QObject*>(ToQt(controlName));
}

}  // namespace zan::ui
