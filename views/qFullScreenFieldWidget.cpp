// Full-screen pattern window: construction, layout, painting, mouse and keys, the adjustment
// modes with their slider and spin box pairs, zoom, inversion and destruction.
#include "views/qFullScreenFieldWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "base/visibleText.h"
#include "fieldio/imageColours.h"
#include "views/backgroundImage.h"
#include "views/inPlacePainting.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A tool button picture: the glyph on a light tile.
QIcon glyphIcon(const QString& glyph)
{
    QPixmap picture(32, 32);
    picture.fill(QColor(224, 224, 224));
    QPainter painter(&picture);
    painter.setPen(QColor(32, 32, 32));
    painter.drawRect(0, 0, 31, 31);
    QFont font = painter.font();
    font.setPixelSize(glyph.size() > 2 ? 10 : 14);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, glyph);
    return QIcon(picture);
}

} // namespace

qFullScreenFieldWidget::qFullScreenFieldWidget(QWidget* parent, const char* name,
                                               Qt::WindowFlags flags, QString caption, QImage image)
    : QWidget(parent, flags | Qt::Window)
    , captionArgument(caption)
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    captionText = caption.isEmpty() ? QStringLiteral("Optical transmission function") : caption;
    windowCaption = captionText;
    setWindowTitle(withVisibleControls(windowCaption));

    fullWidth = theSettings.fullScreenWidth > 0 ? theSettings.fullScreenWidth : slmPixelsX;
    fullHeight = theSettings.fullScreenHeight > 0 ? theSettings.fullScreenHeight : slmPixelsY;
    areaWidth = fullWidth;
    areaHeight = fullHeight;

    sourceImage = phaseImageOf(image);
    imageWidth = sourceImage.width();
    imageHeight = sourceImage.height();
    workImage = sourceImage.copy();
    scaledWidth = imageWidth;
    scaledHeight = imageHeight;

    setWaitCursor(true);
    const PatternLevels levels = patternLevelsOf(sourceImage);
    twoLevelImage = levels.twoLevel;
    oneLevelImage = levels.oneLevel;
    if (twoLevelImage || oneLevelImage) {
        level1Gray = levels.level1Gray;
        level2Gray = levels.level2Gray;
        grayValue1 = levels.grayValue1;
        if (twoLevelImage)
            grayValue2 = levels.grayValue2;
    }
    setWaitCursor(false);
    grayTable = computeGrayTable(graylevelPhase0, graylevelPhase2Pi, gammaValue);

    gammaIcon = glyphIcon(QStringLiteral("γ"));
    gray1Icon = glyphIcon(QStringLiteral("G1"));
    gray2Icon = glyphIcon(QStringLiteral("G2"));
    prismXIcon = glyphIcon(QStringLiteral("PX"));
    prismYIcon = glyphIcon(QStringLiteral("PY"));
    shiftXIcon = glyphIcon(QStringLiteral("MX"));
    shiftYIcon = glyphIcon(QStringLiteral("MY"));
    slmOffIcon = glyphIcon(QStringLiteral("SLM"));
    slmOnIcon = glyphIcon(QStringLiteral("ON"));

    controlLabel = new QLabel(this);
    controlLabel->setObjectName(QStringLiteral("controlLabel"));
    controlLabel->setFrameStyle(QFrame::Box | QFrame::Plain);
    controlLabel->setAlignment(Qt::AlignCenter);
    controlLabel->setText(QStringLiteral("Gamma\nvalue"));
    controlLabel->resize(bandWidth, controlLabel->sizeHint().height());
    buildToolStrip();

    layoutControls();
    zoomLevel = 0;
    zoomFactor = 1.0;

    toolStripVisible = !(imageWidth == fullWidth && imageHeight == fullHeight);
    visibleWidth = toolStripVisible ? fullWidth - bandWidth : fullWidth;
    visibleHeight = fullHeight;
    showComposition();

    graySlider = addSlider("graySlider", 0, 255, gammaValue);
    grayBox = addBox("grayBox", 0, 255, 255 - gammaValue);
    gray1Slider = addSlider("gray1Slider", 0, 255, 255 - grayValue1);
    gray1Box = addBox("gray1Box", 0, 255, grayValue1);
    gray2Slider = addSlider("gray2Slider", 0, 255, 255 - grayValue2);
    gray2Box = addBox("gray2Box", 0, 255, grayValue2);
    shiftXSlider = addSlider("shiftXSlider", 1 - fullWidth, fullWidth, 0);
    shiftXBox = addBox("shiftXBox", 1 - fullWidth, fullWidth, 0);
    shiftYSlider = addSlider("shiftYSlider", 1 - fullHeight, fullHeight, 0);
    shiftYBox = addBox("shiftYBox", 1 - fullHeight, fullHeight, 0);
    lensSlider = addSlider("lensSlider", -100, 100, 0);
    lensBox = addBox("lensBox", -100, 100, 0);
    prismXSlider = addSlider("prismXSlider", -100, 100, 0);
    prismXBox = addBox("prismXBox", -100, 100, 0);
    prismYSlider = addSlider("prismYSlider", -100, 100, 0);
    prismYBox = addBox("prismYBox", -100, 100, 0);

    grayControlsActive = true;
    activateGraylevelElements();

    for (QSpinBox* box : {grayBox, gray1Box, gray2Box})
        connect(box, &QSpinBox::valueChanged, this, &qFullScreenFieldWidget::syncGraylevelSlider);
    for (QSlider* slider : {graySlider, gray1Slider, gray2Slider}) {
        connect(slider, &QSlider::sliderReleased, this, &qFullScreenFieldWidget::syncGraylevelBox);
        connect(slider, &QSlider::valueChanged, this, &qFullScreenFieldWidget::syncGraylevelBox);
    }
    for (QSpinBox* box : {shiftXBox, shiftYBox})
        connect(box, &QSpinBox::valueChanged, this, &qFullScreenFieldWidget::syncOffsetSliders);
    for (QSlider* slider : {shiftXSlider, shiftYSlider}) {
        connect(slider, &QSlider::sliderReleased, this, &qFullScreenFieldWidget::syncOffsetBoxes);
        connect(slider, &QSlider::valueChanged, this, &qFullScreenFieldWidget::syncOffsetBoxes);
    }
    connect(lensBox, &QSpinBox::valueChanged, this, &qFullScreenFieldWidget::syncLensSlider);
    connect(lensSlider, &QSlider::sliderReleased, this, &qFullScreenFieldWidget::syncLensBox);
    connect(lensSlider, &QSlider::valueChanged, this, &qFullScreenFieldWidget::syncLensBox);
    for (QSpinBox* box : {prismXBox, prismYBox})
        connect(box, &QSpinBox::valueChanged, this,
                &qFullScreenFieldWidget::syncBlazeGratingSliders);
    for (QSlider* slider : {prismXSlider, prismYSlider}) {
        connect(slider, &QSlider::sliderReleased, this,
                &qFullScreenFieldWidget::syncBlazeGratingBoxes);
        connect(slider, &QSlider::valueChanged, this,
                &qFullScreenFieldWidget::syncBlazeGratingBoxes);
    }

    connect(zoomInButton, &QToolButton::clicked, this, &qFullScreenFieldWidget::zoomIn);
    connect(zoomOutButton, &QToolButton::clicked, this, &qFullScreenFieldWidget::zoomOut);
    connect(lensButton, &QToolButton::clicked, this, &qFullScreenFieldWidget::activateLensElements);
    connect(prismButton, &QToolButton::clicked, this,
            &qFullScreenFieldWidget::activateBlazeGratingElements);
    connect(shiftButton, &QToolButton::clicked, this,
            &qFullScreenFieldWidget::activatePositionOffsetElements);
    connect(grayButton, &QToolButton::clicked, this,
            &qFullScreenFieldWidget::activateGraylevelElements);
    connect(invertButton, &QToolButton::clicked, this, &qFullScreenFieldWidget::invertDisplay);
    connect(saveButton, &QToolButton::clicked, this,
            &qFullScreenFieldWidget::saveDisplayedFullscreenBitmap);
    if (slmButton)
        connect(slmButton, &QToolButton::toggled, this, &qFullScreenFieldWidget::connectToSLM);

    setMouseTracking(true);
    updateBandWidgets();
    update();
}

