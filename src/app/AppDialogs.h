#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's dialogs: the error box, the information box and the text
// prompt of the save and load commands. Tests pre-answer the prompt and read
// back what was shown instead of seeing a modal dialog.
namespace AppDialogs {

// The application title, which every error box carries.
QString applicationTitle();
void setApplicationTitle(const QString& title);

// A failure that ended a handler or command, with the closing full stop.
void showError(QWidget* parent, const QString& message);
// "Információ" box with one "OK" button.
void showInformation(QWidget* parent, const QString& text);
// Modal prompt with "OK" and "Mégsem"; cancelling gives the empty text.
QString askText(QWidget* parent, const QString& caption, const QString& prompt);

// Test hooks: answers handed out by askText in order, and the texts of the
// boxes that would have been shown ("error: …" or "information: …").
void setNextAnswers(const QStringList& answers);
void setRecording(bool recording);
QStringList takeShown();

} // namespace AppDialogs
