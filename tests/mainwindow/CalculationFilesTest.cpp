#include "mainwindow/WindowTest.h"

#include "controls/DriveControl.h"
#include "core/CalcFile.h"
#include "core/CalcFileReading.h"
#include "dialogs/LoadSave.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace padrix {
namespace {

/// Files opened and saved through the menus, with the dialog answered as a user would.
class CalculationFiles : public WindowTest {
protected:
    QString previousFolder = QDir::currentPath();
    QStringList messages;
    QStringList details; // the informative text of each message

    void TearDown() override {
        WindowTest::TearDown();
        QDir::setCurrent(previousFolder);
    }

    /// Answers the open/save dialog with a name typed in `folder`, or cancels it (empty name),
    /// and takes note of every message.
    void answerWith(const QString& folder, const QString& name, bool closeBox = false) {
        answerDialog = [=, this](QWidget* dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                messages << box->text();
                details << box->informativeText();
                box->accept();
                return true;
            }
            auto* files = qobject_cast<LoadSave*>(dialog);
            if (files == nullptr)
                return false;
            files->DriveList->GetDir(folder);
            files->txtSearchSpec->clear();
            QTest::keyClicks(files->txtSearchSpec, name);
            if (closeBox)
                files->close();
            else
                QTest::mouseClick(files->Command1[name.isEmpty() ? 2 : 1], Qt::LeftButton);
            return true;
        };
    }
};

// The dialog stands centred over the calculator, its title names the folder it shows, and
// Escape cancels it from the list too; a file that cannot be read names its path once.
TEST_F(CalculationFiles, TheDialogStandsWhereTheUserLooks) {
    open();
    QDir(dir.path()).mkdir("tapes");
    QStringList titles;
    answerDialog = [&](QWidget* dialog) {
        auto* files = qobject_cast<LoadSave*>(dialog);
        if (files == nullptr)
            return false;
        files->DriveList->GetDir(dir.filePath("tapes"));
        QTest::mouseClick(files->DriveList, Qt::LeftButton, {}, QPoint(5, 5)); // ".."
        titles << files->windowTitle();
        EXPECT_LE(
            (files->frameGeometry().center() - window->frameGeometry().center()).manhattanLength(),
            4); // centres of odd sizes round apart by a pixel
        files->DriveList->setFocus();
        QTest::keyClick(files->DriveList, Qt::Key_Escape);
        return true;
    };
    menu("LD_0");
    ASSERT_EQ(titles.size(), 1);
    EXPECT_TRUE(titles[0].startsWith("Open Calculation \u2013 ")) << titles[0].toStdString();
    EXPECT_TRUE(titles[0].endsWith(QDir::toNativeSeparators(QDir::currentPath())))
        << titles[0].toStdString();
    EXPECT_FALSE(window->findChild<LoadSave*>()->isVisible()) << "Escape cancels from the list";

    const QString damaged = writeFile("damaged.Clc", "Padrix Calculator 6\r\n+twelve\r\n");
    answerWith(dir.path(), "damaged.Clc");
    menu("LD_0");
    ASSERT_EQ(details.size(), 1);
    EXPECT_EQ(details[0].count(damaged), 1) << details[0].toStdString();
}

TEST_F(CalculationFiles, FailuresNeverLoseTheTape) {
    openWithTape("+7\r\n+8\r\n");
    const Tape before = state().tape;

    // A read-only target: one message, the old file as it was.
    const QString locked = writeFile("locked.Clc", "Padrix Calculator 6\r\n+1\r\n");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadUser);
    answerWith(dir.path(), "locked.Clc");
    menu("LD_1");
    EXPECT_EQ(messages, QStringList{"Cannot write to read only file or drive..."});
    QFile check(locked);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "Padrix Calculator 6\r\n+1\r\n");

    // A damaged file, a header alone, a file without its header: the read message with the
    // reason, the tape as it was.
    for (const char* text : {"Padrix Calculator 6\r\n+12\r\n+twelve\r\n", "Padrix Calculator 6\r\n",
                             "+12\r\n+13\r\n"}) {
        messages.clear();
        details.clear();
        writeFile("damaged.Clc", text);
        answerWith(dir.path(), "damaged.Clc");
        menu("LD_0");
        EXPECT_EQ(messages, QStringList{"Cannot read calculation file..."}) << text;
        EXPECT_TRUE(details.value(0).contains(QRegularExpression("line 3|no line|header line")))
            << details.value(0).toStdString();
        EXPECT_EQ(state().tape, before) << text;
        EXPECT_EQ(total(), "15") << text;
    }

    // Cancel and the close box leave everything as it was.
    messages.clear();
    answerWith(dir.path(), "");
    menu("LD_0");
    answerWith(dir.path(), "locked.Clc", true);
    menu("LD_0");
    EXPECT_EQ(state().tape, before);
    EXPECT_TRUE(messages.isEmpty());
}

