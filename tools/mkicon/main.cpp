// Build-time generator: the program icon as a PNG of the given size, drawn with the shapes
// of resources/desktop/zavrex.svg (a borehole through three layers under a drill mast).
//
//   zavrex-mkicon SIZE OUTPUT.png

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);
    const QStringList Args = App.arguments();
    bool Ok = false;
    const int Size = Args.size() == 3 ? Args[1].toInt(&Ok) : 0;
    if (!Ok || Size < 16) {
        std::fprintf(stderr, "usage: zavrex-mkicon SIZE OUTPUT.png\n");
        return 2;
    }
    QImage Image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    {
        QPainter P(&Image);
        P.setRenderHint(QPainter::Antialiasing);
        P.scale(Size / 48.0, Size / 48.0);
        P.setPen(Qt::NoPen);
        P.setBrush(QColor(0xc8, 0xa1, 0x65));
        P.drawRoundedRect(QRectF(4, 14, 40, 10), 1, 1);
        P.setBrush(QColor(0x9c, 0x8b, 0x73));
        P.drawRect(QRectF(4, 24, 40, 10));
        P.setBrush(QColor(0x6e, 0x7f, 0x8f));
        P.drawRoundedRect(QRectF(4, 34, 40, 10), 1, 1);
        P.setPen(QPen(QColor(0x4f, 0x7a, 0x3a), 3));
        P.drawLine(QPointF(4, 14), QPointF(44, 14));
        P.setPen(QPen(QColor(0x35, 0x4a, 0x5f), 1.5));
        P.setBrush(QColor(0xf4, 0xf1, 0xea));
        P.drawRect(QRectF(21, 12, 6, 32));
        P.setPen(QPen(QColor(0x35, 0x4a, 0x5f), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        P.setBrush(Qt::NoBrush);
        P.drawPolygon(QPolygonF({QPointF(24, 2), QPointF(17, 12), QPointF(31, 12)}));
    }
    if (!Image.save(Args[2], "PNG")) {
        std::fprintf(stderr, "zavrex-mkicon: cannot write %s\n", qPrintable(Args[2]));
        return 1;
    }
    return 0;
}
