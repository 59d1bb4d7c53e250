#pragma once
#include <QImage>

class QWidget;

namespace zan::ui {

// A picture of a window with a plain title bar holding its title above it,
// since the offscreen platform draws no window frames.
QImage WindowPicture(QWidget* window);
// What the user sees: the window's picture with the message box over its middle.
QImage WindowPictureWithBox(QWidget* window, QWidget* box);

}  // namespace zan::ui
