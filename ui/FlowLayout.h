#pragma once

#include <QLayout>
#include <QList>

// Lays its widgets out left to right and wraps them into further rows when the width
// runs out, so a strip of command buttons stays whole at the window's minimum size.
class TFlowLayout : public QLayout
{
public:
    explicit TFlowLayout(QWidget *AParent = nullptr, int ASpacing = 6);
    ~TFlowLayout() override;

    void addItem(QLayoutItem *AItem) override;
    int count() const override { return int(FItems.size()); }
    QLayoutItem *itemAt(int AIndex) const override { return FItems.value(AIndex); }
    QLayoutItem *takeAt(int AIndex) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int AWidth) const override { return DoLayout(QRect(0, 0, AWidth, 0), true); }
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &ARect) override;

private:
    // Places the items in ARect (or only measures); yields the height needed.
    int DoLayout(const QRect &ARect, bool AMeasureOnly) const;

    QList<QLayoutItem *> FItems;
    int FSpacing;
};
