#include "dialogs/LoadSave.h"
#include "controls/DriveControl.h"
#include "controls/LumoButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace padrix {
namespace {

/// The dialog shown over a folder of its own, the current folder restored afterwards.
class LoadSaveDialog : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString previousFolder = QDir::currentPath();
    LoadSave dialog{15};

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir("Folder.Clc"); // a folder that looks like a calculation
        QFile file(dir.filePath("budget.Clc"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        QDir::setCurrent(dir.path());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    void TearDown() override {
        dialog.hide();
        QDir::setCurrent(previousFolder);
    }
    void clickKey(int index) { QTest::mouseClick(dialog.Command1[index], Qt::LeftButton); }
    /// A double click of the mouse on the list, as the system delivers it: press, release,
    /// press with the double click, release.
    void doubleClick(const QPoint& at) {
        QTest::mouseDClick(dialog.windowHandle(), Qt::LeftButton, {},
                           dialog.DriveList->mapTo(&dialog, at));
    }
};

TEST_F(LoadSaveDialog, ANameIsTypedNotAPath) {
    QLineEdit* name = dialog.txtSearchSpec;
    EXPECT_EQ(QApplication::focusWidget(), name);
    QTest::keyClicks(name, "a?b:c/d\\e*f|g<h>i\"j.txt");
    EXPECT_EQ(name->text(), "abcdefghij.txt");
    EXPECT_EQ(dialog.CalcFilePath(), "abcdefghij.txt"); // the box is the choice while typing

    // Enter goes to the accept key, which gives the name ".Clc" in place of its extension.
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Command1[1]);
    QTest::keyClick(dialog.Command1[1], Qt::Key_Return);
    EXPECT_EQ(dialog.CalcFilePath(), "abcdefghij.Clc");
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(LoadSaveDialog, AnEmptyNameKeepsTheDialogOpenAndCancelChoosesNothing) {
    clickKey(1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.CalcFilePath(), "");

    QTest::keyClicks(dialog.txtSearchSpec, "plan");
    clickKey(2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.CalcFilePath(), "");

    // The box keeps its name for the next time; Escape cancels as well.
    dialog.show();
    EXPECT_EQ(dialog.CalcFilePath(), "plan");
    QTest::keyClick(dialog.txtSearchSpec, Qt::Key_Escape);
    EXPECT_EQ(dialog.CalcFilePath(), "");
    dialog.show();
    dialog.close();
    EXPECT_EQ(dialog.CalcFilePath(), "");
}

TEST_F(LoadSaveDialog, TheBrowserChoosesFilesButNeverFolders) {
    const auto& entries = dialog.DriveList->entries();
    const auto row = [&](const QString& text) {
        for (int i = 0; i < entries.size(); ++i)
            if (entries[i].text == text)
                return QPoint(100, dialog.DriveList->rowHeight() * i +
                                       dialog.DriveList->rowHeight() / 2);
        ADD_FAILURE() << "no entry " << text.toStdString();
        return QPoint();
    };
    // A click on a file puts its name into the box.
    QTest::mouseClick(dialog.DriveList, Qt::LeftButton, {}, row("budget.Clc"));
    EXPECT_EQ(dialog.txtSearchSpec->text(), "budget.Clc");

    // The arrow and page keys go from the box to the list.
    QTest::keyClick(dialog.txtSearchSpec, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), dialog.DriveList);

    // A double click on a folder enters it and does not accept it as the file.
    // (after a file was clicked, whose name must not be taken instead).
    doubleClick(row("Folder.Clc"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QDir(QDir::currentPath()).canonicalPath(),
              QDir(dir.filePath("Folder.Clc")).canonicalPath());

    // A double click on a file accepts it.
    QDir::setCurrent(dir.path());
    dialog.DriveList->GetDir();
    doubleClick(row("budget.Clc"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.CalcFilePath(), "budget.Clc");
}

} // namespace
} // namespace padrix
