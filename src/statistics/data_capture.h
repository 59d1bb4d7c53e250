#pragma once
#include <string>

namespace zan {

struct Context;

// The step value that follows a caption of Label34: .02 steps up to 1, then
// 1.1, 1.2 and on in steps of 0.1, in the short number form.
std::string NextCaptureStep(const std::string& caption);

void Command20_Click(Context& ctx);  // Save File As
void Command21_Click(Context& ctx);  // Capture Data Point
void Command22_Click(Context& ctx);  // Close File

}  // namespace zan
