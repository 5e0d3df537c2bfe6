#include "app/login.h"
#include "app/settingdialog.h"
#include "core/config.h"
#include "order/searchorder.h"
#include "photostore/dirserver.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/deliveredreplies.h"
#include "tests/support/eventwait.h"
#include "tests/support/hostilerows.h"
#include "tests/support/searchwindows.h"
#include "tests/support/windowposts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Replies of the back end that are not what the sign-in and the server-path dialog expect:
// neither may crash nor hang, and each stays usable with what it could read. (The order
// search, the main window and the album panel have tables of their own.)

class TestHostileReplies : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;
    QTemporaryDir m_home;

    int requests(const char* m, const char* a) { return s.backend->requestsTo(m, a).size(); }
    static QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(s.backend.isReady());
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
    }

    void init() { QVERIFY(s.begin()); }

    void cleanup()
    {
        SearchWindows::closeAll();
        s.end();
    }

    // ---- Sign-in ----

    void signIn_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", "登录成功"}, {"uid", "77"},
                           {"shop_data",
                               QJsonArray {QJsonObject {{"name", "旗舰店"}, {"id", "101"}},
                                   QJsonObject {{"name", "分店"}, {"id", "102"}}}}},
            {"code", "message", "uid", "shop_data", "shop_data/0", "shop_data/0/id", "shop_data/0/name"});
    }

    // Either the window is idle again, or it closed and one search window opened that lists
    // only the shops the reply really named, searchable when there is one.
    void signIn()
    {
        QFETCH(QByteArray, body);
        Config::uid.clear();
        Config::names.clear();
        Config::ids.clear();
        s.backend->setReply("loginnew", "do_login", StandInReply::raw(body));
        Login login;
        login.show();
        login.findChild<QLineEdit*>("username")->setText("demo");
        login.findChild<QLineEdit*>("password")->setText("demo123");
        button(&login, "okButton")->click();
        QVERIFY(waitUntil([&] { return requests("loginnew", "do_login") == 1; }));
        QVERIFY(waitUntil([&] { return button(&login, "okButton")->isEnabled() || !login.isVisible(); }));
        if (login.isVisible()) {
            QCOMPARE(login.windowTitle(), QStringLiteral("登录"));
            QVERIFY(SearchWindows::open().isEmpty());
            QCOMPARE(s.prompts->count(), 1);
        } else {
            QCOMPARE(SearchWindows::open().size(), 1);
            QCOMPARE(Config::names.size(), Config::ids.size());
            for (const QString& id : qAsConst(Config::ids))
                QVERIFY(!id.isEmpty());
            SearchOrder* search = SearchWindows::open().first();
            QCOMPARE(button(search, "searchButton")->isEnabled(), !Config::ids.isEmpty());
        }
        QVERIFY(waitUntil([&] { return requests("Version", "check_update") == 1; }));
    }

    void versionCheck_data()
    {
        addHostileRows(
            QJsonObject {{"code", "1"}, {"message", ""}, {"data", QJsonObject {{"path", "https://dl.example.com/x"}}}},
            {"code", "data", "data/path"});
    }

    // Only a web page named as text under code "1" is ever opened.
    void versionCheck()
    {
        QFETCH(QByteArray, body);
        s.backend->setReply("Version", "check_update", StandInReply::raw(body));
        DeliveredReplies delivered;
        Login login;
        QVERIFY(waitUntil([&] { return requests("Version", "check_update") == 1; }));
        QVERIFY(delivered.waitFor(1));
        for (const PromptCall& call : s.prompts->calls()) {
            QCOMPARE(call.kind, PromptCall::OpenUrl);
            QCOMPARE(call.text, QStringLiteral("https://dl.example.com/x"));
        }
    }

    void serverPath_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}, {"picpath", "//192.168.1.20/share/"}},
            {"code", "message", "picpath"});
    }

    // The server path is taken (text only, whatever came) or the dialog stays as it was.
    void serverPath()
    {
        QFETCH(QByteArray, body);
        DirServer::setServerPath(QStringLiteral("/before/"));
        s.backend->setReply("systemset", "getpicpath", StandInReply::raw(body));
        SettingDialog dialog;
        QVERIFY(waitUntil([&] { return requests("systemset", "getpicpath") == 1; }));
        QVERIFY(postsAnswered(&dialog));
        const QJsonObject root = QJsonDocument::fromJson(body).object();
        if (root.value("code") == QJsonValue("1")) {
            QCOMPARE(DirServer::getServerPath(), root.value("picpath").toString());
        } else {
            QCOMPARE(DirServer::getServerPath(), QStringLiteral("/before/"));
            QVERIFY(s.prompts->count() <= 1);
        }
        DirServer::setServerPath(QString());
    }
};

QTEST_MAIN(TestHostileReplies)
#include "tst_hostilereplies.moc"
