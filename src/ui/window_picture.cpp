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

QImage WindowPictureWithBox(QWidget* window, QWidget* box) {
    QImage image = WindowPicture(window);
    const QImage front = WindowPicture(box);
    QPainter painter(&image);
    const QPoint corner((image.width() - front.width()) / 2, (image.height() - front.height()) / 2);
    painter.setPen(QColor(30, 30, 30));
    painter.drawRect(QRect(corner, front.size()).adjusted(-1, -1, 0, 0));
    painter.drawImage(corner, front);
    return image;
}

}  // namespace zan::ui
