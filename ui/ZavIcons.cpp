#include "ZavIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

struct TImageInfo
{
    const char16_t *Name;
    const char *ThemeName; // freedesktop icon naming
};

const TImageInfo Images[] = {
    {u"document_empty", "document-new"}, {u"folder_open", "document-open"}, {u"close", "application-exit"},
    {u"arrow_left", "go-previous"},      {u"arrow_right", "go-next"},       {u"magnifying_glass", "edit-find"},
    {u"delete", "edit-delete"},
};

// Our own images: simple shapes on a 24-unit grid, scaled to the pixmap.
void DrawImage(QPainter &P, TZavImage AImage)
{
    const QColor Ink(0x35, 0x4a, 0x5f);
    const QColor Paper(0xfa, 0xfa, 0xf5);
    const QColor Folder(0xe8, 0xb0, 0x3c);
    const QColor Red(0xc0, 0x39, 0x2b);
    QPen Pen(Ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    P.setPen(Pen);
    switch (AImage) {
    case imDocumentEmpty: {
        QPainterPath Page;
        Page.moveTo(5, 2.5);
        Page.lineTo(14.5, 2.5);
        Page.lineTo(19.5, 7.5);
        Page.lineTo(19.5, 21.5);
        Page.lineTo(5, 21.5);
        Page.closeSubpath();
        P.setBrush(Paper);
        P.drawPath(Page);
        P.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7.5), QPointF(19.5, 7.5)}));
        break;
    }
    case imFolderOpen: {
        P.setBrush(Folder.darker(115));
        P.drawPolygon(QPolygonF({QPointF(2.5, 5), QPointF(9, 5), QPointF(11, 7.5), QPointF(19.5, 7.5),
                                 QPointF(19.5, 19.5), QPointF(2.5, 19.5)}));
        P.setBrush(Folder);
        P.drawPolygon(QPolygonF({QPointF(2.5, 19.5), QPointF(6, 11), QPointF(22.5, 11), QPointF(19.5, 19.5)}));
        break;
    }
    case imClose: {
        P.setBrush(Red);
        P.setPen(QPen(Red.darker(130), 1.2));
        P.drawEllipse(QRectF(3, 3, 18, 18));
        P.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
        P.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
        P.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
        break;
    }
    case imArrowLeft:
    case imArrowRight: {
        P.setPen(QPen(Ink, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (AImage == imArrowRight) {
            P.translate(24, 0);
            P.scale(-1, 1);
        }
        P.drawLine(QPointF(5, 12), QPointF(19, 12));
        P.drawPolyline(QPolygonF({QPointF(11, 5.5), QPointF(4.5, 12), QPointF(11, 18.5)}));
        break;
    }
    case imMagnifyingGlass: {
        P.setBrush(QColor(0xdd, 0xee, 0xf8));
        P.setPen(QPen(Ink, 2));
        P.drawEllipse(QRectF(3.5, 3.5, 12, 12));
        P.setPen(QPen(Ink, 3.2, Qt::SolidLine, Qt::RoundCap));
        P.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
        break;
    }
    case imDelete: {
        P.setBrush(QColor(0xe6, 0xe6, 0xe6));
        P.drawRect(QRectF(6.5, 7.5, 11, 13.5));
        P.drawLine(QPointF(4, 5.5), QPointF(20, 5.5));
        P.drawLine(QPointF(10, 3.5), QPointF(14, 3.5));
        P.drawLine(QPointF(10, 10.5), QPointF(10, 18));
        P.drawLine(QPointF(14, 10.5), QPointF(14, 18));
        break;
    }
    }
}

QPixmap DrawnPixmap(TZavImage AImage, int ASize)
{
    QPixmap Pixmap(ASize, ASize);
    Pixmap.fill(Qt::transparent);
    QPainter P(&Pixmap);
    P.setRenderHint(QPainter::Antialiasing);
    P.scale(ASize / 24.0, ASize / 24.0);
    DrawImage(P, AImage);
    return Pixmap;
}

} // namespace

QString ZavImageName(TZavImage AImage)
{
    return QString::fromUtf16(Images[AImage].Name);
}

QIcon ZavIcon(TZavImage AImage)
{
    const QString ThemeName = QString::fromLatin1(Images[AImage].ThemeName);
    if (QIcon::hasThemeIcon(ThemeName))
        return QIcon::fromTheme(ThemeName);
    QIcon Icon;
    for (int Size : {16, 24, 32})
        Icon.addPixmap(DrawnPixmap(AImage, Size));
    return Icon;
}
