// The window's own look, drawn by a proxy of the desktop's style: flat text
// boxes with a thin grey border, and a button face shaded from near white to
// light orange. Only the widgets given this style look different; the rest of
// the window keeps the desktop's look. Group boxes keep it too: under the
// Fusion style their frame is drawn from its picture taken when the program
// was built, the same pixels without decoding the picture at start-up.
#pragma once

#include <QPixmap>
#include <QImage>
#include <QProxyStyle>
#include <map>
#include <utility>

namespace stk::ui {

class FlatStyle : public QProxyStyle {
public:
    // One style for the whole application, made on first use.
    static FlatStyle* instance();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    FlatStyle();
    void draw_group_box_frame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;

    // The frame's middle laid over a box's background of that colour, on a
    // device of that pixel format.
    QColor middle_over(QRgb background, QImage::Format format) const;

    QPixmap group_box_frame_;
    bool uniform_middle_;  // the picture's stretched middle is one colour
    mutable std::map<std::pair<QRgb, QImage::Format>, QColor> middle_over_;
};

}  // namespace stk::ui
