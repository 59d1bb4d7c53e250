#include "ports/port_map.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <tuple>

namespace zan {
namespace {

int FamilyRank(const std::string& name) {
    if (name.rfind("ttyUSB", 0) == 0) return 0;
    if (name.rfind("ttyACM", 0) == 0) return 1;
    if (name.rfind("ttyS", 0) == 0) return 2;
    return 3;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name without its trailing number, and that number (-1 when there is none).
std::pair<std::string, long> SplitNumber(const std::string& name) {
    size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1]))) --end;
    if (end == name.size() || name.size() - end > 9) return {name, -1};
    return {name.substr(0, end), std::stol(name.substr(end))};
}

}  // namespace

bool IsPortNumber(int number) { return number >= 1 && number <= kPortCount; }

std::vector<std::string> OrderSerialDevices(std::vector<std::string> paths) {
    auto key = [](const std::string& path) {
        const std::string name = BaseName(path);
        auto [stem, number] = SplitNumber(name);
        return std::make_tuple(FamilyRank(name), stem, number, path);
    };
    std::sort(paths.begin(), paths.end(),
              [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

PortMap PortMapFromDevices(const std::vector<std::string>& devices) {
    PortMap map;
    const std::vector<std::string> ordered = OrderSerialDevices(devices);
    for (size_t i = 0; i < ordered.size() && i < kPortCount; ++i)
        map.paths[static_cast<int>(i) + 1] = ordered[i];
    return map;
}

std::string ApplyPortOverride(PortMap& map, const std::string& assignment) {
    const size_t eq = assignment.find('=');
    const std::string number = eq == std::string::npos ? "" : assignment.substr(0, eq);
    if (number.size() != 1 || !IsPortNumber(number[0] - '0') || eq + 1 >= assignment.size())
        return "--port wants N=PATH with N from 1 to " + std::to_string(kPortCount) +
               ", such as --port 1=/dev/ttyUSB0; got \"" + assignment + "\"";
    map.paths[number[0] - '0'] = DevicePath(assignment.substr(eq + 1));
    map.serials.erase(number[0] - '0');
    return {};
}

std::string DevicePath(const std::string& name) {
    if (name.rfind('/', 0) == 0) return name;
    if (name.rfind("./", 0) == 0 || name.rfind("../", 0) == 0)
        return std::filesystem::absolute(name).lexically_normal().string();
    return "/dev/" + name;
}

}  // namespace zan
