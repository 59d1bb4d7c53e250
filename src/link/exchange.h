#pragma once
#include <functional>
#include <stdexcept>
#include <string>

namespace zan {

struct Context;
class Control;
class ProgressBar;

// The port was lost while the exchange ran. The loss has been told to the
// user once already; the exchange ends quietly, with no box of its own.
class LinkLost : public std::runtime_error {
  public:
    LinkLost() : std::runtime_error("the port was lost during the exchange") {}
};

// The sensor did not do what the exchange needs (no answer, a reply cut
// off, a setting it did not take): the user is told once, in a box with
// this text and title.
class ExchangeFailure : public std::runtime_error {
  public:
    ExchangeFailure(const std::string& text, std::string title)
        : std::runtime_error(text), title_(std::move(title)) {}
    const std::string& Title() const { return title_; }

  private:
    std::string title_;
};

// One conversation with the sensor, as its script sees it. Every look at the
// port goes through here: a loss found by any of them is told once (the
// port is closed and watched for its return) and ends the exchange with
// LinkLost; so does a loss found by a tick during one of its waits.
class Exchange {
  public:
    Exchange(Context& ctx, ProgressBar* bar);
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    // A command, written as bare text.
    void Send(const std::string& text);
    // A fixed wait, while the acquisition loop gathers the reply into the
    // receive lists.
    void Wait(double seconds);
    // One step of a script: the command, the bar moved on by step, the wait.
    void SendThenWait(const std::string& text, double step, double seconds);
    // Wakes the sensor: DTR on for half a second, then off.
    void PulseDtr();
    // The polling loops' looks at the port, for the console commands that
    // watch the port themselves: characters waiting, one character read
    // (InputLen 1), the window's events run once, a pause with none run.
    int CharsWaiting();
    std::string ReadChar();
    void Dispatch();
    void Pause(double seconds);
    double Seconds();

    void SetProgress(double value);
    void AdvanceProgress(double step);
    // Something has gone to the sensor (a command or the wake-up pulse).
    bool SentAnything() const { return sentAnything_; }

  private:
    template <typename Step>
    auto Guarded(Step step) -> decltype(step());
    void ThrowIfLinkLost() const;
    Context& ctx_;
    ProgressBar* bar_;
    int lossesAtStart_;
    bool sentAnything_ = false;
};

// How an exchange ends when it cannot go on. A loss of the port is told once
// and nothing more is said; an ExchangeFailure is told in its own box.
struct ExchangeRules {
    // The bar the script's steps move, set back to 0 after a failure.
    ProgressBar* bar = nullptr;
    // Tells of any other failure of the port (a write refused, the port
    // closed by another handler during a wait); none: the exchange ends
    // silently.
    std::function<void(Context&, const std::string& description)> onPortFailure;
    // Runs after a failure, when something was sent and the port is still
    // open, to leave the sensor as the exchange found it; its words are
    // added to the failure's box.
    std::function<std::string(Exchange&)> recover;
};

// Runs the script as the one exchange holding the line. While it runs every
// registered starter is disabled; an exchange asked for meanwhile is refused
// (nothing is sent) and RunExchange returns false.
bool RunExchange(Context& ctx, const ExchangeRules& rules,
                 const std::function<void(Exchange&)>& script);

// A button or menu item that starts an exchange, held disabled while one runs.
void RegisterExchangeStarter(Context& ctx, Control& starter);

}  // namespace zan
