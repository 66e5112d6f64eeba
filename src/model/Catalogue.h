#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

enum class FieldKind { Text, Amount, Date, Choice, Check, Grid };

// One cell of a layout row: either a component (field, named label or group
// box) by name, or a literal caption.
struct LayoutCell
{
    QString ref;
    QString text;
    bool bold = false;
};
using LayoutRow = QList<LayoutCell>;

// An amount field laid over a gap of a choice item's text.
struct Overlay
{
    QString group;
    int item = -1;
    int gap = -1;
};

struct FieldSpec
{
    QString name;
    FieldKind kind = FieldKind::Text;
    QString container; // panel or group box; empty for the window itself
    QString label;     // caption shown left of the field, if any
    QString line;      // line of the return, if any
    QString meaning;
    int tab = 0;
    bool computed = false; // disabled in the design, drawn bold
    bool enabled = true;
    bool hidden = false;
    bool boldLabel = false;
    QString unit; // "Ft." beside the field, or a unit shown under it
    bool unitBelow = false;
    int width = 0; // designed width in pixels, 0 for the default
    Overlay overlay;

    // Initial state of the design.
    QString initialText;
    QDate initialDate;
    QDate minDate; // null: no limit
    QDate maxDate;
    int initialIndex = -1;
    bool initialChecked = false;

    // Choice groups and the check box.
    QString caption;
    QStringList items;
    int columns = 1;

    // The grid: cells by column and row, row 0 and column 0 are headers.
    int gridColumns = 0;
    int gridRows = 0;
    QStringList columnHeaders; // texts of row 0, by column
    QStringList rowHeaders;    // texts of column 0, by row
    QList<int> columnWidths;

    // Event name ("change", "exit", "click") to handler name.
    QHash<QString, QString> events;
};

struct SheetSpec
{
    int index = 0;
    QString name;
    QString caption;
    QStringList panels;
};

struct PanelSpec
{
    QString name;
    int sheet = 0;
    int top = 0;
    int height = 0;
    QString captionBar;
    QString caption; // leading spaces included
    int barHeight = 27;
    QString enterHandler;
    QString warning; // red warning line under the caption bar, if any
    QList<LayoutRow> rows;
};

struct GroupBoxSpec
{
    QString name;
    QString panel;
    QString caption;
    int tab = 0;
    int fontPx = 13;
    QList<LayoutRow> rows;
};

struct LabelSpec
{
    QString name;
    QString panel;
    QString caption;
    bool visible = true;
};

// The catalogue of the return: every field with its kind, place, label and
// initial state, in creation order, plus the sheets, panels, group boxes and
// named labels around them. It is data, read from a resource; the model, the
// window, the saved form and the tests all derive from it.
class Catalogue
{
public:
    // The catalogue compiled into the program.
    static const Catalogue& standard();
    // Parses a catalogue; on failure returns an empty one and sets *error.
    static Catalogue fromJson(const QByteArray& json, QString* error);

    QString applicationTitle;
    QString windowCaption;
    QString formCode;
    QString title;
    QString subtitle;

    QList<FieldSpec> fields; // in creation order
    QList<SheetSpec> sheets; // by index
    QList<PanelSpec> panels;
    QList<GroupBoxSpec> groupBoxes;
    QList<LabelSpec> labels;

    // Index of a field by component name, letters A to Z compared without
    // case; -1 when there is none.
    int indexOf(QStringView name) const;
    const PanelSpec* panel(QStringView name) const;
    const GroupBoxSpec* groupBox(QStringView name) const;
    const LabelSpec* label(QStringView name) const;
    // The section panel a container belongs to (itself for a panel).
    QString panelOf(const QString& container) const;
    // The sheet a container belongs to.
    int sheetOf(const QString& container) const;

    // Upper-cases the ASCII letters only, the way component names compare.
    static QString nameKey(QStringView name);

private:
    void buildIndex();
    QHash<QString, int> m_index;
};