// A file opened and saved unchanged is the same file, byte for byte, however many lines it
// has against the visible rows.
TEST_F(CalculationFiles, OpenedAndSavedAFileStaysTheSame) {
    for (const int lines : {1, 2, 14, 20}) {
        QByteArray bytes = "Padrix Calculator 6\r\n";
        for (int i = 0; i < lines; ++i)
            bytes += QByteArray(i % 3 == 0 ? "-" : "+") + QByteArray::number(i + 1) + ".5\r\n";
        context.arguments = {writeFile("original.Clc", bytes)};
        open();
        answerWith(dir.path(), "copy.Clc");
        menu("LD_1");
        QFile copy(dir.filePath("copy.Clc"));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), bytes) << lines << " lines";
        window->close();
    }
    EXPECT_TRUE(messages.isEmpty());
}

#ifdef __linux__
// A save past the file size limit fails as a write error: the program lives, says why, and
// the previous file is whole.
TEST_F(CalculationFiles, ASavePastTheSizeLimitSaysSo) {
    QString lines;
    for (int i = 0; i < 2000; ++i)
        lines += "+" + QString::number(i) + "\r\n";
    openWithTape(lines);
    const QString old = writeFile("old.Clc", "Padrix Calculator 6\r\n+1\r\n");
    answerWith(dir.path(), "old.Clc");
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    menu("LD_1");
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_EQ(messages, QStringList{"Cannot save calculation file..."});
    EXPECT_EQ(details, QStringList{"cannot write to " + old +
                                   ": the file would pass the size limit of 4096 bytes"});
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Padrix Calculator 6\r\n+1\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.Clc", "tape.Clc"}))
        << "a temporary file was left";
}
#endif

TEST_F(CalculationFiles, TheCommandLineFileLoadsOrSaysWhy) {
    const struct {
        const char* name;
        const char* contents; // nullptr: no such file
        QStringList messages;
        const char* total;
    } cases[] = {
        {"good.Clc", "Padrix Calculator 6\r\n+4\r\nx3\r\n", {}, "12"},
        {"damaged.Clc",
         "Padrix Calculator 6\r\n+12\r\n+twelve\r\n",
         {"Cannot read calculation file..."},
         ""},
        {"missing.Clc", nullptr, {"Cannot read calculation file..."}, ""},
        {"UPPER.CLC", "Padrix Calculator 6\r\n+5\r\n", {}, "5"}, // names come in any case
        {"notes.txt", "Padrix Calculator 6\r\n+6\r\n", {}, ""},  // no calculation file
    };
    answerDialog = [this](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box != nullptr) {
            messages << box->text();
            box->accept();
        }
        return box != nullptr;
    };
    // Each file as the window reads it, then as read already while the window was built: a
    // reading of the file opens alike, and one of another file is left.
    for (const char* reading : {"", "same", "other"})
        for (const auto& c : cases) {
            const std::string trace = c.name + std::string(" ") + reading;
            messages.clear();
            if (c.contents != nullptr)
                writeFile(c.name, c.contents);
            context.arguments = {"\"" + dir.filePath(c.name) + "\""};
            context.fileReading.reset();
            if (reading != std::string(""))
                context.fileReading = std::make_shared<CalcFileReading>(
                    reading == std::string("same")
                        ? fileArgument(context.arguments)
                        : writeFile("other.Clc", "Padrix Calculator 6\n+9\n"),
                    context.locale);
            open();
            // A message comes after the window shows; none may come later either.
            const bool arrived =
                QTest::qWaitFor([&] { return messages.size() >= c.messages.size(); }, 2000);
            QTest::qWait(100);
            EXPECT_TRUE(arrived) << trace;
            EXPECT_EQ(messages, c.messages) << trace;
            EXPECT_EQ(total(), c.total) << trace;
            menu("Clear_Total");
            type("4+4"); // a usable tape in every case
            EXPECT_EQ(total(), "8") << trace;
            window->close();
        }
}

TEST_F(CalculationFiles, AWindowShownWithoutActivationLoadsItsFileToo) {
    context.arguments = {writeFile("start.Clc", "Padrix Calculator 6\r\n+40\r\n+2\r\n")};
    // A desktop that never activates the window: its activations never arrive.
    struct NoActivation : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            return event->type() == QEvent::WindowActivate;
        }
    } noActivation;
    qApp->installEventFilter(&noActivation);
    window = std::make_unique<Diruvuv_Orozezadi>(context);
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([this] { return total() == "42"; }, 2000)) << total().toStdString();
    EXPECT_TRUE(state().Activated);
    qApp->removeEventFilter(&noActivation);
}

} // namespace
} // namespace padrix
