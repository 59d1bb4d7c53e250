#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace zan {

// Dialogs answered by a script: message boxes are recorded (and reported to
// an optional listener), file dialogs take the next queued answer and are
// cancelled when none is queued.
class ScriptedDialogs : public Dialogs {
  public:
    struct Message {
        std::string title, text;
        MessageIcon icon;
    };
    struct FileRequest {
        bool save;
        FileDialogRequest request;
    };

    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    FileDialogResult OpenFile(const FileDialogRequest& request) override;
    FileDialogResult SaveFile(const FileDialogRequest& request) override;

    // Queues the answer of the next file dialog: a full path, or cancel.
    void AnswerFile(const std::string& path);
    void CancelFile();

    const std::vector<Message>& Messages() const { return messages_; }
    const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }
    void ClearMessages() { messages_.clear(); }
    // Runs while a message box is "open", as the user reads it.
    std::function<void(const Message&)> onMessage;

  private:
    FileDialogResult Answer(bool save, const FileDialogRequest& request);
    std::vector<Message> messages_;
    std::vector<FileRequest> fileRequests_;
    std::deque<FileDialogResult> answers_;
};

}  // namespace zan
