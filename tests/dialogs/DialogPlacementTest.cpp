#include "dialogs/DialogDesign.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace padrix {
namespace {

// A dialog stands centred over the window or beside it, at its right where the screen has
// room, else at its left, and always on the screen.
TEST(DialogPlacement, OverOrBesideTheWindowAndOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setGeometry(screen.left() + 100, screen.top() + 100, 200, 120);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget dialog;
    dialog.resize(150, 80);

    centreOver(&dialog, &window);
    // Centres of odd sizes round apart by a pixel.
    EXPECT_LE((dialog.frameGeometry().center() - window.frameGeometry().center()).manhattanLength(),
              2);
    placeBeside(&dialog, &window);
    EXPECT_EQ(dialog.pos(), window.frameGeometry().topRight() + QPoint(1, 0));

    // No room at the right: the left; none at either side: on the screen all the same.
    window.move(screen.right() - window.frameGeometry().width() - 20, screen.top() + 100);
    placeBeside(&dialog, &window);
    EXPECT_EQ(dialog.x(), window.frameGeometry().left() - dialog.frameGeometry().width());
    window.move(screen.right() - 60, screen.bottom() - 30);
    for (const auto place : {&centreOver, &placeBeside}) {
        place(&dialog, &window);
        EXPECT_TRUE(screen.contains(dialog.frameGeometry())) << dialog.frameGeometry().x();
    }
}

} // namespace
} // namespace padrix
