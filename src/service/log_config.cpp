#include "service/log_config.h"

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>

#include "core/number_value.h"
#include "state/instruments.h"
#include "state/view_codes.h"

namespace zan {
namespace {

constexpr int kMostPort = 65535;

struct Problem {
    std::string text;
};

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

float InstrumentCode(const std::string& model) {
    static const std::map<std::string, float> codes{
        {"VSF", kVsf}, {"VSFS", kVsfs}, {"DFL", kDfl}, {"DFLS", kDfls}, {"TRIA", kTria}};
    const auto it = codes.find(model);
    if (it == codes.end())
        throw Problem{"unknown instrument '" + model + "'; use VSF, VSFS, DFL, DFLS or TRIA"};
    return it->second;
}

double Number(const std::string& key, const std::string& value) {
    double number = NAN;
    try {
        number = WholeTextNumber(value);
    } catch (const std::invalid_argument&) {}
    // "nan" and "inf" read as numbers but are none a setting can use.
    if (!std::isfinite(number)) throw Problem{"'" + key + "' needs a number, not '" + value + "'"};
    return number;
}

void Set(LogConfig& c, const std::string& key, const std::string& value) {
    if (value.empty()) throw Problem{"'" + key + "' has no value"};
    auto broker = [&c]() -> BrokerConfig& {
        if (!c.broker) c.broker = BrokerConfig{};
        return *c.broker;
    };
    if (key == "instrument") {
        c.instrumentType = InstrumentCode(value);
        c.instrumentName = value;
    } else if (key == "view") {
        c.viewName = value;
    } else if (key == "port") {
        c.portPath = value;
    } else if (key == "usb-serial") {
        c.usbSerial = value;
    } else if (key == "cal") {
        c.calPath = value;
    } else if (key == "offset") {
        Number(key, value);
        c.dflOffset = value;
    } else if (key == "scale") {
        Number(key, value);
        c.dflScaling = value;
    } else if (key == "output") {
        c.outputFolder = value;
    } else if (key == "rotation") {
        if (value != "daily" && value != "hourly")
            throw Problem{"'rotation' is daily or hourly, not '" + value + "'"};
        c.rotation = value == "daily" ? Rotation::Daily : Rotation::Hourly;
    } else if (key == "silence") {
        c.silenceSeconds = Number(key, value);
        if (c.silenceSeconds < 1) throw Problem{"'silence' is at least 1 second"};
    } else if (key == "name") {
        if (value.find_first_of("/+#") != std::string::npos)
            throw Problem{"'name' may not hold '/', '+' or '#'"};
        c.name = value;
    } else if (key == "mqtt-host") {
        broker().host = value;
    } else if (key == "mqtt-port") {
        const double port = Number(key, value);
        if (port < 1 || port > kMostPort || port != static_cast<int>(port))
            throw Problem{"'mqtt-port' is a port number from 1 to 65535"};
        broker().port = static_cast<int>(port);
    } else if (key == "mqtt-topic") {
        broker().topic = value;
    } else {
        throw Problem{"unknown key '" + key + "'"};
    }
}

// The view's code for the instrument, its name defaulting to the calibrated view.
float ViewCode(LogConfig& c) {
    const bool dfl = IsDflFamily(c.instrumentType);
    if (c.viewName.empty()) c.viewName = dfl ? "chlorophyll" : "beta";
    const bool tria = c.instrumentType == kTria;
    if (c.viewName == "counts")
        return dfl ? kViewDflCounts : tria ? kViewTriaCounts : kViewVsfCounts;
    if (dfl && c.viewName == "chlorophyll") return kViewDflChlorophyll;
    if (!dfl && c.viewName == "beta") return tria ? kViewTriaBeta : kViewVsfBeta;
    throw Problem{"no view '" + c.viewName + "' for the " + c.instrumentName +
                  (dfl ? "; use chlorophyll or counts" : "; use beta or counts")};
}

// What holds only for the whole file: the keys it must have and those that go together.
void Complete(LogConfig& c, std::vector<std::string>& problems) {
    auto need = [&problems](bool ok, const std::string& text) {
        if (!ok) problems.push_back(text);
    };
    need(c.instrumentType != kNoInstrument, "'instrument' is needed");
    need(!c.portPath.empty() || !c.usbSerial.empty(), "'port' or 'usb-serial' is needed");
    need(!c.outputFolder.empty(), "'output' is needed");
    need(!c.name.empty(), "'name' is needed");
    if (c.instrumentType != kNoInstrument) {
        try {
            c.graphView = ViewCode(c);
        } catch (const Problem& p) {
            problems.push_back(p.text);
        }
        need(!(c.calPath && IsDflFamily(c.instrumentType)),
             "'cal' is for VSF, VSFS and TRIA; a DFL takes 'offset' and 'scale'");
    }
    if (c.broker) {
        need(!c.broker->host.empty(), "'mqtt-host' is needed for the broker");
        if (c.broker->topic.empty()) c.broker->topic = "zanhost/" + c.name;
    }
}

}  // namespace

LogConfigResult ParseLogConfig(const std::string& text, const std::string& defaultName) {
    LogConfigResult result;
    result.config.name = defaultName;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::string content = Trim(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        const size_t equals = content.find('=');
        try {
            if (equals == std::string::npos) throw Problem{"'" + content + "' is not key = value"};
            Set(result.config, Trim(content.substr(0, equals)), Trim(content.substr(equals + 1)));
        } catch (const Problem& p) {
            result.problems.push_back("line " + std::to_string(number) + ": " + p.text);
        }
    }
    Complete(result.config, result.problems);
    return result;
}

std::string ConfigName(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

}  // namespace zan
