#include "controls/DriveControl.h"

#include "DevicePixels.h"
#include "controls/DriveListPainting.h"
#include "controls/VantoVerticalScroll.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace padrix {
namespace {

const DriveControl::DriveLister noDrives = [] { return std::vector<Drive>{}; };
const std::function<QString()> noProfile = [] { return QString(); };

/// Every test works in a folder tree of its own and leaves the current folder as it was.
class DriveControlTest : public ::testing::Test {
protected:
    void TearDown() override { QDir::setCurrent(m_saved); }

    /// The tree's path for a relative one; the tree itself for "".
    QString path(const QString& relative = QString()) const {
        const QString root = QFileInfo(m_tree.path()).canonicalFilePath();
        return relative.isEmpty() ? root : root + QLatin1Char('/') + relative;
    }
    void makeFolders(const QStringList& names) const {
        for (const QString& name : names)
            ASSERT_TRUE(QDir().mkpath(path(name)));
    }
    void makeFiles(const QStringList& names) const {
        for (const QString& name : names) {
            QFile file(path(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    /// A control shown at the given size, with its drives and profile, listing the tree.
    std::unique_ptr<DriveControl> control(DriveControl::DriveLister drives = noDrives,
                                          std::function<QString()> profile = noProfile,
                                          QSize size = QSize(300, 400)) const {
        auto c = std::make_unique<DriveControl>(nullptr, std::move(drives), std::move(profile));
        c->resize(size);
        c->show();
        c->GetDir(path());
        return c;
    }

    static QStringList listed(const DriveControl& c) {
        QStringList lines;
        for (const DriveControl::Entry& e : c.entries())
            lines << QStringLiteral("%1 %2").arg(e.text).arg(e.kind);
        return lines;
    }

    /// A point inside the band of a row on the screen.
    static QPoint rowPoint(const DriveControl& c, int row) {
        return QPoint(60, row * c.rowHeight() + c.rowHeight() / 2);
    }

    QString m_saved = QDir::currentPath();
    QTemporaryDir m_tree;
};

/// The pixels of a row's text band.
QList<QRgb> bandPixels(const DriveControl& c, int row) {
    const QImage surface = c.surface();
    QList<QRgb> pixels;
    for (int y = row * c.rowHeight(); y < (row + 1) * c.rowHeight(); ++y)
        for (int x = 33; x < c.width() - 60; ++x)
            pixels << (surface.pixel(x, y) | 0xFF000000);
    return pixels;
}

bool bandHas(const DriveControl& c, int row, QRgb color) {
    return bandPixels(c, row).contains(color);
}

/// The text colour of a row on the grey background: the pixel that differs most from it (the
/// edges of the letters are blended).
QColor inkOf(const DriveControl& c, int row) {
    QRgb ink = qRgb(0xE0, 0xE0, 0xE0);
    const auto contrast = [](QRgb p) {
        return std::abs(qRed(p) - 0xE0) + std::abs(qGreen(p) - 0xE0) + std::abs(qBlue(p) - 0xE0);
    };
    for (QRgb p : bandPixels(c, row))
        if (contrast(p) > contrast(ink))
            ink = p;
    return QColor(ink);
}

/// Whether two colours are alike, channel by channel.
bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 32 && std::abs(a.green() - b.green()) < 32 &&
           std::abs(a.blue() - b.blue()) < 32;
}

TEST_F(DriveControlTest, ListsFoldersFirstThenTheFilesThatPassTheFilter) {
    makeFolders({"Zeta", "alpha", ".git"});
    makeFiles({"d.txt", "c.CLC", "b.clc", "a.Clc", ".hidden.clc", "Zeta/inside.clc"});
    const QStringList folders = {".. 1", ".git 1", "alpha 1", "Zeta 1"};
    const struct {
        const char* filter;
        QStringList files;
    } rows[] = {
        {".Clc", {".hidden.clc 2", "a.Clc 2", "b.clc 2", "c.CLC 2"}},
        {".*", {".hidden.clc 2", "a.Clc 2", "b.clc 2", "c.CLC 2", "d.txt 2"}},
        {"", {".hidden.clc 2", "a.Clc 2", "b.clc 2", "c.CLC 2", "d.txt 2"}},
        {"TXT", {"d.txt 2"}},
        {".pdf", {}},
    };
    auto c = control();
    EXPECT_EQ(QDir::currentPath(), path());
    for (const auto& r : rows) {
        SCOPED_TRACE(r.filter);
        EXPECT_EQ(c->FileExtention(r.filter), "");
        EXPECT_EQ(listed(*c), folders + r.files);
        EXPECT_EQ(c->selectedIndex(), -1);
    }
}

TEST_F(DriveControlTest, RowsShowTheirKindsColourAndTheSelectionInBold) {
    makeFolders({"sub"});
    makeFiles({"plain.txt", "locked.txt"});
    ASSERT_TRUE(QFile::setPermissions(path("locked.txt"), QFile::ReadOwner | QFile::ReadUser));
    auto c = control([] { return std::vector<Drive>{{"/", 3, "System"}}; });
    const struct {
        const char* line;
        QRgb color;
    } rows[] = {{"/ <System> 13", qRgb(0, 0x80, 0)},
                {".. 1", qRgb(0xFF, 0, 0)},
                {"sub 1", qRgb(0xFF, 0, 0)},
                {"locked.txt 3", qRgb(0x80, 0x80, 0x80)},
                {"plain.txt 2", qRgb(0, 0, 0)}};
    ASSERT_EQ(listed(*c).size(), std::size(rows));
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        EXPECT_EQ(listed(*c)[i], rows[i].line);
        EXPECT_TRUE(near(inkOf(*c, i), QColor(rows[i].color)))
            << rows[i].line << " " << inkOf(*c, i).name().toStdString();
    }
    EXPECT_EQ(c->surface().pixel(c->width() / 2, c->height() - 2) | 0xFF000000,
              qRgb(0xE0, 0xE0, 0xE0));

    const auto inked = [&](int row) {
        return bandPixels(*c, row).size() - bandPixels(*c, row).count(qRgb(0xE0, 0xE0, 0xE0));
    };
    const int regular = inked(4);
    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 4));
    EXPECT_EQ(c->selectedIndex(), 4);
    EXPECT_GT(inked(4), regular);
}

TEST_F(DriveControlTest, ClickingFoldersAndTheParentLists) {
    makeFolders({"sub/inner"});
    auto c = control();
    int ups = 0;
    QObject::connect(c.get(), &DriveControl::MouseUp,
                     [&](short&, short&, float&, float&) { ++ups; });
    c->GetDir(path("sub"));
    ASSERT_EQ(listed(*c), QStringList({".. 1", "inner 1"}));

    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 1));
    EXPECT_EQ(QDir::currentPath(), path("sub/inner"));
    EXPECT_EQ(c->SelectPath(), path("sub/inner"));
    EXPECT_EQ(c->DrivePathFile(), path("sub/inner"));
    EXPECT_EQ(listed(*c), QStringList({".. 1"}));

    for (const QString& parent : {path("sub"), path()}) {
        QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 0));
        EXPECT_EQ(QDir::currentPath(), parent);
        EXPECT_EQ(c->DrivePathFile(), parent);
        EXPECT_EQ(c->SelectPath(), parent);
    }
    EXPECT_EQ(ups, 3);
}

