#pragma once
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "core/user_file_writer.h"

namespace zan {

// What an unattended run did and why, one line per event with its UTC time
// ("2026-12-07T03:12:09Z port lost: ..."), in the event log beside the files
// and on the given stream (standard error, which the system's journal
// keeps). A log that cannot be written is tried again at the next event; the
// stream still hears every one.
class EventLog {
  public:
    EventLog(std::string path, std::ostream& echo, std::function<double()> utcSeconds);
    void Tell(const std::string& what);
    // The events told so far, for a run's summary and its tests.
    long long Count() const { return count_; }

  private:
    std::string path_;
    std::ostream& echo_;
    std::function<double()> utcSeconds_;
    std::unique_ptr<UserFileWriter> file_;
    long long count_ = 0;
};

}  // namespace zan
