#pragma once
#include <memory>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace zan {
struct Context;
class Form;
}  // namespace zan

namespace zan::ui {

class KeyForwarder;

// The program's three windows as Qt widgets over the window model: the main
// window with its menu bar and status bar, the quick setup dialog and the
// progress window. Each window shows while its form is visible.
class WindowBinder {
  public:
    explicit WindowBinder(Context& ctx);
    ~WindowBinder();
    WindowBinder(const WindowBinder&) = delete;
    WindowBinder& operator=(const WindowBinder&) = delete;

    QWidget* MainWindow() const { return main_; }
    QWidget* QuickSetupWindow() const { return quick_; }
    QWidget* ProgressWindow() const { return progress_; }
    // Shows the windows whose forms are visible now; later changes follow by themselves.
    void ShowVisibleWindows();
    // The widget or menu action bound to a control of the form, or null.
    QObject* Find(const Form& form, const std::string& controlName) const;

  private:
    Context& ctx_;
    QWidget* main_ = nullptr;
    QWidget* quick_ = nullptr;
    QWidget* progress_ = nullptr;
    std::unique_ptr<KeyForwarder> keys_;
};

}  // namespace zan::ui
