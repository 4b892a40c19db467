// vex_render_icon SVG DIR CONTEXT NAME SIZE...: draws SVG as DIR/<SIZE>x<SIZE>/CONTEXT/NAME.png for
// every SIZE, the layout of an icon theme's folders.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: vex_render_icon SVG DIR CONTEXT NAME SIZE...\n");
        return 2;
    }
    // Painting text needs an application object; the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app{argc, argv};
    const QStringList arguments = QGuiApplication::arguments();
    QSvgRenderer renderer{arguments.at(1)};
    if (!renderer.isValid()) {
        std::fprintf(stderr, "vex_render_icon: %s is no readable SVG\n", argv[1]);
        return 1;
    }
    for (qsizetype i = 5; i < arguments.size(); ++i) {
        bool ok = false;
        const int size = arguments.at(i).toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "vex_render_icon: %s is no icon size\n", qUtf8Printable(arguments.at(i)));
            return 2;
        }
        const QString folder =
            QStringLiteral("%1/%2x%2/%3").arg(arguments.at(2)).arg(size).arg(arguments.at(3));
        QImage image{size, size, QImage::Format_ARGB32_Premultiplied};
        image.fill(Qt::transparent);
        {
            QPainter painter{&image};
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QString path = folder + QLatin1Char('/') + arguments.at(4) + QStringLiteral(".png");
        if (!QDir{}.mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "vex_render_icon: %s cannot be written\n", qUtf8Printable(path));
            return 1;
        }
    }
    return 0;
}
