#include "mainwindow/WindowTest.h"

#include "controls/DriveControl.h"
#include "core/CalcFile.h"
#include "dialogs/LoadSave.h"

#include <QFileInfo>
#include <QMessageBox>

namespace padrix {
namespace {

/// Files opened and saved through the menus, with the dialog answered as a user would.
class CalculationFiles : public WindowTest {
protected:
    QString previousFolder = QDir::currentPath();
    QStringList messages;

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

TEST_F(CalculationFiles, SaveClearAndOpenRestoreTheTape) {
    QString lines = "+-12.5\r\nxSin(30)\r\n-10%\r\n+Svol(2)\r\n/4\r\n";
    for (int i = 0; i < 10500; ++i)
        lines += "+" + QString::number(i % 97) + "." + QString::number(i % 7) + "\r\n";
    openWithTape(lines);
    const Tape before = state().tape;
    const QString totalBefore = total();
    ASSERT_EQ(before.lineCount(), 10505);

    // A name typed with ".txt" is saved with ".Clc" in the folder the browser shows.
    QDir(dir.path()).mkdir("saved");
    answerWith(dir.filePath("saved"), "week.txt");
    menu("LD_1");
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("saved/week.Clc")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("saved/week.txt")));
    EXPECT_EQ(window->findChild<LoadSave*>()->Command1[1]->Caption(), "Save");

    menu("Clear_Total");
    EXPECT_EQ(total(), "");
    answerWith(dir.filePath("saved"), "week.Clc");
    menu("LD_0");
    EXPECT_EQ(window->findChild<LoadSave*>()->Command1[1]->Caption(), "Open");
    EXPECT_EQ(state().tape, before);
    EXPECT_EQ(total(), totalBefore);
    EXPECT_EQ(row(1)->text(), "Sin(30)");
    EXPECT_EQ(scroll()->ValueMax(), 10505 - 14);
    EXPECT_TRUE(messages.isEmpty());
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

    // A damaged file: the read message, the tape as it was.
    messages.clear();
    writeFile("damaged.Clc", "Padrix Calculator 6\r\n+12\r\n+twelve\r\n");
    answerWith(dir.path(), "damaged.Clc");
    menu("LD_0");
    EXPECT_EQ(messages, QStringList{"Cannot read calculation file..."});
    EXPECT_EQ(state().tape, before);
    EXPECT_EQ(total(), "15");

    // Cancel and the close box leave everything as it was.
    messages.clear();
    answerWith(dir.path(), "");
    menu("LD_0");
    answerWith(dir.path(), "locked.Clc", true);
    menu("LD_0");
    EXPECT_EQ(state().tape, before);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(state().CalcFilePath, "");
}

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
    for (const auto& c : cases) {
        messages.clear();
        if (c.contents != nullptr)
            writeFile(c.name, c.contents);
        context.commandLine = "\"" + dir.filePath(c.name) + "\"";
        open();
        // A message comes after the window shows; none may come later either.
        const bool arrived =
            QTest::qWaitFor([&] { return messages.size() >= c.messages.size(); }, 2000);
        QTest::qWait(100);
        EXPECT_TRUE(arrived) << c.name;
        EXPECT_EQ(messages, c.messages) << c.name;
        EXPECT_EQ(total(), c.total) << c.name;
        menu("Clear_Total");
        type("4+4"); // a usable tape in every case
        EXPECT_EQ(total(), "8") << c.name;
        window->close();
    }
}

TEST_F(CalculationFiles, AWindowShownWithoutActivationLoadsItsFileToo) {
    context.commandLine = writeFile("start.Clc", "Padrix Calculator 6\r\n+40\r\n+2\r\n");
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
