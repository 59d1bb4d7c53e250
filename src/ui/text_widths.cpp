#include "ui/text_widths.h"

#include <cmath>

namespace zan::ui {

TextWidths::TextWidths(const QFontMetricsF& metrics) {
    for (int c = 0; c < 256; ++c) advance_[c] = metrics.horizontalAdvance(QChar(c));
}

int TextWidths::Of(std::string_view text, int tabStop) const {
    qreal width = 0;
    for (const char c : text) {
        if (c == '\t' && tabStop > 0)
            width = (std::floor(width / tabStop) + 1) * tabStop;
        else
            width += advance_[static_cast<unsigned char>(c)];
    }
    return static_cast<int>(std::ceil(width));
}

}  // namespace zan::ui
