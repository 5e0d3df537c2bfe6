#include "core/config.h"
#include "app/settingdialog.h"
#include "photostore/dirserver.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestSettingDialog : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    // Installed for the whole run: a box raised between two tests is recorded, never shown.
    PromptRecorder m_prompts;

    static QLineEdit* original(SettingDialog& d) { return d.findChild<QLineEdit*>("lineEdit_originalServerDir"); }
    static QLineEdit* newPath(SettingDialog& d) { return d.findChild<QLineEdit*>("lineEdit_newServerDir"); }
    static void click(SettingDialog& d, const char* name)
    {
        QTest::mouseClick(d.findChild<QPushButton*>(name), Qt::LeftButton);
    }

    // A shown dialog whose path query has been answered.
    std::unique_ptr<SettingDialog> openDialog()
    {
        auto dialog = std::make_unique<SettingDialog>();
        dialog->show();
        QSignalSpy answered(dialog->findChild<QNetworkAccessManager*>(), &QNetworkAccessManager::finished);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(answered.count(), 1, 30000); }();
        return dialog;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        Config::shop_id = "101";
        Config::manager_id = "9";
        Config::group_id = "3";
    }

    void init()
    {
        m_prompts.clear();
        m_backend.reset();
    }

    void queryShowsStoredPath()
    {
        PromptRecorder& prompts = m_prompts;
        m_backend->setReply("systemset", "getpicpath",
            StandInReply::json(QJsonObject {{"code", "1"}, {"picpath", "//192.168.1.20/share/"}}));
        auto dialog = std::make_unique<SettingDialog>();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("设置"));
        QVERIFY(original(*dialog)->isReadOnly());
        QTRY_COMPARE_WITH_TIMEOUT(original(*dialog)->text(), QStringLiteral("//192.168.1.20/share/"), 30000);
        QCOMPARE(DirServer::getServerPath(), QStringLiteral("//192.168.1.20/share/"));
        const StandInRequest r = m_backend->requestsTo("systemset", "getpicpath").value(0);
        QCOMPARE(r.keys(), (QStringList {"token", "shopid", "MANAGER_ID", "GROUP_ID"}));
        QCOMPARE(r.value("token"), Config::token);
        QCOMPARE(r.value("shopid"), QStringLiteral("101"));
        QCOMPARE(r.value("MANAGER_ID"), QStringLiteral("9"));
        QCOMPARE(r.value("GROUP_ID"), QStringLiteral("3"));
        QCOMPARE(prompts.count(), 0);
    }

    void queryFailuresLeaveFieldEmpty_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("serverPath");
        QTest::newRow("no picpath") << Failure::None << QJsonObject {{"code", "1"}} << ""
                                    << "";
        QTest::newRow("refused") << Failure::None << QJsonObject {{"code", "0"}, {"message", "没有权限"}}
                                 << "查询服务器路径错误：没有权限"
                                 << "//old/";
        QTest::newRow("http 500") << Failure::HttpStatus << QJsonObject() << "网络请求错误\n500"
                                  << "//old/";
        QTest::newRow("not json") << Failure::NotJson << QJsonObject() << ""
                                  << "//old/";
        QTest::newRow("picpath not a string")
            << Failure::None << QJsonObject {{"code", "1"}, {"picpath", QJsonArray {1}}} << ""
            << "";
    }

    void queryFailuresLeaveFieldEmpty()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, message);
        QFETCH(QString, serverPath);
        PromptRecorder& prompts = m_prompts;
        DirServer::setServerPath("//old/");
        scriptEndpoint(m_backend, "systemset", "getpicpath", failure, answer);
        auto dialog = openDialog();
        QCOMPARE(original(*dialog)->text(), QString());
        QCOMPARE(DirServer::getServerPath(), serverPath);
        if (message.isEmpty()) {
            QCOMPARE(prompts.count(), 0);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(prompts.count(), 1, 30000);
            QCOMPARE(prompts.last().title, QStringLiteral("警告"));
            QCOMPARE(prompts.last().text, message);
            if (message.startsWith(QStringLiteral("网络请求错误")))
                QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        }
    }

    void emptyNewPathIsRefused()
    {
        PromptRecorder& prompts = m_prompts;
        auto dialog = openDialog();
        click(*dialog, "pushButton_Ok");
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("提示"));
        QCOMPARE(prompts.last().text, QStringLiteral("请填写新的服务器路径"));
        QTest::qWait(50);
        QVERIFY(m_backend->requestsTo("systemset", "postpicpath").isEmpty());
        QVERIFY(dialog->isVisible());
    }

    void storedPathClosesDialog()
    {
        PromptRecorder& prompts = m_prompts;
        auto dialog = openDialog();
        const QString path = QStringLiteral("//192.168.1.30/新 共享&a=b/");
        newPath(*dialog)->setText(path);
        click(*dialog, "pushButton_Ok");
        // Until the back end has stored it, the server root stays the stored one.
        QCOMPARE(DirServer::getServerPath(), QStringLiteral("//192.168.1.20/share/"));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 30000);
        QCOMPARE(DirServer::getServerPath(), path);
        const StandInRequest r = m_backend->requestsTo("systemset", "postpicpath").value(0);
        QCOMPARE(r.keys(), (QStringList {"token", "shopid", "MANAGER_ID", "GROUP_ID", "picpath"}));
        QCOMPARE(r.value("shopid"), QStringLiteral("101"));
        QCOMPARE(r.value("picpath"), path);
        QCOMPARE(prompts.count(), 0);
    }

    void refusedStoreKeepsDialogOpen_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << Failure::None << QJsonObject {{"code", "0"}, {"message", "路径无效"}}
                                 << "提交服务器路径错误：路径无效";
        QTest::newRow("http 500") << Failure::HttpStatus << QJsonObject() << "网络请求错误\n500";
    }

    void refusedStoreKeepsDialogOpen()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, message);
        PromptRecorder& prompts = m_prompts;
        scriptEndpoint(m_backend, "systemset", "postpicpath", failure, answer);
        auto dialog = openDialog();
        newPath(*dialog)->setText("//192.168.1.30/new/");
        click(*dialog, "pushButton_Ok");
        QTRY_COMPARE_WITH_TIMEOUT(prompts.count(), 1, 30000);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(prompts.last().text, message);
        if (message.startsWith(QStringLiteral("网络请求错误")))
            QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QVERIFY(dialog->isVisible());
        QCOMPARE(DirServer::getServerPath(), QStringLiteral("//192.168.1.20/share/"));
    }

    void cancelClosesWithoutRequest()
    {
        auto dialog = openDialog();
        newPath(*dialog)->setText("//192.168.1.30/new/");
        click(*dialog, "pushButton_Cancel");
        QVERIFY(!dialog->isVisible());
        QTest::qWait(50);
        QCOMPARE(m_backend->requests().size(), 1);
    }
};

QTEST_MAIN(TestSettingDialog)
#include "tst_settingdialog.moc"
