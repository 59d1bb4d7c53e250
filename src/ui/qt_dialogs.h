#pragma once
#include <QString>

#include "platform/dialogs.h"

class QWidget;

namespace zan::ui {

// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|" as a Qt name filter.
QString QtNameFilter(const std::string& filter);

// Message boxes and file dialogs over QMessageBox and QFileDialog.
class QtDialogs : public Dialogs {
  public:
    // The window the dialogs belong to; set once the main window exists.
    void SetParent(QWidget* parent) { parent_ = parent; }
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    FileDialogResult OpenFile(const FileDialogRequest& request) override;
    FileDialogResult SaveFile(const FileDialogRequest& request) override;

  private:
    FileDialogResult Run(const FileDialogRequest& request, bool save);
    QWidget* parent_ = nullptr;
};

}  // namespace zan::ui
