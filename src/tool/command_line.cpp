#include "tool/command_line.h"

#include <algorithm>
#include <csignal>
#include <ostream>

namespace zan::tool {
namespace {

// Inputs smaller than this are read in a blink and get no bar.
constexpr std::uint64_t kProgressBytes = 8ull << 20;
constexpr int kBarWidth = 40;
constexpr std::size_t kOptionColumn = 22;

const Option* FindOption(const Usage& usage, const std::string& name) {
    for (const Option& option : usage.options)
        if (option.name == name) return &option;
    return nullptr;
}

std::string OptionLines(const std::string& left, const std::string& help) {
    std::string text = "  " + left;
    text += std::string(kOptionColumn > text.size() ? kOptionColumn - text.size() : 1, ' ');
    for (const char c : help) {
        text += c;
        if (c == '\n') text += std::string(kOptionColumn, ' ');
    }
    return text + "\n";
}

std::string OperandCountProblem(const Usage& usage, std::size_t given) {
    return "Expected " + usage.synopsis + ", got " + std::to_string(given) + " argument" +
           (given == 1 ? "" : "s") + ".";
}

}  // namespace

std::string HelpText(const Usage& usage) {
    std::string text = "Usage: " + usage.name + " [options] " + usage.synopsis + "\n" +
                       usage.description + "\n\nOptions:\n";
    for (const Option& option : usage.options)
        text += OptionLines(option.name + (option.value.empty() ? "" : " " + option.value),
                            option.help);
    text += OptionLines("-h, --help", "Displays help on commandline options.");
    text += OptionLines("-v, --version", "Displays version information.");
    if (!usage.exitStatus.empty()) text += "\n" + usage.exitStatus + "\n";
    return text;
}

Arguments ReadArguments(const Usage& usage, const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
    Arguments line;
    auto stop = [&line](int status) {
        line.exitStatus = status;
        return line;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool option = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (option && (arg == "-h" || arg == "--help")) {
            out << HelpText(usage);
            return stop(kExitDone);
        } else if (option && (arg == "-v" || arg == "--version")) {
            out << usage.versionLine << "\n";
            return stop(kExitDone);
        } else if (option) {
            const Option* known = FindOption(usage, arg);
            if (!known) return stop(UsageError(usage.name, "Unknown option '" + arg + "'.", err));
            if (!known->value.empty() && i + 1 >= args.size())
                return stop(UsageError(usage.name, "Option '" + arg + "' needs a value.", err));
            line.options[arg] = known->value.empty() ? std::string() : args[++i];
        } else if (line.operands.size() == usage.maxOperands) {
            return stop(UsageError(usage.name, "Unexpected argument '" + arg + "'.", err));
        } else {
            line.operands.push_back(arg);
        }
    }
    if (line.operands.size() < usage.minOperands)
        return stop(UsageError(usage.name, OperandCountProblem(usage, line.operands.size()), err));
    return line;
}

int UsageError(const std::string& name, const std::string& problem, std::ostream& err) {
    err << name << ": " << problem << "\nTry '" << name << " --help' for more information.\n";
    return kExitUsage;
}

int StopRequested(const StopSignal& stopSignal) { return stopSignal ? stopSignal() : 0; }

int Finished(const std::string& name, const std::string& summary, const StopSignal& stopSignal,
             std::ostream& out, std::ostream& err) {
    const int signal = StopRequested(stopSignal);
    if (signal == 0) {
        out << summary << "\n";
        return kExitDone;
    }
    const char* signalName = signal == SIGTERM  ? "SIGTERM"
                             : signal == SIGINT ? "SIGINT"
                             : signal == SIGHUP ? "SIGHUP"
                                                : nullptr;
    err << name << ": stopped by " << (signalName ? signalName : "signal " + std::to_string(signal))
        << ": " << summary << "\n";
    return kExitSignal + signal;
}

int Failure(const std::string& name, const std::string& text, std::ostream& err) {
    err << name << ": " << text << "\n";
    return kExitFailure;
}

Progress::Progress(std::ostream& err, bool errIsTerminal, std::uint64_t totalBytes)
    : err_(err), shown_(errIsTerminal && totalBytes >= kProgressBytes), total_(totalBytes) {}

// "[########......]  50% of 94 MB", redrawn only when it changes.
void Progress::Show(std::uint64_t bytesDone) {
    if (!shown_) return;
    const std::uint64_t percent = total_ ? std::min(bytesDone, total_) * 100 / total_ : 100;
    const auto filled = static_cast<std::size_t>(percent * kBarWidth / 100);
    const std::string number = std::to_string(percent);
    const std::string bar = "[" + std::string(filled, '#') +
                            std::string(static_cast<std::size_t>(kBarWidth) - filled, '.') + "] " +
                            std::string(3 - number.size(), ' ') + number + "% of " +
                            std::to_string((total_ + 500000) / 1000000) + " MB";
    if (bar == drawn_) return;
    err_ << '\r' << bar << std::flush;
    drawn_ = bar;
}

void Progress::Finish() {
    if (drawn_.empty()) return;
    err_ << '\r' << std::string(drawn_.size(), ' ') << '\r' << std::flush;
    drawn_.clear();
}

}  // namespace zan::tool
