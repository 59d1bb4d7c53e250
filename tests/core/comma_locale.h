#pragma once
#include <clocale>
#include <locale>
#include <string>

namespace zan::test {

// A stream locale that writes 1.234,5, as much of Europe does.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Switches the C library to an installed locale with a decimal comma for the
// life of the object; Active() is false when the machine has none.
class CommaSystemLocale {
  public:
    CommaSystemLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name :
             {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8"})
            if (std::setlocale(LC_ALL, name)) {
                active_ = true;
                break;
            }
    }
    ~CommaSystemLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    CommaSystemLocale(const CommaSystemLocale&) = delete;
    CommaSystemLocale& operator=(const CommaSystemLocale&) = delete;
    bool Active() const { return active_; }

  private:
    std::string previous_;
    bool active_ = false;
};

}  // namespace zan::test
