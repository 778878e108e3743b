// The transition-point grating dialog: its form, buttons, transition points, readouts and the
// enabling of the width spin boxes by the transition point number.
#include "formChecks.h"

#include "dialogs/dialog_linear_and_separable2D_gratingsImpl.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

using Dialog = dialog_linear_and_separable2D_gratingsImpl;

// Object names of one axis; the Y group repeats the X names with Y.
struct AxisNames
{
    QString a; // "X" or "Y"
    QString name(const char* pattern) const { return QString::fromLatin1(pattern).arg(a); }
    QString count() const { return name("spinBox_TP%1"); }
    QString check() const { return name("EOMCheckBox_%1"); }
    QString width(int k) const // 0..5: ridge 1, groove 1, ridge 2, ...
    {
        return QString("spinBox_%1%2_%3").arg(k % 2 == 0 ? "R" : "G").arg(a).arg(k / 2 + 1);
    }
    QString readout(int k) const // points 0..6
    {
        return k < 6 ? QString("textlabel_TP%1_%2").arg(a).arg(k + 1) : name("textlabel_GP%1");
    }
    QString periodLabel(int k) const { return QString("textLabel_GP%1_%2").arg(a).arg(k + 1); }
};

const AxisNames axes[] = {{"X"}, {"Y"}};

std::vector<ChildSpec> childrenOf()
{
    static std::vector<QByteArray> names; // keeps the names alive for ChildSpec's char pointers
    std::vector<ChildSpec> children;
    auto add = [&](const QString& name, const char* kind, QRect geometry) {
        names.push_back(name.toLatin1());
        children.push_back({names.back().constData(), kind, geometry});
    };
    names.reserve(200);
    // So that nothing overlaps, "Transition points" ends where the first readout starts and the
    // readouts above two of the "Grating period" captions are 20 pixels high like the one above
    // the first; texts that the font would cut are widened only when the dialog is shown.
    add("groupBoxX", "QGroupBox", QRect(20, 20, 600, 210));
    add("groupBoxY", "QGroupBox", QRect(20, 240, 600, 210));
    add("OkButton", "QPushButton", QRect(370, 470, 90, 40));
    add("CancelButton", "QPushButton", QRect(500, 470, 90, 40));
    const char* lineNames[2][13]
        = {{"line23", "line23_3", "line23_3_2", "line23_2_2", "line23_2", "line23_2_3", "lineX1_2",
            "lineX1_2_2", "lineX1_2_3", "lineX1_2_4", "lineX1_2_5", "lineX1_2_6", "lineX1_2_7"},
           {"line23_4", "line23_3_3", "line23_3_2_2", "line23_2_2_2", "line23_2_4", "line23_2_3_2",
            "lineX1_2_8", "lineX1_2_2_2", "lineX1_2_3_2", "lineX1_2_4_2", "lineX1_2_5_2",
            "lineX1_2_6_2", "lineX1_2_7_2"}};
    for (int axis = 0; axis < 2; ++axis) {
        const AxisNames& n = axes[axis];
        add(n.name("textLabel_TPNr_%1"), "QLabel", QRect(20, 20, 120, 22));
        add(n.count(), "QSpinBox", QRect(160, 20, 50, 22));
        add(n.check(), "QCheckBox", QRect(280, 20, 280, 21));
        add(n.name("textLabel_SW%1"), "QLabel", QRect(30, 60, 100, 22));
        const QString headers[6]
            = {"textLabel_R" + n.a + "1", n.name("textLabel_G%1_1"), n.name("textLabel_R%1_2"),
               n.name("textLabel_G%1_2"), n.name("textLabel_R%1_3"), n.name("textLabel_G%1_3")};
        const int headerX[6] = {140, 200, 280, 340, 420, 480};
        const int widthX[6] = {130, 200, 270, 340, 410, 480};
        for (int k = 0; k < 6; ++k) {
            add(headers[k], "QLabel", QRect(headerX[k], 60, 50, 22));
            add(n.width(k), "QSpinBox", QRect(widthX[k], 105, 50, 22));
        }
        add(n.name("textLabel_TP%1"), "QLabel", QRect(20, 160, 85, 22));
        for (int k = 0; k < 7; ++k)
            add(n.readout(k), "QLabel",
                QRect(105 + 70 * k, 160, 30, k >= 2 && k % 2 == 0 ? 20 : 22));
        for (int k = 0; k < 3; ++k)
            add(n.periodLabel(k), "QLabel", QRect(220 + 140 * k, 180, 80, 22));
        const QPoint corners[13]
            = {{125, 80}, {265, 80}, {405, 80}, {195, 130}, {335, 130}, {475, 130}, {110, 90},
               {180, 90}, {250, 90}, {320, 90}, {390, 90},  {460, 90},  {530, 90}};
        for (int k = 0; k < 13; ++k)
            add(lineNames[axis][k], "QFrame",
                QRect(corners[k], k < 6 ? QSize(60, 20) : QSize(20, 50)));
    }
    return children;
}

