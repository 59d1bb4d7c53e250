#pragma once
#include <cstdlib>
#include <string>

#include "core/short_date.h"

namespace zan {

// Where zhost.def is kept: the user's configuration folder for the program,
// $XDG_CONFIG_HOME/zanhost, or ~/.config/zanhost when that is unset or not an
// absolute path; the working folder when neither is known.
inline std::string UserPreferencesPath(const char* xdgConfigHome, const char* home) {
    const std::string xdg = xdgConfigHome ? xdgConfigHome : "";
    if (!xdg.empty() && xdg.front() == '/') return xdg + "/zanhost/zhost.def";
    const std::string h = home ? home : "";
    if (!h.empty()) return h + "/.config/zanhost/zhost.def";
    return "zhost.def";
}

// Wall-clock date and time and facts about the running program.
class SystemClock {
  public:
    virtual ~SystemClock() = default;
    virtual LocalDateTime Now() = 0;
    // The user's short date pattern, such as "M/d/yyyy".
    virtual std::string ShortDatePattern() = 0;
    // Where the quick setup file def.zhl is kept: its bare name, so it sits in
    // the working folder the program was started in.
    virtual std::string QuickSetupPath() { return "def.zhl"; }
    // Where the preference file zhost.def is kept.
    virtual std::string PreferencesPath() {
        return UserPreferencesPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    }
};

}  // namespace zan
