#include "app/weblogin.h"
#include "ui_weblogin.h"

#include "core/config.h"
#include "core/deployment.h"
#include "core/httprequest.h"
#include "app/login.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QWebSettings>

WebLogin::WebLogin(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WebLogin)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    ui->label->hide();
    ui->label->setText(QStringLiteral("当前版本：") + Config::version);

    ui->webView->load(signInPage());
    ui->webView->show();
    connect(ui->webView, &QWebView::urlChanged, this, &WebLogin::getUrl);
    connect(ui->webView, &QWebView::titleChanged, this, &WebLogin::getTile);
    connect(ui->webView, &QWebView::loadProgress, this, &WebLogin::webloadProgress);
    checkUpdate();
}

WebLogin::~WebLogin()
{
    // The view reports a last progress while it is destroyed, after the form is gone.
    disconnect(ui->webView, nullptr, this, nullptr);
    delete ui;
}

QUrl WebLogin::signInPage()
{
    QUrl url(Config::url_host);
    url.setScheme(QStringLiteral("https"));
    url.setPath(QStringLiteral("/user/public/win_weixin_loginform/"));
    return url;
}

void WebLogin::getUrl(const QUrl& url)
{
    qCDebug(lcApp) << url;
}

void WebLogin::webloadProgress(int progress)
{
    if (progress > 10)
        ui->label->show();
}

void WebLogin::getTile(QString title)
{
    if (title.isEmpty())
        return;
    // The page's own titles ("登录", ...) come and go as well: only a JSON object with a
    // "code" is an outcome of the sign-in.
    const QJsonDocument doc = QJsonDocument::fromJson(title.toUtf8());
    const QJsonObject object = doc.object();
    if (!doc.isObject() || !object.contains(QStringLiteral("code"))) {
        qCDebug(lcApp).noquote() << "page title:" << title;
        return;
    }
    if (!ReplyCheck::isAccepted(object)) {
        ui->webView->back();
        Prompt::information(this, QStringLiteral("警告"), object.value(QStringLiteral("message")).toString());
        return;
    }
    Config::uid = object.value(QStringLiteral("uid")).toString();
    m_shops.append(Shops::fromJson(object.value(QStringLiteral("shop_data"))));
    close();
    Login::openSearchOrder(m_shops);
}

void WebLogin::refreshWeb()
{
    QWebSettings::clearMemoryCaches();
    ui->webView->load(signInPage());
    ui->webView->show();
}

void WebLogin::on_pushButton_clicked()
{
    close();
}

void WebLogin::checkUpdate()
{
    connect(Login::postVersionCheck(false), &HttpRequest::netSuccessInfo, this, &WebLogin::httpCheckUpdateJson);
}

void WebLogin::httpCheckUpdateJson(QJsonObject jsonInfo)
{
    if (!ReplyCheck::isAccepted(jsonInfo))
        return;
    const QJsonObject versionInfo = jsonInfo.value(QStringLiteral("data")).toObject();
    qCDebug(lcApp).noquote() << "appJson=="
                             << QString::fromUtf8(QJsonDocument(versionInfo).toJson(QJsonDocument::Compact));
    const QString applicationName = versionInfo.value(QStringLiteral("application_name")).toString();
    const QString number = versionInfo.value(QStringLiteral("number")).toString();
    const QString time = versionInfo.value(QStringLiteral("time")).toString();
    const QString path = versionInfo.value(QStringLiteral("path")).toString();
    const QString fileSize = versionInfo.value(QStringLiteral("file_size")).toString();
    // The download lands in the current folder and nowhere else.
    const QString fileName = QFileInfo(versionInfo.value(QStringLiteral("file_name")).toString()).fileName();
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String("..")) {
        qCDebug(lcApp).noquote() << "update refused, no file name:"
                                 << versionInfo.value(QStringLiteral("file_name")).toString();
        return;
    }
    const QString localPath = QDir::currentPath() + QStringLiteral("/%1").arg(fileName);
    qCDebug(lcApp).noquote() << "current Path:" << localPath;
    const QStringList arguments {applicationName, number, time, fileName, path, localPath, fileSize};

    const QMessageBox::StandardButton answer = Prompt::information(this, QStringLiteral("选片系统温馨提示"),
        QStringLiteral("升级需要关闭程序"), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Ok) {
        const QString updater = Deployment::updaterProgram();
        if (updater.isEmpty())
            qCDebug(lcApp) << "no updater installed";
        else if (!QProcess::startDetached(updater, arguments))
            qCDebug(lcApp).noquote() << "cannot start the updater" << updater;
    }
    // Either way the old client does not go on; it ends through its event loop.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void WebLogin::mousePressEvent(QMouseEvent* event)
{
    if (m_drag.press(event) || event->button() != Qt::RightButton)
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* refresh = menu->addAction(QStringLiteral("刷新"));
    connect(refresh, &QAction::triggered, this, &WebLogin::refreshWeb);
    menu->popup(event->globalPos());
}

void WebLogin::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.move(this, event);
}

void WebLogin::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag.release(event);
}