qFullScreenFieldWidget::~qFullScreenFieldWidget()
{
    connectToSLM(false);
    openFullScreenWindows.erase(
        std::remove(openFullScreenWindows.begin(), openFullScreenWindows.end(), this),
        openFullScreenWindows.end());
}

void qFullScreenFieldWidget::buildToolStrip()
{
    toolStrip = new QWidget(this);
    toolStrip->setObjectName(QStringLiteral("toolStrip"));
    auto* column = new QVBoxLayout(toolStrip);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    zoomLabel = new QLabel(QStringLiteral("Zoom:\n100%"), toolStrip);
    zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    zoomLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    zoomLabel->setAlignment(Qt::AlignCenter);
    column->addWidget(zoomLabel);

    auto addButton = [&](const char* objectName, const QString& glyph, const QKeySequence& key,
                         const QString& tip, bool toggle) {
        auto* button = new QToolButton(toolStrip);
        button->setObjectName(QString::fromLatin1(objectName));
        button->setIcon(glyphIcon(glyph));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setShortcut(key);
        button->setToolTip(tip);
        button->setCheckable(toggle);
        column->addWidget(button, 0, Qt::AlignHCenter);
        return button;
    };
    zoomInButton
        = addButton("zoomInButton", QStringLiteral("+"), QKeySequence(Qt::ALT | Qt::Key_Plus),
                    QStringLiteral("Zoom In"), false);
    zoomOutButton
        = addButton("zoomOutButton", QStringLiteral("-"), QKeySequence(Qt::ALT | Qt::Key_Minus),
                    QStringLiteral("Zoom Out"), false);
    lensButton = addButton("lensButton", QStringLiteral("L"), QKeySequence(Qt::ALT | Qt::Key_L),
                           QStringLiteral("Add lens Phase"), true);
    prismButton = addButton("prismButton", QStringLiteral("P"), QKeySequence(Qt::ALT | Qt::Key_P),
                            QStringLiteral("Add prism phase"), true);
    shiftButton = addButton("shiftButton", QStringLiteral("M"), QKeySequence(Qt::ALT | Qt::Key_M),
                            QStringLiteral("Adjust center position of displayed bitmap"), true);
    grayButton = addButton("grayButton", QStringLiteral("γ"), QKeySequence(Qt::ALT | Qt::Key_G),
                           QStringLiteral("Adjust gamma curve of graylevel values"), true);
    grayButton->setChecked(true);
    if (oneLevelImage || twoLevelImage) {
        grayButton->setToolTip(QStringLiteral("Adjust graylevel value 2"));
        grayButton->setIcon(gray2Icon);
        controlLabel->setText(QStringLiteral("Gray-\nlevel 2"));
    }
    invertButton = addButton("invertButton", QStringLiteral("I"), QKeySequence(Qt::ALT | Qt::Key_I),
                             QStringLiteral("Invert currently displayed bitmap"), true);
    saveButton = addButton("saveButton", QStringLiteral("S"), QKeySequence(Qt::ALT | Qt::Key_S),
                           QStringLiteral("Save currently displayed bitmap"), false);
#if !PHASEDECK_LAB
    if (theSettings.slmOnExtendedDesktop) {
        slmButton = addButton("slmButton", QStringLiteral("SLM"), QKeySequence(Qt::ALT | Qt::Key_C),
                              QStringLiteral("Display this fullscreen bitmap on the SLM"), true);
        slmButton->setIcon(slmOffIcon);
    }
#endif
    toolStrip->resize(toolStrip->sizeHint());
}

