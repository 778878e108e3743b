// Fields and window helpers shared by the field window tests.
#pragma once

#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/qComplexDataGrscMapWidget.h"

#include <QMetaObject>
#include <QToolButton>
#include <boost/make_shared.hpp>
#include <memory>

// Element (i, j) = i + width * j.
inline boost::shared_ptr<DataField2D> indexedRealField(int width, int height)
{
    auto field = boost::make_shared<DataField2D>(width, height, 0.0, 0.0, 1.0, 1.0, 0.0f);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            field->setValue(i, j, float(i + width * j));
    return field;
}

// Element (i, j) = (i + width * j, -j).
inline boost::shared_ptr<complexDataField2D> indexedComplexField(int width, int height)
{
    auto field = boost::make_shared<complexDataField2D>(width, height, 0);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            field->setValue(i, j, complexFloat{float(i + width * j), float(-j)});
    return field;
}

inline std::unique_ptr<qComplexDataGrscMapWidget>
realWindow(boost::shared_ptr<DataField2D> field, const QString& caption = QStringLiteral("real"))
{
    return std::make_unique<qComplexDataGrscMapWidget>(field, nullptr, "new window",
                                                       Qt::WindowFlags(), caption, QString());
}

inline std::unique_ptr<qComplexDataGrscMapWidget>
complexWindow(boost::shared_ptr<complexDataField2D> field, int mode,
              const QString& caption = QStringLiteral("complex"))
{
    return std::make_unique<qComplexDataGrscMapWidget>(field, mode, nullptr, "new window",
                                                       Qt::WindowFlags(), caption, QString());
}

// Runs a slot through the meta-object table, as the tool buttons do.
inline void invoke(qComplexDataGrscMapWidget& w, const char* slot)
{
    QMetaObject::invokeMethod(&w, slot, Qt::DirectConnection);
}

inline QToolButton* toolButton(qComplexDataGrscMapWidget& w, const QString& tip)
{
    for (QToolButton* b : w.findChildren<QToolButton*>())
        if (b->toolTip() == tip)
            return b;
    return nullptr;
}
