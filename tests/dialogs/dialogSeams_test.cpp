// The toolkit's dialogs behind the runners: the yes/no question's default button takes Return
// and Escape answers No; the file dialog lists /proc and /dev without stalling.
#include "dialogs/dialogSeams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Waits for the modal question box, notes its buttons and presses `key` in it.
class QuestionAnswerer
{
public:
    explicit QuestionAnswerer(Qt::Key key)
        : key(key)
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
        timer.start();
    }

    bool sawBox = false;
    QString caption;
    QString text;
    bool yesIsDefault = false;
    bool noIsDefault = false;
    bool noIsEscape = false;

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer.stop();
        sawBox = true;
        caption = box->windowTitle();
        text = box->text();
        QAbstractButton* defaultButton = box->defaultButton();
        yesIsDefault = defaultButton == box->button(QMessageBox::Yes);
        noIsDefault = defaultButton == box->button(QMessageBox::No);
        noIsEscape = box->escapeButton() == box->button(QMessageBox::No);
        QTest::keyClick(box, key);
    }

    Qt::Key key;
    QTimer timer;
};

TEST(QuestionBox, ReturnTakesTheDefaultButtonAndEscapeAnswersNo)
{
    struct Row
    {
        const char* name;
        QuestionButton defaultButton;
        Qt::Key key;
        bool yes;
    } rows[] = {
        {"default No, Return", QuestionButton::No, Qt::Key_Return, false},
        {"default Yes, Return", QuestionButton::Yes, Qt::Key_Return, true},
        {"default Yes, Escape", QuestionButton::Yes, Qt::Key_Escape, false},
        {"default No, Escape", QuestionButton::No, Qt::Key_Escape, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QuestionAnswerer answerer(row.key);
        const bool yes = askQuestion(QStringLiteral("Confirm file overwrite"),
                                     QStringLiteral("File exists! Overwrite ?"), row.defaultButton);
        ASSERT_TRUE(answerer.sawBox);
        EXPECT_EQ(yes, row.yes);
        EXPECT_EQ(answerer.caption, QStringLiteral("Confirm file overwrite"));
        EXPECT_EQ(answerer.text, QStringLiteral("File exists! Overwrite ?"));
        EXPECT_EQ(answerer.yesIsDefault, row.defaultButton == QuestionButton::Yes);
        EXPECT_EQ(answerer.noIsDefault, row.defaultButton == QuestionButton::No);
        EXPECT_TRUE(answerer.noIsEscape);
    }
}

// Ends the test program with a message when it outlives its limit: a dialog that stalls the GUI
// thread would otherwise hang the suite.
class Watchdog
{
public:
    Watchdog(std::chrono::seconds limit, std::string what)
        : what(std::move(what))
        , thread([this, limit] {
            std::unique_lock<std::mutex> lock(mutex);
            if (!woken.wait_for(lock, limit, [this] { return done; })) {
                std::fprintf(stderr, "Watchdog: %s took longer than %lld s\n", this->what.c_str(),
                             static_cast<long long>(limit.count()));
                std::_Exit(EXIT_FAILURE);
            }
        })
    {}
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
        }
        woken.notify_all();
        thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::string what;
    std::mutex mutex;
    std::condition_variable woken;
    bool done = false;
    std::thread thread; // last: it reads the members above
};

// Lists `folder` in the dialog's model and reads the name, size, type and icon of every entry, as
// the detail view and the name completer do; false when the listing did not arrive in time.
bool readWholeListing(QFileSystemModel& model, const QString& folder)
{
    const bool listed = QTest::qWaitFor(
        [&] {
            const QModelIndex root = model.index(folder);
            return root.isValid() && model.rowCount(root) > 2;
        },
        10000);
    // The entries' details arrive in batches after the listing.
    QTest::qWait(500);
    const QModelIndex root = model.index(folder);
    for (int row = 0; row < model.rowCount(root); ++row) {
        for (int column = 0; column < model.columnCount(root); ++column)
            model.data(model.index(row, column, root));
        model.data(model.index(row, 0, root), Qt::DecorationRole);
    }
    return listed;
}

// /proc holds kmsg, which never ends a read, and /dev devices and FIFOs: the dialog types entries
// by name, so listing them, also when the user types the folder into the name field, returns.
TEST(FileDialog, ListsProcAndDevWithoutReadingTheirFiles)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    struct Row
    {
        const char* name;
        bool forSaving;
        QString startFolder;
        const char* typed; // into the name field, or null
        QString listed;
    } rows[] = {
        {"open at /proc", false, "/proc", nullptr, "/proc"},
        {"open at /dev", false, "/dev", nullptr, "/dev"},
        {"save at /proc", true, "/proc", nullptr, "/proc"},
        {"/proc/ typed", false, home.path(), "/proc/", "/proc"},
        {"/dev/ typed", true, home.path(), "/dev/", "/dev"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Watchdog watchdog(std::chrono::seconds(60),
                                std::string("the file dialog, ") + row.name);
        FileDialogRequest request;
        request.caption = QStringLiteral("Choose a file");
        request.folder = row.startFolder;
        request.filters = QStringLiteral("Images (*.bmp *.png *.xpm *.jpg *.jpeg *.pgm *.gif)");
        const std::unique_ptr<QFileDialog> dialog = newFileDialog(request, row.forSaving);
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        dialog->setViewMode(QFileDialog::Detail);
        dialog->show();
        if (row.typed) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            QTest::keyClicks(name, QString::fromLatin1(row.typed));
        }
        EXPECT_TRUE(readWholeListing(*model, row.listed));
        dialog->reject();
    }
}

} // namespace
