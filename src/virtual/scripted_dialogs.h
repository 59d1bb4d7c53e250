#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace zan {

// Dialogs answered by a script: message boxes are recorded (and reported to
// an optional listener) and answered at once, or held open until the script
// presses OK; file dialogs take the next queued answer and are cancelled when
// none is queued.
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
    long long MessagesAnswered() const override { return answered_; }
    int MessagesOpen() const override { return open_; }
    FileDialogResult OpenFile(const FileDialogRequest& request) override;
    FileDialogResult SaveFile(const FileDialogRequest& request) override;

    // Queues the answer of the next file dialog: a full path, or cancel.
    void AnswerFile(const std::string& path);
    void CancelFile();

    const std::vector<Message>& Messages() const { return messages_; }
    const std::vector<FileRequest>& FileRequests() const { return fileRequests_; }
    void ClearMessages() { messages_.clear(); }
    // Runs as a message box opens, as the user reads it.
    std::function<void(const Message&)> onMessage;
    // From now on boxes stay open until PressOk, as for a user away from the screen.
    void HoldBoxes() { holding_ = true; }
    // Answers the oldest box still open.
    void PressOk();

  private:
    FileDialogResult Answer(bool save, const FileDialogRequest& request);
    std::vector<Message> messages_;
    std::vector<FileRequest> fileRequests_;
    std::deque<FileDialogResult> answers_;
    bool holding_ = false;
    int open_ = 0;
    long long answered_ = 0;
};

}  // namespace zan