QSlider* qFullScreenFieldWidget::addSlider(const char* name, int minimum, int maximum, int value)
{
    auto* slider = new QSlider(Qt::Vertical, this);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setTracking(true);
    slider->setGeometry(sliderX, sliderY, sliderWidth, sliderHeight);
    slider->hide();
    return slider;
}

QSpinBox* qFullScreenFieldWidget::addBox(const char* name, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, maximum);
    box->setSingleStep(1);
    box->setValue(value);
    box->setKeyboardTracking(false);
    box->setGeometry(boxX, boxY, boxWidth, boxHeight);
    box->hide();
    return box;
}

void qFullScreenFieldWidget::layoutControls()
{
    const int W = areaWidth, H = areaHeight;
    controlLabel->resize(bandWidth, controlLabel->height());
    controlLabel->move(W - (controlLabel->width() + bandWidth) / 2, 5);
    toolStrip->resize(toolStrip->sizeHint());
    const int labelHeight = controlLabel->height();
    sliderMaxHeight = std::max(100, H - labelHeight - toolStrip->height() - 80);
    sliderHeight = std::min(static_cast<int>(H * 0.33), sliderMaxHeight);
    sliderX = W - bandWidth / 2 - sliderWidth / 2;
    sliderY = labelHeight + margin;
    boxX = W - 52;
    boxY = labelHeight + sliderHeight + 20;
    for (QSlider* s : {graySlider, gray1Slider, gray2Slider, shiftXSlider, shiftYSlider, lensSlider,
                       prismXSlider, prismYSlider})
        if (s)
            s->setGeometry(sliderX, sliderY, sliderWidth, sliderHeight);
    for (QSpinBox* b :
         {grayBox, gray1Box, gray2Box, shiftXBox, shiftYBox, lensBox, prismXBox, prismYBox})
        if (b)
            b->setGeometry(boxX, boxY, boxWidth, boxHeight);
    toolStrip->move(W - (toolStrip->width() + bandWidth) / 2, labelHeight + sliderMaxHeight + 64);
}

