#include "FormModel.h"

#include "Failure.h"
#include "calc/Amount.h"

namespace {

// Design colours of every caption bar: the highlighted gradient, the caption
// in the window text colour.
constexpr BarColors designBarColors{9758459, 1414638, 0};

} // namespace

FormModel::FormModel(const Catalogue& catalogue, const QLocale& locale, QObject* parent)
    : QObject(parent)
    , m_catalogue(catalogue)
    , m_locale(locale)
{
    m_fields.resize(catalogue.fields.size());
    for (int i = 0; i < catalogue.fields.size(); ++i) {
        const FieldSpec& spec = catalogue.fields.at(i);
        FieldState& state = m_fields[i];
        state.text = spec.initialText;
        state.date = spec.initialDate;
        state.index = spec.initialIndex;
        state.checked = spec.initialChecked;
        state.enabled = spec.enabled;
        if (spec.kind == FieldKind::Grid) {
            state.cells.resize(spec.gridColumns);
            for (int column = 0; column < spec.gridColumns; ++column) {
                QStringList& cells = state.cells[column];
                for (int row = 0; row < spec.gridRows; ++row) {
                    if (row == 0)
                        cells.append(spec.columnHeaders.value(column));
                    else if (column == 0)
                        cells.append(spec.rowHeaders.value(row));
                    else
                        cells.append(QString());
                }
            }
        }
    }
    m_sheetEnabled.fill(true, catalogue.sheets.size());
    for (const GroupBoxSpec& g : catalogue.groupBoxes)
        m_groupBoxEnabled.insert(g.name, true);
    for (const LabelSpec& l : catalogue.labels)
        m_labelVisible.insert(l.name, l.visible);
    for (const PanelSpec& p : catalogue.panels)
        m_barColors.insert(p.captionBar, designBarColors);
}

int FormModel::field(QStringView name) const
{
    const int index = indexOf(name);
    if (index < 0)
        throw Failure(QStringLiteral("Component %1 not found").arg(name));
    return index;
}

QString FormModel::text(int field) const
{
    return m_fields.at(field).text;
}

void FormModel::setText(int field, const QString& text)
{
    writeText(field, text, true);
}

void FormModel::setTextQuietly(int field, const QString& text)
{
    writeText(field, text, false);
}

void FormModel::writeText(int field, const QString& text, bool notify)
{
    FieldState& state = m_fields[field];
    if (state.text == text)
        return;
    state.text = text;
    Q_EMIT textChanged(field);
    if (notify)
        runEvent(field, QStringLiteral("change"));
}

long double FormModel::value(int field) const
{
    return Amount::read(m_fields.at(field).text, m_locale);
}

void FormModel::setValue(int field, long double value)
{
    setText(field, Amount::displayText(value, m_locale));
}

void FormModel::setValueQuietly(int field, long double value)
{
    setTextQuietly(field, Amount::displayText(value, m_locale));
}

QDate FormModel::date(int field) const
{
    return m_fields.at(field).date;
}

void FormModel::setDate(int field, QDate date)
{
    // A limited date field holds no date outside its limits, whoever writes it.
    const FieldSpec& s = spec(field);
    if (s.minDate.isValid() && date < s.minDate)
        date = s.minDate;
    if (s.maxDate.isValid() && date > s.maxDate)
        date = s.maxDate;
    FieldState& state = m_fields[field];
    if (state.date == date || !date.isValid())
        return;
    state.date = date;
    Q_EMIT dateChanged(field);
    runEvent(field, QStringLiteral("change"));
}

int FormModel::itemIndex(int field) const
{
    return m_fields.at(field).index;
}

void FormModel::setItemIndex(int field, int index)
{
    const int last = int(spec(field).items.size()) - 1;
    index = std::clamp(index, -1, last);
    FieldState& state = m_fields[field];
    if (state.index == index)
        return;
    state.index = index;
    Q_EMIT itemIndexChanged(field);
    runEvent(field, QStringLiteral("click"));
}

bool FormModel::isChecked(int field) const
{
    return m_fields.at(field).checked;
}

