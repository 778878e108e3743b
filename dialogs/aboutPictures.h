// The pictures of the about boxes, compiled into the dialogs library.
#pragma once

#include <QPixmap>

// The picture fileName under ":/about/" (registering the library's resources on first use);
// a null pixmap when there is no such picture.
QPixmap aboutPicture(const char* fileName);
