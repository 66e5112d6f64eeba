#pragma once

#include <QGroupBox>

#include <functional>

class FormModel;
class QButtonGroup;

// A choice group bound to the model: a framed column (or columns) of radio
// buttons whose item texts wrap. Selecting another item, by mouse or
// keyboard, sets the model's index, which runs the click handler; the
// model's index (a load, -1 for none) shows here.
class ChoiceField : public QGroupBox
{
    Q_OBJECT

public:
    // Makes the widget that covers gap `gap` (a run of 40 blanks) of item
    // `item`'s text, or nullptr to show the gap as text.
    using OverlayFactory = std::function<QWidget*(int item, int gap)>;

    ChoiceField(FormModel& model, int field, const OverlayFactory& overlays = {}, QWidget* parent = nullptr);

    // The radio buttons, in item order (for the tab chain and tests).
    QList<QWidget*> buttons() const;

private:
    void showModelIndex();

    FormModel& m_model;
    int m_field;
    QButtonGroup* m_group;
};