void FormModel::setChecked(int field, bool checked)
{
    FieldState& state = m_fields[field];
    if (state.checked == checked)
        return;
    state.checked = checked;
    Q_EMIT checkedChanged(field);
    runEvent(field, QStringLiteral("click"));
}

QString FormModel::cell(int field, int column, int row) const
{
    const QVector<QStringList>& cells = m_fields.at(field).cells;
    if (column < 0 || column >= cells.size() || row < 0 || row >= cells.at(column).size())
        return QString();
    return cells.at(column).at(row);
}

void FormModel::setCell(int field, int column, int row, const QString& text)
{
    QVector<QStringList>& cells = m_fields[field].cells;
    if (column < 0 || column >= cells.size() || row < 0 || row >= cells.at(column).size())
        return;
    if (cells.at(column).at(row) == text)
        return;
    cells[column][row] = text;
    Q_EMIT cellChanged(field, column, row);
}

bool FormModel::isEnabled(int field) const
{
    return m_fields.at(field).enabled;
}

void FormModel::setEnabled(int field, bool enabled)
{
    FieldState& state = m_fields[field];
    if (state.enabled == enabled)
        return;
    state.enabled = enabled;
    Q_EMIT enabledChanged(field);
}

bool FormModel::isEditable(int field) const
{
    const FieldSpec& s = spec(field);
    if (!isEnabled(field) || s.hidden)
        return false;
    if (m_catalogue.groupBox(s.container) && !isGroupBoxEnabled(s.container))
        return false;
    const int sheet = m_catalogue.sheetOf(s.container);
    return sheet < 0 || isSheetEnabled(sheet);
}

bool FormModel::isSheetEnabled(int sheet) const
{
    return m_sheetEnabled.value(sheet, false);
}

void FormModel::setSheetEnabled(int sheet, bool enabled)
{
    if (sheet < 0 || sheet >= m_sheetEnabled.size() || m_sheetEnabled.at(sheet) == enabled)
        return;
    m_sheetEnabled[sheet] = enabled;
    Q_EMIT sheetEnabledChanged(sheet);
}

bool FormModel::isGroupBoxEnabled(const QString& groupBox) const
{
    return m_groupBoxEnabled.value(groupBox, false);
}

void FormModel::setGroupBoxEnabled(const QString& groupBox, bool enabled)
{
    auto it = m_groupBoxEnabled.find(groupBox);
    if (it == m_groupBoxEnabled.end() || it.value() == enabled)
        return;
    it.value() = enabled;
    Q_EMIT groupBoxEnabledChanged(groupBox);
}

bool FormModel::isLabelVisible(const QString& label) const
{
    return m_labelVisible.value(label, false);
}

void FormModel::setLabelVisible(const QString& label, bool visible)
{
    auto it = m_labelVisible.find(label);
    if (it == m_labelVisible.end() || it.value() == visible)
        return;
    it.value() = visible;
    Q_EMIT labelVisibilityChanged(label);
}

BarColors FormModel::barColors(const QString& bar) const
{
    return m_barColors.value(bar);
}

void FormModel::setBarColors(const QString& bar, const BarColors& colors)
{
    auto it = m_barColors.find(bar);
    if (it == m_barColors.end() || it.value() == colors)
        return;
    it.value() = colors;
    Q_EMIT barColorsChanged(bar);
}

void FormModel::leaveField(int field)
{
    if (spec(field).kind == FieldKind::Amount)
        setValue(field, value(field));
    runEvent(field, QStringLiteral("exit"));
}

void FormModel::enterPanel(const QString& panel)
{
    if (const PanelSpec* p = m_catalogue.panel(panel))
        runHandler(p->enterHandler);
}

void FormModel::bindHandler(const QString& handlerName, Handler handler)
{
    m_handlers.insert(handlerName, std::move(handler));
}

void FormModel::runHandler(const QString& handlerName)
{
    const auto it = m_handlers.constFind(handlerName);
    if (it == m_handlers.constEnd())
        return;
    // A copy, so that a handler that rebinds handlers cannot pull the
    // running one from under itself.
    const Handler handler = it.value();
    handler();
}

void FormModel::runEvent(int field, const QString& event)
{
    const QString handler = spec(field).events.value(event);
    if (!handler.isEmpty())
        runHandler(handler);
}
