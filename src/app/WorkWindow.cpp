#include "WorkWindow.h"

#include <QPlainTextEdit>

WorkWindow::WorkWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    setGeometry(5, 114, 1020, 649);
    auto* first = new QPlainTextEdit(QStringLiteral("RichEdit3"), this);
    first->setObjectName(QStringLiteral("RichEdit3"));
    first->setGeometry(8, 8, 1001, 217);
    auto* second = new QPlainTextEdit(QStringLiteral("RichEdit4"), this);
    second->setObjectName(QStringLiteral("RichEdit4"));
    second->setGeometry(8, 232, 1001, 297);
}
