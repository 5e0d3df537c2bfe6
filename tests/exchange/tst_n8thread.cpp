#include "exchange/n8thread.h"
#include "tests/support/eventwait.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

// Stands in for a window that asks for the store check.
class StoreReceiver : public QWidget
{
    Q_OBJECT
public:
    QList<QPair<QJsonArray, QString>> calls;
public slots:
    void slt_n8stores(QJsonArray storeables, QString msg) { calls.append(qMakePair(storeables, msg)); }
};

class TestN8thread : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

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

private slots:
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
        QTest::newRow("all reachable, order kept")
            << QJsonArray {store("102", "分店", here), store("101", "旗舰店", here + "/")} << QStringList {"102", "101"}
            << "";
        QTest::newRow("missing key or not text counts as none")
            << QJsonArray {store("101", "旗舰店", QJsonValue::Undefined), store("102", "分店", 7)} << QStringList {}
            << "旗舰店,分店";
        QTest::newRow("a file is no folder")
            << QJsonArray {store("101", "旗舰店", QCoreApplication::applicationFilePath())} << QStringList {}
            << "旗舰店";
        QTest::newRow("no stores") << QJsonArray() << QStringList {} << "";
    }

    void reachableStoresAndNames()
    {
        QFETCH(QJsonArray, stores);
        QFETCH(QStringList, reachableIds);
        QFETCH(QString, names);
        QVERIFY(m_dir.isValid());
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
