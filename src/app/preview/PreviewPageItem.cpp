#include "PreviewPageItem.h"

#include "print/ReportPainter.h"

#include <QPainter>

namespace {

constexpr qreal shadowOffset = 4;

} // namespace

PreviewPageItem::PreviewPageItem(const PreparedPage& page, int dotsPerInch)
    : m_page(page)
    , m_paper(page.layout.fullRectPixels(dotsPerInch))
    , m_printable(page.layout.paintRectPixels(dotsPerInch))
{
    // Scrolling repaints from the cache instead of laying out every text again.
    setCacheMode(DeviceCoordinateCache);
}

QRectF PreviewPageItem::boundingRect() const
{
    return m_paper.adjusted(0, 0, shadowOffset, shadowOffset);
}

void PreviewPageItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->fillRect(m_paper.translated(shadowOffset, shadowOffset), QColor(0, 0, 0, 90));
    painter->fillRect(m_paper, Qt::white);
    painter->save();
    painter->translate(m_printable.topLeft());
    ReportPainter::paintPage(*painter, m_page);
    painter->restore();
}
