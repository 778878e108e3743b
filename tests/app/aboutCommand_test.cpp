// The "&About" command: the about box it runs, with the product strings and the maker's lines.
#include "app/QDOEMainWindow.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_QV_PhasedeckAppAbout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

struct SeenBox
{
    QString className;
    bool parentless = false;
    QString caption;
    QString text;
    QSize logoSize;
};

std::vector<SeenBox> seen;

int recordAbout(QDialog& dialog)
{
    SeenBox box;
    box.className = dialog.metaObject()->className();
    box.parentless = dialog.parentWidget() == nullptr;
    box.caption = dialog.windowTitle();
    if (auto* about = qobject_cast<dialog_QV_PhasedeckAppAbout*>(&dialog)) {
        box.text = about->InfoTextLabel->text();
        box.logoSize = about->pixmapLabelQuorvel->pixmap().size();
    }
    seen.push_back(box);
    return QDialog::Rejected;
}

QAction* findAction(QMenuBar* bar, const QString& menu, const QString& entry)
{
    for (QAction* m : bar->actions())
        if (m->text() == menu && m->menu())
            for (QAction* a : m->menu()->actions())
                if (a->text() == entry)
                    return a;
    return nullptr;
}

TEST(AboutCommand, ShowsProductStringsAndMakerLines)
{
    QDOEMainWindow w(nullptr, "new window", Qt::Window, 0, nullptr);
    QAction* about = findAction(w.menuBar(), "&Help", "&About");
    ASSERT_NE(about, nullptr);

    seen.clear();
    DialogRunner previous = setDialogRunner(recordAbout);
    about->trigger();
    setDialogRunner(previous);

    ASSERT_EQ(seen.size(), 1u);
    const SeenBox& box = seen[0];
    EXPECT_EQ(box.className, "dialog_QV_PhasedeckAppAbout");
    EXPECT_TRUE(box.parentless);
    EXPECT_EQ(box.caption, QString::fromStdString("About " + productTitle));
    EXPECT_EQ(box.logoSize, QSize(300, 35));

    const QStringList lines = box.text.split('\n');
#if PHASEDECK_LAB
    const QStringList head
        = {QString::fromStdString(productTitle), "for QUORVEL _internal_ use only."};
#else
    const QStringList head
        = {"QUORVEL Phasedeck", "for the Quorvel SLM KTR-1080P, version 2.2", ""};
#endif
    ASSERT_EQ(lines.size(), head.size() + 4) << box.text.toStdString();
    EXPECT_EQ(lines.mid(0, head.size()), head);
    for (const QString& makerLine : lines.mid(head.size()))
        EXPECT_FALSE(makerLine.trimmed().isEmpty());
}

} // namespace
