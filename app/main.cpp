#include "app/deployment.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Deployment::load();
    // Sign-in is not there yet: show what the client can do so far.
    QLabel placeholder(QStringLiteral("影楼选片系统\n\n登录窗口尚未完成。"));
    placeholder.setWindowTitle(QStringLiteral("影楼选片系统"));
    placeholder.setAlignment(Qt::AlignCenter);
    placeholder.resize(480, 240);
    placeholder.show();
    return app.exec();
}
