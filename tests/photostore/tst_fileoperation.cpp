#include "core/config.h"
#include "photostore/fileoperation.h"
#include "tests/support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <QtConcurrent>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

qint64 mtime(const QString& path)
{
    return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

const QDateTime longAgo = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));

// Every entry of a folder by name, hidden ones and links too.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A photo of the given size whose bytes tell where they were: a truncated copy never
// compares equal.
QByteArray photoBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}
} // namespace

class TestFileOperation : public QObject
{
    Q_OBJECT
private slots:
    void moveStampsTheTimeOfTheMoveAndCreatesTheFolderChain()
    {
        QTemporaryDir tmp;
        const QString from = tmp.filePath("成品/IMG_1.JPG");
        const QString to = tmp.filePath("a/b/汰片/IMG_1.JPG");
        writeFile(from, "photo");
        QCOMPARE(FileOperation::ChangeFileDateTime(longAgo, longAgo, from), 0);

        const qint64 before = QDateTime::currentSecsSinceEpoch();
        QVERIFY(FileOperation::fileMove(from, to, false));
        const qint64 after = QDateTime::currentSecsSinceEpoch();
        QVERIFY(!QFile::exists(from));
        QCOMPARE(readFile(to), QByteArray("photo"));
        QVERIFY(mtime(to) >= before && mtime(to) <= after);
    }

    void moveOntoSamePathTouchesNothing()
    {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("成品/a.jpg");
        writeFile(path, "a");
        FileOperation::ChangeFileDateTime(longAgo, longAgo, path);
        QVERIFY(FileOperation::fileMove(path, path, true));
        QCOMPARE(mtime(path), longAgo.toSecsSinceEpoch());
    }

    void moveNeverReplacesUnlessAsked()
    {
        QTemporaryDir tmp;
        const QString from = tmp.filePath("成品/a.jpg");
        const QString to = tmp.filePath("汰片/a.jpg");
        writeFile(from, "new");
        writeFile(to, "old");
        QVERIFY(!FileOperation::fileMove(from, to, false));
        QCOMPARE(readFile(from), QByteArray("new"));
        QCOMPARE(readFile(to), QByteArray("old"));

        QVERIFY(FileOperation::fileMove(from, to, true));
        QVERIFY(!QFile::exists(from));
        QCOMPARE(readFile(to), QByteArray("new"));
    }

    void moveRefusesMissingOrEmptyPaths()
    {
        QTemporaryDir tmp;
        const QString from = tmp.filePath("a.jpg");
        QVERIFY(!FileOperation::fileMove(from, tmp.filePath("b.jpg"), true));
        writeFile(from, "a");
        QVERIFY(!FileOperation::fileMove(from, QString(), true));
        QVERIFY(!FileOperation::fileMove(QString(), from, true));
        QVERIFY(QFile::exists(from));
    }

