#include "tools/holefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestHoleFile : public QObject
{
    Q_OBJECT
private slots:
    void pathBesideTheTemplate_data()
    {
        QTest::addColumn<QString>("templatePath");
        QTest::addColumn<QString>("holePath");
        QTest::newRow("jpg") << "/t/模板/卧室/room1.jpg"
                             << "/t/模板/卧室/room1.txt";
        QTest::newRow("two dots") << "/t/a.b.png"
                                  << "/t/a.b.txt";
        QTest::newRow("upper suffix") << "/t/ROOM.JPG"
                                      << "/t/ROOM.txt";
        QTest::newRow("dot only in a folder") << "/t/v1.2/room"
                                              << "/t/v1.2/room.txt";
    }

    void pathBesideTheTemplate()
    {
        QFETCH(QString, templatePath);
        QFETCH(QString, holePath);
        QCOMPARE(HoleFile::pathFor(templatePath), holePath);
    }

    void wellFormedFilesGiveTheirHoles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("holes");
        QTest::addColumn<QPointF>("lastCorner"); // corner 4 of the last hole
        QTest::newRow("one hole") << QByteArray("1\n10,20\n10,80\n90,80\n90,20\n") << 1 << QPointF(90, 20);
        QTest::newRow("windows lines, spaces, no last newline")
            << QByteArray("2\r\n1,2\r\n3,4\r\n5,6\r\n7,8\r\n 9 , 10 \r\n11,12\r\n13,14\r\n-15,16") << 2
            << QPointF(-15, 16);
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "1\n0,0\n0,5\n5,5\n5,0\n")
                                         << 1 << QPointF(5, 0);
        QTest::newRow("lines after the last group are not read")
            << QByteArray("1\n0,0\n0,5\n5,5\n5,0\nnot a corner\n") << 1 << QPointF(5, 0);
        QTest::newRow("zero holes") << QByteArray("0\n") << 0 << QPointF();
    }

    void wellFormedFilesGiveTheirHoles()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, holes);
        QFETCH(QPointF, lastCorner);
        const HoleFile file = HoleFile::parse(text);
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        QCOMPARE(file.holes.size(), holes);
        if (holes == 0)
            return;
        QCOMPARE(file.holes.last().index, holes - 1);
        QCOMPARE(file.holes.last().point4, lastCorner);
    }

    void cornersInFileOrder()
    {
        const HoleFile file = HoleFile::parse("1\n100,200\n100,400\n300,400\n300,200\n");
        QCOMPARE(file.holes.size(), 1);
        const FAMILYPOINTS& hole = file.holes.first();
        QCOMPARE(hole.point1, QPointF(100, 200)); // where the photo's top-left goes
        QCOMPARE(hole.point2, QPointF(100, 400)); // bottom-left
        QCOMPARE(hole.point3, QPointF(300, 400)); // bottom-right
        QCOMPARE(hole.point4, QPointF(300, 200)); // top-right
    }

    // A broken file must not be half trusted: no holes at all, and a reason for the log.
    void malformedFilesGiveNoHoles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("count not a number") << QByteArray("two\n1,1\n1,2\n2,2\n2,1\n");
        QTest::newRow("negative count") << QByteArray("-1\n");
        QTest::newRow("huge count") << QByteArray("2147483647\n");
        QTest::newRow("count over the cap") << QByteArray("101\n");
        QTest::newRow("fewer lines than announced") << QByteArray("2\n0,0\n0,5\n5,5\n5,0\n6,6\n");
        QTest::newRow("corner without comma") << QByteArray("1\n0 0\n0,5\n5,5\n5,0\n");
        QTest::newRow("three numbers") << QByteArray("1\n0,0,0\n0,5\n5,5\n5,0\n");
        QTest::newRow("decimal corner") << QByteArray("1\n0.5,0\n0,5\n5,5\n5,0\n");
        QTest::newRow("empty part") << QByteArray("1\n,0\n0,5\n5,5\n5,0\n");
        QTest::newRow("corner far off the picture") << QByteArray("1\n0,0\n0,5\n5,99999999\n5,0\n");
        static const char binary[] = "\x01\x02\xff\n\x00,\x00";
        QTest::newRow("binary") << QByteArray(binary, sizeof binary - 1); // the NULs count, the terminator not
    }

    void malformedFilesGiveNoHoles()
    {
        QFETCH(QByteArray, text);
        const HoleFile file = HoleFile::parse(text);
        QVERIFY(file.holes.isEmpty());
        QVERIFY(!file.error.isEmpty());
    }

    void readingFiles()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.txt"));
        QFile f(good);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1\n1,1\n1,9\n9,9\n9,1\n");
        f.close();
        HoleFile file = HoleFile::read(good);
        QCOMPARE(file.holes.size(), 1);
        QVERIFY(file.error.isEmpty());

        // Missing, a folder of that name, and a file too large to be a hole file: no holes.
        for (const QString& path : {dir.filePath(QStringLiteral("missing.txt")), dir.path()}) {
            file = HoleFile::read(path);
            QVERIFY(file.holes.isEmpty());
            QVERIFY(!file.error.isEmpty());
        }
        const QString big = dir.filePath(QStringLiteral("big.txt"));
        QFile b(big);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.write("1\n1,1\n1,9\n9,9\n9,1\n");
        b.write(QByteArray(HoleFile::MaxFileSize, '\n'));
        b.close();
        file = HoleFile::read(big);
        QVERIFY(file.holes.isEmpty());
        QVERIFY(file.error.contains(big));
    }
};

QTEST_GUILESS_MAIN(TestHoleFile)
#include "tst_holefile.moc"
