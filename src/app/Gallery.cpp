// Draws the program's own controls in all their looks into one PNG, so that anyone can see
// them without starting the calculator: padrix-gallery [OUTPUT.png]
#include "controls/LumoFace.h"
#include "controls/PixelDrawing.h"
#include "controls/ScrollPainting.h"

#include <QApplication>
#include <QPainter>
#include <QTextStream>

using namespace padrix;

namespace {

QImage withSeeThrough(const QImage& face, QRgb behind) {
    QImage image = face.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000) == (rgbOf(MaskColor) | 0xFF000000))
                image.setPixel(x, y, behind);
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery.png");
    const QRgb paper = qRgb(240, 240, 240);

    struct Sample {
        const char* caption;
        int renderColor;
        int border;
    };
    const Sample samples[] = {{"7", 0xC0C0C0, 0}, {"Sin", 99, 1},      {"M+", 213234, 2},
                              {"Svol", 9999, 3},  {"Pi", 13421721, 3}, {"=", 0, 4}};

    QImage sheet(3 * 170 + 20 + 6 * 40, 40 + 6 * 50, QImage::Format_RGB32);
    sheet.fill(paper);
    QPainter painter(&sheet);
    painter.setPen(Qt::black);
    painter.drawText(10, 20, QStringLiteral("LumoButton: resting, highlighted, pressed"));
    for (int row = 0; row < 6; ++row) {
        LumoFaceState state;
        state.width = 154;
        state.height = 36;
        state.renderColor = samples[row].renderColor;
        state.border = samples[row].border;
        state.caption = QString::fromLatin1(samples[row].caption);
        state.font = QFont(QStringLiteral("Arial"));
        state.font.setBold(true);
        state.font.setPointSizeF(12);
        const LumoFaces faces = renderLumoFaces(state);
        for (int look = 0; look < 3; ++look) {
            const QImage image = lumoLook(faces, static_cast<LumoLook>(look), state);
            painter.drawImage(10 + look * 170, 30 + row * 50, withSeeThrough(image, paper));
        }
    }

    const int left = 3 * 170 + 20;
    painter.drawText(left, 20, QStringLiteral("VantoVerticalScroll"));
    const QImage background = scroll::background(30, 240, 0xE0E0E0);
    const struct {
        int thumbTop;
        bool shown;
        bool dragging;
        bool frame;
    } bars[] = {{22, true, false, false}, {98, true, false, false}, {197, true, false, false},
                {113, true, true, false}, {60, true, false, true},  {0, false, false, false}};
    for (int i = 0; i < 6; ++i) {
        QImage bar = scroll::repaint(background, bars[i].shown, bars[i].thumbTop, 20,
                                     bars[i].dragging, qRgb(255, 255, 255));
        if (bars[i].frame)
            scroll::drawTrackFrame(bar, qRgb(0, 0, 0));
        painter.drawImage(left + i * 40, 30, withSeeThrough(bar, paper));
    }
    painter.end();
    if (!sheet.save(output)) {
        QTextStream(stderr) << "cannot write " << output << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << output << Qt::endl;
    return 0;
}
