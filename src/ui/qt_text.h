#pragma once
#include <QString>
#include <QStringDecoder>
#include <string>

namespace zan::ui {

// The core's texts are 8-bit: the program's own words and the file paths the
// system gives are UTF-8, while the sensor and the files it fills speak
// Latin-1. A text that reads as UTF-8 is taken as such (plain ASCII reads the
// same either way), anything else as Latin-1.
inline QString ToQt(const std::string& text) {
    const auto size = static_cast<qsizetype>(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = utf8(QByteArrayView(text.data(), size));
        if (!utf8.hasError()) return decoded;
        break;
    }
    return QString::fromLatin1(text.data(), size);
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
