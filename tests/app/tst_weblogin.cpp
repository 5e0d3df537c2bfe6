#include "core/config.h"
#include "core/deployment.h"
#include "app/weblogin.h"
#include "order/searchorder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/searchwindows.h"
#include "tests/support/testbackend.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebHistory>
#include <QRegularExpression>
#include <QWebView>
#include <QtTest>

#include <memory>

namespace {

QString titleOf(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Runs the event loop until the client asks it to end, or for at most timeoutMs;
// returns the exit code (-1 when nothing ended it).
int exitCodeWithin(int timeoutMs)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(timeoutMs);
    return QCoreApplication::exec();
}

} // namespace

class TestWebLogin : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    // Installed for the whole run: a box raised between two tests is recorded, never shown.
    PromptRecorder m_prompts;
    QTemporaryDir m_pages;
    int m_windows = 0;

    std::unique_ptr<WebLogin> makeWindow()
    {
        ++m_windows;
        auto window = std::make_unique<WebLogin>();
        window->show();
        return window;
    }

    static QWebView* view(WebLogin& w) { return w.findChild<QWebView*>("webView"); }

    // Two more pages in the view's history, the second one current.
    bool loadTwoPages(WebLogin& w)
    {
        for (const char* name : {"one.html", "two.html"}) {
            QFile page(m_pages.filePath(name));
            if (!page.open(QIODevice::WriteOnly))
                return false;
            page.write("<html><head><title>page</title></head><body></body></html>");
            page.close();
            const QUrl url = QUrl::fromLocalFile(page.fileName());
            QSignalSpy finished(view(w), &QWebView::loadFinished);
            view(w)->load(url);
            if (!QTest::qWaitFor([&] { return finished.count() > 0 && view(w)->url() == url; }, 30000))
                return false;
        }
        return view(w)->history()->currentItemIndex() >= 1;
    }

