// The SLM output window: borderless, on top, over the SLM screen, showing the centre of the
// pixmap that the connected full-screen window hands it.
#pragma once

#include <QPixmap>
#include <QWidget>

class QSLMWidget : public QWidget
{
    Q_OBJECT

public:
    // Parentless, object name "qslmwidget", caption "SLM", hidden. The creator gives it the
    // SLM screen's geometry.
    QSLMWidget();
    ~QSLMWidget() override;

    // Stores p and draws its slmWidth x slmHeight centre at (0, 0): the source rectangle starts
    // at ((p.width() - slmWidth) / 2, (p.height() - slmHeight) / 2), truncated toward zero, so
    // a smaller pixmap lands centred and an odd extra pixel right or below stays unshown.
    void setPixmap(QPixmap p);

    // Shows the information box "QSLMWidget::showMaximized" and then shows the window normally.
    void showMaximized();

    int sourceOffsetX() const { return offsetX; }
    int sourceOffsetY() const { return offsetY; }
    const QPixmap& currentPixmap() const { return pixmap; }

    // Frameless, on top, its own window, never taking the keyboard focus.
    static Qt::WindowFlags slmWindowFlags();

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    // Adds the SLM window flags if something removed them; a visible window is shown again,
    // since changing flags hides it.
    void ensureWindowFlags();

    int offsetX = 0;
    int offsetY = 0;
    QPixmap pixmap;
};
