#pragma once
#include <string>

namespace zan {

struct FileDialogRequest {
    std::string title;
    std::string filter;  // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"
    std::string defaultExtension;
    std::string initialName;
    // A save dialog asks before replacing a file, unless the file is to be appended to.
    bool confirmReplace = true;
};

struct FileDialogResult {
    bool cancelled = true;
    std::string path;  // full path
    std::string name;  // without its folder
};

enum class MessageIcon { None, Information };

// Modal dialogs, handed to the core so it never reaches for a toolkit.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void MessageBox(const std::string& text, const std::string& title,
                            MessageIcon icon = MessageIcon::None) = 0;
    virtual FileDialogResult OpenFile(const FileDialogRequest& request) = 0;
    virtual FileDialogResult SaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace zan