TEST_F(DriveControlTest, ClickingAFilePicksItAndEmptyRowsDoNothing) {
    makeFiles({"a.Clc", "b.Clc"});
    auto c = control();
    QStringList events;
    QObject::connect(c.get(), &DriveControl::DblClick, [&] { events << "DblClick"; });
    QObject::connect(c.get(), &DriveControl::MouseUp, [&](short& b, short&, float&, float& y) {
        events << QStringLiteral("up %1 %2").arg(b).arg(y);
    });

    const QPoint onB = rowPoint(*c, 2);
    QTest::mouseClick(c.get(), Qt::LeftButton, {}, onB);
    EXPECT_EQ(c->FileName(), "b.Clc");
    EXPECT_EQ(c->DrivePathFile(), path("b.Clc"));
    EXPECT_EQ(c->selectedIndex(), 2);
    EXPECT_EQ(QDir::currentPath(), path());
    EXPECT_EQ(events, QStringList({QStringLiteral("up 1 %1").arg(onB.y())}));

    // Below the last row: nothing at all. On the border between two rows: only MouseUp.
    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 5));
    EXPECT_EQ(events.size(), 1);
    QTest::mouseClick(c.get(), Qt::LeftButton, {}, QPoint(60, c->rowHeight()));
    EXPECT_EQ(events.size(), 2);
    EXPECT_EQ(c->FileName(), "b.Clc");
    EXPECT_EQ(c->selectedIndex(), 2);

    // The second press of a double click and its release raise DblClick only.
    events.clear();
    const QPointF onA = rowPoint(*c, 1);
    for (QEvent::Type type : {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, onA, c->mapToGlobal(onA), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(c.get(), &event);
    }
    EXPECT_EQ(events, QStringList({"DblClick"}));
    EXPECT_EQ(c->FileName(), "b.Clc");
}

