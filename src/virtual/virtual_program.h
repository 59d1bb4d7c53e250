#pragma once
#include <memory>

#include "shell/context.h"
#include "virtual/fixed_clock.h"
#include "virtual/scripted_dialogs.h"
#include "virtual/virtual_port.h"
#include "virtual/virtual_pump.h"

namespace zan {

// A whole program on virtual time, virtual ports and scripted dialogs, wired
// and ready; Load() runs the main window's load.
struct VirtualProgram {
    VirtualProgram();
    void Load();
    // Attaches a scripted feed to a port and returns it.
    std::shared_ptr<FeedDevice> AttachFeed(int portNumber);

    VirtualPump pump;
    VirtualPort port{pump};
    ScriptedDialogs dialogs;
    FixedClock clock;
    Context ctx;
};

}  // namespace zan
