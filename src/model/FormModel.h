#pragma once

#include "Catalogue.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <functional>

// Colours of a section caption bar, as 0x00BBGGRR values.
struct BarColors
{
    quint32 gradientStart = 0;
    quint32 gradientEnd = 0;
    quint32 text = 0;
    bool operator==(const BarColors&) const = default;
};

// The state of the return: every field's value and enabled flag, the enabled
// flags of sheets and group boxes, the named labels' visibility and the
// caption bar colours. Handlers are bound by name (the names the catalogue
// gives for each event) and run synchronously inside the write that raises
// them, so handlers nest; a write that leaves a value unchanged raises
// nothing. The signals tell views what changed and run before the handlers.
class FormModel : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void()>;

    explicit FormModel(const Catalogue& catalogue = Catalogue::standard(),
                       const QLocale& locale = QLocale::system(), QObject* parent = nullptr);

    const Catalogue& catalogue() const { return m_catalogue; }
    // Regional settings: separators for amounts, the short date format.
    const QLocale& locale() const { return m_locale; }

    int fieldCount() const { return int(m_fields.size()); }
    const FieldSpec& spec(int field) const { return m_catalogue.fields.at(field); }
    // -1 when no field has that name (letters A to Z compared without case).
    int indexOf(QStringView name) const { return m_catalogue.indexOf(name); }
    // Like indexOf, but an unknown name is a programming error.
    int field(QStringView name) const;

    // Text and amount fields.
    QString text(int field) const;
    void setText(int field, const QString& text);
    // Writes without running the field's change handlers (views still see it).
    void setTextQuietly(int field, const QString& text);

    // Amount fields: the value read from the text, and the value written as
    // its display form. Reading a text that is no number throws Failure.
    long double value(int field) const;
    void setValue(int field, long double value);
    void setValueQuietly(int field, long double value);

    QDate date(int field) const;
    void setDate(int field, QDate date);

    // Choice groups: -1 for no selection. Values below -1 count as -1, values
    // beyond the last item select the last item. The click handler runs only
    // when the index changes.
    int itemIndex(int field) const;
    void setItemIndex(int field, int index);

    bool isChecked(int field) const;
    void setChecked(int field, bool checked);

    // Grid cells by column and row; out-of-range coordinates are ignored.
    QString cell(int field, int column, int row) const;
    void setCell(int field, int column, int row, const QString& text);

    // A field's own enabled flag; a disabled sheet or group box leaves it as
    // it is. isEditable() tells whether input reaches the field.
    bool isEnabled(int field) const;
    void setEnabled(int field, bool enabled);
    bool isEditable(int field) const;

    bool isSheetEnabled(int sheet) const;
    void setSheetEnabled(int sheet, bool enabled);
    bool isGroupBoxEnabled(const QString& groupBox) const;
    void setGroupBoxEnabled(const QString& groupBox, bool enabled);
    bool isLabelVisible(const QString& label) const;
    void setLabelVisible(const QString& label, bool visible);

    BarColors barColors(const QString& bar) const;
    void setBarColors(const QString& bar, const BarColors& colors);

    // The focus left the field: an amount's text is normalised to the display
    // form of its value (which may raise its change event), then the field's
    // exit handler runs.
    void leaveField(int field);
    // The keyboard focus entered a panel from outside it.
    void enterPanel(const QString& panel);

    // Binds the handler that the catalogue names for an event.
    void bindHandler(const QString& handlerName, Handler handler);
    // Runs a bound handler by name; an unbound name runs nothing.
    void runHandler(const QString& handlerName);

    // The barcode text of the last print with a taxpayer name.
    QString barcodeText() const { return m_barcodeText; }
    void setBarcodeText(const QString& text) { m_barcodeText = text; }

    // Name-based conveniences for the calculations and the tests.
    QString text(QStringView name) const { return text(field(name)); }
    void setText(QStringView name, const QString& t) { setText(field(name), t); }
    long double value(QStringView name) const { return value(field(name)); }
    void setValue(QStringView name, long double v) { setValue(field(name), v); }
    void setValueQuietly(QStringView name, long double v) { setValueQuietly(field(name), v); }
    int itemIndex(QStringView name) const { return itemIndex(field(name)); }
    void setItemIndex(QStringView name, int i) { setItemIndex(field(name), i); }
    bool isChecked(QStringView name) const { return isChecked(field(name)); }
    void setChecked(QStringView name, bool c) { setChecked(field(name), c); }
    bool isEnabled(QStringView name) const { return isEnabled(field(name)); }
    void setEnabled(QStringView name, bool e) { setEnabled(field(name), e); }
    QDate date(QStringView name) const { return date(field(name)); }
    void setDate(QStringView name, QDate d) { setDate(field(name), d); }

Q_SIGNALS:
    void textChanged(int field);
    void dateChanged(int field);
    void itemIndexChanged(int field);
    void checkedChanged(int field);
    void cellChanged(int field, int column, int row);
    void enabledChanged(int field);
    void sheetEnabledChanged(int sheet);
    void groupBoxEnabledChanged(const QString& groupBox);
    void labelVisibilityChanged(const QString& label);
    void barColorsChanged(const QString& bar);

private:
    struct FieldState
    {
        QString text;
        QDate date;
        int index = -1;
        bool checked = false;
        QVector<QStringList> cells; // [column][row]
        bool enabled = true;
    };

    void runEvent(int field, const QString& event);
    void writeText(int field, const QString& text, bool notify);

    const Catalogue& m_catalogue;
    QLocale m_locale;
    QVector<FieldState> m_fields;
    QVector<bool> m_sheetEnabled;
    QHash<QString, bool> m_groupBoxEnabled;
    QHash<QString, bool> m_labelVisible;
    QHash<QString, BarColors> m_barColors;
    QHash<QString, Handler> m_handlers;
    QString m_barcodeText;
};
