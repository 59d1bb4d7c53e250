#pragma once
#include <QFontMetrics>
#include <array>
#include <string_view>

namespace zan::ui {

// The width of a Latin-1 text from each character's advance in one font,
// without laying the text out: live values change with every packet, and
// laying out each only to learn it still fits costs more than drawing it.
// Kerning is left out, so a width may be off by a pixel or two.
class TextWidths {
  public:
    explicit TextWidths(const QFontMetrics& metrics);
    // Tabs advance to the next multiple of tabStop pixels when it is given.
    int Of(std::string_view text, int tabStop = 0) const;

  private:
    std::array<int, 256> advance_{};
};

}  // namespace zan::ui
