#include "ui/qt_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace zan::ui {

QString QtNameFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const int paren = name.indexOf('(');
        if (paren > 0) name = name.left(paren).trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        // "*.*" means every file, also those without a dot in their name.
        for (QString& p : patterns)
            if (p.trimmed() == "*.*") p = "*";
        filters << name + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

void QtDialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon) {
    waiting_.push_back({QString::fromStdString(text), QString::fromStdString(title), icon});
    if (waiting_.size() == 1) ShowFirst();
}

void QtDialogs::ShowFirst() {
    const Message& m = waiting_.front();
    auto* box = new QMessageBox(
        m.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        m.title, m.text, QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QDialog::finished, &owner_, [this] {
        waiting_.pop_front();
        ++answered_;
        if (!waiting_.empty()) ShowFirst();
    });
    box->show();
}

FileDialogResult QtDialogs::OpenFile(const FileDialogRequest& request) {
    return Run(request, false);
}

FileDialogResult QtDialogs::SaveFile(const FileDialogRequest& request) {
    return Run(request, true);
}

FileDialogResult QtDialogs::Run(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtNameFilter(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmReplace);
    if (!request.initialName.empty())
        dialog.selectFile(QString::fromStdString(request.initialName));
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
    const QString path = dialog.selectedFiles().front();
    result.cancelled = false;
    result.path = path.toStdString();
    result.name = QFileInfo(path).fileName().toStdString();
    return result;
}

}  // namespace zan::ui