void qFullScreenFieldWidget::hideLensButton()
{
    lensButton->hide();
    layoutControls();
}

void qFullScreenFieldWidget::hidePrismButton()
{
    prismButton->hide();
    layoutControls();
}

void qFullScreenFieldWidget::resizeEvent(QResizeEvent*)
{
    areaWidth = width();
    areaHeight = height();
    layoutControls();
    visibleWidth = toolStripVisible ? areaWidth - bandWidth : areaWidth;
    visibleHeight = areaHeight;
    update();
}

void qFullScreenFieldWidget::paintEvent(QPaintEvent* e)
{
    QPainter painter(this);
    const int W = areaWidth, H = areaHeight;
    if (W > fullWidth || H > fullHeight)
        painter.fillRect(rect(), palette().window());
    const QRect source((fullWidth - W) / 2, (fullHeight - H) / 2, visibleWidth, visibleHeight);
    // Straight through the palette into the backing store; the 32-bit image is made only where
    // that can't be done, or where the SLM output needs it anyway (it is drawn without a
    // conversion, being of the screen's format).
    if (slmConnected
        || !drawIndexedInPlace(painter, composedImage, source, QPoint(0, 0), e->region())) {
        const QImage& colours = colouredImage();
        const QRect shown = source.intersected(colours.rect());
        painter.drawImage(shown.topLeft() - source.topLeft(), colours, shown);
    }
    if (toolStripVisible)
        painter.fillRect(W - bandWidth, 0, bandWidth, H, palette().window());
    painter.end();
    if (slmConnected && theMainWindow)
        theMainWindow->showOnSLM(slmPixmap());
}

