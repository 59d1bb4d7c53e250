#pragma once
#include <functional>
#include <vector>

#include "context/packet_handlers.h"
#include "forms/main_form.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/serial_port.h"
#include "platform/system_clock.h"
#include "state/program_state.h"

namespace zan {

// The outside world as the core reaches it.
struct Platform {
    EventPump& pump;
    SerialPort& port;
    Dialogs& dialogs;
    SystemClock& clock;
};

// Everything a handler may touch: the platform, the program state and the
// windows. One per running program; tests build a fresh one per case.
struct Context {
    explicit Context(Platform p) : platform(p) {}
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    Platform platform;
    ProgramState state;
    MainForm main;
    QuickSetupForm quick;
    ProgressForm progress;
    PacketHandlers packetHandlers;

    // The port's InputLen: 0 reads everything waiting, 1 one character.
    int portInputLen = 0;
    // Set while a tick of the acquisition loop runs, so a tick arriving during
    // its playback wait is dropped instead of running the loop inside itself.
    bool pollRunning = false;
    // The program has finished (the main window was unloaded, or the quick
    // setup dialog was closed without a choice): the front end leaves its
    // event loop, and nothing is saved twice.
    bool programEnded = false;
    // Told once when the program ends, so a front end leaves its event loop
    // at once instead of watching the flag.
    std::function<void()> onProgramEnded;
    // Set while an exchange with the sensor runs (link/exchange.h), so a click
    // arriving during its waits cannot interleave a second one.
    bool exchangeRunning = false;
    // The buttons and menu items that start an exchange, held disabled while
    // one runs.
    std::vector<Control*> exchangeStarters;
    // The port whose device went away while it was open, reopened by the
    // acquisition timer when the device is back; 0 when none is awaited.
    int lostPort = 0;
    double nextReopenTry = 0;
    // How many times an open port was lost: an exchange that sees the count
    // change ends quietly, the loss having been told once.
    int portLosses = 0;
    // Counts every open and close of the port, and the count when the
    // acquisition loop last walked received text: the line it was assembling
    // then is cut off when they differ, never finished by the next port's text.
    long long portChanges = 0;
    long long walkedPortChanges = 0;
    // The latest news of the link the status bar shows beside the ports
    // (a port closed, lost, reopened, refused).
    std::string portNews;
};

// The program has finished: sets programEnded and tells onProgramEnded.
void EndProgram(Context& ctx);

// Makes the record of the completed packet and hands it to every consumer.
void HandOnPacket(Context& ctx);

// The "Error" message box with a failure's description.
void ShowError(Context& ctx, const std::string& description);
// A message box that the handler waits on: returns once the user has
// answered it (and the boxes before it), every event running meanwhile.
void WaitForOk(Context& ctx, const std::string& text, const std::string& title);

// The main window's one file dialog (CommonDialog1), started with an empty
// name and the title, filter and extension last set on it; the chosen path is
// kept as its file name.
// Append: a save dialog for a file that is added to, so it does not ask to replace it.
enum class FileDialogKind { Open, Save, Append };
FileDialogResult ShowCommonDialog(Context& ctx, FileDialogKind kind);

}  // namespace zan
