#include "core/deployment.h"
#include "exchange/n8thread.h"
#include "tests/support/eventwait.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <unistd.h>

// Stands in for a window that asks for the store check.
class StoreReceiver : public QWidget
{
    Q_OBJECT
public:
    QList<QPair<QJsonArray, QString>> calls;
public slots:
    void slt_n8stores(QJsonArray storeables, QString msg) { calls.append(qMakePair(storeables, msg)); }
};

// Stands in for the sync dialog.
class ReportReceiver : public QWidget
{
    Q_OBJECT
public:
    QList<QJsonObject> reports;
    std::function<void()> onReport;
    bool isDone() const
    {
        return !reports.isEmpty() && reports.last().value("type").toString() == QStringLiteral("全部导入成功");
    }
    QStringList values(const char* key) const
    {
        QStringList list;
        for (const QJsonObject& r : reports)
            list << r.value(QLatin1String(key)).toString();
        return list;
    }
public slots:
    void slt_threademit(QJsonObject objc)
    {
        reports.append(objc);
        if (onReport)
            onReport();
    }
};

namespace {

const QString kProducts = QStringLiteral("产品");

QJsonArray fixtureList(const char* file, const char* key)
{
    QFile f(QStringLiteral(STANDIN_FIXTURES_DIR "/") + QLatin1String(file));
    if (!f.open(QIODevice::ReadOnly))
        return QJsonArray();
    return QJsonDocument::fromJson(f.readAll()).object().value(QLatin1String(key)).toArray();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestN8thread : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString ownShare() const { return m_dir.path() + "=" + m_dir.path(); }

    static QJsonObject store(const QString& id, const QString& name, const QJsonValue& path)
    {
        QJsonObject o {{"id", id}, {"name", name}};
        if (!path.isUndefined())
            o.insert("n8path", path);
        return o;
    }

    // Starts a self-deleting store check reporting to receiver.
    static QPointer<N8thread> startCheck(QWidget* receiver, const QJsonArray& stores)
    {
        N8thread* check = new N8thread(receiver, nullptr);
        check->stores = stores;
        check->mode = QStringLiteral("stores");
        QObject::connect(check, &QThread::finished, check, &QObject::deleteLater);
        check->start();
        return check;
    }

    // A store's share folder below the test folder, with its "产品" folder unless told otherwise.
    QString share(const QString& name, bool withProducts = true)
    {
        const QString path = m_dir.filePath("shares/" + name);
        QDir().mkpath(withProducts ? path + "/" + kProducts : path);
        return path;
    }

    // Runs one list job to its end and delivers its reports.
    static void runJob(
        ReportReceiver* receiver, int kind, const QJsonArray& datas, const QJsonArray& stores, bool stopFirst = false)
    {
        N8thread worker(receiver, nullptr);
        worker.mode = QStringLiteral("xml");
        worker.kind = kind;
        worker.datas = datas;
        worker.stores = stores;
        if (stopFirst)
            worker.stopThread();
        worker.start();
        QVERIFY(worker.wait(30000));
        // The reports hop through the worker object: deliver them before it goes.
        waitUntil([&] { return receiver->isDone(); }, stopFirst ? 50 : 30000);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    // The test's own folders are a share of their own, named by their absolute path.
    void init() { QVERIFY(Deployment::setN8Shares(ownShare())); }
    void cleanup() { Deployment::setN8Shares(QString()); }

    void listFileBytes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QJsonArray>("datas");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nemovg>";
        QTest::newRow("staff fixture") << 0 << fixtureList("n8.getpersons.json", "persons")
                                       << head
                + "<Staff><id>2001</id><name>王晓明</name></Staff>"
                  "<Staff><id>2002</id><name>李娜</name></Staff>"
                  "<Staff><id>2003</id><name>陈&amp;林&lt;摄影></name></Staff></nemovg>";
        QTest::newRow("product fixture") << 1 << fixtureList("n8.getgoods.json", "goods")
                                         << head
                + "<product><ID>5101</ID><name>12寸水晶相册</name><width>0</width><height>0</height></product>"
                  "<product><ID>5102</ID><name>24寸实木框&amp;卡纸</name><width>0</width><height>0</height></product>"
                  "<product><ID>5103</ID><name>精修&lt;入册>照片</name><width>0</width><height>0</height></product>"
                  "</nemovg>";
        QTest::newRow("empty list") << 0 << QJsonArray() << head + "</nemovg>";
        QTest::newRow("only ampersand and less-than escaped")
            << 0 << QJsonArray {QJsonObject {{"id", "a\"1'"}, {"name", "<b>\"王\" & 'A'>"}}}
            << head + "<Staff><id>a\"1'</id><name>&lt;b>\"王\" &amp; 'A'></name></Staff></nemovg>";
        QTest::newRow("number id, missing name, not an object") << 1 << QJsonArray {QJsonObject {{"id", 7}}, "x"}
                                                                << head
                + "<product><ID></ID><name></name><width>0</width><height>0</height></product>"
                  "<product><ID></ID><name></name><width>0</width><height>0</height></product></nemovg>";
        QTest::newRow("control characters left out") << 0
                                                     << QJsonArray {QJsonObject {{"id", "1"},
                                                            {"name",
                                                                QString::fromUtf8("A\x01"
                                                                                  "B\x1b"
                                                                                  " C")}}}
                                                     << head + "<Staff><id>1</id><name>AB C</name></Staff></nemovg>";
    }

    // Each file holds exactly the list, on one line, and nothing else is left in the folder.
    void listFileBytes()
    {
        QFETCH(int, kind);
        QFETCH(QJsonArray, datas);
        QFETCH(QByteArray, bytes);
        QVERIFY(!datas.isEmpty() || bytes.endsWith("<nemovg></nemovg>"));
        const QString folder = share(QTest::currentDataTag());
        ReportReceiver receiver;
        runJob(&receiver, kind, datas, QJsonArray {store("1", "旗舰店", folder)});
        QCOMPARE(receiver.values("type"), (QStringList {"数据配置完成", "全部导入成功"}));
        const QString file = kind == 0 ? QStringLiteral("VgStaff.xml") : QStringLiteral("productList.xml");
        QCOMPARE(readAll(folder + "/" + kProducts + "/" + file), bytes);
        QCOMPARE(receiver.reports.first().value("xmlstr").toString().toUtf8(), bytes);
        QCOMPARE(QDir(folder + "/" + kProducts).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList {file});
        QCOMPARE(receiver.reports.last().value("errormsg").toString(), QString());
    }

    // Every store is tried; each failure is a line of its own and never passes for a write.
    void storeFailures()
    {
        const QString ok1 = share("ok1");
        const QString noProducts = share("noProducts", false);
        const QString productsIsFile = share("productsIsFile", false);
        QVERIFY(writeFile(productsIsFile + "/" + kProducts, "x"));
        const QString fileIsFolder = share("fileIsFolder");
        QVERIFY(QDir().mkpath(fileIsFolder + "/" + kProducts + "/VgStaff.xml"));
        const QString ok2 = share("ok2");
        const QString shareIsFile = m_dir.filePath("shareIsFile");
        QVERIFY(writeFile(shareIsFile, "x"));

        QVERIFY(Deployment::setN8Shares("\\\\n8srv\\n8=" + m_dir.filePath("shares") + ";" + ownShare()));
        const QJsonArray stores {store("1", "一店", "\\\\n8srv\\n8\\ok1"), store("2", "二店", noProducts),
            store("3", "三店", productsIsFile), store("4", "四店", fileIsFolder),
            store("5", "五店", "\\\\other\\n8\\x"), store("6", "六店", shareIsFile),
            store("7", "七店", QJsonValue::Undefined), store("8", "八店", ok2)};
        ReportReceiver receiver;
        runJob(&receiver, 0, fixtureList("n8.getpersons.json", "persons"), stores);

        QCOMPARE(receiver.reports.size(), 9);
        QStringList types = receiver.values("type").mid(1);
        QCOMPARE(types.takeLast(), QStringLiteral("全部导入成功"));
        QCOMPARE(types.size(), 7);
        QCOMPARE(types.removeDuplicates(), 6);
        QCOMPARE(types.first(), QStringLiteral("门店数据导入成功"));
        QCOMPARE(receiver.values("msg").at(1), QStringLiteral("员工数据: 一店数据导入完成，开始给导入二店数据..."));
        QCOMPARE(receiver.values("msg").at(2), QStringLiteral("员工数据: 二店数据导入失败，开始给导入三店数据..."));
        QCOMPARE(receiver.values("msg").last(), QStringLiteral("数据全部导入完成"));
        const QStringList lines {
            "\n二店n8路径错误，写入失败：" + noProducts + "\\产品",
            "\n三店n8路径错误，写入失败：" + productsIsFile + "\\产品",
            "\n四店 文件打开失败，错误原因：",
            "\n五店n8路径无法在本机使用：N8共享 \\\\other\\n8 "
            "没有配置本机位置（PHOTOSELECT_N8_SHARES）：\\\\other\\n8\\x",
            "\n六店n8路径错误，写入失败：" + shareIsFile + "\\产品",
            "\n七店n8路径无法在本机使用：N8路径为空",
        };
        // A written store other than the last reports no failures; a failed one all so far.
        const QStringList errors = receiver.values("errormsg");
        QCOMPARE(errors.at(1), QString());
        for (int i = 2; i <= 7; ++i) {
            QCOMPARE(errors.at(i).count('\n'), i - 1);
            QVERIFY2(errors.at(i).startsWith(errors.at(i - 1) + lines.at(i - 2)), qPrintable(errors.at(i)));
        }
        QCOMPARE(errors.at(8), errors.at(7));
        const QJsonObject last = receiver.reports.last();
        QCOMPARE(last.value("written").toArray(), (QJsonArray {"一店", "八店"}));
        QCOMPARE(last.value("failed").toArray(), (QJsonArray {"二店", "三店", "四店", "五店", "六店", "七店"}));

        const QByteArray bytes = receiver.reports.first().value("xmlstr").toString().toUtf8();
        QCOMPARE(readAll(ok1 + "/" + kProducts + "/VgStaff.xml"), bytes);
        QCOMPARE(readAll(ok2 + "/" + kProducts + "/VgStaff.xml"), bytes);
        QVERIFY(QFileInfo(fileIsFolder + "/" + kProducts + "/VgStaff.xml").isDir());
        QVERIFY(!QFile::exists(noProducts + "/" + kProducts)); // nothing created where the folder was missing
    }

    void notWritable()
    {
        if (::geteuid() == 0)
            QSKIP("root writes everywhere");
        const QString folder = share("readOnly");
        QVERIFY(QFile::setPermissions(folder + "/" + kProducts, QFile::ReadOwner | QFile::ExeOwner));
        ReportReceiver receiver;
        runJob(&receiver, 1, QJsonArray(), QJsonArray {store("1", "一店", folder)});
        QFile::setPermissions(folder + "/" + kProducts, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(
            receiver.reports.last().value("errormsg").toString(), "\n一店n8路径没有写入权限：" + folder + "\\产品");
    }

    // Staff and products share the folder; a later list replaces the earlier one whole.
    void laterListReplacesTheFile()
    {
        const QString folder = share("replace");
        const QJsonArray stores {store("1", "一店", folder)};
        ReportReceiver first, second, staff;
        runJob(&first, 1, fixtureList("n8.getgoods.json", "goods"), stores);
        runJob(&second, 1, QJsonArray {QJsonObject {{"id", "9"}, {"name", "N"}}}, stores);
        runJob(&staff, 0, QJsonArray(), stores);
        QCOMPARE(readAll(folder + "/" + kProducts + "/productList.xml"),
            second.reports.first().value("xmlstr").toString().toUtf8());
        QVERIFY(readAll(folder + "/" + kProducts + "/VgStaff.xml").endsWith("<nemovg></nemovg>"));
        QCOMPARE(QDir(folder + "/" + kProducts).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void noStoresStillEnds()
    {
        ReportReceiver receiver;
        runJob(&receiver, 0, fixtureList("n8.getpersons.json", "persons"), QJsonArray());
        QCOMPARE(receiver.values("type"), (QStringList {"数据配置完成", "全部导入成功"}));
        QCOMPARE(receiver.reports.last().value("written").toArray(), QJsonArray());
        QCOMPARE(receiver.reports.last().value("failed").toArray(), QJsonArray());
    }

    void stopBeforeTheRunWritesNothing()
    {
        const QString folder = share("stopped");
        ReportReceiver receiver;
        runJob(
            &receiver, 0, fixtureList("n8.getpersons.json", "persons"), QJsonArray {store("1", "一店", folder)}, true);
        QVERIFY(receiver.reports.isEmpty());
        QVERIFY(QDir(folder + "/" + kProducts).isEmpty());
    }

    // Once stopped, nothing more reaches the receiver, not even reports already on their way.
    void stopDropsReportsOnTheirWay()
    {
        QJsonArray stores;
        for (int i = 0; i < 300; ++i)
            stores.append(
                store(QString::number(i), QStringLiteral("店%1").arg(i), share(QStringLiteral("many/%1").arg(i))));
        ReportReceiver receiver;
        N8thread worker(&receiver, nullptr);
        worker.mode = QStringLiteral("xml");
        worker.kind = 1;
        worker.stores = stores;
        // As the dialog's cancel: the stop comes while further reports may be queued already.
        receiver.onReport = [&] {
            if (receiver.reports.size() == 2)
                worker.stopThread();
        };
        worker.start();
        QVERIFY(waitUntil([&] { return receiver.reports.size() >= 2; }));
        worker.quit();
        QVERIFY(worker.wait(30000));
        QTest::qWait(20);
        QCOMPARE(receiver.reports.size(), 2);
    }

    void reachableStoresAndNames_data()
    {
        QTest::addColumn<QJsonArray>("stores");
        QTest::addColumn<QStringList>("reachableIds");
        QTest::addColumn<QString>("names");
        const QString here = m_dir.path();
        const QString missing = m_dir.filePath("no-such-share");
        QTest::newRow("empty, missing, reachable")
            << QJsonArray {store("101", "旗舰店", ""), store("102", "分店", missing), store("103", "三店", here)}
            << QStringList {"103"} << "旗舰店,分店";
        QTest::newRow("shares in Windows form")
            << QJsonArray {store("101", "旗舰店", "\\\\n8srv\\n8"), store("102", "分店", "\\\\n8srv\\n8\\gone"),
                   store("103", "三店", "\\\\unmapped\\n8"), store("104", "四店", "\\\\n8srv\\n8\\..\\..")}
            << QStringList {"101"} << "分店,三店,四店";
        QTest::newRow("all reachable, order kept")
            << QJsonArray {store("102", "分店", here), store("101", "旗舰店", here + "/")} << QStringList {"102", "101"}
            << "";
        QTest::newRow("missing key or not text counts as none")
            << QJsonArray {store("101", "旗舰店", QJsonValue::Undefined), store("102", "分店", 7)} << QStringList {}
            << "旗舰店,分店";
        QTest::newRow("a file is no folder")
            << QJsonArray {store("101", "旗舰店", QCoreApplication::applicationFilePath())} << QStringList {}
            << "旗舰店";
        // "\\" and "/" name the disk's root, which exists but is no share.
        QTest::newRow("root and paths outside the shares") << QJsonArray {store("101", "旗舰店", "\\"),
            store("102", "分店", "/"), store("103", "三店", "\\tmp"), store("104", "四店", QDir::tempPath())}
                                                           << QStringList {} << "旗舰店,分店,三店,四店";
        QTest::newRow("no stores") << QJsonArray() << QStringList {} << "";
    }

    void reachableStoresAndNames()
    {
        QFETCH(QJsonArray, stores);
        QFETCH(QStringList, reachableIds);
        QFETCH(QString, names);
        QVERIFY(Deployment::setN8Shares("//n8srv/n8=" + m_dir.path() + ";" + ownShare()));
        StoreReceiver receiver;
        QPointer<N8thread> check = startCheck(&receiver, stores);
        QVERIFY(waitUntil([&] { return receiver.calls.size() == 1 && check.isNull(); }));
        QStringList ids;
        for (const QJsonValue& v : receiver.calls.first().first)
            ids << v.toObject().value("id").toString();
        QCOMPARE(ids, reachableIds);
        QCOMPARE(receiver.calls.first().second, names);
        // The reachable store objects are passed on whole.
        for (const QJsonValue& v : receiver.calls.first().first)
            QVERIFY(stores.contains(v));
    }

    void receiverGoneBeforeTheResult()
    {
        QJsonArray many;
        for (int i = 0; i < 20000; ++i)
            many.append(store(QString::number(i), QStringLiteral("店%1").arg(i), m_dir.filePath(QString::number(i))));
        StoreReceiver* receiver = new StoreReceiver;
        QPointer<StoreReceiver> guard(receiver);
        QPointer<N8thread> check = startCheck(receiver, many);
        delete receiver; // the window closed while the check runs
        QVERIFY(waitUntil([&] { return check.isNull(); }, 30000));
        QVERIFY(guard.isNull());
    }
};

QTEST_MAIN(TestN8thread)
#include "tst_n8thread.moc"