void qFullScreenFieldWidget::mouseMoveEvent(QMouseEvent* e)
{
    const bool inBand = e->position().x() > areaWidth - bandWidth;
    if (inBand == toolStripVisible)
        return;
    toolStripVisible = inBand;
    visibleWidth = inBand ? areaWidth - bandWidth : areaWidth;
    updateBandWidgets();
    update();
}

void qFullScreenFieldWidget::keyPressEvent(QKeyEvent* e)
{
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QWidget::keyPressEvent(e);
        return;
    }
    QToolButton* button = nullptr;
    switch (e->key()) {
    case Qt::Key_S:
        button = saveButton;
        break;
    case Qt::Key_I:
        button = invertButton;
        break;
    case Qt::Key_G:
        button = grayButton;
        break;
    case Qt::Key_L:
        button = lensButton;
        break;
    case Qt::Key_M:
        button = shiftButton;
        break;
    case Qt::Key_P:
        button = prismButton;
        break;
    case Qt::Key_C:
        copyBitmapToClipboard();
        return;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    button->animateClick();
}

void qFullScreenFieldWidget::hideAllSlidersAndBoxes()
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             graySlider, grayBox, gray1Slider, gray1Box, gray2Slider, gray2Box, shiftXSlider,
             shiftXBox, shiftYSlider, shiftYBox, lensSlider, lensBox, prismXSlider, prismXBox,
             prismYSlider, prismYBox})
        w->hide();
}

void qFullScreenFieldWidget::showActivePair()
{
    QSlider* slider = nullptr;
    QSpinBox* box = nullptr;
    if (grayControlsActive) {
        slider = level1Selected ? gray1Slider : level2Selected ? gray2Slider : graySlider;
        box = level1Selected ? gray1Box : level2Selected ? gray2Box : grayBox;
    } else if (lensControlsActive) {
        slider = lensSlider;
        box = lensBox;
    } else if (prismControlsActive) {
        slider = prismXSelected ? prismXSlider : prismYSlider;
        box = prismXSelected ? prismXBox : prismYBox;
    } else if (shiftControlsActive) {
        slider = shiftXSelected ? shiftXSlider : shiftYSlider;
        box = shiftXSelected ? shiftXBox : shiftYBox;
    }
    if (!box)
        return;
    if (toolStripVisible) {
        slider->show();
        box->show();
    }
    box->setFocus();
}

void qFullScreenFieldWidget::updateBandWidgets()
{
    if (toolStripVisible) {
        showActivePair();
        toolStrip->show();
        controlLabel->show();
    } else {
        toolStrip->hide();
        hideAllSlidersAndBoxes();
        controlLabel->hide();
    }
}

void qFullScreenFieldWidget::enterMode(Mode mode)
{
    hideAllSlidersAndBoxes();
    grayControlsActive = mode == Mode::Gray;
    lensControlsActive = mode == Mode::Lens;
    prismControlsActive = mode == Mode::Prism;
    shiftControlsActive = mode == Mode::Shift;
    const std::pair<QToolButton*, Mode> buttons[] = {{grayButton, Mode::Gray},
                                                     {lensButton, Mode::Lens},
                                                     {prismButton, Mode::Prism},
                                                     {shiftButton, Mode::Shift}};
    for (const auto& [button, buttonMode] : buttons)
        button->setChecked(buttonMode == mode);
}

