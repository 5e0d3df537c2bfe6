#include "core/config.h"
#include "core/deployment.h"
#include "core/logging.h"
#include "app/login.h"
#include "app/singleapplication.h"

#include <QScreen>
#include <QThreadPool>

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    SingleApplication app(argc, argv);
    Deployment::load();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        Config::scaleDpi = screen->logicalDotsPerInch() / 96.0;
        qCDebug(lcApp) << "Horizontal DPI:" << Config::scaleDpi;
    } else {
        qCDebug(lcApp) << "Failed to get the primary screen.";
    }

    Login login;
    login.show();
    const int code = app.exec();
    // Jobs still queued are of no use now; running ones must not outlive the application.
    QThreadPool::globalInstance()->clear();
    QThreadPool::globalInstance()->waitForDone();
    return code;
}
