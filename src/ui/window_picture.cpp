#include "ui/window_picture.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace zan::ui {
namespace {

constexpr int kTitleHeight = 28;

}  // namespace

QImage WindowPicture(QWidget* window) {
    const QPixmap body = window->grab();
    QImage image(body.width(), body.height() + kTitleHeight, QImage::Format_RGB32);
    image.fill(QColor(60, 64, 72));
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.drawText(QRect(10, 0, body.width() - 20, kTitleHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
    painter.drawPixmap(0, kTitleHeight, body);
    return image;
}

}  // namespace zan::ui
