#include "GuideWindow.h"

#include "Colors.h"

#include <QFile>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

constexpr quint32 windowColor = 10008261;
constexpr quint32 panelColor = 15201526;
constexpr quint32 marginLineColor = 14869218;

// The text view with a line at its right margin.
class GuideText : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPlainTextEdit::paintEvent(event);
        QPainter painter(viewport());
        painter.setPen(colorFromBgr(marginLineColor));
        const int x = viewport()->width() - 2;
        painter.drawLine(x, 0, x, viewport()->height());
    }
};

} // namespace

GuideWindow::GuideWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kitöltési útmutató"));
    resize(701, 489);
    fillBackground(this, windowColor);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 16);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    fillBackground(panel, panelColor);
    outer->addWidget(panel);
    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(8, 8, 8, 8);

    m_text = new GuideText(panel);
    m_text->setObjectName(QStringLiteral("AdvMemo1"));
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    m_text->setFont(font);
    m_text->setFrameShape(QFrame::Box);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setTabStopDistance(4 * QFontMetricsF(font).horizontalAdvance(u' '));
    QFile guide(QStringLiteral(":/guide.txt"));
    if (guide.open(QIODevice::ReadOnly))
        m_text->setPlainText(QString::fromUtf8(guide.readAll()));
    else
        qWarning("The filling guide resource is missing");
    inner->addWidget(m_text);
}
