#include "sim/simulated_sensor.h"

#include <algorithm>
#include <limits>

namespace zan::sim {

SimulatedSensor::SimulatedSensor(SensorModel model, Behaviour behaviour, SensorQuirks quirks)
    : model_(model),
      behaviour_(behaviour),
      quirks_(std::move(quirks)),
      generator_(model),
      reader_(model) {
    // A sensor that ignores DTR sits asleep in its logger and prints nothing.
    streaming_ = behaviour_ == Behaviour::Answering;
    headLocked_ = quirks_.lockedForGood;
}

std::string SimulatedSensor::Describe() const {
    if (behaviour_ == Behaviour::Absent) return "simulated port with no sensor";
    return "simulated " + ModelName(model_);
}

void SimulatedSensor::Print(const std::string& text, double now) {
    if (queue_.empty()) headTime_ = std::max(headTime_, now);
    if (quirks_.lineEnd == SensorQuirks::LineEnd::CrLf) {
        queue_ += text;
        return;
    }
    const char kept = quirks_.lineEnd == SensorQuirks::LineEnd::Cr ? '\r' : '\n';
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text.compare(i, 2, "\r\n") == 0;
        queue_ += pair ? kept : text[i];
        if (pair) ++i;
    }
}

void SimulatedSensor::Reply(const std::string& text, double now) {
    std::string reply = quirks_.beforeReply + text;
    if (quirks_.promptLineEnd && !reply.empty() && reply.back() == '>') reply += "\r\n";
    Print(reply, now + quirks_.answerDelay);
}

void SimulatedSensor::GenerateUpTo(double now) {
    if (!streaming_) {
        nextLineTime_ = std::max(nextLineTime_, now);
        return;
    }
    while (nextLineTime_ <= now) {
        Print(generator_.Line(nextLineTime_), nextLineTime_);
        nextLineTime_ += LineInterval(model_);
    }
}

std::string SimulatedSensor::Produce(double now) {
    if (!powered_ || behaviour_ == Behaviour::Absent) return {};
    GenerateUpTo(now);
    if (queue_.empty() || now < headTime_) return {};
    const double interval = 1 / kCharsPerSecond + quirks_.characterGap;
    const auto due = static_cast<size_t>((now - headTime_) / interval) + 1;
    const size_t count = std::min(due, queue_.size());
    std::string out = queue_.substr(0, count);
    queue_.erase(0, count);
    headTime_ += static_cast<double>(count) * interval;
    return out;
}

double SimulatedSensor::NextOutputTime() const {
    if (!powered_ || behaviour_ == Behaviour::Absent)
        return std::numeric_limits<double>::infinity();
    if (!queue_.empty()) return headTime_;
    return streaming_ ? nextLineTime_ : std::numeric_limits<double>::infinity();
}

void SimulatedSensor::Wake(double now) {
    queue_.clear();
    logger_.CancelInput();
    reader_.Reset();
    Reply(FirmwareLine(model_) + "\r\n", now);
    streaming_ = true;
    nextLineTime_ = now + LineInterval(model_);
}

void SimulatedSensor::StopAtPrompt(double now) {
    streaming_ = false;
    Reply("\r\n>", now);
}

void SimulatedSensor::OnDtr(bool on, double now) {
    const bool falling = dtr_ && !on;
    dtr_ = on;
    if (falling && powered_ && behaviour_ == Behaviour::Answering) Wake(now);
}

void SimulatedSensor::PowerOff(double) {
    powered_ = false;
    streaming_ = false;
    queue_.clear();
}

void SimulatedSensor::PowerOn(double now) {
    if (powered_ || behaviour_ == Behaviour::Absent) return;
    powered_ = true;
    headLocked_ = quirks_.lockedForGood;
    // A power cycle clears whatever kept the sensor from answering.
    behaviour_ = Behaviour::Answering;
    Wake(now);
}

void SimulatedSensor::OnWrite(const std::string& text, double now) {
    received_ += text;
    if (!powered_ || behaviour_ != Behaviour::Answering) return;
    for (const std::string& command : reader_.Take(text)) {
        GenerateUpTo(now);
        if (model_ == SensorModel::Tria)
            HeadCommand(command, now);
        else
            Command(command[0], now);
    }
}

void SimulatedSensor::LoggerCommand(char c, double now) {
    if (streaming_ && logger_.streamsThroughCommands) return;
    streaming_ = false;
    Reply(logger_.Begin(c, now), now);
}

void SimulatedSensor::Run(double now) {
    streaming_ = true;
    nextLineTime_ = now + LineInterval(model_);
}

void SimulatedSensor::HeadCommand(const std::string& word, double now) {
    if (word == "stop") {
        StopAtPrompt(now);
    } else if (word == "D") {
        const ListingShape shape{quirks_.listingLeadingLineEnd, quirks_.listingLinesBefore,
                                 quirks_.listingLinesAfter};
        if (!streaming_) Reply(HeadListing(generator_.head, headLocked_, shape), now);
    } else if (word == "r" || word == "R") {
        Run(now);
    } else if (word == "STOPSYR") {
        // Stops, locks, and runs again.
        headLocked_ = true;
        Reply("\r\nSettings locked\r\n", now);
        Run(now);
    } else {
        // "STOPc1" stops the run before it takes slot 1; a locked head still stops.
        if (word.compare(0, 4, "STOP") == 0) StopAtPrompt(now);
        if (!headLocked_) ApplyHeadCommand(generator_.head, word);
    }
}

void SimulatedSensor::Command(char c, double now) {
    if (logger_.Collecting()) {
        Print(logger_.Take(c, now), now);
        return;
    }
    switch (c) {
        case 'P':
        case 'B':
        case 'D':
        case 'I':
        case 'Q':
        case 'T':
        case 'U': LoggerCommand(c, now); break;
        case 'C':
            // At a prompt "C" asks the logger's clock; while talking it interrupts.
            if (!streaming_) {
                LoggerCommand(c, now);
                break;
            }
            StopAtPrompt(now);
            break;
        case 'c': StopAtPrompt(now); break;
        case 'r': Run(now); break;
        case 'o':
            if (streaming_) break;
            for (int i = 0; i < kStoredLines; ++i) Print(generator_.Line(i * 60.0), now);
            Print(">", now);
            break;
        default: break;
    }
}

}  // namespace zan::sim
