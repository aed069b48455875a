#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include "mainwindow.h"
#include "translation.h"

int main(int argc, char* argv[])
{
    QTranslator translator;
    loadTranslation(translator, QLocale::system().name());

    QApplication app(argc, argv);
    app.installTranslator(&translator);
    QApplication::setStyle("fusion");

    MainWindow window;
    window.show();
    return app.exec();
}
