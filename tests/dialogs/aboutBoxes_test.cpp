// The about boxes: structure, placeholder texts, compiled-in pictures and the OK button.
#include "formChecks.h"

#include "dialogs/dialog_BrimcoveTutoramaAbout.h"
#include "dialogs/dialog_QV_PhasedeckAppAbout.h"
#include "dialogs/dialog_rayGliderAbout.h"

#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

const std::vector<FormSpec>& aboutForms()
{
    static const std::vector<FormSpec> forms = {
        {"dialog_QV_PhasedeckAppAbout",
         "dialog_QV_PhasedeckAppAbout",
         factoryOf<dialog_QV_PhasedeckAppAbout>(),
         "Form1",
         QSize(365, 221),
         {{"InfoTextLabel", "QLabel", QRect(40, 10, 281, 100)},
          {"pixmapLabelQuorvel", "QLabel", QRect(30, 120, 300, 35)},
          {"OKButton", "QPushButton", QRect(210, 170, 111, 41)}},
         {"languageChange()"},
         {"languageChange()"}},
        {"dialog_BrimcoveTutoramaAbout",
         "dialog_BrimcoveTutoramaAbout",
         factoryOf<dialog_BrimcoveTutoramaAbout>(),
         "Form1",
         QSize(353, 481),
         {{"pixmapLabel1", "QLabel", QRect(80, 20, 192, 152)},
          {"InfoTextLabel", "QLabel", QRect(30, 190, 281, 140)},
          {"pixmapLabelQuorvel", "QLabel", QRect(20, 350, 300, 35)},
          {"OKButton", "QPushButton", QRect(200, 410, 111, 41)}},
         {"languageChange()"},
         {"languageChange()"}},
        {"dialog_rayGliderAbout",
         "dialog_rayGliderAbout",
         factoryOf<dialog_rayGliderAbout>(),
         "Form1",
         QSize(365, 359),
         {{"pixmapLabelRayGlider", "QLabel", QRect(30, 20, 300, 62)},
          {"InfoTextLabel", "QLabel", QRect(40, 100, 281, 140)},
          {"pixmapLabelQuorvel", "QLabel", QRect(30, 250, 300, 35)},
          {"OKButton", "QPushButton", QRect(210, 300, 111, 41)}},
         {"languageChange()"},
         {"languageChange()"}},
    };
    return forms;
}

TEST(AboutBoxes, FormsChildrenAndPlaceholderTexts)
{
    for (const FormSpec& f : aboutForms()) {
        checkForm(f);
        std::unique_ptr<QDialog> d = f.make(nullptr);
        SCOPED_TRACE(f.className);
        checkTexts(*d, {{"InfoTextLabel", "textLabel1"}, {"OKButton", "Ok"}});
    }
}

// OK accepts on a full click only; closing the window or Escape rejects.
TEST(AboutBoxes, OkAcceptsOnClick)
{
    for (const FormSpec& f : aboutForms()) {
        SCOPED_TRACE(f.className);
        checkButtons(f.make, {{"OKButton", QDialog::Accepted, Trigger::Click}});
    }
}

TEST(AboutBoxes, PicturesOfTheirSizesScaledIntoTheirLabels)
{
    const struct
    {
        DialogFactory make;
        const char* label;
        QSize picture;
    } rows[] = {
        {factoryOf<dialog_QV_PhasedeckAppAbout>(), "pixmapLabelQuorvel", QSize(300, 35)},
        {factoryOf<dialog_BrimcoveTutoramaAbout>(), "pixmapLabel1", QSize(384, 284)},
        {factoryOf<dialog_BrimcoveTutoramaAbout>(), "pixmapLabelQuorvel", QSize(300, 35)},
        {factoryOf<dialog_rayGliderAbout>(), "pixmapLabelRayGlider", QSize(300, 62)},
        {factoryOf<dialog_rayGliderAbout>(), "pixmapLabelQuorvel", QSize(300, 35)},
    };
    QImage logo;
    for (const auto& row : rows) {
        std::unique_ptr<QDialog> d = row.make(nullptr);
        SCOPED_TRACE(std::string(d->metaObject()->className()) + "::" + row.label);
        const QLabel* label = d->findChild<const QLabel*>(row.label);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->hasScaledContents());
        const QPixmap pixmap = label->pixmap();
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.size(), row.picture);
        if (row.picture == QSize(300, 35)) {
            // The three copies of the maker's logo are one picture.
            const QImage image = pixmap.toImage();
            if (logo.isNull())
                logo = image;
            EXPECT_EQ(image, logo);
        }
    }
}

TEST(AboutBoxes, CompiledInPicturesAreIndexedColour)
{
    const struct
    {
        const char* path;
        QSize size;
    } rows[] = {{":/about/quorvelLogo.png", QSize(300, 35)},
                {":/about/tutoramaKit.png", QSize(384, 284)},
                {":/about/rayGliderLogo.png", QSize(300, 62)}};
    dialog_QV_PhasedeckAppAbout registersThePictures;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const QImage image(row.path);
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        EXPECT_EQ(image.size(), row.size);
        EXPECT_GT(image.colorCount(), 1);
    }
}

} // namespace
