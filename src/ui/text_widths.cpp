#include "ui/text_widths.h"

namespace zan::ui {

TextWidths::TextWidths(const QFontMetrics& metrics) {
    for (int c = 0; c < 256; ++c) advance_[c] = metrics.horizontalAdvance(QChar(c));
}

int TextWidths::Of(std::string_view text, int tabStop) const {
    int width = 0;
    for (const char c : text) {
        if (c == '\t' && tabStop > 0)
            width = (width / tabStop + 1) * tabStop;
        else
            width += advance_[static_cast<unsigned char>(c)];
    }
    return width;
}

}  // namespace zan::ui