void qFullScreenFieldWidget::selectGraylevelToolbarElement()
{
    QString tip, label;
    if ((oneLevelImage || twoLevelImage) && !phaseOnLevelImage) {
        if (!level1Selected || oneLevelImage) {
            level1Selected = true;
            level2Selected = false;
            tip = QStringLiteral("Adjust graylevel value 1");
            label = QStringLiteral("Gray-\nlevel 1");
            grayButton->setIcon(gray1Icon);
        } else {
            level1Selected = false;
            level2Selected = true;
            tip = QStringLiteral("Adjust graylevel value 2");
            label = QStringLiteral("Gray-\nlevel 2");
            grayButton->setIcon(gray2Icon);
        }
    } else {
        level1Selected = false;
        level2Selected = false;
        tip = QStringLiteral("Adjust gamma curve of graylevel values");
        label = QStringLiteral("Gamma\nvalue");
        grayButton->setIcon(gammaIcon);
    }
    grayButton->setToolTip(tip);
    if (grayControlsActive)
        controlLabel->setText(label);
}

void qFullScreenFieldWidget::activateGraylevelElements()
{
    enterMode(Mode::Gray);
    selectGraylevelToolbarElement();
    if (level1Selected) {
        gray1Slider->setValue(255 - grayValue1);
        gray1Box->setValue(grayValue1);
    } else if (level2Selected) {
        gray2Slider->setValue(255 - grayValue2);
        gray2Box->setValue(grayValue2);
    }
    graySlider->setValue(gammaValue);
    grayBox->setValue(255 - gammaValue);
    showActivePair();
    update();
}

void qFullScreenFieldWidget::activateLensElements()
{
    enterMode(Mode::Lens);
    controlLabel->setText(QStringLiteral("Lens\nphase"));
    showActivePair();
    update();
}

void qFullScreenFieldWidget::activateBlazeGratingElements()
{
    enterMode(Mode::Prism);
    prismXSelected = !prismXSelected;
    prismYSelected = !prismXSelected;
    controlLabel->setText(prismXSelected ? QStringLiteral("Prism\nphase X")
                                         : QStringLiteral("Prism\nphase Y"));
    prismButton->setIcon(prismXSelected ? prismXIcon : prismYIcon);
    showActivePair();
    update();
}

void qFullScreenFieldWidget::activatePositionOffsetElements()
{
    enterMode(Mode::Shift);
    shiftXSelected = !shiftXSelected;
    shiftYSelected = !shiftXSelected;
    controlLabel->setText(shiftXSelected ? QStringLiteral("Shift X") : QStringLiteral("Shift Y"));
    shiftButton->setIcon(shiftXSelected ? shiftXIcon : shiftYIcon);
    showActivePair();
    update();
}

void qFullScreenFieldWidget::syncGraylevelSlider()
{
    if (!grayControlsActive)
        return;
    if (level1Selected || level2Selected) {
        grayValue2 = gray2Box->value();
        grayValue1 = gray1Box->value();
        gray2Slider->setValue(255 - grayValue2);
        gray1Slider->setValue(255 - grayValue1);
        levelsDirty = true;
    } else {
        gammaValue = 255 - grayBox->value();
        graySlider->setValue(gammaValue);
        grayTable = computeGrayTable(graylevelPhase0, graylevelPhase2Pi, gammaValue);
    }
}

void qFullScreenFieldWidget::syncGraylevelBox()
{
    if (!grayControlsActive)
        return;
    if (level1Selected || level2Selected) {
        grayValue1 = 255 - gray1Slider->value();
        grayValue2 = 255 - gray2Slider->value();
        gray1Box->setValue(grayValue1);
        gray2Box->setValue(grayValue2);
        levelsDirty = true;
    } else {
        gammaValue = graySlider->value();
        grayBox->setValue(255 - gammaValue);
        grayTable = computeGrayTable(graylevelPhase0, graylevelPhase2Pi, gammaValue);
    }
    if (!phaseOnLevelImage) {
        recompose();
    } else {
        // Only the gamma curve changed: the per-pixel bitmap keeps its values.
        composedImage.setColorTable(
            grayTablePalette(grayTable, inverted, graylevelPhase0, graylevelPhase2Pi));
        setDisplayed(composedImage);
    }
    update();
}

