#include "controls/DriveControl.h"

#include "controls/VantoVerticalScroll.h"
#include "platform/KeyCodes.h"
#include "platform/MouseArgs.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

namespace padrix {

namespace {

const QString DefaultFontName = QStringLiteral("Arial");
constexpr double DefaultFontSize = 10; // points: rows as high as the icons

} // namespace

DriveControl::DriveControl(QWidget* parent, DriveLister drives, std::function<QString()> profile)
    : OwnerDrawnControl(parent), m_drives(std::move(drives)), m_profile(std::move(profile)),
      m_files(new VantoVerticalScroll(this)), m_font(DefaultFontName) {
    m_files->setObjectName(QStringLiteral("sFiles"));
    m_files->hide();
    m_font.setPointSizeF(DefaultFontSize);
    connect(m_files, &VantoVerticalScroll::Change, this, &DriveControl::sFiles_Change);
    connect(m_files, &VantoVerticalScroll::KeyDown, this, &DriveControl::sFiles_KeyDown);
    resize(240, 200);
    fullRedraw();
}

void DriveControl::GetDir(const QString& PathDir) {
    if (!PathDir.isEmpty())
        QDir::setCurrent(PathDir); // a folder that cannot be entered leaves the current one
    m_folder = QDir::currentPath();
    const std::vector<Drive> drives = m_drives ? m_drives() : std::vector<Drive>();
    const QString profile = m_profile ? m_profile() : QString();
    m_listing = drivelist::listFolder(drives, profile, m_folder, m_filter);
    m_selected = -1;
    fullRedraw();
}

QString DriveControl::FileExtention(const QString& Pattern) {
    m_filter = Pattern;
    GetDir();
    return QString();
}

void DriveControl::setFontName(const QString& New_FontName) {
    m_font.setFamily(New_FontName);
    fullRedraw();
    emit PropertyChanged(QStringLiteral("FontName"));
}

void DriveControl::Refresh() {
    fullRedraw();
}

void DriveControl::ReadProperties(const PropertyBag& bag) {
    m_font.setFamily(bag.ReadProperty(QStringLiteral("FontName"), DefaultFontName).toString());
    readEnabled(bag);
    fullRedraw();
}

void DriveControl::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("FontName"), m_font.family(), DefaultFontName);
    writeEnabled(bag);
}

void DriveControl::updateGeometryAndFont() {
    const int dpi = logicalDpiX();
    m_geometry.width = width();
    m_geometry.height = height();
    m_geometry.twipsPerPixel = dpi > 0 ? 1440.0 / dpi : 15.0;
    m_geometry.rowHeight = drivelist::rowHeightFor(m_font);
}

drivelist::DriveListLook DriveControl::look() const {
    return {m_geometry, m_font, m_selected, devicePixelRatio()};
}

void DriveControl::fullRedraw() {
    updateGeometryAndFont();
    m_files->setGeometry(width() - m_files->width(), 0, m_files->width(), height());
    drawFrom(0);
    const drivelist::ScrollSetup setup =
        drivelist::scrollAfterFullRedraw(static_cast<int>(m_listing.entries.size()), m_shown);
    m_pageRows = setup.pageRows;
    // Setting the bar raises its Change; the rows are drawn already.
    m_redrawing = true;
    m_files->setValueLargeChange(setup.pageRows);
    m_files->setValueMax(setup.valueMax);
    m_files->setValue(0);
    m_files->setVisible(setup.barShown);
    m_redrawing = false;
}

void DriveControl::drawFrom(int first) {
    m_first = first;
    m_shown = drivelist::drawRows(m_image, m_listing.entries, first, look());
    showSurface(m_image);
}

void DriveControl::devicePixelRatioChange() {
    drawFrom(m_first); // the rows at the new ratio; the next move lights a band again
}

void DriveControl::sFiles_Change() {
    if (!m_redrawing)
        drawFrom(m_files->Value());
}

void DriveControl::sFiles_KeyDown(short& KeyCode, short&) {
    scrollByKey(KeyCode);
}

void DriveControl::scrollByKey(short keyCode) {
    int step = 0;
    if (keyCode == KeyCode::PageUp)
        step = -m_pageRows;
    else if (keyCode == KeyCode::PageDown)
        step = m_pageRows;
    else if (keyCode == KeyCode::Up)
        step = -1;
    else if (keyCode == KeyCode::Down)
        step = 1;
    else
        return;
    m_files->setValue(m_files->Value() + step); // clamps, and its Change draws from there
}

void DriveControl::lightRowAt(QPointF position) {
    int hoverRow = -1;
    if (m_geometry.insideRowArea(position.x(), position.y())) {
        if (const auto row = m_geometry.rowAt(position.y()); row && *row < m_shown)
            hoverRow = *row;
    }
    drivelist::drawBands(m_image, m_listing.entries, m_first, m_shown, hoverRow, look());
    showSurface(m_image);
}

void DriveControl::open(int index) {
    const Entry entry = m_listing.entries[index];
    const QString place = m_listing.places[index];
    m_selected = index;
    m_drivePathFile = entry.text;
    if (entry.kind == drivelist::Folder) {
        const QString path = joinPath(m_folder, entry.text);
        m_drivePathFile = entry.text == QLatin1String("..")
                              ? QDir::toNativeSeparators(QDir::cleanPath(path))
                              : path;
        m_selectPath = m_drivePathFile;
        GetDir(m_drivePathFile);
    } else if (entry.kind == drivelist::File || entry.kind == drivelist::ReadOnlyFile) {
        m_fileName = entry.text;
        m_drivePathFile = joinPath(m_folder, entry.text);
        drawFrom(m_files->Value()); // the pick shows in bold where the list stands
    } else {
        GetDir(place); // a drive's root or the profile folder
    }
}

void DriveControl::resizeEvent(QResizeEvent*) {
    fullRedraw();
}

void DriveControl::mousePressEvent(QMouseEvent* event) {
    lightRowAt(event->position());
    MouseArgs a(*event, event->button());
    emit MouseDown(a.Button, a.Shift, a.X, a.Y);
}

void DriveControl::mouseMoveEvent(QMouseEvent* event) {
    lightRowAt(event->position());
    MouseArgs a(*event, event->buttons());
    emit MouseMove(a.Button, a.Shift, a.X, a.Y);
}

void DriveControl::mouseReleaseEvent(QMouseEvent* event) {
    if (m_afterDoubleClick) {
        m_afterDoubleClick = false;
        return;
    }
    MouseArgs a(*event, event->button());
    if (const auto row = m_geometry.rowAt(event->position().y())) {
        const int index = *row + m_files->Value();
        if (index >= m_listing.entries.size())
            return;
        open(index);
    }
    emit MouseUp(a.Button, a.Shift, a.X, a.Y);
}

void DriveControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_afterDoubleClick = true;
    emit DblClick();
}

void DriveControl::keyPressEvent(QKeyEvent* event) {
    KeyArgs a(*event);
    scrollByKey(a.KeyCode);
    emit KeyDown(a.KeyCode, a.Shift);
    short ascii = keyAsciiOf(*event);
    if (ascii != 0)
        emit KeyPress(ascii);
}

void DriveControl::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    KeyArgs a(*event);
    emit KeyUp(a.KeyCode, a.Shift);
}

} // namespace padrix
