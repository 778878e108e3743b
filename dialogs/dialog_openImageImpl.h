// Subclass of dialog_openImage that the image display opens; it shows the arrow cursor while
// it exists, above any wait cursor of its caller.
#pragma once

#include "dialogs/dialog_openImage.h"

class dialog_openImageImpl : public dialog_openImage
{
    Q_OBJECT

public:
    explicit dialog_openImageImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                  bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
    ~dialog_openImageImpl() override;
};
