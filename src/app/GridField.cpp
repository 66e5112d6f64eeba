#include "GridField.h"

#include "Guard.h"
#include "TextField.h"
#include "model/FormModel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

// In-place editor that keeps to the saved form's code page.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setValidator(new Windows1250Validator(line));
        return editor;
    }
};

} // namespace

GridField::GridField(FormModel& model, int field, QWidget* parent)
    : QTableWidget(parent)
    , m_model(model)
    , m_field(field)
{
    const FieldSpec& spec = model.spec(field);
    setObjectName(spec.name);
    // The model's column 0 and row 0 are this table's header views.
    setColumnCount(spec.gridColumns - 1);
    setRowCount(spec.gridRows - 1);
    setHorizontalHeaderLabels(spec.columnHeaders.mid(1));
    setVerticalHeaderLabels(spec.rowHeaders.mid(1));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    QFont bold = font;
    bold.setBold(true);
    horizontalHeader()->setFont(bold);
    verticalHeader()->setFont(bold);
    verticalHeader()->setFixedWidth(spec.columnWidths.value(0, 20));
    for (int column = 1; column < spec.gridColumns; ++column)
        setColumnWidth(column - 1, spec.columnWidths.value(column, 100));
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, 21);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabKeyNavigation(false); // Tab leaves the grid
    setItemDelegate(new CellDelegate(this));

    for (int column = 1; column < spec.gridColumns; ++column) {
        for (int row = 1; row < spec.gridRows; ++row)
            showModelCell(column, row);
    }
    connect(this, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (m_showing)
            return;
        const QString text = item(row, column) ? item(row, column)->text() : QString();
        guarded(this, [&] { m_model.setCell(m_field, column + 1, row + 1, text); });
    });
    connect(&model, &FormModel::cellChanged, this, [this](int changed, int column, int row) {
        if (changed == m_field)
            showModelCell(column, row);
    });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int oldRow, int oldColumn) {
        // The active cell is drawn bold.
        if (QTableWidgetItem* old = item(oldRow, oldColumn)) {
            QFont f = old->font();
            f.setBold(false);
            old->setFont(f);
        }
        if (QTableWidgetItem* now = item(row, column)) {
            QFont f = now->font();
            f.setBold(true);
            now->setFont(f);
        }
    });
}

void GridField::showModelCell(int column, int row)
{
    if (column < 1 || row < 1)
        return;
    const QString text = m_model.cell(m_field, column, row);
    QTableWidgetItem* cell = item(row - 1, column - 1);
    if (cell && cell->text() == text)
        return;
    m_showing = true;
    if (!cell)
        setItem(row - 1, column - 1, new QTableWidgetItem(text));
    else
        cell->setText(text);
    m_showing = false;
}

void GridField::moveCurrentRow(int notches)
{
    const int row = std::clamp(std::max(currentRow(), 0) + notches, 0, rowCount() - 1);
    setCurrentCell(row, std::max(currentColumn(), 0));
}
