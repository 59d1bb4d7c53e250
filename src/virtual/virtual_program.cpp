#include "virtual/virtual_program.h"

#include "shell/main_load.h"

namespace zan {

VirtualProgram::VirtualProgram() : ctx(Platform{pump, port, dialogs, clock}) { WireProgram(ctx); }

void VirtualProgram::Load() { MainForm_Load(ctx); }

void VirtualProgram::Start() { StartProgram(ctx); }

std::shared_ptr<FeedDevice> VirtualProgram::AttachFeed(int portNumber) {
    auto feed = std::make_shared<FeedDevice>();
    port.Attach(portNumber, feed);
    return feed;
}

}  // namespace zan
