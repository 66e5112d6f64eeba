#include "ChoiceField.h"

#include "Guard.h"
#include "model/FormModel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

namespace {

// An item's text beside its radio button; a click on it selects the item.
class ItemLabel : public QLabel
{
public:
    ItemLabel(const QString& text, QRadioButton* button, QWidget* parent)
        : QLabel(text, parent)
        , m_button(button)
    {
        setWordWrap(true);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && m_button->isEnabled()) {
            m_button->setFocus(Qt::MouseFocusReason);
            m_button->click();
        }
    }

private:
    QRadioButton* m_button;
};

const QString gapText = QString(40, u' ');

} // namespace

ChoiceField::ChoiceField(FormModel& model, int field, const OverlayFactory& overlays, QWidget* parent)
    : QGroupBox(model.spec(field).caption, parent)
    , m_model(model)
    , m_field(field)
    , m_group(new QButtonGroup(this))
{
    const FieldSpec& spec = model.spec(field);
    setObjectName(spec.name);
    auto* grid = new QGridLayout(this);
    const int columns = std::max(1, spec.columns);
    const int rows = int((spec.items.size() + columns - 1) / columns);
    for (int i = 0; i < spec.items.size(); ++i) {
        auto* button = new QRadioButton(this);
        button->setObjectName(spec.name + QStringLiteral("_%1").arg(i));
        button->setAccessibleName(spec.items.at(i).trimmed());
        m_group->addButton(button, i);

        auto* item = new QHBoxLayout;
        item->setSpacing(4);
        item->addWidget(button, 0, Qt::AlignTop);
        const QStringList pieces = spec.items.at(i).split(gapText);
        for (int piece = 0; piece < pieces.size(); ++piece) {
            if (piece > 0) {
                QWidget* cover = overlays ? overlays(i, piece - 1) : nullptr;
                if (cover)
                    item->addWidget(cover, 0, Qt::AlignTop);
            }
            const QString text = pieces.at(piece).trimmed();
            if (!text.isEmpty())
                item->addWidget(new ItemLabel(text, button, this), piece + 1 == pieces.size() ? 1 : 0);
        }
        // Column by column, as the items are read.
        grid->addLayout(item, i % rows, i / rows);
    }
    showModelIndex();
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            guarded(this, [&] { m_model.setItemIndex(m_field, id); });
    });
    connect(&model, &FormModel::itemIndexChanged, this, [this](int changed) {
        if (changed == m_field)
            showModelIndex();
    });
}

void ChoiceField::showModelIndex()
{
    const int index = m_model.itemIndex(m_field);
    if (QAbstractButton* button = m_group->button(index)) {
        if (!button->isChecked())
            button->setChecked(true);
        return;
    }
    // No selection: an exclusive group cannot uncheck its last button.
    m_group->setExclusive(false);
    for (QAbstractButton* button : m_group->buttons())
        button->setChecked(false);
    m_group->setExclusive(true);
}

QList<QWidget*> ChoiceField::buttons() const
{
    QList<QWidget*> result;
    for (int i = 0; m_group->button(i); ++i)
        result.append(m_group->button(i));
    return result;
}
