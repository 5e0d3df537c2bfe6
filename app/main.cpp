#include "app/config.h"
#include "app/deployment.h"
#include "app/singleapplication.h"

#include <QDebug>
#include <QLabel>
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

    // Sign-in is not there yet: show what the client can do so far.
    QLabel placeholder(QStringLiteral("影楼选片系统\n\n登录窗口尚未完成。"));
    placeholder.setWindowTitle(QStringLiteral("影楼选片系统"));
    placeholder.setAlignment(Qt::AlignCenter);
    placeholder.resize(480, 240);
    placeholder.show();
    return app.exec();
}
