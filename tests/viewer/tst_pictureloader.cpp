#include "photostore/picturecache.h"
#include "tests/support/eventwait.h"
#include "tests/support/exifjpeg.h"
#include "viewer/pictureloader.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A photo file whose every read waits in its open until the test hands it the bytes, so that
// a read can be held while the viewer changes. The file is a link to a named pipe: each pipe
// serves one read, and the link then leads the next read to a fresh one.
class HeldPhoto
{
public:
    HeldPhoto(const QString& path, const QByteArray& bytes)
        : m_path(path)
        , m_bytes(bytes)
    {
        // A reader that stops before the end must not end the test.
        signal(SIGPIPE, SIG_IGN);
        m_made = nextPipe();
    }
    // Whatever read still waits gets an empty file, so that no reader thread stays blocked.
    ~HeldPhoto()
    {
        while (m_made && waitUntil([&] { return feed(QByteArray()); }, 500)) { }
    }
    bool isMade() const { return m_made; }
    // Hands the photo to every read until done holds; false when it did not in time.
    bool serveUntil(const std::function<bool()>& done, int timeoutMs = 30000)
    {
        return waitUntil([&] { return done() || (feed(m_bytes) && done()); }, timeoutMs);
    }

private:
    QByteArray pipe() const { return QFile::encodeName(m_path + QStringLiteral(".pipe%1").arg(m_pipes)); }
    // A fresh pipe, and the photo's link leading to it (replaced in one step).
    bool nextPipe()
    {
        ++m_pipes;
        const QByteArray link = QFile::encodeName(m_path + QStringLiteral(".link"));
        return mkfifo(pipe().constData(), 0600) == 0 && symlink(pipe().constData(), link.constData()) == 0
            && rename(link.constData(), QFile::encodeName(m_path).constData()) == 0;
    }
    // Writes bytes to a read waiting in the open of the current pipe; false when none waits.
    bool feed(const QByteArray& bytes)
    {
        const int fd = open(pipe().constData(), O_WRONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        m_made = nextPipe();
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        qint64 written = 0;
        while (written < bytes.size()) {
            const ssize_t n = write(fd, bytes.constData() + written, size_t(bytes.size() - written));
            if (n <= 0)
                break;
            written += n;
        }
        ::close(fd);
        return true;
    }

    QString m_path;
    QByteArray m_bytes;
    int m_pipes = 0;
    bool m_made = false;
};

} // namespace

// What a viewer's loader keeps of a photo many times its box: a picture a few times the box
// at most, whatever the file; the whole picture only when asked for.
class TestPictureLoader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<PictureCache::Picture>(); }

    void keptPictureStaysNearTheBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("kept");
        // libjpeg decodes at 1/8: 300 x 200, enough for the box and kept so.
        QTest::newRow("jpeg reduced while decoding") << "a.jpg" << QSize(250, 150) << QSize(300, 200);
        // Even 1/8 is three times the box: only the fitted picture is kept.
        QTest::newRow("jpeg beyond 1/8 of the box") << "a.jpg" << QSize(100, 100) << QSize(100, 66);
        // A PNG is decoded whole, 2400 x 1600.
        QTest::newRow("png decoded whole") << "a.png" << QSize(300, 200) << QSize(300, 200);
    }

    void keptPictureStaysNearTheBox()
    {
        QFETCH(QString, name);
        QFETCH(QSize, box);
        QFETCH(QSize, kept);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QImage photo(2400, 1600, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QVERIFY(photo.save(path));
        PictureCache::shared().forgetAll();

        PictureLoader loader;
        QSignalSpy loaded(&loader, &PictureLoader::loaded);
        loader.setBox(box);
        loader.want({path});
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 30000);
        PictureCache::Picture picture;
        QVERIFY(loader.cached(path, &picture));
        QCOMPARE(picture.image.size(), kept);
        QCOMPARE(picture.fitted.size(), QSize(2400, 1600).scaled(box, Qt::KeepAspectRatio));
        QCOMPARE(picture.fullSize, QSize(2400, 1600));
        QVERIFY(picture.isReduced());

        // Zooming in still gets the whole photo.
        loader.readWhole(path);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 2, 30000);
        QCOMPARE(loaded.at(1).at(1).value<PictureCache::Picture>().image.size(), QSize(2400, 1600));
        QVERIFY(loader.cached(path, &picture));
        QCOMPARE(picture.image.size(), kept);
    }

    // A viewer laid out anew while its photo is being read gets the picture for its new box:
    // kept for the old one, it would never be taken, and nothing would read it again.
    void readDuringNewLayoutIsKeptForTheNewBox()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.jpg"));
        PictureCache::shared().forgetAll();

        PictureLoader loader;
        QSignalSpy loaded(&loader, &PictureLoader::loaded);
        HeldPhoto held(path, ExifJpeg::plain(2400, 1600, Qt::darkCyan));
        QVERIFY(held.isMade());
        loader.setBox(QSize(800, 600));
        loader.want({path});
        QTRY_VERIFY_WITH_TIMEOUT(loader.stage(path) == PictureLoader::Stage::Decoding, 30000);
        // Laid out: the viewer fits into another box and wants its pictures again.
        loader.setBox(QSize(1000, 700));
        loader.want({path});
        QVERIFY(held.serveUntil([&] { return !loaded.isEmpty(); }));
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.at(0).at(1).value<PictureCache::Picture>().box, QSize(1000, 700));
        QCOMPARE(loader.stage(path), PictureLoader::Stage::Kept);
        PictureCache::Picture picture;
        QVERIFY(loader.cached(path, &picture));
        QCOMPARE(picture.box, QSize(1000, 700));
        QCOMPARE(picture.fitted.size(), QSize(1000, 666));
    }
};

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
