#include "driver/logger_command.h"

#include <stdexcept>

#include "core/number_text.h"
#include "core/number_value.h"

namespace zan {
namespace {

bool Switch(const std::string& word) {
    if (word == "on") return true;
    if (word == "off") return false;
    throw std::invalid_argument("expected on or off, not " + word);
}

}  // namespace

void LoggerCommand(sim::LoggerModel& logger, const std::vector<std::string>& words,
                   std::ostream& out) {
    if (words.size() % 2 != 0) throw std::invalid_argument("usage: logger PORT [KEY VALUE]...");
    for (size_t i = 2; i + 1 < words.size(); i += 2) {
        const std::string& key = words[i];
        const std::string& value = words[i + 1];
        if (key == "bits") {
            if (value.size() != 6) throw std::invalid_argument("bits takes six characters");
            logger.controlBits = value;
        } else if (key == "smoothing")
            logger.smoothing = WholeTextNumber(value);
        else if (key == "delay")
            logger.blockDelayHours = WholeTextNumber(value);
        else if (key == "block")
            logger.blockLength = WholeTextNumber(value);
        else if (key == "interval")
            logger.measurementDelay = WholeTextNumber(value);
        else if (key == "pointer")
            logger.memoryPointer = WholeTextNumber(value);
        else if (key == "busy")
            logger.streamsThroughCommands = Switch(value);
        else if (key == "prompt-echo")
            logger.promptBeforeEcho = Switch(value);
        else
            throw std::invalid_argument("unknown logger setting " + key);
    }
    out << "logger " << words[1] << ": bits " << logger.controlBits << " smoothing "
        << GeneralText(logger.smoothing) << " delay " << GeneralText(logger.blockDelayHours)
        << " block " << GeneralText(logger.blockLength) << " interval "
        << GeneralText(logger.measurementDelay) << " pointer " << GeneralText(logger.memoryPointer)
        << " busy " << (logger.streamsThroughCommands ? "on" : "off") << " prompt-echo "
        << (logger.promptBeforeEcho ? "on" : "off") << "\n";
}

}  // namespace zan