TEST_F(DriveControlTest, DrivesAndTheProfileComeFirstAndListTheirFolders) {
    makeFolders({"home/anna", "share"});
    const QString share = path("share");
    auto c = control(
        [share] {
            return std::vector<Drive>{{"/", 3, "System"},      {"/media/usb", 2, "STICK"},
                                      {"/mnt/gone", 0, "X"},   {"a:\\", 2, std::nullopt},
                                      {"/media/cd", 5, ""},    {"/tmp/ram", 6, std::nullopt},
                                      {share, 4, std::nullopt}};
        },
        [this] { return path("home/anna"); });
    EXPECT_EQ(listed(*c).mid(0, 8),
              QStringList({"/ <System> 13", "/media/usb <STICK> 12", "A:\\ 100", "/media/cd <> 15",
                           "/tmp/ram 16", share + " 14", "anna 110", ".. 1"}));

    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 6));
    EXPECT_EQ(QDir::currentPath(), path("home/anna"));
    EXPECT_EQ(c->DrivePathFile(), "anna");
    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 5));
    EXPECT_EQ(QDir::currentPath(), share);
    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 0));
    EXPECT_EQ(QDir::currentPath(), "/");
    EXPECT_EQ(c->DrivePathFile(), "/ <System>");
    EXPECT_EQ(listed(*c)[6], "anna 110");
    EXPECT_FALSE(listed(*c).contains(".. 1")); // the root has no parent
}

TEST_F(DriveControlTest, KeysScrollWithoutMovingTheSelection) {
    QStringList names;
    for (int i = 0; i < 40; ++i)
        names << QStringLiteral("f%1.txt").arg(i, 2, 10, QLatin1Char('0'));
    makeFiles(names);
    auto c = control(noDrives, noProfile, QSize(300, 200));
    auto* bar = c->findChild<VantoVerticalScroll*>("sFiles");
    ASSERT_NE(bar, nullptr);
    const int drawn = (200 + c->rowHeight() - 1) / c->rowHeight();
    const int page = drawn - 1;
    EXPECT_EQ(c->pageRows(), page);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry(), QRect(300 - bar->width(), 0, bar->width(), 200));
    EXPECT_EQ(bar->ValueMax(), 40 - page);
    EXPECT_EQ(bar->ValueLargeChange(), page);

    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 1));
    ASSERT_EQ(c->selectedIndex(), 1);
    QStringList keys;
    QObject::connect(c.get(), &DriveControl::KeyDown,
                     [&](short& k, short&) { keys << QString::number(k); });
    QObject::connect(c.get(), &DriveControl::KeyPress,
                     [&](short& a) { keys << QStringLiteral("press %1").arg(a); });
    const struct {
        QWidget* target;
        Qt::Key key;
        int value;
    } steps[] = {{c.get(), Qt::Key_PageDown, page}, {c.get(), Qt::Key_Down, page + 1},
                 {bar, Qt::Key_Down, page + 2},     {c.get(), Qt::Key_Up, page + 1},
                 {c.get(), Qt::Key_A, page + 1},    {bar, Qt::Key_PageUp, 1},
                 {c.get(), Qt::Key_PageUp, 0},      {c.get(), Qt::Key_Up, 0}};
    for (const auto& s : steps) {
        QTest::keyClick(s.target, s.key);
        EXPECT_EQ(bar->Value(), s.value) << s.key;
        EXPECT_EQ(c->selectedIndex(), 1);
    }
    EXPECT_EQ(keys, QStringList({"34", "40", "38", "65", "press 97", "33", "38"}));
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(c.get(), Qt::Key_PageDown);
    EXPECT_EQ(bar->Value(), 40 - page);

    // The top row now shows the entry at the bar's value: a click there picks it.
    QTest::mouseClick(c.get(), Qt::LeftButton, {}, rowPoint(*c, 0));
    EXPECT_EQ(c->selectedIndex(), 40 - page);
    EXPECT_EQ(c->FileName(), c->entries()[40 - page].text);

    // A short list still scrolls by a whole page.
    c->resize(300, 120);
    c->FileExtention("f0");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_GT(c->pageRows(), c->entries().size() - 1 - c->pageRows());
    EXPECT_EQ(bar->ValueMax(), c->pageRows());

    // A list that fits: no bar, and the keys scroll nothing.
    c->FileExtention("f00");
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(c->pageRows(), 2);
    QTest::keyClick(c.get(), Qt::Key_PageDown);
    EXPECT_EQ(bar->Value(), 0);
}

