#include "GuideWindow.h"
#include "MainWindow.h"
#include "WorkWindow.h"


#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ezp11009"));


    MainWindow form;
    form.setSavedFormPath(QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("EZP11009.txt")));
    GuideWindow guide;
    form.setGuideWindow(&guide);
    WorkWindow work;

    form.show();
    return QApplication::exec();
}
