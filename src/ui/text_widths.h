#pragma once
#include <QFontMetricsF>
#include <array>
#include <string_view>

namespace zan::ui {

// The width of a Latin-1 text from each character's advance in one font,
// without laying the text out: live values change with every packet, and
// laying out each only to learn it still fits costs more than drawing it.
// Kerning is left out, so a width may be off by a pixel or two.
class TextWidths {
  public:
    explicit TextWidths(const QFontMetricsF& metrics);
    // Tabs advance to the next multiple of tabStop pixels when it is given.
    // Whole pixels, rounded up.
    int Of(std::string_view text, int tabStop = 0) const;

  private:
    // Fractions kept: rounded advances add up to a tab stop that the text
    // as laid out falls short of, and its tab then goes one stop further.
    std::array<qreal, 256> advance_{};
};

}  // namespace zan::ui
