#include "core/config.h"
#include "core/deployment.h"
#include "exchange/n8syncbaseinfodialog.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kChoose = QStringLiteral("请点击需要同步的数据类型");
const QString kProducts = QStringLiteral("产品");
const QByteArray kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nemovg>";

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestN8SyncBaseInfoDialog : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QTemporaryDir m_dir;
    std::unique_ptr<PromptRecorder> m_prompts;
    std::unique_ptr<N8SyncBaseInfoDialog> m_dialog;

    // The share folder of a store below the test folder, with or without its "产品" folder.
    QString share(const QString& name, bool withProducts = true)
    {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(withProducts ? path + "/" + kProducts : path);
        return path;
    }
    static QJsonObject store(const QString& name, const QString& path)
    {
        return QJsonObject {{"id", name}, {"name", name}, {"n8path", path}};
    }

    N8SyncBaseInfoDialog* dialog(const QJsonArray& stores)
    {
        m_dialog.reset(new N8SyncBaseInfoDialog);
        m_dialog->stores = stores;
        m_dialog->shopid = QStringLiteral("102");
        m_dialog->show();
        return m_dialog.get();
    }
    QPushButton* button(const char* name) { return m_dialog->findChild<QPushButton*>(name); }
    QString label() { return m_dialog->findChild<QLabel*>("lb_message")->text(); }
    QProgressBar* bar() { return m_dialog->findChild<QProgressBar*>("progressBar"); }
    bool isIdle() { return !button("pb_syncpeo")->isHidden() && !button("pb_syncpro")->isHidden(); }
    QStringList visibleButtons()
    {
        QStringList names;
        for (const char* name : {"pb_syncpeo", "pb_syncpro", "pb_retry", "pb_cancel"})
            if (!button(name)->isHidden())
                names << name;
        return names;
    }
    int listRequests()
    {
        return m_backend->requestsTo("n8", "getpersons").size() + m_backend->requestsTo("n8", "getgoods").size();
    }

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
        // The stores below the test folder are named by their absolute paths.
        QVERIFY(Deployment::setN8Shares("\\\\N8SRV\\n8=" + m_dir.path() + ";" + m_dir.path() + "=" + m_dir.path()));
    }

    void cleanup()
    {
        m_dialog.reset();
        m_prompts.reset();
        Deployment::setN8Shares(QString());
    }

    // Staff, then products in the same dialog: one request, one build, one report per store each.
    void syncWritesEveryStore()
    {
        const QString flagship = share("旗舰店");
        const QString branch = share("分店");
        auto* d = dialog(QJsonArray {store("旗舰店", "\\\\n8srv\\n8\\旗舰店"), store("分店", branch)});
        QCOMPARE(visibleButtons(), (QStringList {"pb_syncpeo", "pb_syncpro"}));
        QList<int> steps;
        connect(bar(), &QProgressBar::valueChanged, this, [&](int v) { steps << v; });

        struct Round
        {
            const char* button;
            const char* a;
            const char* file;
            QString label;
            QByteArray piece;
        };
        const Round rounds[] = {
            {"pb_syncpeo", "getpersons", "VgStaff.xml", "旗舰店,分店 门店的员工数据导入N8成功！",
                "<Staff><id>2003</id><name>陈&amp;林&lt;摄影></name></Staff></nemovg>"},
            {"pb_syncpro", "getgoods", "productList.xml", "旗舰店,分店 门店的产品数据导入N8成功！",
                "<name>精修&lt;入册>照片</name><width>0</width><height>0</height></product></nemovg>"},
        };
        for (const Round& round : rounds) {
            button(round.button)->click();
            QCOMPARE(bar()->value(), 0);
            steps.clear();
            QCOMPARE(visibleButtons(), QStringList {"pb_cancel"});
            QCOMPARE(bar()->maximum(), 4);
            QVERIFY(waitUntil([&] { return isIdle(); }));
            QCOMPARE(steps, (QList<int> {1, 2, 3, 4}));
            QCOMPARE(label(), round.label);
            const QList<StandInRequest> requests = m_backend->requestsTo("n8", round.a);
            QCOMPARE(requests.size(), 1);
            QCOMPARE(requests.first().body, "token=" + Config::token.toUtf8() + "&shopid=102&uid=8001");
            const QByteArray bytes = readAll(flagship + "/" + kProducts + "/" + round.file);
            QVERIFY2(bytes.startsWith(kHead) && bytes.endsWith(round.piece), bytes.constData());
            QCOMPARE(readAll(branch + "/" + kProducts + "/" + round.file), bytes);
        }
        QCOMPARE(listRequests(), 2);
        QCOMPARE(m_prompts->count(), 0);
        // One fresh idle worker is left; the used ones go.
        QVERIFY(waitUntil([&] { return d->findChildren<QThread*>().size() == 1; }));
    }

    // The closing text names only the stores written; the box lists every failure.
    void failedStoresAreNotCalledDone_data()
    {
        QTest::addColumn<QStringList>("missing"); // stores without their "产品" folder
        QTest::addColumn<QString>("text");
        QTest::newRow("first fails") << QStringList {"一店"} << "二店 门店的员工数据导入N8成功！一店 门店导入失败！";
        QTest::newRow("last fails") << QStringList {"二店"} << "一店 门店的员工数据导入N8成功！二店 门店导入失败！";
        QTest::newRow("both fail") << QStringList {"一店", "二店"} << "一店,二店 门店的员工数据导入N8失败！";
    }

    void failedStoresAreNotCalledDone()
    {
        QFETCH(QStringList, missing);
        QFETCH(QString, text);
        QJsonArray stores;
        for (const QString name : {"一店", "二店"})
            stores.append(
                store(name, share(QTest::currentDataTag() + QStringLiteral("/") + name, !missing.contains(name))));
        dialog(stores);
        button("pb_syncpeo")->click();
        QVERIFY(waitUntil([&] { return isIdle(); }));
        QCOMPARE(label(), text);
        QCOMPARE(m_prompts->count(), 1);
        QCOMPARE(m_prompts->last().title, QStringLiteral("温馨提示"));
        QCOMPARE(m_prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(m_prompts->last().text.count("n8路径错误，写入失败："), missing.size());
        QCOMPARE(bar()->value(), bar()->maximum());
    }

    void failedRequestOffersRetry_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("box"); // empty: none
        QTest::newRow("http 500") << Failure::HttpStatus << QJsonObject() << "网络请求错误！"
                                  << "网络请求错误\n500";
        QTest::newRow("refused connection") << Failure::Refused << QJsonObject() << "网络请求错误！"
                                            << "网络请求错误\n";
        QTest::newRow("not json") << Failure::NotJson << QJsonObject() << "数据格式错误100！"
                                  << "";
        QTest::newRow("array") << Failure::Array << QJsonObject() << "数据格式错误101！"
                               << "";
        QTest::newRow("refusal") << Failure::None << QJsonObject {{"code", "0"}, {"message", "门店未开通N8"}}
                                 << "门店未开通N8"
                                 << "门店未开通N8";
        QTest::newRow("numeric code") << Failure::None << QJsonObject {{"code", 1}, {"message", "?"}} << "?"
                                      << "?";
    }

    void failedRequestOffersRetry()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, text);
        QFETCH(QString, box);
        const QString folder = share(QStringLiteral("retry/") + QTest::currentDataTag());
        scriptEndpoint(m_backend, "n8", "getgoods", failure, answer);
        dialog(QJsonArray {store("一店", folder)});
        QVERIFY(button("pb_retry")->isHidden());
        button("pb_syncpro")->click();
        QVERIFY(waitUntil([&] { return !button("pb_retry")->isHidden(); }));
        QCOMPARE(label(), text);
        QCOMPARE(visibleButtons(), (QStringList {"pb_retry", "pb_cancel"}));
        QCOMPARE(m_prompts->texts(), box.isEmpty() ? QStringList() : QStringList {box});
        if (!box.isEmpty()) {
            QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
            QCOMPARE(m_prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        }
        QVERIFY(!QFile::exists(folder + "/" + kProducts + "/productList.xml"));

        // Retry repeats the same request; now the back end answers.
        m_backend.reset();
        button("pb_retry")->click();
        QVERIFY(waitUntil([&] { return isIdle(); }));
        QCOMPARE(m_backend->requestsTo("n8", "getgoods").size(), 1);
        QCOMPARE(label(), QStringLiteral("一店 门店的产品数据导入N8成功！"));
        QVERIFY(readAll(folder + "/" + kProducts + "/productList.xml").startsWith(kHead));
    }

    // Cancel withdraws the list request: its reply, had it come, would write nothing.
    void cancelWithdrawsTheRequest()
    {
        const QString folder = share("cancel");
        m_backend->setReply(
            "n8", "getpersons", StandInReply::json(QJsonObject {{"code", "1"}, {"persons", QJsonArray()}}).held());
        dialog(QJsonArray {store("一店", folder)});
        button("pb_syncpeo")->click();
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        QMetaObject::invokeMethod(m_dialog.get(), "on_pb_syncpro_clicked"); // busy: nothing
        QTest::qWait(20);
        QCOMPARE(listRequests(), 1);

        button("pb_cancel")->click();
        QCOMPARE(label(), kChoose);
        QCOMPARE(bar()->value(), 0);
        QCOMPARE(visibleButtons(), (QStringList {"pb_syncpeo", "pb_syncpro"}));
        m_backend->releaseHeld();
        QTest::qWait(100);
        QCOMPARE(label(), kChoose);
        QCOMPARE(bar()->value(), 0);
        QVERIFY(QDir(folder + "/" + kProducts).isEmpty());
        QCOMPARE(m_prompts->count(), 0);

        // The dialog is idle: the next sync runs as usual.
        m_backend.reset();
        button("pb_syncpeo")->click();
        QVERIFY(waitUntil([&] { return isIdle(); }));
        QCOMPARE(label(), QStringLiteral("一店 门店的员工数据导入N8成功！"));
    }

    void noStoresEndsAtOnce()
    {
        dialog(QJsonArray());
        button("pb_syncpeo")->click();
        QCOMPARE(label(), QStringLiteral("没有可以导入N8的门店！"));
        QVERIFY(isIdle());
        QTest::qWait(20);
        QCOMPARE(listRequests(), 0);
    }

    // Closing while the worker writes waits for it; every file it left is whole.
    void closingWhileWriting()
    {
        QJsonArray stores;
        QStringList folders;
        for (int i = 0; i < 200; ++i) {
            folders << share(QStringLiteral("close/%1").arg(i));
            stores.append(store(QString::number(i), folders.last()));
        }
        auto* d = dialog(stores);
        connect(
            bar(), &QProgressBar::valueChanged, d,
            [this](int v) {
                if (v == 3)
                    m_dialog.reset();
            },
            Qt::QueuedConnection);
        button("pb_syncpro")->click();
        QVERIFY(waitUntil([&] { return !m_dialog; }));
        const QByteArray first = readAll(folders.first() + "/" + kProducts + "/productList.xml");
        QVERIFY(first.startsWith(kHead) && first.endsWith("</nemovg>"));
        for (const QString& folder : folders) {
            const QStringList left = QDir(folder + "/" + kProducts).entryList(QDir::Files | QDir::Hidden);
            QVERIFY(left.isEmpty()
                || (left == QStringList {"productList.xml"}
                    && readAll(folder + "/" + kProducts + "/productList.xml") == first));
        }
    }
};

QTEST_MAIN(TestN8SyncBaseInfoDialog)
#include "tst_n8syncbaseinfodialog.moc"
