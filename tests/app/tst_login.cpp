#include "core/config.h"
#include "core/deployment.h"
#include "app/login.h"
#include "order/searchorder.h"
#include "tests/support/deliveredreplies.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/searchwindows.h"
#include "tests/support/testbackend.h"

#include <QCheckBox>
#include <QDataStream>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QStringList s_log;
QLoggingCategory::CategoryFilter s_previousFilter = nullptr;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text)
{
    s_log << text;
}

// Debug output is switched off for test runs; this turns it on for one test.
void enableDebug(QLoggingCategory* category)
{
    if (s_previousFilter)
        s_previousFilter(category);
    category->setEnabled(QtDebugMsg, true);
}

QJsonObject signInReply(const QJsonValue& shopData)
{
    QJsonObject reply {{"code", "1"}, {"message", "登录成功"}, {"uid", "77"}};
    if (!shopData.isUndefined())
        reply.insert("shop_data", shopData);
    return reply;
}

// The login file as the client writes it: Qt 4.4 stream of UTF-16 strings.
QByteArray streamOf(const QStringList& strings)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_4);
    for (const QString& s : strings)
        out << s;
    return bytes;
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    // Installed for the whole run: a box raised between two tests is recorded, never shown.
    PromptRecorder m_prompts;
    QTemporaryDir m_home;

    int m_logins = 0;

    QString loginFile() const { return m_home.filePath("Desktop/.user_select.dat"); }

    // Every window posts one version check; count them so that none spills into the next test.
    std::unique_ptr<Login> makeLogin()
    {
        ++m_logins;
        auto login = std::make_unique<Login>();
        login->show();
        return login;
    }

    static QLineEdit* field(Login& login, const char* name) { return login.findChild<QLineEdit*>(name); }
    static QPushButton* okButton(Login& login) { return login.findChild<QPushButton*>("okButton"); }
    static QCheckBox* remember(Login& login) { return login.findChild<QCheckBox*>("checkBox"); }

    // Fills the form, clicks "登录" and waits until the reply has been handled.
    void signIn(Login& login, const QString& user, const QString& password, bool rememberPassword = false)
    {
        field(login, "username")->setText(user);
        field(login, "password")->setText(password);
        remember(login)->setChecked(rememberPassword);
        const int before = m_backend->requestsTo("loginnew", "do_login").size();
        QTest::mouseClick(okButton(login), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("loginnew", "do_login").size(), before + 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(okButton(login)->isEnabled() || !login.isVisible(), 30000);
    }

    QByteArray readLoginFile() const
    {
        QFile file(loginFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        QVERIFY(m_home.isValid());
        // The Desktop folder does not exist yet: the client makes it when it saves.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(".config")));
        QCOMPARE(Login::returnAccountPath(), loginFile());
    }

    void windowIsTheFramelessSignInForm()
    {
        auto login = makeLogin();
        QCOMPARE(login->windowTitle(), QStringLiteral("登录"));
        QVERIFY(login->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(login->size(), QSize(320, 320));
        QVERIFY(Config::isOpenN8);
        QCOMPARE(login->findChild<QLabel*>("lb_version")->text(), "Velmo软件Quarn-选片系统 " + Config::version);
        for (const char* name : {"label_pic", "label_name", "label_pw"}) {
            QVERIFY2(!login->findChild<QLabel*>(name)->pixmap(Qt::ReturnByValue).isNull(), name);
        }
        QVERIFY(!field(*login, "username")->hasFocus());
        QVERIFY(!field(*login, "password")->hasFocus());
        QCOMPARE(field(*login, "password")->echoMode(), QLineEdit::Password);
        QVERIFY(okButton(*login)->isDefault());
    }

    void init()
    {
        m_prompts.clear();
        m_backend.reset();
        QFile::remove(loginFile());
        Config::uid.clear();
        Config::names.clear();
        Config::ids.clear();
        m_logins = 0;
    }

    void cleanup()
    {
        SearchWindows::closeAll();
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->requestsTo("Version", "check_update").size() >= m_logins, 30000);
    }

    void emptyFieldsAreRefusedBeforePosting_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::newRow("no user name") << ""
                                      << "secret"
                                      << "未输入用户名";
        QTest::newRow("neither") << ""
                                 << ""
                                 << "未输入用户名";
        QTest::newRow("no password") << "demo"
                                     << ""
                                     << "未输入密码";
    }

    void emptyFieldsAreRefusedBeforePosting()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, message);
        PromptRecorder& prompts = m_prompts;
        auto login = makeLogin();
        field(*login, "username")->setText(user);
        field(*login, "password")->setText(password);
        QTest::mouseClick(okButton(*login), Qt::LeftButton);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(prompts.last().text, message);
        QVERIFY(okButton(*login)->isEnabled());
        QTest::qWait(50);
        QVERIFY(m_backend->requestsTo("loginnew", "do_login").isEmpty());
    }

    void signInPostsFieldsInOrderWithoutLoggingPassword()
    {
        auto login = makeLogin();
        const QString password = QStringLiteral("a&b=c+d %张");
        s_log.clear();
        s_previousFilter = QLoggingCategory::installFilter(enableDebug);
        QtMessageHandler previous = qInstallMessageHandler(recordMessage);
        signIn(*login, "demo", password, true);
        qInstallMessageHandler(previous);
        QLoggingCategory::installFilter(s_previousFilter);

        const StandInRequest r = m_backend->requestsTo("loginnew", "do_login").value(0);
        QCOMPARE(r.keys(), (QStringList {"username", "password", "version", "token"}));
        QCOMPARE(r.value("username"), QStringLiteral("demo"));
        QCOMPARE(r.value("password"), password);
        QCOMPARE(r.value("version"), Config::version);
        QCOMPARE(r.value("token"), Config::token);
        QVERIFY(!login->isVisible());
        QVERIFY(!s_log.isEmpty());
        for (const QString& line : qAsConst(s_log)) {
            QVERIFY2(!line.contains("a&b=c"), qPrintable(line));
            QVERIFY2(!line.contains(QString::fromLatin1(password.toUtf8().toBase64())), qPrintable(line));
        }
    }

    void successFillsUserAndShops_data()
    {
        QTest::addColumn<QJsonValue>("shopData");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("two shops") << QJsonValue(
            QJsonArray {QJsonObject {{"name", "旗舰店"}, {"id", "101"}}, QJsonObject {{"name", "分店"}, {"id", "102"}}})
                                   << QStringList {"旗舰店", "分店"} << QStringList {"101", "102"};
        QTest::newRow("numeric ids") << QJsonValue(
            QJsonArray {QJsonObject {{"name", "旗舰店"}, {"id", 101}}, QJsonObject {{"name", "分店"}, {"id", "102"}},
                QJsonObject {{"name", "无号"}}, QJsonObject {{"name", "小数"}, {"id", 1.5}},
                QJsonObject {{"name", "是"}, {"id", true}}, QJsonObject {{"name", "大号"}, {"id", 4294967296.0}}})
                                     << QStringList {"旗舰店", "分店", "大号"}
                                     << QStringList {"101", "102", "4294967296"};
        QTest::newRow("empty list") << QJsonValue(QJsonArray()) << QStringList() << QStringList();
        QTest::newRow("no list") << QJsonValue(QJsonValue::Undefined) << QStringList() << QStringList();
        QTest::newRow("not a list") << QJsonValue("101") << QStringList() << QStringList();
    }

    void successFillsUserAndShops()
    {
        QFETCH(QJsonValue, shopData);
        QFETCH(QStringList, names);
        QFETCH(QStringList, ids);
        PromptRecorder& prompts = m_prompts;
        m_backend->setReply("loginnew", "do_login", StandInReply::json(signInReply(shopData)));
        auto login = makeLogin();
        signIn(*login, "demo", "demo123");
        QVERIFY(!login->isVisible());
        QCOMPARE(Config::uid, QStringLiteral("77"));
        QCOMPARE(Config::names, names);
        QCOMPARE(Config::ids, ids);
        QVERIFY(!prompts.contains("警告", "网络请求错误\n200"));

        // The order search takes over, maximised, with the user's shops.
        const QList<SearchOrder*> search = SearchWindows::open();
        QCOMPARE(search.size(), 1);
        QVERIFY(search.first()->isVisible());
        QVERIFY(search.first()->windowState() & Qt::WindowMaximized);
        QVERIFY(search.first()->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(search.first()->shopIds, ids);
    }

    void refusalClearsPasswordAndReturnsToIdle()
    {
        PromptRecorder& prompts = m_prompts;
        m_backend->setReply(
            "loginnew", "do_login", StandInReply::json(QJsonObject {{"code", "0"}, {"message", "用户名或密码错误"}}));
        auto login = makeLogin();
        signIn(*login, "demo", "wrong", true);
        QVERIFY(login->isVisible());
        QVERIFY(prompts.contains("警告", "用户名或密码错误"));
        QCOMPARE(field(*login, "password")->text(), QString());
        QCOMPARE(field(*login, "username")->text(), QStringLiteral("demo"));
        QCOMPARE(login->windowTitle(), QStringLiteral("登录"));
        QVERIFY(Config::uid.isEmpty());
        QVERIFY(!QFile::exists(loginFile()));
        QVERIFY(SearchWindows::open().isEmpty());
    }

    void failedTransferKeepsPasswordAndReturnsToIdle_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("http 500") << Failure::HttpStatus << "网络请求错误\n500";
        QTest::newRow("refused") << Failure::Refused << "网络请求错误\n";
        QTest::newRow("not json") << Failure::NotJson << "网络请求错误\n200";
        QTest::newRow("json array") << Failure::Array << "网络请求错误\n200";
    }

    void failedTransferKeepsPasswordAndReturnsToIdle()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, message);
        PromptRecorder& prompts = m_prompts;
        auto login = makeLogin();
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("Version", "check_update").size(), 1, 30000);
        scriptEndpoint(m_backend, "loginnew", "do_login", failure);
        field(*login, "username")->setText("demo");
        field(*login, "password")->setText("demo123");
        QTest::mouseClick(okButton(*login), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(okButton(*login)->isEnabled(), 30000);
        QVERIFY(login->isVisible());
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(prompts.last().text, message);
        QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(prompts.last().defaultButton, QMessageBox::Yes);
        QCOMPARE(field(*login, "password")->text(), QStringLiteral("demo123"));
        QCOMPARE(login->windowTitle(), QStringLiteral("登录"));
        QVERIFY(Config::uid.isEmpty());
        QVERIFY(SearchWindows::open().isEmpty());
    }

    // A back end that takes the sign-in and never answers: the post times out as a network error.
    void silentBackendReturnsToIdle()
    {
        PromptRecorder& prompts = m_prompts;
        m_backend->setReply("loginnew", "do_login", StandInReply::json(signInReply(QJsonArray())).held());
        auto login = makeLogin();
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("Version", "check_update").size(), 1, 30000);
        Deployment::setRequestTimeoutMs(300);
        field(*login, "username")->setText("demo");
        field(*login, "password")->setText("demo123");
        QTest::mouseClick(okButton(*login), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->heldCount(), 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(okButton(*login)->isEnabled(), 30000);
        Deployment::setRequestTimeoutMs(30000);
        QCOMPARE(login->windowTitle(), QStringLiteral("登录"));
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().text, QStringLiteral("网络请求错误\n"));
        QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(field(*login, "password")->text(), QStringLiteral("demo123"));
        m_backend->releaseHeld();
        QTest::qWait(50);
        QVERIFY(login->isVisible());
        QVERIFY(SearchWindows::open().isEmpty());
    }

    void secondClickWhileWaitingPostsNothing()
    {
        m_backend->setReply("loginnew", "do_login", StandInReply::json(signInReply(QJsonArray())).held());
        auto login = makeLogin();
        field(*login, "username")->setText("demo");
        field(*login, "password")->setText("demo123");
        QTest::mouseClick(okButton(*login), Qt::LeftButton);
        QTest::mouseClick(okButton(*login), Qt::LeftButton);
        QTest::keyClick(login.get(), Qt::Key_Return);
        QCOMPARE(login->windowTitle(), QStringLiteral("正在登录..."));
        QVERIFY(!okButton(*login)->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->heldCount(), 1, 30000);
        QTest::qWait(100);
        QCOMPARE(m_backend->requestsTo("loginnew", "do_login").size(), 1);
        m_backend->releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(!login->isVisible(), 30000);
        QCOMPARE(SearchWindows::open().size(), 1);
    }

    void returnKeySignsIn()
    {
        auto login = makeLogin();
        field(*login, "username")->setText("demo");
        field(*login, "password")->setText("demo123");
        QTest::keyClick(login.get(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!login->isVisible(), 30000);
        QCOMPARE(m_backend->requestsTo("loginnew", "do_login").size(), 1);
    }

    void loginFileRoundTrip_data()
    {
        QTest::addColumn<bool>("rememberPassword");
        QTest::addColumn<QString>("password");
        QTest::newRow("unticked") << false << "demo123";
        QTest::newRow("ticked ascii") << true << "demo123";
        QTest::newRow("ticked latin-1") << true << QStringLiteral("pässwörd");
        QTest::newRow("ticked chinese") << true << QStringLiteral("密码€1");
        QTest::newRow("ticked separators") << true << "a&b=c+d";
    }

    void loginFileRoundTrip()
    {
        QFETCH(bool, rememberPassword);
        QFETCH(QString, password);
        {
            auto login = makeLogin();
            signIn(*login, QStringLiteral("张三"), password, rememberPassword);
            QVERIFY(!login->isVisible());
        }
        QFile file(loginFile());
        QVERIFY(file.exists());
        QCOMPARE(file.permissions(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);

        auto again = makeLogin();
        QCOMPARE(field(*again, "username")->text(), QStringLiteral("张三"));
        QCOMPARE(field(*again, "password")->text(), rememberPassword ? password : QString());
        QCOMPARE(remember(*again)->isChecked(), rememberPassword);
    }

    void loginFileLayout()
    {
        {
            auto login = makeLogin();
            signIn(*login, "demo", "abc", true);
        }
        // Two strings, each a big-endian byte count and UTF-16BE characters.
        const QByteArray expected = QByteArray::fromHex("00000008") + QByteArray("\0d\0e\0m\0o", 8)
            + QByteArray::fromHex("00000008") + QByteArray("\0Y\0W\0J\0j", 8);
        QCOMPARE(readLoginFile(), expected);
        QCOMPARE(streamOf({"demo", "YWJj"}), expected);

        {
            auto login = makeLogin();
            signIn(*login, "demo", "abc", false);
        }
        QCOMPARE(readLoginFile(), QByteArray::fromHex("00000008") + QByteArray("\0d\0e\0m\0o", 8));
    }

    void loginFileIsReadAsStored_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("empty file") << QByteArray() << ""
                                    << "" << false;
        QTest::newRow("user only") << streamOf({"demo"}) << "demo"
                                   << "" << false;
        QTest::newRow("user and password") << streamOf({"demo", "ZGVtbzEyMw=="}) << "demo"
                                           << "demo123" << true;
        QTest::newRow("empty user") << streamOf({"", "ZGVtbzEyMw=="}) << ""
                                    << "demo123" << false;
        QTest::newRow("truncated") << streamOf({"demo"}).left(6) << ""
                                   << "" << false;
    }

    void loginFileIsReadAsStored()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, ticked);
        QVERIFY(QDir().mkpath(m_home.filePath("Desktop")));
        QFile file(loginFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        auto login = makeLogin();
        QCOMPARE(field(*login, "username")->text(), user);
        QCOMPARE(field(*login, "password")->text(), password);
        QCOMPARE(remember(*login)->isChecked(), ticked);
    }

    // The test host is recognised from the deployment's test address in either scheme: the
    // mark when the base contains its HTTPS form, "&test=1" when the base is its HTTP form.
    void versionCheckMarksTestHostOnly_data()
    {
        QTest::addColumn<QString>("testBase");   // "" keeps the deployment's own
        QTest::addColumn<QString>("baseScheme"); // "" keeps the stand-in's base
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("testField");
        const QString standIn = m_backend->baseUrl();
        const QString plain = QString(standIn).replace("https://", "http://");
        QTest::newRow("production") << ""
                                    << "" << false << false;
        QTest::newRow("test host, HTTPS base") << standIn << "" << true << false;
        QTest::newRow("test host, plain-HTTP base") << standIn << "http" << false << true;
        QTest::newRow("test host written as HTTP, HTTPS base") << plain << "" << true << false;
        QTest::newRow("test host written as HTTP, plain-HTTP base") << plain + "/"
                                                                    << "http" << false << true;
    }

    void versionCheckMarksTestHostOnly()
    {
        QFETCH(QString, testBase);
        QFETCH(QString, baseScheme);
        QFETCH(bool, marked);
        QFETCH(bool, testField);
        const bool testHost = testField;
        const QString oldTestUrl = Deployment::testBackendUrl();
        const QString oldBase = Config::url_base;
        if (!testBase.isEmpty())
            Deployment::setTestBackendUrl(testBase);
        // Only the base is switched: the check itself still goes to the stand-in.
        if (!baseScheme.isEmpty())
            Config::url_base.replace(QRegularExpression("^https"), baseScheme);
        auto login = makeLogin();
        Deployment::setTestBackendUrl(oldTestUrl);
        Config::url_base = oldBase;
        QCOMPARE(login->findChild<QLabel*>("ceshiLb")->isVisible(), marked);
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("Version", "check_update").size(), 1, 30000);
        const StandInRequest r = m_backend->requestsTo("Version", "check_update").first();
        QCOMPARE(r.g, QStringLiteral("Publicapi"));
        QStringList keys {"type", "systemtype", "number", "token"};
        if (testHost)
            keys.insert(2, "test");
        QCOMPARE(r.keys(), keys);
        QCOMPARE(r.value("type"), QStringLiteral("rozEvevuRaroziVuvav"));
        QCOMPARE(r.value("systemtype"), QStringLiteral("mac"));
        QCOMPARE(r.value("test"), testHost ? QStringLiteral("1") : QString());
        QCOMPARE(r.value("number"), Config::version);
        QCOMPARE(r.value("token"), Config::token);
    }

    void newVersionOpensOnlyWebPages_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("opened");
        QTest::newRow("https page") << "1"
                                    << "https://example.com/download/client.dmg" << true;
        QTest::newRow("http page") << "1"
                                   << "HTTP://example.com/download" << true;
        QTest::newRow("no new version") << "0"
                                        << "https://example.com/download" << false;
        QTest::newRow("code 2") << "2"
                                << "https://example.com/download" << false;
        QTest::newRow("local file") << "1"
                                    << "file:///etc/passwd" << false;
        QTest::newRow("script") << "1"
                                << "javascript:alert(1)" << false;
        QTest::newRow("no scheme") << "1"
                                   << "/Applications/x.app" << false;
        QTest::newRow("no path") << "1"
                                 << "" << false;
    }

    void newVersionOpensOnlyWebPages()
    {
        QFETCH(QString, code);
        QFETCH(QString, path);
        QFETCH(bool, opened);
        PromptRecorder& prompts = m_prompts;
        m_backend->setReply("Version", "check_update",
            StandInReply::json(QJsonObject {{"code", code}, {"data", QJsonObject {{"path", path}}}}));
        DeliveredReplies delivered;
        auto login = makeLogin();
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("Version", "check_update").size(), 1, 30000);
        if (opened) {
            QTRY_COMPARE_WITH_TIMEOUT(prompts.count(), 1, 30000);
            QCOMPARE(prompts.last().kind, PromptCall::OpenUrl);
            QCOMPARE(QUrl(prompts.last().text), QUrl(path));
        } else {
            QVERIFY(delivered.waitFor(1));
            QCOMPARE(prompts.count(), 0);
        }
        QVERIFY(login->isVisible());
        QVERIFY(okButton(*login)->isEnabled());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