void qFullScreenFieldWidget::syncOffsetSliders()
{
    if (!shiftControlsActive)
        return;
    shiftX = shiftXBox->value();
    shiftY = shiftYBox->value();
    shiftXSlider->setValue(-shiftX);
    shiftYSlider->setValue(-shiftY);
}

void qFullScreenFieldWidget::syncOffsetBoxes()
{
    if (!shiftControlsActive)
        return;
    shiftX = -shiftXSlider->value();
    shiftY = -shiftYSlider->value();
    shiftXBox->setValue(shiftX);
    shiftYBox->setValue(shiftY);
    recompose();
    update();
}

void qFullScreenFieldWidget::updateAddedPhaseState()
{
    if (!(oneLevelImage || twoLevelImage))
        return;
    const bool phase = lensValue != 0 || prismXValue != 0 || prismYValue != 0;
    // Re-select only when the state changes: a box and its slider both report every change.
    if (phase == phaseOnLevelImage)
        return;
    phaseOnLevelImage = phase;
    if (phase) {
        level1Selected = false;
        level2Selected = false;
    }
    selectGraylevelToolbarElement();
}

void qFullScreenFieldWidget::syncLensSlider()
{
    if (!lensControlsActive)
        return;
    lensValue = lensBox->value();
    updateAddedPhaseState();
    lensSlider->setValue(-lensValue);
}

void qFullScreenFieldWidget::syncLensBox()
{
    if (!lensControlsActive)
        return;
    lensValue = -lensSlider->value();
    lensBox->setValue(lensValue);
    updateAddedPhaseState();
    recompose();
    update();
}

void qFullScreenFieldWidget::syncBlazeGratingSliders()
{
    if (!prismControlsActive)
        return;
    prismXValue = prismXBox->value();
    prismYValue = prismYBox->value();
    updateAddedPhaseState();
    prismXSlider->setValue(-prismXValue);
    prismYSlider->setValue(-prismYValue);
}

void qFullScreenFieldWidget::syncBlazeGratingBoxes()
{
    if (!prismControlsActive)
        return;
    prismXValue = -prismXSlider->value();
    prismYValue = -prismYSlider->value();
    prismXBox->setValue(prismXValue);
    prismYBox->setValue(prismYValue);
    updateAddedPhaseState();
    recompose();
    update();
}

void qFullScreenFieldWidget::invertDisplay()
{
    inverted = !inverted;
    recompose();
    update();
}

void qFullScreenFieldWidget::applyZoom(int level)
{
    if (oneLevelImage)
        return;
    ZoomGeometry g;
    if (!zoomGeometry(level, imageWidth, imageHeight, fullWidth, fullHeight, g))
        return;
    zoomLevel = g.level;
    zoomFactor = g.factor;
    scaledWidth = g.scaledWidth;
    scaledHeight = g.scaledHeight;
    workImage = resampleForZoom(sourceImage, g, twoLevelImage);
    showZoomLabel(zoomLabelText(zoomFactor));
    recompose();
    update();
}

// The whole percentage stays readable inside the tool band: a text too wide for the band in the
// window's font is shown in a smaller one.
void qFullScreenFieldWidget::showZoomLabel(const QString& text)
{
    zoomLabel->setText(text);
    const int room = bandWidth - 2 * (zoomLabel->frameWidth() + zoomLabel->margin()) - 2;
    QFont f = font();
    while (QFontMetrics(f).size(0, text).width() > room) {
        if (f.pointSizeF() > 4)
            f.setPointSizeF(f.pointSizeF() - 0.5);
        else if (f.pixelSize() > 6)
            f.setPixelSize(f.pixelSize() - 1);
        else
            break;
    }
    zoomLabel->setFont(f);
    layoutControls();
}

void qFullScreenFieldWidget::zoomIn()
{
    applyZoom(zoomLevel + 1);
}

void qFullScreenFieldWidget::zoomOut()
{
    applyZoom(zoomLevel - 1);
}

