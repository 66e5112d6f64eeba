#include "CaptionBar.h"

#include "Colors.h"
#include "model/FormModel.h"

#include <QLinearGradient>
#include <QPainter>

CaptionBar::CaptionBar(FormModel& model, const QString& name, const QString& caption, int height, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_caption(caption)
{
    setObjectName(name);
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont captionFont(QStringLiteral("Tahoma"));
    captionFont.setPixelSize(13);
    captionFont.setBold(true);
    setFont(captionFont);
    connect(&model, &FormModel::barColorsChanged, this, [this](const QString& bar) {
        if (bar == objectName())
            update();
    });
}

void CaptionBar::paintEvent(QPaintEvent*)
{
    const BarColors colors = m_model.barColors(objectName());
    QPainter painter(this);
    QLinearGradient gradient(rect().topLeft(), rect().topRight());
    gradient.setColorAt(0, colorFromBgr(colors.gradientStart));
    gradient.setColorAt(1, colorFromBgr(colors.gradientEnd));
    painter.fillRect(rect(), gradient);
    painter.setPen(colorFromBgr(colors.text));
    // The caption's leading blanks are its indent.
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}