private slots:
    void initTestCase() { QVERIFY(m_backend.isReady()); }

    void init()
    {
        m_prompts.clear();
        m_backend.reset();
        Config::uid.clear();
        Config::names.clear();
        Config::ids.clear();
        m_windows = 0;
    }

    void cleanup()
    {
        SearchWindows::closeAll();
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->requestsTo("Version", "check_update").size() >= m_windows, 30000);
    }

    // The web sign-in asks for test versions when the base is the HTTPS form of the
    // deployment's test address, in whichever scheme that address was written.
    void constructionLoadsPageAndChecksVersion_data()
    {
        QTest::addColumn<QString>("testBase");   // "" keeps the deployment's own
        QTest::addColumn<QString>("baseScheme"); // "" keeps the stand-in's base
        QTest::addColumn<bool>("testHost");
        const QString standIn = m_backend->baseUrl();
        const QString plain = QString(standIn).replace("https://", "http://");
        QTest::newRow("production") << ""
                                    << "" << false;
        QTest::newRow("test host, HTTPS base") << standIn << "" << true;
        QTest::newRow("test host, plain-HTTP base") << standIn << "http" << false;
        QTest::newRow("test host written as HTTP, HTTPS base") << plain << "" << true;
    }

    void constructionLoadsPageAndChecksVersion()
    {
        QFETCH(QString, testBase);
        QFETCH(QString, baseScheme);
        QFETCH(bool, testHost);
        const QString oldTestUrl = Deployment::testBackendUrl();
        const QString oldBase = Config::url_base;
        if (!testBase.isEmpty())
            Deployment::setTestBackendUrl(testBase);
        // Only the base is switched: the check itself still goes to the stand-in.
        if (!baseScheme.isEmpty())
            Config::url_base.replace(QRegularExpression("^https"), baseScheme);
        auto window = makeWindow();
        Deployment::setTestBackendUrl(oldTestUrl);
        Config::url_base = oldBase;
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(WebLogin::signInPage(), QUrl(m_backend->baseUrl() + "/user/public/win_weixin_loginform/"));
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("Version", "check_update").size(), 1, 30000);
        const StandInRequest r = m_backend->requestsTo("Version", "check_update").first();
        QStringList keys {"type", "number", "token"};
        if (testHost)
            keys.insert(1, "test");
        QCOMPARE(r.keys(), keys);
        QCOMPARE(r.value("type"), QStringLiteral("rozEvevuRaroziVuvav"));
        QCOMPARE(r.value("test"), testHost ? QStringLiteral("1") : QString());
        QCOMPARE(r.value("number"), Config::version);
    }

    void versionLabelShowsAfterTenPercent()
    {
        auto window = makeWindow();
        QLabel* label = window->findChild<QLabel*>("label");
        QCOMPARE(label->text(), QStringLiteral("当前版本：") + Config::version);
        window->webloadProgress(0);
        window->webloadProgress(10);
        QVERIFY(!label->isVisible());
        window->webloadProgress(11);
        QVERIFY(label->isVisible());
    }

    void titlesThatAreNoOutcomeAreIgnored_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("empty") << "";
        QTest::newRow("page title") << "微信登录";
        QTest::newRow("broken json") << "{\"code\":\"1\"";
        QTest::newRow("array") << "[{\"code\":\"1\"}]";
        QTest::newRow("object without code") << "{\"uid\":\"5\"}";
        QTest::newRow("string") << "\"1\"";
    }

    void titlesThatAreNoOutcomeAreIgnored()
    {
        QFETCH(QString, title);
        PromptRecorder& prompts = m_prompts;
        auto window = makeWindow();
        QVERIFY(loadTwoPages(*window));
        const int current = view(*window)->history()->currentItemIndex();
        window->getTile(title);
        QCOMPARE(prompts.count(), 0);
        QVERIFY(window->isVisible());
        QTest::qWait(100);
        QCOMPARE(view(*window)->history()->currentItemIndex(), current);
        QVERIFY(Config::uid.isEmpty());
    }

    void refusalGoesBackAndReports_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << titleOf({{"code", "0"}, {"message", "二维码已过期"}}) << "二维码已过期";
        QTest::newRow("no message") << titleOf({{"code", "2"}}) << "";
        QTest::newRow("numeric code") << titleOf({{"code", 1}, {"message", "x"}}) << "x";
    }

    void refusalGoesBackAndReports()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        PromptRecorder& prompts = m_prompts;
        auto window = makeWindow();
        QVERIFY(loadTwoPages(*window));
        const int current = view(*window)->history()->currentItemIndex();
        window->getTile(title);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(prompts.last().text, message);
        QTRY_COMPARE_WITH_TIMEOUT(view(*window)->history()->currentItemIndex(), current - 1, 30000);
        QVERIFY(window->isVisible());
        QVERIFY(Config::uid.isEmpty());
        QVERIFY(SearchWindows::open().isEmpty());
    }

    void pageTitleWithOutcomeSignsIn()
    {
        PromptRecorder& prompts = m_prompts;
        auto window = makeWindow();
        const QString title = titleOf({{"code", "1"}, {"uid", "88"},
            {"shop_data",
                QJsonArray {
                    QJsonObject {{"name", "旗舰店"}, {"id", "101"}}, QJsonObject {{"name", "分店"}, {"id", "102"}}}}});
        view(*window)->setHtml("<html><head><title>" + title.toHtmlEscaped() + "</title></head><body></body></html>");
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 30000);
        QCOMPARE(Config::uid, QStringLiteral("88"));
        QCOMPARE(Config::names, (QStringList {"旗舰店", "分店"}));
        QCOMPARE(Config::ids, (QStringList {"101", "102"}));
        QCOMPARE(prompts.count(), 0);
        const QList<SearchOrder*> search = SearchWindows::open();
        QCOMPARE(search.size(), 1);
        QVERIFY(search.first()->windowState() & Qt::WindowMaximized);
        QCOMPARE(search.first()->shopNames, (QStringList {"旗舰店", "分店"}));
    }

    void newVersionStartsUpdaterAndQuits_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("savedAs");
        QTest::newRow("ok") << int(QMessageBox::Ok) << "photoselect-1.8.0.zip"
                            << "photoselect-1.8.0.zip";
        QTest::newRow("ok, name with folders") << int(QMessageBox::Ok) << "../../bin/photoselect.zip"
                                               << "photoselect.zip";
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << "photoselect-1.8.0.zip"
                                << "";
    }

    void newVersionStartsUpdaterAndQuits()
    {
        QFETCH(int, answer);
        QFETCH(QString, fileName);
        QFETCH(QString, savedAs);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString updater = dir.filePath("updater.sh");
        QFile script(updater);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                     "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        Deployment::setUpdaterProgram(updater);

        PromptRecorder& prompts = m_prompts;
        prompts.answer(answer);
        auto window = makeWindow();
        window->httpCheckUpdateJson({{"code", "1"},
            {"data",
                QJsonObject {{"application_name", "影楼选片系统"}, {"number", "1.8.0"}, {"time", "2026-12-01"},
                    {"file_name", fileName}, {"path", "https://example.com/photoselect.zip"}, {"file_size", "1024"}}}});
        Deployment::setUpdaterProgram(QString());
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("选片系统温馨提示"));
        QCOMPARE(prompts.last().text, QStringLiteral("升级需要关闭程序"));
        QCOMPARE(prompts.last().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(prompts.last().defaultButton, QMessageBox::Cancel);
        QCOMPARE(exitCodeWithin(30000), 0);

        const QString argsFile = dir.filePath("args.txt");
        if (savedAs.isEmpty()) {
            QTest::qWait(200);
            QVERIFY(!QFile::exists(argsFile));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(argsFile), 30000);
        QFile args(argsFile);
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
            (QStringList {"影楼选片系统", "1.8.0", "2026-12-01", savedAs, "https://example.com/photoselect.zip",
                QDir::currentPath() + "/" + savedAs, "1024"}));
    }

    void updateWithoutUsableFileNameIsRefused_data()
    {
        QTest::addColumn<QJsonValue>("fileName");
        QTest::newRow("empty") << QJsonValue("");
        QTest::newRow("folder only") << QJsonValue("../");
        QTest::newRow("parent") << QJsonValue("..");
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined);
        QTest::newRow("number") << QJsonValue(5);
    }

    void updateWithoutUsableFileNameIsRefused()
    {
        QFETCH(QJsonValue, fileName);
        PromptRecorder& prompts = m_prompts;
        auto window = makeWindow();
        QJsonObject data {{"path", "https://example.com/x.zip"}};
        if (!fileName.isUndefined())
            data.insert("file_name", fileName);
        window->httpCheckUpdateJson({{"code", "1"}, {"data", data}});
        QCOMPARE(prompts.count(), 0);
        QCOMPARE(exitCodeWithin(100), -1);
        QVERIFY(window->isVisible());
    }

    void noNewVersionChangesNothing()
    {
        PromptRecorder& prompts = m_prompts;
        auto window = makeWindow();
        window->httpCheckUpdateJson({{"code", "0"}, {"data", QJsonObject {{"file_name", "x.zip"}}}});
        QCOMPARE(prompts.count(), 0);
        QCOMPARE(exitCodeWithin(100), -1);
    }
};

QTEST_MAIN(TestWebLogin)
#include "tst_weblogin.moc"
