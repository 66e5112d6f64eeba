#include "AmountField.h"

#include "Guard.h"
#include "calc/Amount.h"
#include "model/FormModel.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>

namespace {

// Splits a text into sign, integer digits and the rest (fraction, exponent),
// ignoring group separators, and puts the groups back.
QString regrouped(const QString& text, QChar group, QChar decimal, int* cursor)
{
    int integerEnd = int(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == decimal || text[i] == u'E') {
            integerEnd = i;
            break;
        }
    }
    const bool negative = text.startsWith(u'-');
    QString digits;
    int digitsBeforeCursor = 0;
    for (int i = negative ? 1 : 0; i < integerEnd; ++i) {
        if (text[i] == group)
            continue;
        digits += text[i];
        if (i < *cursor)
            ++digitsBeforeCursor;
    }
    QString result = negative ? QStringLiteral("-") : QString();
    int newCursor = -1;
    if (digitsBeforeCursor == 0 && *cursor <= integerEnd)
        newCursor = int(result.size());
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += group;
        result += digits[i];
        if (i + 1 == digitsBeforeCursor && *cursor <= integerEnd)
            newCursor = int(result.size());
    }
    const int shift = int(result.size()) - integerEnd;
    result += text.mid(integerEnd);
    *cursor = newCursor >= 0 ? newCursor : *cursor + shift;
    return result;
}

} // namespace

AmountField::AmountField(FormModel& model, int field, QWidget* parent)
    : QLineEdit(parent)
    , m_model(model)
    , m_field(field)
{
    setObjectName(model.spec(field).name);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setContextMenuPolicy(Qt::NoContextMenu); // copy and paste go through the filter
    showModelText();
    connect(&model, &FormModel::textChanged, this, [this](int changed) {
        if (changed == m_field)
            showModelText();
    });
}

void AmountField::showModelText()
{
    const QString text = m_model.text(m_field);
    if (text == QLineEdit::text())
        return;
    const int cursor = cursorPosition();
    setText(text);
    setCursorPosition(std::min(cursor, int(text.size())));
}

void AmountField::commit(const QString& text, int cursor)
{
    const QChar group = Amount::groupSeparator(m_model.locale());
    const QChar decimal = Amount::decimalSeparator(m_model.locale());
    const QString grouped = regrouped(text, group, decimal, &cursor);
    setText(grouped);
    setCursorPosition(std::clamp(cursor, 0, int(grouped.size())));
    guarded(this, [&] { m_model.setText(m_field, grouped); });
}

bool AmountField::typeCharacter(QChar ch)
{
    const QChar decimal = Amount::decimalSeparator(m_model.locale());
    QString text = QLineEdit::text();
    int cursor = cursorPosition();
    if (hasSelectedText()) {
        const int start = selectionStart();
        text.remove(start, selectedText().size());
        cursor = start;
    }
    if (ch == u'e')
        ch = u'E';
    if (ch == u'-') {
        // The sign of the exponent when the caret stands after the "E",
        // otherwise the sign of the number.
        const int exponent = int(text.indexOf(u'E'));
        const int at = (exponent >= 0 && cursor > exponent) ? exponent + 1 : 0;
        if (text.mid(at, 1) == u"-") {
            text.remove(at, 1);
            if (cursor > at)
                --cursor;
        } else {
            text.insert(at, u'-');
            if (cursor >= at)
                ++cursor;
        }
    } else if ((ch.isDigit() && ch.unicode() < 128) || ch == decimal || ch == u'E') {
        text.insert(cursor, ch);
        ++cursor;
    } else {
        QApplication::beep();
        return false;
    }
    commit(text, cursor);
    return true;
}

void AmountField::copySelection(bool cut)
{
    if (!hasSelectedText())
        return;
    QString selected = selectedText();
    selected.remove(Amount::groupSeparator(m_model.locale()));
    QGuiApplication::clipboard()->setText(selected);
    if (cut) {
        QString text = QLineEdit::text();
        const int start = selectionStart();
        text.remove(start, selectedText().size());
        commit(text, start);
    }
}

void AmountField::paste()
{
    const QString pasted = QGuiApplication::clipboard()->text();
    for (QChar ch : pasted)
        typeCharacter(ch);
}

void AmountField::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection(false);
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        copySelection(true);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return;
    }
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        const QString before = QLineEdit::text();
        QLineEdit::keyPressEvent(event);
        if (QLineEdit::text() != before)
            commit(QLineEdit::text(), cursorPosition());
        return;
    }
    const QString typed = event->text();
    const bool control = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (typed.size() == 1 && typed[0].isPrint() && !control) {
        QChar ch = typed[0];
        // The keypad's decimal key types the regional separator.
        if ((event->modifiers() & Qt::KeypadModifier) && (ch == u'.' || ch == u','))
            ch = Amount::decimalSeparator(m_model.locale());
        typeCharacter(ch);
        return;
    }
    // Navigation, selection, Enter and the like.
    QLineEdit::keyPressEvent(event);
}

void AmountField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    guarded(this, [&] { m_model.leaveField(m_field); });
}