    // A move that cannot be done leaves every file as it was: the source, and a same-named
    // file in the target album that the move would have replaced. Root ignores permissions,
    // so the failures come from a target that is no file, a folder that is a file, and a
    // source the system will not let go (a file of /proc: the rename crosses file systems
    // and the source cannot be removed after the copy).
    void failedMoveLosesNothing_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("target folder is a file") << "成品/a.jpg"
                                                 << "汰片/a.jpg";
        QTest::newRow("target is a folder") << "成品/a.jpg"
                                            << "设计汰片/a.jpg";
        QTest::newRow("source is a folder") << "照片/sub.jpg"
                                            << "成品/b.jpg";
        QTest::newRow("source cannot be removed") << "/proc/self/status"
                                                  << "成品/b.jpg";
        QTest::newRow("source is missing") << "成品/missing.jpg"
                                           << "成品/b.jpg";
    }

    void failedMoveLosesNothing()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QTemporaryDir tmp;
        writeFile(tmp.filePath("成品/a.jpg"), "a");
        writeFile(tmp.filePath("成品/b.jpg"), "b");
        writeFile(tmp.filePath("汰片"), "not a folder");
        writeFile(tmp.filePath("设计汰片/a.jpg/inside.jpg"), "inside");
        writeFile(tmp.filePath("照片/sub.jpg/inside.jpg"), "inside");
        const QString from = source.startsWith('/') ? source : tmp.filePath(source);
        if (!QFileInfo::exists(from) && source != "成品/missing.jpg")
            QSKIP("no such source on this system");

        QVERIFY(!FileOperation::fileMove(from, tmp.filePath(target), true));
        QCOMPARE(readFile(tmp.filePath("成品/a.jpg")), QByteArray("a"));
        QCOMPARE(readFile(tmp.filePath("成品/b.jpg")), QByteArray("b"));
        QCOMPARE(readFile(tmp.filePath("汰片")), QByteArray("not a folder"));
        QCOMPARE(readFile(tmp.filePath("设计汰片/a.jpg/inside.jpg")), QByteArray("inside"));
        QCOMPARE(readFile(tmp.filePath("照片/sub.jpg/inside.jpg")), QByteArray("inside"));
        // Nothing set aside is left behind.
        const QMap<QString, int> entries = {{"成品", 2}, {"设计汰片", 1}, {"照片", 1}};
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            QCOMPARE(
                QDir(tmp.filePath(it.key())).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                it.value());
    }

    // The replaced file is only removed once the photo has arrived, and leaves no trace.
    void replacingMoveLeavesOnlyThePhoto()
    {
        QTemporaryDir tmp;
        writeFile(tmp.filePath("汰片/a.jpg"), "new");
        writeFile(tmp.filePath("成品/a.jpg"), "old");
        writeFile(tmp.filePath("成品/.a.jpg.replaced"), "someone else's");
        QVERIFY(FileOperation::fileMove(tmp.filePath("汰片/a.jpg"), tmp.filePath("成品/a.jpg"), true));
        QCOMPARE(readFile(tmp.filePath("成品/a.jpg")), QByteArray("new"));
        QCOMPARE(readFile(tmp.filePath("成品/.a.jpg.replaced")), QByteArray("someone else's"));
        QCOMPARE(QDir(tmp.filePath("成品")).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QVERIFY(QDir(tmp.filePath("汰片")).isEmpty());
    }

    // A move onto another device copies; a photo that does not fit (alone, or beside a
    // same-named photo it would replace) is not moved: its source stays whole, the file it
    // would replace is back under its name, and no partial copy is left. One that fits
    // arrives whole.
    void moveOntoAFullDisk_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("isInTheWay");
        QTest::addColumn<bool>("fits");
        for (const int size : {20 * 1024, 60 * 1024, 64 * 1024 + 100, 66 * 1024, 200 * 1024})
            for (const bool inTheWay : {false, true})
                QTest::addRow("%d bytes%s", size, inTheWay ? ", replacing" : "")
                    << size << inTheWay << (size + (inTheWay ? 4096 : 0) <= 48 * 1024);
    }

    void moveOntoAFullDisk()
    {
        QFETCH(int, size);
        QFETCH(bool, isInTheWay);
        QFETCH(bool, fits);
        QTemporaryDir tmp;
        SmallDisk disk(tmp.filePath("汰片"), 64);
        if (!disk.isMounted())
            QSKIP("a small file system cannot be mounted here (needs root)");
        // What the small disk holds besides: the photo must not fit in what is left.
        writeFile(tmp.filePath("汰片/other.jpg"), photoBytes(12 * 1024));
        const QString from = tmp.filePath("成品/a.jpg");
        const QString to = tmp.filePath("汰片/a.jpg");
        const QByteArray photo = photoBytes(size);
        writeFile(from, photo);
        if (isInTheWay)
            writeFile(to, "same-named");

        QCOMPARE(FileOperation::fileMove(from, to, true), fits);
        if (fits) {
            QVERIFY(!QFileInfo::exists(from));
            QVERIFY(readFile(to) == photo);
        } else {
            QVERIFY(readFile(from) == photo);
            QCOMPARE(readFile(to), isInTheWay ? QByteArray("same-named") : QByteArray());
        }
        QCOMPARE(entries(tmp.filePath("汰片")),
            fits || isInTheWay ? QStringList({"a.jpg", "other.jpg"}) : QStringList({"other.jpg"}));
        QCOMPARE(entries(tmp.filePath("成品")), fits ? QStringList() : QStringList({"a.jpg"}));
    }

    // A link in the target's place is a collision whether or not it leads anywhere: without
    // replace the move fails and nothing is written through it; with replace the link goes
    // and the photo takes its place as a file. The file a link leads to is never touched,
    // not even its mode.
    void linkInTheTargetsPlace_data()
    {
        QTest::addColumn<bool>("isDangling");
        QTest::addColumn<bool>("replace");
        for (const bool dangling : {true, false})
            for (const bool replace : {false, true})
                QTest::addRow("%s, %s", dangling ? "dangling" : "to a read-only file", replace ? "replace" : "keep")
                    << dangling << replace;
    }

    void linkInTheTargetsPlace()
    {
        QFETCH(bool, isDangling);
        QFETCH(bool, replace);
        QTemporaryDir tmp;
        const QString from = tmp.filePath("成品/a.jpg");
        const QString to = tmp.filePath("汰片/a.jpg");
        const QString elsewhere = tmp.filePath("elsewhere/a.jpg");
        writeFile(from, "photo");
        QDir().mkpath(tmp.filePath("汰片"));
        QDir().mkpath(tmp.filePath("elsewhere"));
        // The mode itself: Qt's "User" bits say what we may do, and root may do anything.
        const QFileDevice::Permissions mode = QFileDevice::Permissions(0x7777) & ~QFileDevice::Permissions(0x0700);
        const QFileDevice::Permissions readOnly
            = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        if (!isDangling) {
            writeFile(elsewhere, "not ours");
            QVERIFY(QFile::setPermissions(elsewhere, readOnly));
        }
        QVERIFY(QFile::link(elsewhere, to));

        QCOMPARE(FileOperation::fileMove(from, to, replace), replace);
        if (replace) {
            QVERIFY(!QFileInfo(to).isSymLink());
            QCOMPARE(readFile(to), QByteArray("photo"));
            QVERIFY(!QFileInfo::exists(from));
        } else {
            QVERIFY(QFileInfo(to).isSymLink());
            QCOMPARE(readFile(from), QByteArray("photo"));
        }
        QCOMPARE(entries(tmp.filePath("汰片")), QStringList({"a.jpg"}));
        if (isDangling) {
            QVERIFY(entries(tmp.filePath("elsewhere")).isEmpty());
        } else {
            QCOMPARE(readFile(elsewhere), QByteArray("not ours"));
            QCOMPARE(QFile::permissions(elsewhere) & mode, readOnly);
        }
    }

    // Stations move the same photos at once, in step, photo by photo: each photo arrives
    // once, whole, and exactly one of them reports it moved; the others hear they did not.
    void stationsClaimEachPhotoOnce()
    {
        QTemporaryDir tmp;
        const int count = 1000;
        const int stations = 4;
        for (int i = 0; i < count; ++i)
            writeFile(tmp.filePath(QString("成品/%1.jpg").arg(i)), QByteArray::number(i));
        QDir().mkpath(tmp.filePath("汰片"));
        QAtomicInt arrived(0);
        const auto station = [&tmp, &arrived, count, stations]() {
            QVector<bool> claimed(count, false);
            for (int i = 0; i < count; ++i) {
                arrived.fetchAndAddOrdered(1);
                while (arrived.loadAcquire() < stations * (i + 1))
                    QThread::yieldCurrentThread();
                claimed[i] = FileOperation::fileMove(
                    tmp.filePath(QString("成品/%1.jpg").arg(i)), tmp.filePath(QString("汰片/%1.jpg").arg(i)), true);
            }
            return claimed;
        };
        QThreadPool pool;
        pool.setMaxThreadCount(stations);
        QList<QFuture<QVector<bool>>> runs;
        for (int n = 0; n < stations; ++n)
            runs.append(QtConcurrent::run(&pool, station));
        QVector<int> claims(count, 0);
        for (QFuture<QVector<bool>>& run : runs) {
            const QVector<bool> claimed = run.result();
            for (int i = 0; i < count; ++i)
                claims[i] += claimed.at(i);
        }

        QCOMPARE(claims.count(1), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(readFile(tmp.filePath(QString("汰片/%1.jpg").arg(i))), QByteArray::number(i));
        QCOMPARE(entries(tmp.filePath("汰片")).size(), count);
        QVERIFY(entries(tmp.filePath("成品")).isEmpty());
    }

    // The longest names a folder takes can still be replaced: setting the old photo aside
    // needs a name that fits too.
    void longNamedTargetIsReplaced()
    {
        QTemporaryDir tmp;
        // 83 three-byte characters and "_1.jpg": 255 bytes, the most a name may have.
        const QString name = QString(83, QChar(0x7167)) + "_1.jpg";
        QCOMPARE(QFile::encodeName(name).size(), 255);
        writeFile(tmp.filePath("成品/" + name), "new");
        writeFile(tmp.filePath("汰片/" + name), "old");

        QVERIFY(FileOperation::fileMove(tmp.filePath("成品/" + name), tmp.filePath("汰片/" + name), true));
        QCOMPARE(readFile(tmp.filePath("汰片/" + name)), QByteArray("new"));
        QCOMPARE(entries(tmp.filePath("汰片")), QStringList({name}));
        QVERIFY(entries(tmp.filePath("成品")).isEmpty());
    }

    // Times are set as given, in summer as in winter and past 2038, whatever the file's name.
    void fileTimes_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::newRow("winter") << QDateTime(QDate(2023, 1, 15), QTime(9, 30, 0));
        QTest::newRow("summer") << QDateTime(QDate(2023, 7, 15), QTime(12, 0, 0));
        QTest::newRow("after 2038") << QDateTime(QDate(2040, 6, 1), QTime(8, 0, 59));
    }

    void fileTimes()
    {
        QFETCH(QDateTime, when);
        QTemporaryDir tmp;
        const QString path = tmp.filePath("汰片/照片 一.jpg");
        writeFile(path, "x");
        const QDateTime access = when.addDays(-1);
        QCOMPARE(FileOperation::ChangeFileDateTime(access, when.addMSecs(700), path), 0);
        QCOMPARE(QFileInfo(path).lastModified(), when);
        QCOMPARE(QFileInfo(path).lastRead(), access);
    }

    void fileTimesRefuseBadInput()
    {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("a.jpg");
        writeFile(path, "x");
        const QDateTime now = QDateTime::currentDateTime();
        QCOMPARE(FileOperation::ChangeFileDateTime(QDateTime(), now, path), -1);
        QCOMPARE(FileOperation::ChangeFileDateTime(now, QDateTime(), path), -1);
        QCOMPARE(FileOperation::ChangeFileDateTime(now, now, QString()), -1);
        QCOMPARE(FileOperation::ChangeFileDateTime(now, now, tmp.filePath("missing.jpg")), -1);
    }

    void copyFile()
    {
        QTemporaryDir tmp;
        const QString from = tmp.filePath("a.jpg");
        writeFile(from, "a");
        QDir(tmp.path()).mkdir("x");
        QVERIFY(FileOperation::copyFile(from, tmp.path() + "\\x\\y.jpg", false));
        QCOMPARE(readFile(tmp.filePath("x/y.jpg")), QByteArray("a"));

        writeFile(tmp.filePath("b.jpg"), "b");
        QVERIFY(!FileOperation::copyFile(from, tmp.filePath("b.jpg"), false));
        QCOMPARE(readFile(tmp.filePath("b.jpg")), QByteArray("b"));
        QVERIFY(FileOperation::copyFile(from, tmp.filePath("b.jpg"), true));
        QCOMPARE(readFile(tmp.filePath("b.jpg")), QByteArray("a"));

        QVERIFY(FileOperation::copyFile(from, from, false));
        QVERIFY(!FileOperation::copyFile(tmp.filePath("missing.jpg"), tmp.filePath("c.jpg"), true));
    }

    void copyDirCopiesTheTree()
    {
        QTemporaryDir tmp;
        writeFile(tmp.filePath("src/a.jpg"), "a");
        writeFile(tmp.filePath("src/sub/b.jpg"), "b");
        QVERIFY(FileOperation::copyDir(tmp.filePath("src"), tmp.filePath("dst"), false));
        QCOMPARE(readFile(tmp.filePath("dst/a.jpg")), QByteArray("a"));
        QCOMPARE(readFile(tmp.filePath("dst/sub/b.jpg")), QByteArray("b"));
        QVERIFY(!FileOperation::copyDir(tmp.filePath("src"), tmp.filePath("dst"), false));
        QVERIFY(FileOperation::copyDir(tmp.filePath("src"), tmp.filePath("dst"), true));
    }

    void removeDirDeletesTheTreeButNotWhatLinksPointTo()
    {
        QTemporaryDir tmp;
        QVERIFY(!FileOperation::removeDir(tmp.filePath("missing")));

        writeFile(tmp.filePath("tree/a.jpg"), "a");
        writeFile(tmp.filePath("tree/sub/deeper/b.jpg"), "b");
        QFile::setPermissions(tmp.filePath("tree/a.jpg"), QFileDevice::ReadOwner);
        writeFile(tmp.filePath("outside/keep.jpg"), "k");
        QVERIFY(QFile::link(tmp.filePath("outside"), tmp.filePath("tree/link")));

        QVERIFY(FileOperation::removeDir(tmp.filePath("tree")));
        QVERIFY(!QFileInfo::exists(tmp.filePath("tree")));
        QCOMPARE(readFile(tmp.filePath("outside/keep.jpg")), QByteArray("k"));

        writeFile(tmp.filePath("again/x.jpg"), "x");
        FileOperation::removeDirThenMake(tmp.filePath("again"));
        QVERIFY(QDir(tmp.filePath("again")).exists());
        QVERIFY(QDir(tmp.filePath("again")).isEmpty());
    }

    void makeDirCreatesTheLastLevelOnly()
    {
        QTemporaryDir tmp;
        QVERIFY(!FileOperation::makeDir(tmp.filePath("a/b")));
        QVERIFY(FileOperation::makeDir(tmp.filePath("a")));
        QVERIFY(FileOperation::makeDir(tmp.filePath("a")));
        QVERIFY(FileOperation::isDirExist(tmp.filePath("a")));
        QVERIFY(!FileOperation::isFileExist(tmp.filePath("a")));
        writeFile(tmp.filePath("a/f.jpg"), "f");
        QVERIFY(FileOperation::isFileExist(tmp.filePath("a/f.jpg")));
        QVERIFY(FileOperation::removeFile(tmp.filePath("a/f.jpg")));
        QVERIFY(!FileOperation::isFileExist(tmp.filePath("a/f.jpg")));
        QVERIFY(!FileOperation::hide(tmp.filePath("a")));
    }

    void getFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("upper extension") << "a/b/IMG_0001.JPG"
                                         << "IMG_0001.jpg";
        QTest::newRow("two dots") << "x.tar.GZ"
                                  << "x.tar.gz";
        QTest::newRow("mixed case") << "/Volumes/p/成品/照片 1.Jpg"
                                    << "照片 1.jpg";
        QTest::newRow("no dot") << "docs/README"
                                << "README";
        QTest::newRow("dot file") << "a/.DS_Store"
                                  << ".ds_store";
        QTest::newRow("folder") << "a/b/"
                                << "";
    }

    void getFileName()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(FileOperation::getFileName(path), name);
    }

    void getImageIndex_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("camera") << "IMG_0123.jpg" << 123;
        QTest::newRow("first dot") << "DSC042.v2.jpg" << 42;
        QTest::newRow("letters") << "photo.jpg" << 0;
    }

    void getImageIndex()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        QCOMPARE(FileOperation::getImageIndex(name), index);
    }

    void changeIntoMacPath_data()
    {
        QTest::addColumn<QString>("root");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("mounted");
        QTest::newRow("share") << "/Volumes/"
                               << "\\\\srv\\photos\\2023\\A001"
                               << "/Volumes/photos/2023/A001";
        QTest::newRow("trailing") << "/Volumes/"
                                  << "\\\\srv\\home\\"
                                  << "/Volumes/home/";
        QTest::newRow("empty") << "/Volumes/"
                               << ""
                               << "";
        QTest::newRow("slashes") << "/Volumes/"
                                 << "//srv/photos/A001"
                                 << "/Volumes/photos/A001";
        QTest::newRow("absolute") << "/Volumes/"
                                  << "/photos/A001"
                                  << "/Volumes/photos/A001";
        QTest::newRow("mounted") << "/Volumes/"
                                 << "/Volumes/photos/A001"
                                 << "/Volumes/photos/A001";
        QTest::newRow("other root") << "/mnt/pics/"
                                    << "\\\\srv\\photos\\A001"
                                    << "/mnt/pics/photos/A001";
        QTest::newRow("under root") << "/mnt/pics/"
                                    << "/mnt/pics/photos/A001"
                                    << "/mnt/pics/photos/A001";
    }

    void changeIntoMacPath()
    {
        QFETCH(QString, root);
        QFETCH(QString, path);
        QFETCH(QString, mounted);
        const QString saved = Config::volumesRoot;
        Config::volumesRoot = root;
        const QString result = FileOperation::changeIntoMacPath(path);
        Config::volumesRoot = saved;
        QCOMPARE(result, mounted);
    }

    void returnKeyValue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::newRow("F12") << "F12" << int(Qt::Key_F12);
        QTest::newRow("F1") << "F1" << int(Qt::Key_F1);
        QTest::newRow("a") << "a" << int(Qt::Key_A);
        QTest::newRow("A") << "A" << int(Qt::Key_A);
        QTest::newRow("z") << "z" << int(Qt::Key_Z);
        QTest::newRow("F alone") << "F" << int(Qt::Key_F);
        QTest::newRow("digit is no key name") << "7" << 0;
        QTest::newRow("F word") << "Fx" << 0;
        QTest::newRow("F0") << "F0" << 0;
        QTest::newRow("word") << "Up" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void returnKeyValue()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        QCOMPARE(::returnKeyValue(name), key);
    }
};

QTEST_GUILESS_MAIN(TestFileOperation)
#include "tst_fileoperation.moc"