TEST_F(DriveControlTest, TheBandUnderThePointerIsLit) {
    makeFiles({"a.txt", "b.txt", "c.txt"});
    auto c = control();
    int moves = 0;
    int downs = 0;
    QObject::connect(c.get(), &DriveControl::MouseMove,
                     [&](short&, short&, float&, float&) { ++moves; });
    QObject::connect(c.get(), &DriveControl::MouseDown,
                     [&](short&, short&, float&, float&) { ++downs; });
    const int h = c->rowHeight();
    const QRgb lit = qRgb(0xED, 0xED, 0xFF);
    const QRgb white = qRgb(0xFF, 0xFF, 0xFF);
    const struct {
        QPoint at;
        int litRow;
    } rows[] = {
        {QPoint(60, h + h / 2), 1},        {QPoint(34, 2 * h + 2), 2}, // 500 twips in
        {QPoint(32, h + h / 2), -1},       {QPoint(300 - 54, h / 2 + 3), 0},
        {QPoint(300 - 53, h / 2 + 3), -1}, {QPoint(60, 6), -1},         // 100 twips from the top
        {QPoint(60, 2 * h), -1},           {QPoint(60, 5 * h + 2), -1}, // a border, an empty row
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.at.x() << "," << r.at.y());
        QTest::mouseMove(c.get(), r.at);
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(bandHas(*c, row, lit), row == r.litRow) << row;
            EXPECT_EQ(bandHas(*c, row, white), row != r.litRow) << row;
        }
    }
    QTest::mousePress(c.get(), Qt::LeftButton, {}, QPoint(60, h / 2));
    EXPECT_TRUE(bandHas(*c, 0, lit));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(moves, static_cast<int>(std::size(rows)));
    QTest::mouseRelease(c.get(), Qt::LeftButton, {}, QPoint(60, h / 2));
}

TEST_F(DriveControlTest, IsAnAccessibleListOfItsEntriesWithTheirKinds) {
    makeFolders({"Invoices"});
    makeFiles({"week.Clc"});
    auto c = control([] { return std::vector<Drive>{{"/", 3, QStringLiteral("disk")}}; });
    c->FileExtention(QStringLiteral(".Clc"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(c.get());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::List);
    ASSERT_EQ(face->childCount(), c->entries().size());
    QStringList items;
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* item = face->child(i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item, face->child(i)) << "the same item every time";
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(face->indexOfChild(item), i);
        items << item->text(QAccessible::Name) + " " + item->text(QAccessible::Description);
    }
    EXPECT_EQ(items,
              QStringList({"/ <disk> drive", ".. folder", "Invoices folder", "week.Clc file"}));
    EXPECT_EQ(face->child(face->childCount()), nullptr);
}

TEST(DriveControl, SavesItsFontNameAndDrawsItsOwnIcons) {
    DriveControl c(nullptr, noDrives, noProfile);
    EXPECT_EQ(c.classIdentifier(), "PadrixCalculator.DriveControl");
    PropertyBag bag;
    c.WriteProperties(bag);
    EXPECT_FALSE(bag.contains("FontName"));
    QSignalSpy changed(&c, &DriveControl::PropertyChanged);
    c.setFontName("Courier New");
    EXPECT_EQ(changed.count(), 1);
    c.WriteProperties(bag);
    DriveControl loaded(nullptr, noDrives, noProfile);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.FontName(), "Courier New");

    // Seven different pictures, all from the program's resources.
    QList<QImage> icons;
    for (int i = 0; i < 7; ++i) {
        const QImage image = drivelist::icon(i);
        EXPECT_EQ(image.size(), QSize(16, 16)) << i;
        EXPECT_FALSE(icons.contains(image)) << i;
        icons << image;
    }
    EXPECT_TRUE(drivelist::icon(7).isNull());
}

} // namespace
} // namespace padrix
