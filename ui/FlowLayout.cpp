#include "FlowLayout.h"

#include <QWidget>

TFlowLayout::TFlowLayout(QWidget *AParent, int ASpacing)
    : QLayout(AParent)
    , FSpacing(ASpacing)
{
}

TFlowLayout::~TFlowLayout()
{
    while (QLayoutItem *Item = takeAt(0))
        delete Item;
}

void TFlowLayout::addItem(QLayoutItem *AItem)
{
    FItems.append(AItem);
}

QLayoutItem *TFlowLayout::takeAt(int AIndex)
{
    if (AIndex < 0 || AIndex >= FItems.size())
        return nullptr;
    return FItems.takeAt(AIndex);
}

QSize TFlowLayout::minimumSize() const
{
    QSize Size;
    for (const QLayoutItem *Item : FItems)
        Size = Size.expandedTo(Item->minimumSize());
    const QMargins M = contentsMargins();
    return Size + QSize(M.left() + M.right(), M.top() + M.bottom());
}

QSize TFlowLayout::sizeHint() const
{
    int Width = 0;
    int Height = 0;
    for (const QLayoutItem *Item : FItems) {
        Width += Item->sizeHint().width() + (Width > 0 ? FSpacing : 0);
        Height = qMax(Height, Item->sizeHint().height());
    }
    const QMargins M = contentsMargins();
    return QSize(Width + M.left() + M.right(), Height + M.top() + M.bottom());
}

void TFlowLayout::setGeometry(const QRect &ARect)
{
    QLayout::setGeometry(ARect);
    DoLayout(ARect, false);
}

int TFlowLayout::DoLayout(const QRect &ARect, bool AMeasureOnly) const
{
    const QRect Area = ARect.marginsRemoved(contentsMargins());
    int X = Area.x();
    int Y = Area.y();
    int RowHeight = 0;
    for (QLayoutItem *Item : FItems) {
        if (Item->widget() && Item->widget()->isHidden())
            continue;
        const QSize Hint = Item->sizeHint();
        if (X > Area.x() && X + Hint.width() > Area.right() + 1) {
            X = Area.x();
            Y += RowHeight + FSpacing;
            RowHeight = 0;
        }
        if (!AMeasureOnly)
            Item->setGeometry(QRect(QPoint(X, Y), Hint));
        X += Hint.width() + FSpacing;
        RowHeight = qMax(RowHeight, Hint.height());
    }
    const QMargins M = contentsMargins();
    return Y + RowHeight - ARect.y() + M.bottom();
}
