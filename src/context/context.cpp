#include "context/context.h"

namespace zan {

void ShowError(Context& ctx, const std::string& description) {
    ctx.platform.dialogs.MessageBox(description, "Error");
}

}  // namespace zan
