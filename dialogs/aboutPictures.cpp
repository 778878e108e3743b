// The pictures of the about boxes, compiled into the dialogs library.
#include "dialogs/aboutPictures.h"

#include <QString>

// Resources of a static library are registered by hand, outside any namespace.
static bool registerAboutPictures()
{
    Q_INIT_RESOURCE(aboutPictures);
    return true;
}

QPixmap aboutPicture(const char* fileName)
{
    static const bool registered = registerAboutPictures();
    (void)registered;
    return QPixmap(QStringLiteral(":/about/") + QLatin1String(fileName));
}