TEST(LinearAndSeparableGratingsDialog, Form)
{
    checkForm({"dialog_linear_and_separable2D_gratingsImpl",
               "dialog_linear_and_separable2D_gratings",
               factoryOf<Dialog>(),
               "Select Grating Parameters",
               QSize(640, 524),
               childrenOf(),
               {"updateParametersX()", "updateParametersY()", "languageChange()"},
               {"updateParametersX()", "updateParametersY()"}});
    checkButtons(factoryOf<Dialog>(), {{"OkButton", QDialog::Accepted, Trigger::Press},
                                       {"CancelButton", QDialog::Rejected, Trigger::Press}});

    Dialog d(nullptr, "", true);
    for (const AxisNames& n : axes) {
        SCOPED_TRACE(n.a.toStdString());
        std::vector<QByteArray> keep;
        auto c = [&keep](const QString& s) {
            keep.push_back(s.toLatin1());
            return keep.back().constData();
        };
        keep.reserve(40);
        const int widths[6] = {1, 1, 7, 1, 1, 7};
        std::vector<SpinSpec> spins = {{c(n.count()), 0, 6, 2, 6, false}};
        for (int k = 0; k < 6; ++k)
            spins.push_back({c(n.width(k)), 1, 75, 1, widths[k], false});
        checkSpinBoxes(d, spins);
        const char* designed[7] = {"0", "1", "8", "9", "10", "17", "18"};
        std::vector<TextSpec> texts = {
            {c(n.name("textLabel_TPNr_%1")), "Transition point number"},
            {c(n.check()), "Force 'even order missing' translational symmetry"},
            {c(n.name("textLabel_SW%1")), "Structure widths:"},
            {c("textLabel_R" + n.a + "1"), "Ridge 1"},
            {c(n.name("textLabel_G%1_3")), "Groove 3"},
            {c(n.name("textLabel_TP%1")), "Transition points"},
        };
        for (int k = 0; k < 7; ++k)
            texts.push_back({c(n.readout(k)), designed[k]});
        for (int k = 0; k < 3; ++k)
            texts.push_back({c(n.periodLabel(k)), "Grating period"});
        checkTexts(d, texts);
        checkStates(d, {{c(n.check()), false, true}});
        const QLabel* readout = d.findChild<QLabel*>(n.readout(0));
        EXPECT_EQ(readout->textFormat(), Qt::RichText);
        EXPECT_TRUE(readout->wordWrap());
        EXPECT_EQ(readout->alignment(), Qt::AlignCenter);
    }
    checkTexts(d, {{"groupBoxX", "Vertical grating"},
                   {"groupBoxY", "Horizontal grating"},
                   {"OkButton", "Ok"},
                   {"CancelButton", "Cancel"}});
}

