#pragma once

#include <QTableWidget>

class FormModel;

// The debts grid bound to the model. Its header row and column are the
// grid's fixed cells; the other cells are edited in place. While it has the
// focus, the mouse wheel moves its current row instead of scrolling.
class GridField : public QTableWidget
{
    Q_OBJECT

public:
    GridField(FormModel& model, int field, QWidget* parent = nullptr);

    // Moves the current row by whole wheel notches (positive: down).
    void moveCurrentRow(int notches);

private:
    void showModelCell(int column, int row);

    FormModel& m_model;
    int m_field;
    bool m_showing = false;
};
