#include "app/login.h"
#include "ui_login.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/deployment.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "order/searchorder.h"

#include <QApplication>
#include <QDataStream>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMouseEvent>
#include <QSaveFile>
#include <QSslSocket>
#include <QStandardPaths>

// The sign-in art is compiled into the client library; registering it from here keeps it
// in every binary that links the sign-in windows, static-library test builds included.
static const int s_loginArt = [] {
    Q_INIT_RESOURCE(login);
    return 0;
}();

Login::Login(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Login)
{
    ui->setupUi(this);
    Config::isOpenN8 = true;
    setWindowFlags(Qt::FramelessWindowHint);

    const QRect desktop = QApplication::desktop()->geometry();
    Config::ScreenWidth = desktop.width();
    Config::ScreenHeight = desktop.height();

    ui->lb_version->setText(QStringLiteral("Velmo软件Quarn-选片系统 ") + Config::version);
    // Fonts differ between systems: never clip the version number.
    ui->lb_version->setMinimumWidth(qMax(ui->lb_version->minimumWidth(), ui->lb_version->sizeHint().width()));
    ui->lb_version->adjustSize();
    ui->lb_version->setStyleSheet(QStringLiteral("color: white"));
    connect(ui->okButton, &QPushButton::clicked, this, &Login::clickLogin);

    ui->password->setPlaceholderText(QStringLiteral("密码"));
    ui->ceshiLb->setVisible(Deployment::isTestHostMarked());
    ui->ceshiLb->setStyleSheet(QStringLiteral("color: white"));

    ui->label_pic->setPixmap(QPixmap(QStringLiteral(":/login/Image/Login/login_bg.png")));
    ui->label_name->setPixmap(QPixmap(QStringLiteral(":/login/Image/Login/user_icon.png")));
    ui->label_pw->setPixmap(QPixmap(QStringLiteral(":/login/Image/Login/pass_icon.png")));
    // Neither field has the focus when the window opens.
    ui->label_name->setFocus();

    writeUserInfo();
    checkUpdate();
}

Login::~Login()
{
    // Replies aborted with their managers must not reach a window without its form.
    BackendPost::dropPending(this);
    delete ui;
}

QString Login::returnAccountPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + QStringLiteral("/.user_select.dat");
}

void Login::writeUserInfo()
{
    QFile file(returnAccountPath());
    if (file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_4_4);
    QString userName;
    QString password;
    in >> userName >> password;

    ui->checkBox->setChecked(!userName.isEmpty() && !password.isEmpty());
    ui->username->setText(userName);
    const QByteArray decoded = QByteArray::fromBase64(password.toLatin1());
    if (!decoded.isEmpty())
        ui->password->setText(QString::fromUtf8(decoded));
}

// The file is rewritten whole and readable by its owner only: it may hold the password.
void Login::saveUserInfo()
{
    const QString path = returnAccountPath();
    // The Desktop folder is often missing on Linux; without it the choice would be lost.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCDebug(lcApp).noquote() << "cannot write" << path << file.errorString();
        return;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_4_4);
    out << ui->username->text();
    // UTF-8 both ways, so any password comes back as typed (ASCII is unchanged).
    if (ui->checkBox->isChecked())
        out << QString::fromLatin1(ui->password->text().toUtf8().toBase64());
    if (!file.commit())
        qCDebug(lcApp).noquote() << "cannot write" << path << file.errorString();
}

void Login::checkUpdate()
{
    qCDebug(lcApp) << "SSL library:" << QSslSocket::sslLibraryVersionString()
                   << "schemes:" << BackendPost::supportedSchemes() << "SSL supported:" << QSslSocket::supportsSsl();
    connect(postVersionCheck(true), &HttpRequest::netSuccessInfo, this, &Login::httpCheckUpdateJson);
}

HttpRequest* Login::postVersionCheck(bool withSystemType)
{
    FormBody body;
    body.add(QStringLiteral("type"), QStringLiteral("rozEvevuRaroziVuvav"));
    if (withSystemType)
        body.add(QStringLiteral("systemtype"), QStringLiteral("mac"));
    // The sign-in window's check (the one with the system type) asks for test versions on
    // the plain-HTTP test base, the web sign-in's on the HTTPS one.
    if (withSystemType ? Deployment::isPlainTestBase() : Deployment::isSecureTestBase())
        body.add(QStringLiteral("test"), QStringLiteral("1"));
    body.add(QStringLiteral("number"), Config::version);
    body.add(QStringLiteral("token"), Config::token);
    return HttpRequest::startNetRequest(Config::url_check_update, body.toByteArray(), true);
}

void Login::httpCheckUpdateJson(QJsonObject jsonInfo)
{
    if (!ReplyCheck::isAccepted(jsonInfo))
        return;
    const QString path = jsonInfo.value(QStringLiteral("data")).toObject().value(QStringLiteral("path")).toString();
    const QUrl url(path, QUrl::TolerantMode);
    // Only a web page may be opened from what the back end sends.
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        qCDebug(lcApp).noquote() << "download page refused:" << path;
        return;
    }
    if (Prompt::openUrl(url))
        qCDebug(lcApp) << "开打网页成功";
    else
        qCDebug(lcApp) << "开打网页失败";
}

void Login::clickLogin()
{
    if (ui->username->text().isEmpty()) {
        Prompt::information(this, QStringLiteral("警告"), QStringLiteral("未输入用户名"));
        return;
    }
    if (ui->password->text().isEmpty()) {
        Prompt::information(this, QStringLiteral("警告"), QStringLiteral("未输入密码"));
        return;
    }
    loginPost();
}

void Login::loginPost()
{
    ui->okButton->setEnabled(false);
    setWindowTitle(QStringLiteral("正在登录..."));
    FormBody body;
    body.add(QStringLiteral("username"), ui->username->text());
    body.add(QStringLiteral("password"), ui->password->text());
    body.add(QStringLiteral("version"), Config::version);
    body.add(QStringLiteral("token"), Config::token);
    // The request layer logs the fields with the password masked.
    BackendPost::post(Config::url_login_new, body.toByteArray(), this, &Login::finishedSlot);
}

void Login::setIdle()
{
    ui->okButton->setEnabled(true);
    setWindowTitle(QStringLiteral("登录"));
}

void Login::finishedSlot(const BackendReply& reply)
{
    // A body that is no answer of the back end (a proxy page, a broken reply) is shown as a
    // network error too: the window never stays stuck.
    if (!reply.isObject()) {
        qCDebug(lcApp) << "login error:" << reply.httpStatus << reply.errorString;
        BackendPost::showNetworkError(reply, true);
        setIdle();
        return;
    }
    const QJsonObject& object = reply.object;
    qCDebug(lcApp).noquote() << "login Json:"
                             << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    if (!ReplyCheck::isAccepted(object)) {
        Prompt::information(this, QStringLiteral("警告"), object.value(QStringLiteral("message")).toString());
        ui->password->clear();
        setIdle();
        return;
    }

    Config::uid = object.value(QStringLiteral("uid")).toString();
    m_shops.append(Shops::fromJson(object.value(QStringLiteral("shop_data"))));
    saveUserInfo();
    close();
    openSearchOrder(m_shops);
}

void Login::openSearchOrder(const QList<Shops>& shops)
{
    Shops::appendToConfig(shops);
    auto* search = new SearchOrder();
    search->setAttribute(Qt::WA_DeleteOnClose);
    search->showMaximized();
}

void Login::on_pushButton_clicked()
{
    close();
}

void Login::mousePressEvent(QMouseEvent* event)
{
    m_drag.press(event);
}

void Login::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.move(this, event);
}

void Login::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag.release(event);
}