TEST(LinearAndSeparableGratingsDialog, FormSlotsOnlyWarn)
{
    dialog_linear_and_separable2D_gratings form;
    WarningRecorder warnings;
    form.updateParametersX();
    form.updateParametersY();
    EXPECT_EQ(warnings.lines,
              QStringList({"dialog_linear_and_separable2D_gratings::updateParametersX(): Not "
                           "implemented yet",
                           "dialog_linear_and_separable2D_gratings::updateParametersY(): Not "
                           "implemented yet"}));
    // The designed readouts stay.
    EXPECT_EQ(form.textlabel_TPX_3->text(), "8");
}

// One axis state set through the widgets, and what the dialog makes of it.
struct PointCase
{
    const char* what;
    int count;
    int widths[6];
    bool checked;
    std::vector<int> points;   // getTransitionPoints
    int array[7];              // the stored cumulative values
    std::vector<bool> enabled; // check box, then the six widths
    int shownUpTo;             // readouts of points 0..shownUpTo shown, -1 for none
    int periodLabel;           // index of the shown "Grating period" caption, -1 for none
};

const PointCase pointCases[] = {
    {"count 6, initial widths",
     6,
     {1, 1, 7, 1, 1, 7},
     false,
     {1, 2, 9, 10, 11, 18},
     {0, 1, 2, 9, 10, 11, 18},
     {true, true, true, true, true, true, true},
     6,
     2},
    {"count 2, widths 1, 1 and four zeros shown as 1",
     2,
     {1, 1, 0, 0, 0, 0},
     false,
     {1, 2},
     {0, 1, 2, 3, 4, 5, 6},
     {false, true, true, false, false, false, false},
     2,
     0},
    {"count 4",
     4,
     {3, 5, 2, 4, 9, 9},
     false,
     {3, 8, 10, 14},
     {0, 3, 8, 10, 14, 23, 32},
     {false, true, true, true, true, false, false},
     4,
     1},
    {"count 0",
     0,
     {4, 4, 4, 4, 4, 4},
     false,
     {},
     {0, 4, 8, 12, 16, 20, 24},
     {false, false, false, false, false, false, false},
     -1,
     -1},
    {"count 6 with symmetry forced: the last three widths off but still counted",
     6,
     {2, 3, 4, 5, 6, 75},
     true,
     {2, 5, 9, 14, 20, 95},
     {0, 2, 5, 9, 14, 20, 95},
     {true, true, true, true, false, false, false},
     6,
     2},
    {"largest period",
     6,
     {75, 75, 75, 75, 75, 75},
     false,
     {75, 150, 225, 300, 375, 450},
     {0, 75, 150, 225, 300, 375, 450},
     {true, true, true, true, true, true, true},
     6,
     2},
};

void setAxis(Dialog& d, const AxisNames& n, const PointCase& c)
{
    d.findChild<QSpinBox*>(n.count())->setValue(c.count);
    d.findChild<QCheckBox*>(n.check())->setChecked(c.checked);
    for (int k = 0; k < 6; ++k)
        d.findChild<QSpinBox*>(n.width(k))->setValue(c.widths[k]);
    // As the caller does after presetting: values equal to the designed ones emit nothing.
    if (n.a == "X")
        d.updateParametersX();
    else
        d.updateParametersY();
}

