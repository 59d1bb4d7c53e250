#include "virtual/scripted_dialogs.h"

namespace zan {

void ScriptedDialogs::MessageBox(const std::string& text, const std::string& title,
                                 MessageIcon icon) {
    messages_.push_back({title, text, icon});
    if (holding_)
        ++open_;
    else
        ++answered_;
    if (onMessage) onMessage(messages_.back());
}

void ScriptedDialogs::PressOk() {
    if (open_ == 0) return;
    --open_;
    ++answered_;
}

void ScriptedDialogs::AnswerFile(const std::string& path) {
    FileDialogResult result;
    result.cancelled = false;
    result.path = path;
    const size_t slash = path.find_last_of('/');
    result.name = slash == std::string::npos ? path : path.substr(slash + 1);
    answers_.push_back(result);
}

void ScriptedDialogs::CancelFile() { answers_.push_back(FileDialogResult{}); }

FileDialogResult ScriptedDialogs::Answer(bool save, const FileDialogRequest& request) {
    fileRequests_.push_back({save, request});
    if (answers_.empty()) return FileDialogResult{};
    FileDialogResult result = answers_.front();
    answers_.pop_front();
    return result;
}

FileDialogResult ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
    return Answer(false, request);
}

FileDialogResult ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
    return Answer(true, request);
}

}  // namespace zan
