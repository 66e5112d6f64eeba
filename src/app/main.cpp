#include "GuideWindow.h"
#include "MainWindow.h"
#include "WorkWindow.h"
#include "print/ReportFonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ezp11009"));
    ReportFonts::install();

    MainWindow form;
    GuideWindow guide;
    form.setGuideWindow(&guide);
    WorkWindow work;

    form.show();
    return QApplication::exec();
}