TEST(LinearAndSeparableGratingsDialog, TransitionPointsReadoutsAndEnabling)
{
    for (const AxisNames& n : axes) {
        for (const PointCase& c : pointCases) {
            SCOPED_TRACE(n.a.toStdString() + ": " + c.what);
            Dialog d(nullptr, "", true);
            setAxis(d, n, c);
            const bool x = n.a == "X";
            EXPECT_EQ(x ? d.getTransitionPointsX() : d.getTransitionPointsY(), c.points);
            const int* array = x ? d.transitionPointsX : d.transitionPointsY;
            for (int k = 0; k < 7; ++k) {
                EXPECT_EQ(array[k], c.array[k]) << "entry " << k;
                EXPECT_EQ(d.findChild<QLabel*>(n.readout(k))->text(), QString::number(c.array[k]))
                    << "readout " << k;
                EXPECT_EQ(!d.findChild<QLabel*>(n.readout(k))->isHidden(), k <= c.shownUpTo)
                    << "readout " << k;
            }
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(!d.findChild<QLabel*>(n.periodLabel(k))->isHidden(), k == c.periodLabel)
                    << "period caption " << k;
            std::vector<bool> enabled = {d.findChild<QCheckBox*>(n.check())->isEnabled()};
            for (int k = 0; k < 6; ++k)
                enabled.push_back(d.findChild<QSpinBox*>(n.width(k))->isEnabled());
            EXPECT_EQ(enabled, c.enabled);
            EXPECT_TRUE(d.findChild<QSpinBox*>(n.count())->isEnabled());
        }
    }
}

TEST(LinearAndSeparableGratingsDialog, AxesAreIndependent)
{
    Dialog d(nullptr, "", true);
    d.spinBox_TPY->setValue(0);
    d.spinBox_RY_1->setValue(30);
    EXPECT_EQ(d.getTransitionPointsX(), (std::vector<int>{1, 2, 9, 10, 11, 18}));
    EXPECT_TRUE(d.getTransitionPointsY().empty());
    EXPECT_TRUE(d.spinBox_RX_1->isEnabled());
    EXPECT_FALSE(d.spinBox_RY_1->isEnabled());
    // Readouts of X were never refreshed.
    EXPECT_EQ(d.textlabel_TPX_3->text(), "8");
    EXPECT_EQ(d.textlabel_TPY_2->text(), "30");
}

TEST(LinearAndSeparableGratingsDialog, OddCountsAndEnablingHistory)
{
    Dialog d(nullptr, "", true);
    // Count 4 typed over 0 leaves ridge 1 and groove 1 off; only count 2 turns them on.
    d.spinBox_TPX->setValue(0);
    d.spinBox_TPX->setValue(4);
    EXPECT_FALSE(d.spinBox_RX_1->isEnabled());
    EXPECT_FALSE(d.spinBox_GX_1->isEnabled());
    EXPECT_TRUE(d.spinBox_RX_2->isEnabled());
    d.spinBox_TPX->setValue(2);
    EXPECT_TRUE(d.spinBox_RX_1->isEnabled());

    // Odd counts give count - 1 points and change only the readout texts.
    struct Odd
    {
        int count;
        std::vector<int> points;
    };
    const Odd odd[] = {{1, {}}, {3, {1, 2}}, {5, {1, 2, 9, 10}}};
    for (const Odd& o : odd) {
        SCOPED_TRACE(o.count);
        d.spinBox_TPX->setValue(6);
        d.spinBox_RX_1->setValue(1);
        d.spinBox_TPX->setValue(o.count);
        EXPECT_EQ(d.getTransitionPointsX(), o.points);
        EXPECT_TRUE(d.EOMCheckBox_X->isEnabled());
        EXPECT_FALSE(d.textlabel_GPX->isHidden());
        d.spinBox_RX_1->setValue(5);
        EXPECT_EQ(d.textlabel_TPX_2->text(), "5");
        EXPECT_FALSE(d.textLabel_GPX_3->isHidden());
    }

    // Checking and unchecking the symmetry box at count 6 toggles the last three widths.
    d.spinBox_TPX->setValue(6);
    d.EOMCheckBox_X->setChecked(true);
    EXPECT_FALSE(d.spinBox_GX_2->isEnabled());
    d.EOMCheckBox_X->setChecked(false);
    EXPECT_TRUE(d.spinBox_GX_3->isEnabled());
    // Leaving count 6 only disables the box; its state stays.
    d.EOMCheckBox_X->setChecked(true);
    d.spinBox_TPX->setValue(4);
    EXPECT_FALSE(d.EOMCheckBox_X->isEnabled());
    EXPECT_TRUE(d.EOMCheckBox_X->isChecked());
}

} // namespace
