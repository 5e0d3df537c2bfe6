#include "photostore/dirserver.h"

#include <QDir>
#include <QtConcurrent>
#include <QtTest>

#include <functional>

using Getter = std::function<QString()>;
Q_DECLARE_METATYPE(Getter)

class TestDirServer : public QObject
{
    Q_OBJECT
private slots:
    // Runs first: nothing has set the order folder in this process yet.
    void gettersBeforeAnyOrderAreRelative()
    {
        QCOMPARE(DirServer::getFineImagePath(), QStringLiteral("成品/"));
        QCOMPARE(DirServer::getOrderPath(), QString());
        QCOMPARE(DirServer::getWebPageThumbPath(), QString());
        QCOMPARE(DirServer::getTempPath(), QDir::tempPath() + QStringLiteral("/vqsoft/"));
    }

    void orderFolders_data()
    {
        QTest::addColumn<Getter>("getter");
        QTest::addColumn<QString>("subFolder");
        QTest::newRow("order") << Getter(&DirServer::getOrderPath) << "";
        QTest::newRow("raw") << Getter(&DirServer::getOriginalImagePath) << "照片/";
        QTest::newRow("raw small") << Getter(&DirServer::getOriginalImageSmallThumbPath) << "thumbnail/";
        QTest::newRow("raw list") << Getter(&DirServer::getOriginalImageThumbPath100) << "thumbnail100/";
        QTest::newRow("raw middle") << Getter(&DirServer::getOriginalImageMidThumbPath) << "thumbnail2250/";
        QTest::newRow("fine") << Getter(&DirServer::getFineImagePath) << "成品/";
        QTest::newRow("fine small") << Getter(&DirServer::getFineImageSmallThumbPath) << "成品缩略图/";
        QTest::newRow("fine list") << Getter(&DirServer::getFineImageThumbPath100) << "成品缩略图100/";
        QTest::newRow("fine middle") << Getter(&DirServer::getFineImageMidThumbPath) << "成品缩略图2250/";
        QTest::newRow("deleted") << Getter(&DirServer::getDeletedImagePath) << "汰片/";
        QTest::newRow("design") << Getter(&DirServer::getDesignImagePath) << "设计/";
        QTest::newRow("design small") << Getter(&DirServer::getDesignImageSmallThumbPath) << "设计缩略图/";
        QTest::newRow("design list") << Getter(&DirServer::getDesignImageThumbPath100) << "设计缩略图100/";
        QTest::newRow("design middle") << Getter(&DirServer::getDesignImageMidThumbPath) << "设计缩略图2250/";
        QTest::newRow("design deleted") << Getter(&DirServer::getDesignDeletedImagePath) << "设计汰片/";
        QTest::newRow("marks") << Getter(&DirServer::getMarkerPath) << "marks/";
        QTest::newRow("crops") << Getter(&DirServer::getClipThumbPath) << "crops/";
    }

    void orderFolders()
    {
        QFETCH(Getter, getter);
        QFETCH(QString, subFolder);
        DirServer::setOrderPath(QStringLiteral("/Volumes/pics/A001/"));
        QCOMPARE(getter(), QStringLiteral("/Volumes/pics/A001/") + subFolder);
        // Stored as given: without the trailing "/" the names are joined, nothing repairs them.
        DirServer::setOrderPath(QStringLiteral("/Volumes/pics/A001"));
        QCOMPARE(getter(), QStringLiteral("/Volumes/pics/A001") + subFolder);
    }

    void otherRoots()
    {
        DirServer::setHomeModelPath(QStringLiteral("/Volumes/share/home/"));
        DirServer::setBackgroundMusicPath(QStringLiteral("/Volumes/share/mp3/"));
        DirServer::setServerPath(QStringLiteral("/Volumes/share/"));
        DirServer::setWebPageThumbPath(QStringLiteral("/tmp/vqsoft/123/"));
        QCOMPARE(DirServer::getHomeModelPath(), QStringLiteral("/Volumes/share/home/"));
        QCOMPARE(DirServer::getBedRoomHomeModelPath(), QStringLiteral("/Volumes/share/home/模板/卧室/"));
        QCOMPARE(DirServer::getLivingRoomHomeModelPath(), QStringLiteral("/Volumes/share/home/模板/客厅/"));
        QCOMPARE(DirServer::getOtherHomeModelPath(), QStringLiteral("/Volumes/share/home/模板/其他/"));
        QCOMPARE(DirServer::getBackgroundMusicPath(), QStringLiteral("/Volumes/share/mp3/"));
        QCOMPARE(DirServer::getServerPath(), QStringLiteral("/Volumes/share/"));
        QCOMPARE(DirServer::getWebPageThumbPath(), QStringLiteral("/tmp/vqsoft/123/"));
    }

    // Thumbnail jobs read the folders while the GUI thread switches orders.
    void readersOnOtherThreadsSeeWholePaths()
    {
        const QString a = QStringLiteral("/Volumes/pics/A001/");
        const QString b = QStringLiteral("/Volumes/pics/B0000000000000000000002/");
        QAtomicInt stop(0);
        QFuture<bool> reader = QtConcurrent::run([&]() {
            bool whole = true;
            while (!stop.loadAcquire()) {
                const QString p = DirServer::getFineImagePath();
                whole = whole && (p == a + "成品/" || p == b + "成品/");
            }
            return whole;
        });
        for (int i = 0; i < 20000; ++i)
            DirServer::setOrderPath(i % 2 ? a : b);
        stop.storeRelease(1);
        QVERIFY(reader.result());
    }
};

QTEST_GUILESS_MAIN(TestDirServer)
#include "tst_dirserver.moc"
