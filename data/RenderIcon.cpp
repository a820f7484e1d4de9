// Renders the program's SVG icon as PNG files of the sizes a desktop looks for:
//   padrix-render-icon ICON.svg OUTPUT-FOLDER SIZE...   writes OUTPUT-FOLDER/SIZE.png
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: padrix-render-icon ICON.svg OUTPUT-FOLDER SIZE..." << Qt::endl;
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        err << "padrix-render-icon: cannot read " << args[1] << Qt::endl;
        return 1;
    }
    QDir().mkpath(args[2]);
    for (const QString& sizeText : args.mid(3)) {
        const int size = sizeText.toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString path = QDir(args[2]).filePath(sizeText + QStringLiteral(".png"));
        if (!image.save(path)) {
            err << "padrix-render-icon: cannot write " << path << Qt::endl;
            return 1;
        }
    }
    return 0;
}