void qFullScreenFieldWidget::copyBitmapToClipboard() {}

CompositionParameters qFullScreenFieldWidget::compositionParameters() const
{
    CompositionParameters p;
    p.fullWidth = fullWidth;
    p.fullHeight = fullHeight;
    p.gammaValue = gammaValue;
    p.grayPhase0 = graylevelPhase0;
    p.grayPhase2Pi = graylevelPhase2Pi;
    p.lensValue = lensValue;
    p.prismXValue = prismXValue;
    p.prismYValue = prismYValue;
    p.shiftX = shiftX;
    p.shiftY = shiftY;
    p.inverted = inverted;
    if (theBackgroundImage && theBackgroundImage->status() == 1
        && theBackgroundImage->width() == fullWidth && theBackgroundImage->height() == fullHeight)
        p.background = theBackgroundImage->values();
    return p;
}

PatternLevels qFullScreenFieldWidget::patternLevels() const
{
    PatternLevels levels;
    levels.oneLevel = oneLevelImage;
    levels.twoLevel = twoLevelImage;
    levels.level1Gray = level1Gray;
    levels.level2Gray = level2Gray;
    levels.grayValue1 = grayValue1;
    levels.grayValue2 = grayValue2;
    return levels;
}

void qFullScreenFieldWidget::recompose()
{
    adjusted = true;
    composeBitmap();
}

void qFullScreenFieldWidget::composeBitmap()
{
    grayTable = computeGrayTable(graylevelPhase0, graylevelPhase2Pi, gammaValue);
    releaseColours();
    composeFullScreenInto(workImage, patternLevels(), compositionParameters(), composedImage);
    updateCaption();
}

// An image of the full-screen size that no control has changed shows its own pixels wherever the
// palette path would compose it; a background or another gray range composes it per pixel.
void qFullScreenFieldWidget::showComposition()
{
    const bool asGiven = !adjusted && imageWidth == fullWidth && imageHeight == fullHeight;
    if (asGiven && usesFastPath(compositionParameters())) {
        grayTable = computeGrayTable(graylevelPhase0, graylevelPhase2Pi, gammaValue);
        setDisplayed(sourceImage);
        updateCaption();
    } else {
        composeBitmap();
    }
}

void qFullScreenFieldWidget::preferencesChanged()
{
    showComposition();
    update();
    // A window that is not painted (minimised, covered) still feeds the SLM what it composes.
    if (slmConnected && theMainWindow)
        theMainWindow->showOnSLM(slmPixmap());
}

void qFullScreenFieldWidget::setDisplayed(const QImage& bitmap)
{
    releaseColours();
    composedImage = bitmap;
}

void qFullScreenFieldWidget::releaseColours()
{
    coloursCurrent = false;
    // The pixmap may share paintedImage's pixels: let it go before they are overwritten.
    displayPixmap = QPixmap();
}

const QImage& qFullScreenFieldWidget::colouredImage()
{
    if (!coloursCurrent) {
        expandToColours(composedImage, paintedImage);
        coloursCurrent = true;
    }
    return paintedImage;
}

const QPixmap& qFullScreenFieldWidget::slmPixmap()
{
    if (displayPixmap.isNull())
        displayPixmap = QPixmap::fromImage(colouredImage());
    return displayPixmap;
}

void qFullScreenFieldWidget::updateCaption()
{
#if PHASEDECK_LAB
    QString caption = captionText;
    if (lensValue != 0) {
        const double pitch = opticalParameters.defaultPixelSizeX;
        const double focalLength = fullHeight * pitch * pitch
                                   / (0.015 * opticalParameters.defaultWavelength * lensValue);
        caption += QStringLiteral(" + superimposed lens (f=") + QString::number(focalLength)
                   + QStringLiteral("m)");
    }
    if (caption != windowCaption) {
        windowCaption = caption;
        setWindowTitle(withVisibleControls(windowCaption));
    }
#endif
}
