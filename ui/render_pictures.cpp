// Renders the window's SVG pictures at the sizes the window draws them and
// writes their pixels, premultiplied ARGB words as the window's pixmaps hold
// them, into a C++ source file: the program then starts without drawing SVG
// or decoding any picture. Each picture is also written as a PNG file, to
// look at, in the folder "rendered_pictures" beside the source.
//
// usage: render_pictures SVG_FOLDER OUTPUT.cpp
#include "ui/picture_sizes.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>
#include <optional>

namespace {

// The picture as the window drew it from the SVG: premultiplied, on transparent.
std::optional<QImage> render(const QString& svg, QSize size)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return std::nullopt;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    return image;
}

// The pixels as an initializer of 32-bit words, row after row.
QByteArray pixels_as_source(const QImage& image)
{
    QByteArray out;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out += "0x" + QByteArray::number(row[x], 16) + (++count % 12 == 0 ? ",\n" : ",");
    }
    return out;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_pictures SVG_FOLDER OUTPUT.cpp\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);

    QDir pngs = QFileInfo(QString::fromLocal8Bit(argv[2])).dir();
    if (!pngs.mkpath(QStringLiteral("rendered_pictures")) || !pngs.cd(QStringLiteral("rendered_pictures"))) {
        std::fprintf(stderr, "render_pictures: cannot make the folder rendered_pictures beside %s\n", argv[2]);
        return 1;
    }
    QByteArray data, table;
    int count = 0;
    for (const stk::ui::PictureSize& size : stk::ui::pictures_drawn()) {
        const QString file = QString::fromUtf8(size.file.data(), qsizetype(size.file.size()));
        const auto image = render(folder + u'/' + file, {size.width, size.height});
        const QString png = pngs.filePath(QFileInfo(file).completeBaseName() + u'-' + QString::number(size.width) +
                                          u'x' + QString::number(size.height) + QStringLiteral(".png"));
        if (!image || !image->save(png, "PNG")) {
            std::fprintf(stderr, "render_pictures: cannot render %s at %d x %d pixels\n", qPrintable(file), size.width,
                         size.height);
            return 1;
        }
        const QByteArray name = "picture" + QByteArray::number(count++);
        data += "const quint32 " + name + "[] = {\n" + pixels_as_source(*image) + "};\n";
        table += "    {\"" + file.toUtf8() + "\", " + QByteArray::number(size.width) + ", " +
                 QByteArray::number(size.height) + ", " + name + "},\n";
    }

    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "render_pictures: cannot write %s\n", argv[2]);
        return 1;
    }
    bool written = true;
    const auto write = [&](const QByteArray& bytes) { written = written && out.write(bytes) == bytes.size(); };
    write(
        "// Made by render_pictures from the SVG pictures when the program is built.\n"
        "#include \"ui/rendered_pictures.h\"\n\n#include <array>\n\nnamespace stk::ui {\nnamespace {\n\n");
    write(data);
    write("\nconst std::array<RenderedPicture, " + QByteArray::number(count) + "> table{{\n" + table +
          "}};\n\n}  // namespace\n\nstd::span<const RenderedPicture> rendered_pictures() { return table; }\n\n"
          "}  // namespace stk::ui\n");
    if (!written || !out.commit()) {
        std::fprintf(stderr, "render_pictures: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
