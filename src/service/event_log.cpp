#include "service/event_log.h"

#include "service/log_files.h"

namespace zan {

EventLog::EventLog(std::string path, std::ostream& echo, std::function<double()> utcSeconds)
    : path_(std::move(path)), echo_(echo), utcSeconds_(std::move(utcSeconds)) {}

void EventLog::Tell(const std::string& what) {
    // The log is a plain text file a person reads, so its lines end as any
    // other file of the program's does.
    const std::string line = IsoTime(UtcDateTime(utcSeconds_())) + " " + what;
    echo_ << line << std::endl;
    ++count_;
    try {
        if (!file_ || !file_->IsOpen())
            file_ = std::make_unique<UserFileWriter>(
                path_, UserFileWriter::Options{"the event log", UserFileWriter::Mode::Append,
                                               UserFileWriter::Sync::EveryLine});
        if (!file_->WriteLine(line)) echo_ << file_->Failure()->Message() << std::endl;
    } catch (const UserFileError& e) {
        echo_ << e.what() << std::endl;
    }
}

}  // namespace zan
