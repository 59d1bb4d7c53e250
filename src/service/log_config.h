#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zan {

// How often zanhost-log starts a new pair of files: every UTC day or hour.
enum class Rotation { Daily, Hourly };

// An MQTT broker that each decoded record is published to.
struct BrokerConfig {
    std::string host;
    int port = 1883;
    std::string topic;  // the sensor's topic; zanhost/NAME unless given
};

// What one zanhost-log instance records: a configuration file of
// "key = value" lines, '#' starting a comment.
struct LogConfig {
    std::string name;  // the sensor's name: file names and the broker topic
    float instrumentType = 0;
    std::string instrumentName;  // "VSF", as the file gave it
    float graphView = 0;
    std::string viewName;  // "beta", "counts" or "chlorophyll"
    // The adapter: by its stable device name, by its USB serial number, or
    // by the name first and the serial number when the name is gone.
    std::string portPath;
    std::string usbSerial;
    std::optional<std::string> calPath;  // VSF, VSFS and TRIA
    std::string dflOffset = "0";         // DFL and DFLS: Text10
    std::string dflScaling = "1";        // DFL and DFLS: Text16
    std::string outputFolder;
    Rotation rotation = Rotation::Daily;
    // Seconds without a character before the sensor is woken again.
    double silenceSeconds = 60;
    std::optional<BrokerConfig> broker;
};

// A configuration and what was wrong with it, each problem with its line
// ("line 4: ..."); the configuration is usable only when there are none.
struct LogConfigResult {
    LogConfig config;
    std::vector<std::string> problems;
};

// Reads a configuration's text. The sensor's name defaults to the given one
// (the file's name without its folder and extension).
LogConfigResult ParseLogConfig(const std::string& text, const std::string& defaultName);

// The sensor's name from a configuration file's path: "mooring1" for
// "/etc/zanhost/mooring1.conf".
std::string ConfigName(const std::string& path);

}  // namespace zan
