#pragma once
#include <QString>
#include <string>

namespace zan::ui {

// The core's texts are 8-bit; the sensor and the files speak Latin-1.
inline QString ToQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
// A caption as drawn: a reply's carriage return or line feed kept in the model shows as nothing.
inline QString CaptionText(const std::string& caption) {
    QString text = ToQt(caption);
    text.remove('\r');
    text.remove('\n');
    return text;
}
inline std::string FromQt(const QString& text) { return text.toLatin1().toStdString(); }

}  // namespace zan::ui
