#include "AppDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString s_title;
QStringList s_answers;
bool s_recording = false;
bool s_answering = false;
QStringList s_shown;

constexpr int maxPasswordLength = 255;

} // namespace

namespace AppDialogs {

QString applicationTitle()
{
    return s_title;
}

void setApplicationTitle(const QString& title)
{
    s_title = title;
}

void showError(QWidget* parent, const QString& message)
{
    const QString text = message + u'.';
    if (s_recording) {
        s_shown.append(QStringLiteral("error: ") + text);
        return;
    }
    QMessageBox::critical(parent, s_title, text);
}

void showInformation(QWidget* parent, const QString& text)
{
    if (s_recording) {
        s_shown.append(QStringLiteral("information: ") + text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Információ"), text, QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    QFont font(QStringLiteral("Verdana"), 10);
    font.setBold(true);
    box.setFont(font);
    box.exec();
}

QString askText(QWidget* parent, const QString& caption, const QString& prompt)
{
    if (s_answering)
        return s_answers.isEmpty() ? QString() : s_answers.takeFirst();

    QDialog dialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(prompt, &dialog);
    auto* edit = new QLineEdit(&dialog);
    edit->setMaxLength(maxPasswordLength);
    label->setBuddy(edit);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Mégsem"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    edit->setFocus();
    return dialog.exec() == QDialog::Accepted ? edit->text() : QString();
}

void setNextAnswers(const QStringList& answers)
{
    s_answers = answers;
    s_answering = true;
}

void setRecording(bool recording)
{
    s_recording = recording;
    s_shown.clear();
}

QStringList takeShown()
{
    QStringList shown;
    shown.swap(s_shown);
    return shown;
}

} // namespace AppDialogs
