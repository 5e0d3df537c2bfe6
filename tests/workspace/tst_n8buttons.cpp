#include "core/config.h"
#include "core/deployment.h"
#include "exchange/n8productfile.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "workspace/photooperation.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The album panel's two N8 buttons: which one began the road is what the main window gets
// once the selection has been synced.
class TestN8Buttons : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture m_fixture;
    QTemporaryDir m_share;

private slots:
    void initTestCase()
    {
        QVERIFY(m_share.isValid());
        Config::isOpenN8 = true;
        const QString shares = QStringLiteral("//N8SERVER/N8Share=") + m_share.path();
        QVERIFY(Deployment::setN8Shares(shares));
        qputenv("PHOTOSELECT_N8_SHARES", shares.toLocal8Bit());
        Deployment::setN8ViewGoProgram(QStringLiteral(STANDIN_FIXTURES_DIR "/../fakeviewgo.sh"));
        QVERIFY(QDir().mkpath(m_share.filePath("旗舰店/DEMO-1001/照片")));
        QVERIFY(QDir().mkpath(m_share.filePath("旗舰店/DEMO-1001/选版结果")));
        // A selection N8ViewGo finished earlier, so that the sync button alone finds one.
        for (const char* name : {"照片/IMG_0001.jpg", "选版结果/选版.ok", "选版结果/VgProduct.data"}) {
            QFile file(m_share.filePath(QStringLiteral("旗舰店/DEMO-1001/") + QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (file.fileName().endsWith("VgProduct.data"))
                file.write(N8ProductFile::productList(QJsonArray {QJsonObject {{"goodid", "1201"}}}));
        }
    }

    void cleanupTestCase()
    {
        Config::isOpenN8 = false;
        Deployment::setN8Shares(QString());
        Deployment::setN8ViewGoProgram(QString());
    }

    void init() { QVERIFY(m_fixture.begin()); }
    void cleanup() { m_fixture.end(); }

    void syncedRoadNamesItsButton_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QList<int>>("types");
        QTest::newRow("N8选版 then 同步N8选版") << QStringList {"N8选版", "同步N8选版"} << QList<int> {1, 2};
        // The second click comes while the first sync is on its way ("!": no wait for it): it
        // starts no second sync.
        QTest::newRow("同步N8选版 twice at once") << QStringList {"同步N8选版!", "同步N8选版"} << QList<int> {2};
    }

    void syncedRoadNamesItsButton()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QList<int>, types);
        PhotoOperation& panel = m_fixture.open();
        QSignalSpy synced(&panel, &PhotoOperation::sumbitSampleReslut);
        for (QString click : clicks) {
            const bool atOnce = click.endsWith('!');
            click.remove('!');
            const int before = synced.count();
            m_fixture.prompts->clear();
            m_fixture.button(click)->click();
            if (!atOnce)
                QVERIFY(waitUntil([&] { return synced.count() == before + 1; }));
        }
        QVERIFY(waitUntil([&] { return synced.count() >= types.size(); }));
        QTest::qWait(100);
        QList<int> seen;
        for (const QList<QVariant>& arguments : synced)
            seen << arguments.first().toInt();
        QCOMPARE(seen, types);
        QCOMPARE(m_fixture.backend->requestsTo("order", "syncgoods").size(), types.size());
    }
};

QTEST_MAIN(TestN8Buttons)
#include "tst_n8buttons.moc"
