#pragma once
#include <QObject>
#include <QString>
#include <deque>

#include "platform/dialogs.h"

class QWidget;

namespace zan::ui {

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|" as a Qt name filter.
QString QtNameFilter(const std::string& filter);

// Message boxes and file dialogs over QMessageBox and QFileDialog. A message
// box is modal for the user (the windows take no clicks while it is up) but
// not for the program: it is shown without a nested event loop, and the boxes
// raised meanwhile wait in a queue for their turn.
class QtDialogs : public Dialogs {
  public:
    // The window the dialogs belong to; set once the main window exists.
    void SetParent(QWidget* parent) { parent_ = parent; }
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    long long MessagesAnswered() const override { return answered_; }
    int MessagesOpen() const override { return static_cast<int>(waiting_.size()); }
    FileDialogResult OpenFile(const FileDialogRequest& request) override;
    FileDialogResult SaveFile(const FileDialogRequest& request) override;

  private:
    struct Message {
        QString text, title;
        MessageIcon icon;
    };
    void ShowFirst();
    FileDialogResult Run(const FileDialogRequest& request, bool save);
    QWidget* parent_ = nullptr;
    // The box shown first, then those waiting their turn.
    std::deque<Message> waiting_;
    long long answered_ = 0;
    // Owns the connections to the boxes, which end with these dialogs.
    QObject owner_;
};

}  // namespace zan::ui
