#pragma once

#include <QLineEdit>

class FormModel;

// An amount field bound to the model. Typing accepts the digits, the
// regional decimal separator and "E"; "-" toggles the sign of the number (or
// of the exponent after the "E"); anything else is refused with a beep. The
// integer part is regrouped after every key, and every change of the text
// goes to the model at once, where it runs the field's change handler.
// Leaving the field for another control of the window normalises the text
// and runs the field's exit handler; losing the focus to a menu, a dialog or
// another window is not leaving.
class AmountField : public QLineEdit
{
    Q_OBJECT

public:
    AmountField(FormModel& model, int field, QWidget* parent = nullptr);

    // Feeds one typed character through the filter; false if refused.
    bool typeCharacter(QChar ch);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showModelText();
    void commit(const QString& text, int cursor);
    void copySelection(bool cut);
    void paste();

    FormModel& m_model;
    int m_field;
};
