// The program's own pictures, drawn rather than stored: the window icon and
// the banner across the top of the main window.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace zephlin {

QIcon programIcon();
QPixmap bannerPixmap(QSize size);

} // namespace zephlin
