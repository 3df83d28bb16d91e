// Renders an SVG drawing to a PNG file at its own size times a scale factor.
// Usage: vrel_svgrender <in.svg> <out.png> [scale]
#include <cstdio>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char **argv)
{
    // Rendering needs no display; fonts for text in drawings come from fontconfig.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: vrel_svgrender <in.svg> <out.png> [scale]\n");
        return 2;
    }
    const double scale = args.size() > 3 ? args.at(3).toDouble() : 1.0;
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid() || scale <= 0) {
        std::fprintf(stderr, "vrel_svgrender: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QSize size = (QSizeF(renderer.defaultSize()) * scale).toSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter);
    }
    QDir().mkpath(QFileInfo(args.at(2)).absolutePath());
    if (!image.save(args.at(2), "PNG")) {
        std::fprintf(stderr, "vrel_svgrender: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
