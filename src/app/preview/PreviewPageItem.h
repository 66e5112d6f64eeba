#pragma once

#include "print/PreparedReport.h"

#include <QGraphicsItem>

// One prepared page in the preview: the sheet of paper at its own size and
// orientation, painted by the same function that prints it.
class PreviewPageItem : public QGraphicsItem
{
public:
    // dotsPerInch: the resolution of the view the item is shown in, so that
    // at zoom 1 the sheet has its size on paper.
    PreviewPageItem(const PreparedPage& page, int dotsPerInch);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    QSizeF paperSize() const { return m_paper.size(); }

private:
    const PreparedPage& m_page;
    QRectF m_paper;
    QRectF m_printable;
};
