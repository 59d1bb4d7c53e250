#pragma once
#include <memory>

#include "context/context.h"
#include "virtual/fixed_clock.h"
#include "virtual/scripted_dialogs.h"
#include "virtual/virtual_port.h"
#include "virtual/virtual_pump.h"

namespace zan {

// A whole program on virtual time, virtual ports and scripted dialogs, wired
// and ready; Load() runs the main window's load.
struct VirtualProgram {
    VirtualProgram();
    // The main window loaded directly, as if the quick setup had been ignored
    // but with the instrument and port already in the program state.
    void Load();
    // The program's own start: the quick setup dialog is shown and waits for
    // its Apply or Ignore button (ctx.quick.Command1 / Command2).
    void Start();
    // Attaches a scripted feed to a port and returns it.
    std::shared_ptr<FeedDevice> AttachFeed(int portNumber);

    VirtualPump pump;
    VirtualPort port{pump};
    ScriptedDialogs dialogs;
    FixedClock clock;
    Context ctx;
};

}  // namespace zan
