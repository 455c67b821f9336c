// zarvelo-draw-pictures: draws SVG pictures into pixel files when the program
// is built, so that the program shows ready pixels instead of loading the
// SVG renderer and drawing every picture at every start.
// Usage: zarvelo-draw-pictures OUTPUT_DIR SIZES SVG...
//   SIZES is a list of pixel sizes such as "16;19;38"; each SVG file NAME.svg
//   becomes OUTPUT_DIR/NAME/SIZE.rgba for every size, its pixels as
//   zarvelo::rawPixels gives them. No decoding is left for the start.
#include "ui/rawpixels.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: zarvelo-draw-pictures OUTPUT_DIR SIZES SVG...\n", stderr);
        return 2;
    }
    const QDir output(arguments[1]);
    const QStringList sizes = arguments[2].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &svg : arguments.mid(3)) {
        QSvgRenderer renderer(svg);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "zarvelo-draw-pictures: cannot read %s\n", qPrintable(svg));
            return 1;
        }
        const QString name = QFileInfo(svg).completeBaseName();
        if (!output.mkpath(name)) {
            std::fprintf(stderr, "zarvelo-draw-pictures: cannot make %s\n",
                         qPrintable(output.filePath(name)));
            return 1;
        }
        for (const QString &size : sizes) {
            const int pixels = size.toInt();
            QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
            painter.end();
            const QByteArray bytes = zarvelo::rawPixels(image);
            const QString file = output.filePath(name + QLatin1Char('/') + size + QStringLiteral(".rgba"));
            QSaveFile out(file);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
                std::fprintf(stderr, "zarvelo-draw-pictures: cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }
    return 0;
}
