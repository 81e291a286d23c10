#include "TMainScreen.h"
#include "platform/HomeFolder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orlanto"));
    platform::HomeFolder::takeHomeArgument(QApplication::arguments());
    TMainScreen window;
    window.show();
    return app.exec();
}
