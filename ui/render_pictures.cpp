// Renders the window's SVG pictures at the sizes the window draws them, takes
// the picture of a group box's frame from Qt Widgets' own resources, and
// writes their pixels, premultiplied ARGB words as the window's pixmaps hold
// them, into a C++ source file: the program then starts without drawing SVG
// or decoding any picture. Each picture is also written as a PNG file, to
// look at, in the folder "rendered_pictures" beside the source.
//
// usage: render_pictures SVG_FOLDER OUTPUT.cpp
#include "ui/picture_sizes.h"

#include <QDir>
#include <QApplication>
#include <QFileInfo>
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

// Qt's own picture, as a pixmap made from it holds it: premultiplied.
std::optional<QImage> resource_picture(const QString& file)
{
    QImage image(file);
    if (image.isNull())
        return std::nullopt;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
    QApplication app(argc, argv);  // Qt Widgets' resources hold the group box's frame
    const QString folder = QString::fromLocal8Bit(argv[1]);

    QDir pngs = QFileInfo(QString::fromLocal8Bit(argv[2])).dir();
    if (!pngs.mkpath(QStringLiteral("rendered_pictures")) || !pngs.cd(QStringLiteral("rendered_pictures"))) {
        std::fprintf(stderr, "render_pictures: cannot make the folder rendered_pictures beside %s\n", argv[2]);
        return 1;
    }
    QByteArray data, table;
    int count = 0;
    // Adds the picture `image` of `file` to the source, and its PNG copy to look at.
    const auto add = [&](const QString& file, const std::optional<QImage>& image) {
        if (!image ||
            !image->save(pngs.filePath(QFileInfo(file).completeBaseName() + u'-' + QString::number(image->width()) +
                                       u'x' + QString::number(image->height()) + QStringLiteral(".png")),
                         "PNG"))
            return false;
        const QByteArray name = "picture" + QByteArray::number(count++);
        data += "const quint32 " + name + "[] = {\n" + pixels_as_source(*image) + "};\n";
        table += "    {\"" + file.toUtf8() + "\", " + QByteArray::number(image->width()) + ", " +
                 QByteArray::number(image->height()) + ", " + name + "},\n";
        return true;
    };
    for (const stk::ui::PictureSize& size : stk::ui::pictures_drawn()) {
        const QString file = QString::fromUtf8(size.file.data(), qsizetype(size.file.size()));
        if (!add(file, render(folder + u'/' + file, {size.width, size.height}))) {
            std::fprintf(stderr, "render_pictures: cannot render %s at %d x %d pixels\n", qPrintable(file), size.width,
                         size.height);
            return 1;
        }
    }
    const QString frame =
        QString::fromUtf8(stk::ui::group_box_frame_file.data(), qsizetype(stk::ui::group_box_frame_file.size()));
    if (!add(frame, resource_picture(frame))) {
        std::fprintf(stderr, "render_pictures: cannot read %s\n", qPrintable(frame));
        return 1;
    }

    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "render_pictures: cannot write %s\n", argv[2]);
        return 1;
    }
    bool written = true;
    const auto write = [&](const QByteArray& bytes) { written = written && out.write(bytes) == bytes.size(); };
    write(
        "// Made by render_pictures from the window's pictures when the program is built.\n"
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
