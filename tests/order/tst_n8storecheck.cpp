#include "core/config.h"
#include "core/deployment.h"
#include "exchange/n8syncbaseinfodialog.h"
#include "exchange/n8thread.h"
#include "order/searchorder.h"
#include "standin/demodata.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kIdle = QStringLiteral("同步全部员工/产品到N8");
const QString kBusy = QStringLiteral("同步全部员工/产品到N8,解析数据中,请稍后...");
const QString kNone = QStringLiteral("没有门店的N8服务路径在和本机在同一局域网中,不能同步到N8！");

QList<N8SyncBaseInfoDialog*> openDialogs()
{
    return topLevelWindows<N8SyncBaseInfoDialog>();
}

// Notes every store-check worker that gets an event on the GUI thread (its result hop).
class WorkerWatch : public QObject
{
public:
    QList<QPointer<QObject>> workers;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (qobject_cast<N8thread*>(watched) && !workers.contains(watched))
            workers << watched;
        return QObject::eventFilter(watched, event);
    }
    bool allGone() const
    {
        for (const auto& w : workers)
            if (w)
                return false;
        return true;
    }
};

} // namespace

class TestN8StoreCheck : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QTemporaryDir m_dir;
    std::unique_ptr<PromptRecorder> m_prompts;

    static QPushButton* syncButton(SearchOrder* w) { return w->findChild<QPushButton*>("pb_n8sync"); }

    QJsonObject store(const QString& id, const QString& name, const QString& path)
    {
        return QJsonObject {{"id", id}, {"name", name}, {"n8path", path}};
    }

    void replyStores(const QJsonValue& stores)
    {
        QJsonObject root {{"code", "1"}, {"message", ""}};
        if (!stores.isUndefined())
            root.insert("stores", stores);
        m_backend->setReply("n8", "getn8set", StandInReply::json(root));
    }

    int n8Requests() { return m_backend->requestsTo("n8", "getn8set").size(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        m_backend.reset();
        m_prompts.reset(new PromptRecorder);
        Config::uid = QStringLiteral("8001");
        Config::names = QStringList {QStringLiteral("旗舰店"), QStringLiteral("分店")};
        Config::ids = QStringList {QStringLiteral("101"), QStringLiteral("102")};
        Config::shop_id = QStringLiteral("102");
        // The test folder is a share of its own, named by its absolute path.
        QVERIFY(Deployment::setN8Shares(m_dir.path() + "=" + m_dir.path()));
    }

    void cleanup()
    {
        Deployment::setN8Shares(QString());
        m_prompts.reset();
        for (N8SyncBaseInfoDialog* d : openDialogs())
            delete d;
    }

    void someStoresUnreachable_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("确定同步") << true;
        QTest::newRow("取消") << false;
    }

    void someStoresUnreachable()
    {
        QFETCH(bool, confirm);
        const QJsonObject reachable = store("103", "三店", m_dir.path());
        replyStores(QJsonArray {store("101", "旗舰店", ""), store("102", "分店", m_dir.filePath("gone")), reachable});
        if (confirm)
            m_prompts->answer(int(QMessageBox::Yes));
        SearchOrder w;
        QVERIFY(!w.findChild<QWidget*>("gb_n8")->isHidden());
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_backend->requests().size(), 1);
        QCOMPARE(m_backend->requests().first().body, "token=" + Config::token.toUtf8() + "&shopid=102&uid=8001");
        const PromptCall box = m_prompts->last();
        QCOMPARE(box.kind, PromptCall::ExecDialog);
        QCOMPARE(box.title, QString());
        QCOMPARE(box.text, QStringLiteral("旗舰店,分店 的N8路径和本机不在同一局域网不能同步到N8"));
        QCOMPARE(syncButton(&w)->text(), kIdle);
        const QList<N8SyncBaseInfoDialog*> dialogs = openDialogs();
        QCOMPARE(dialogs.size(), confirm ? 1 : 0);
        if (confirm) {
            N8SyncBaseInfoDialog* d = dialogs.first();
            QCOMPARE(d->stores, QJsonArray {reachable});
            QCOMPARE(d->shopid, QStringLiteral("102"));
            QVERIFY(d->isModal() && d->isVisible());
            QVERIFY(d->testAttribute(Qt::WA_DeleteOnClose));
            QVERIFY(!d->parent());
            QCOMPARE(d->windowTitle(), QStringLiteral("同步员工/产品信息到N8系统"));
        }
    }

    // "\\" reads as the disk's root folder, which exists; it is no share, so the store is
    // as unreachable as one outside every share.
    void rootIsNoStoreFolder()
    {
        const QJsonObject reachable = store("103", "三店", m_dir.path());
        replyStores(QJsonArray {store("101", "旗舰店", "\\"), store("102", "分店", "\\tmp"), reachable});
        m_prompts->answer(int(QMessageBox::Yes));
        SearchOrder w;
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return openDialogs().size() == 1; }));
        QCOMPARE(m_prompts->texts(), QStringList {"旗舰店,分店 的N8路径和本机不在同一局域网不能同步到N8"});
        QCOMPARE(openDialogs().first()->stores, QJsonArray {reachable});
    }

    void allReachableOpensAtOnce()
    {
        replyStores(QJsonArray {store("101", "旗舰店", m_dir.path()), store("102", "分店", m_dir.path())});
        SearchOrder w;
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return openDialogs().size() == 1; }));
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(openDialogs().first()->stores.size(), 2);
        QCOMPARE(syncButton(&w)->text(), kIdle);
    }

    void noReachableStore_data()
    {
        QTest::addColumn<QJsonValue>("stores");
        QTest::newRow("empty") << QJsonValue(QJsonArray());
        QTest::newRow("missing") << QJsonValue(QJsonValue::Undefined);
        QTest::newRow("not an array") << QJsonValue("101");
        QTest::newRow("none configured") << QJsonValue(
            QJsonArray {store("101", "旗舰店", ""), store("102", "分店", "")});
    }

    void noReachableStore()
    {
        QFETCH(QJsonValue, stores);
        replyStores(stores);
        SearchOrder w;
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().title, QStringLiteral("温馨提示"));
        QCOMPARE(m_prompts->last().text, kNone);
        QCOMPARE(syncButton(&w)->text(), kIdle);
        QVERIFY(openDialogs().isEmpty());
    }

    void failedRequests_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << Failure::None << QJsonObject {{"code", "0"}, {"message", "该门店未开通N8"}}
                                 << "该门店未开通N8";
        QTest::newRow("http 500") << Failure::HttpStatus << QJsonObject() << "网络请求错误\n500";
        QTest::newRow("not json") << Failure::NotJson << QJsonObject() << "";
    }

    void failedRequests()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, message);
        scriptEndpoint(m_backend, "n8", "getn8set", failure, answer);
        SearchOrder w;
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return n8Requests() == 1; }));
        QVERIFY(waitUntil([&] {
            return !message.isEmpty() ? m_prompts->count() == 1 : w.findChildren<QNetworkAccessManager*>().isEmpty();
        }));
        QCOMPARE(m_prompts->texts(), message.isEmpty() ? QStringList() : QStringList {message});
        if (!message.isEmpty())
            QCOMPARE(m_prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(syncButton(&w)->text(), kIdle);
        // Idle again: the next click asks once more.
        replyStores(QJsonArray());
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return n8Requests() == 2; }));
    }

    void secondClickWhileBusyDoesNothing()
    {
        replyStores(QJsonArray {store("101", "旗舰店", m_dir.path())});
        m_backend->setReply("n8", "getn8set",
            StandInReply::json(
                QJsonObject {{"code", "1"}, {"stores", QJsonArray {store("101", "旗舰店", m_dir.path())}}})
                .held());
        SearchOrder w;
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        syncButton(&w)->click(); // request in flight
        QTest::qWait(20);
        QCOMPARE(n8Requests(), 1);

        // Right after the reply the check runs: the button shows it and ignores clicks.
        QString textDuringCheck;
        // Connected after the window's own handler, so it runs right after it.
        QNetworkReply* reply = w.findChildren<QNetworkAccessManager*>().last()->findChild<QNetworkReply*>();
        QVERIFY(reply);
        connect(reply, &QNetworkReply::finished, this, [&] {
            textDuringCheck = syncButton(&w)->text();
            syncButton(&w)->click();
        });
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return openDialogs().size() == 1; }));
        QCOMPARE(textDuringCheck, kBusy);
        QTest::qWait(20);
        QCOMPARE(n8Requests(), 1);
        QCOMPARE(openDialogs().size(), 1);
    }

    void closingDuringTheCheck()
    {
        // Enough folders that the check still runs when the window goes.
        QJsonArray many;
        for (int i = 0; i < 20000; ++i)
            many.append(store(QString::number(i), QStringLiteral("店%1").arg(i), m_dir.filePath(QString::number(i))));
        many.append(store("1", "旗舰店", m_dir.path()));
        replyStores(many);
        WorkerWatch watch;
        qApp->installEventFilter(&watch);

        SearchOrder* w = new SearchOrder;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        QPointer<SearchOrder> guard(w);
        syncButton(w)->click();
        QVERIFY(waitUntil([&] { return !w->findChildren<QNetworkAccessManager*>().isEmpty(); }));
        connect(
            w->findChildren<QNetworkAccessManager*>().last(), &QNetworkAccessManager::finished, w, [w] { w->close(); },
            Qt::QueuedConnection);
        QVERIFY(waitUntil([&] { return guard.isNull(); }));
        QVERIFY(waitUntil([&] { return !watch.workers.isEmpty() && watch.allGone(); }, 30000));
        qApp->removeEventFilter(&watch);
        QCOMPARE(m_prompts->count(), 0);
        QVERIFY(openDialogs().isEmpty());
    }

    void demoFixtureReachesNoStoreHere()
    {
        SearchOrder w;
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return m_prompts->count() == 1; }));
        QCOMPARE(m_prompts->last().text, kNone);
    }

    // The demo's road: its store fixture names the share in Windows form, the deployment
    // maps it, and the lists land in the flagship store's "产品" folder.
    void demoStoreReceivesTheLists()
    {
        QTemporaryDir volumes;
        QVERIFY(DemoData::createVolumes(volumes.path()));
        QVERIFY(Deployment::setN8Shares("//N8SERVER/N8Share=" + volumes.filePath(DemoData::n8ShareFolder())));
        m_prompts->answer(int(QMessageBox::Yes)); // 分店 has no path: sync the others
        SearchOrder w;
        syncButton(&w)->click();
        QVERIFY(waitUntil([&] { return openDialogs().size() == 1; }));
        QCOMPARE(m_prompts->last().text, QStringLiteral("分店 的N8路径和本机不在同一局域网不能同步到N8"));
        N8SyncBaseInfoDialog* d = openDialogs().first();
        const QString folder = volumes.filePath(DemoData::n8ShareFolder() + QStringLiteral("旗舰店/产品/"));
        for (const char* name : {"pb_syncpeo", "pb_syncpro"}) {
            d->findChild<QPushButton*>(name)->click();
            QVERIFY(waitUntil([&] { return !d->findChild<QPushButton*>(name)->isHidden(); }));
        }
        QVERIFY(QFile(folder + "VgStaff.xml").size() > 0);
        QVERIFY(QFile(folder + "productList.xml").size() > 0);
        QCOMPARE(m_prompts->count(), 1);
    }
};

QTEST_MAIN(TestN8StoreCheck)
#include "tst_n8storecheck.moc"
