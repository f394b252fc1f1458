// Renders the window's SVG pictures at the sizes the window draws them and
// writes them, as PNG data, into a C++ source file: the program then starts
// without drawing any SVG. A picture whose PNG would not read back pixel for
// pixel as rendered stops the build.
//
// usage: render_pictures SVG_FOLDER OUTPUT.cpp
#include "ui/picture_sizes.h"

#include <QBuffer>
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
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

std::optional<QByteArray> png_of(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    const QImage back = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (back != image)
        return std::nullopt;
    return png;
}

QByteArray bytes_as_source(const QByteArray& bytes)
{
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out += QByteArray::number(static_cast<unsigned char>(bytes[i]));
        out += (i + 1) % 20 == 0 ? ",\n" : ",";
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

    QByteArray data, table;
    int count = 0;
    for (const stk::ui::PictureSize& size : stk::ui::pictures_drawn()) {
        const QString file = QString::fromUtf8(size.file.data(), qsizetype(size.file.size()));
        const auto image = render(folder + u'/' + file, {size.width, size.height});
        const auto png = image ? png_of(*image) : std::nullopt;
        if (!png) {
            std::fprintf(stderr, "render_pictures: cannot render %s at %d x %d pixels exactly as PNG\n",
                         qPrintable(file), size.width, size.height);
            return 1;
        }
        const QByteArray name = "picture" + QByteArray::number(count++);
        data += "const unsigned char " + name + "[] = {\n" + bytes_as_source(*png) + "};\n";
        table += "    {\"" + file.toUtf8() + "\", " + QByteArray::number(size.width) + ", " +
                 QByteArray::number(size.height) + ", " + name + ", sizeof " + name + "},\n";
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
