#include "core/config.h"
#include "core/deployment.h"
#include "app/login.h"
#include "app/singleapplication.h"

#include <QDebug>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    SingleApplication app(argc, argv);
    Deployment::load();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        Config::scaleDpi = screen->logicalDotsPerInch() / 96.0;
        qDebug() << "Horizontal DPI:" << Config::scaleDpi;
    } else {
        qDebug() << "Failed to get the primary screen.";
    }

    Login login;
    login.show();
    return app.exec();
}
