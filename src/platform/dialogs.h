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

// The dialogs, handed to the core so it never reaches for a toolkit.
//
// A message box waits for the user, the program does not: MessageBox puts the
// box up and returns at once, and the acquisition loop, the files and the
// port watch go on while it is shown. Boxes raised while one is shown follow
// it, one at a time, in the order they were raised. A handler that needs the
// user's OK before it goes on waits with WaitForOk (context/), which keeps
// every event running. File dialogs are modal; only a click opens one.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void MessageBox(const std::string& text, const std::string& title,
                            MessageIcon icon = MessageIcon::None) = 0;
    // How many boxes the user has answered so far, and how many are shown or
    // waiting their turn. Dialogs that answer every box at once keep both at 0.
    virtual long long MessagesAnswered() const { return 0; }
    virtual int MessagesOpen() const { return 0; }
    virtual FileDialogResult OpenFile(const FileDialogRequest& request) = 0;
    virtual FileDialogResult SaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace zan
