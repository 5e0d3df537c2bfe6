#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "photostore/thumbnailthread.h"
#include "standin/demodata.h"
#include "tests/support/exifjpeg.h"
#include "tests/support/orderfolder.h"
#include "viewer/fullscreenview.h"

#include <QDir>
#include <QImageReader>
#include <QPixmap>
#include <QThreadPool>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// Stands in for the widgets that start jobs: it has exactly the reply slots of the jobs
// and records each call with its arguments.
class Receiver : public QWidget
{
    Q_OBJECT
public:
    struct Call
    {
        QString slot;
        QVariantList args;
        bool onGuiThread;
    };
    QList<Call> calls;

    QPixmap pixmap(int call, int arg) const { return calls.at(call).args.at(arg).value<QPixmap>(); }

public slots:
    void updateThumbIcon(int row, int index, QPixmap icon, int album)
    {
        record("updateThumbIcon/4", {row, index, icon, album});
    }
    void updateThumbIcon(int index, QPixmap icon, int album) { record("updateThumbIcon/3", {index, icon, album}); }
    void updateThumbIcon(int index, QPixmap icon) { record("updateThumbIcon/2", {index, icon}); }
    void onFinishSaveThumb() { record("onFinishSaveThumb", {}); }
    void loadFinished(QImage image, QString path, bool flag) { record("loadFinished", {image, path, flag}); }
    void reLoadThumbFinished() { record("reLoadThumbFinished", {}); }
    void onFinishLoadCmpImage(QImage image, int index) { record("onFinishLoadCmpImage", {image, index}); }
    void phototoupOneFinishSlot(bool turned, QPixmap icon) { record("phototoupOneFinishSlot", {turned, icon}); }

private:
    void record(const QString& slot, const QVariantList& args)
    {
        calls.append({slot, args, QThread::currentThread() == qApp->thread()});
    }
};

class TestThumbnailThread : public QObject
{
    Q_OBJECT
private:
    // Runs the job on the global pool and delivers what it posted.
    static void run(ThumbnailThread* job)
    {
        QThreadPool::globalInstance()->start(job, 0);
        finish();
    }
    static void finish()
    {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    static QStringList files(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

private slots:
    void listIconModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("slot");
        QTest::newRow("products panel") << 1 << "updateThumbIcon/4";
        QTest::newRow("album panel") << 6 << "updateThumbIcon/3";
        QTest::newRow("rebuild") << 9 << "updateThumbIcon/3";
    }
    void listIconModes()
    {
        QFETCH(int, mode);
        QFETCH(QString, slot);
        OrderFolder order(OrderFolder::ThumbnailFolders);
        Image photo = order.addPhoto(PHOTO_DELETED, QStringLiteral("p.jpg"), 1200, 800);
        photo.setProductId(QStringLiteral("用2"));
        if (mode == 9) { // levels that exist are rewritten all the same
            ImageOperation::getThumb(photo, 100);
            order.age(photo.GetThumbPath100());
        }
        const QDateTime before = QDateTime::currentDateTime().addSecs(-60);
        Receiver receiver;
        ThumbnailThread* job = mode == 1 ? new ThumbnailThread(photo, 3, 7, &receiver)
            : mode == 6                  ? new ThumbnailThread(photo, 3, &receiver)
                                         : new ThumbnailThread(photo, 3, QStringLiteral("ignored"), &receiver);
        run(job);
        QCOMPARE(receiver.calls.size(), 1);
        const Receiver::Call& call = receiver.calls.first();
        QCOMPARE(call.slot, slot);
        QVERIFY(call.onGuiThread);
        QVariantList expected = mode == 1 ? QVariantList {7, 3} : QVariantList {3};
        QCOMPARE(call.args.mid(0, expected.size()), expected);
        QCOMPARE(call.args.last().toInt(), int(PHOTO_DELETED));
        QCOMPARE(receiver.pixmap(0, expected.size()).size(), QSize(100, 100));
        QVERIFY(order.modified(photo.GetThumbPath100()) > before);
        QCOMPARE(order.sizeOf(photo.GetMiddleImagePath()), QSize(2250, 1500));
    }

    void destroyedReceiverGetsNothing()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image first = order.addPhoto(PHOTO_FINE, QStringLiteral("a.jpg"), 600, 400);
        const Image second = order.addPhoto(PHOTO_FINE, QStringLiteral("b.jpg"), 600, 400);
        auto* receiver = new Receiver;
        QPointer<Receiver> guard(receiver);
        // Gone before the job runs, and gone while its reply is on the way.
        auto* early = new Receiver;
        QThreadPool::globalInstance()->start(new ThumbnailThread(first, 0, early), 0);
        delete early;
        QThreadPool::globalInstance()->start(new ThumbnailThread(second, 1, receiver), 0);
        QThreadPool::globalInstance()->waitForDone();
        delete receiver;
        finish();
        QVERIFY(guard.isNull());
        for (const Image& photo : {first, second}) {
            QVERIFY(order.exists(photo.GetThumbPath100()));
            QVERIFY(order.exists(photo.GetImagePath()));
            QVERIFY(order.exists(photo.GetMiddleImagePath()));
        }
    }

    void pathsAreTakenWhenTheJobIsMade()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_RAW, QStringLiteral("x.jpg"), 600, 400);
        const QString list = photo.GetThumbPath100();
        Receiver receiver;
        auto* job = new ThumbnailThread(photo, 0, &receiver);
        OrderFolder other(OrderFolder::ThumbnailFolders); // another order opened before the job ran
        QVERIFY(DirServer::getOrderPath() != order.order());
        run(job);
        QCOMPARE(receiver.calls.size(), 1);
        QVERIFY(order.exists(list));
        QVERIFY(files(DirServer::getOriginalImageThumbPath100()).isEmpty());
    }

    void picturesForTheViewer()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_FINE, QStringLiteral("v.jpg"), 640, 480, 6);
        const QString path = photo.GetBigImagePath();
        Receiver viewer;
        FullScreenView::isValid = false;
        run(new ThumbnailThread(&viewer, path, true, false)); // the viewer always gets it
        QCOMPARE(viewer.calls.size(), 1);
        QCOMPARE(viewer.calls[0].slot, QStringLiteral("loadFinished"));
        QCOMPARE(viewer.calls[0].args[0].value<QImage>().size(), QSize(640, 480)); // as stored
        QCOMPARE(viewer.calls[0].args[1].toString(), path);
        QCOMPARE(viewer.calls[0].args[2].toBool(), true);

        Receiver fullScreen;
        FullScreenView::isValid = true;
        run(new ThumbnailThread(&fullScreen, path, false, true));
        QCOMPARE(fullScreen.calls.size(), 1);
        QCOMPARE(fullScreen.calls[0].args[2].toBool(), false);

        FullScreenView::isValid = false; // closed before the job ran
        run(new ThumbnailThread(&fullScreen, path, true, true));
        QCOMPARE(fullScreen.calls.size(), 1);

        FullScreenView::isValid = true; // closed while the reply was on its way
        QThreadPool::globalInstance()->start(new ThumbnailThread(&fullScreen, path, true, true), 0);
        QThreadPool::globalInstance()->waitForDone();
        FullScreenView::isValid = false;
        finish();
        QCOMPARE(fullScreen.calls.size(), 1);
    }

    void comparePicture()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_RAW, QStringLiteral("c.jpg"), 300, 200);
        Receiver editor;
        run(new ThumbnailThread(2, photo.GetBigImagePath(), &editor));
        run(new ThumbnailThread(3, order.path(QStringLiteral("missing.jpg")), &editor));
        QCOMPARE(editor.calls.size(), 2);
        QCOMPARE(editor.calls[0].slot, QStringLiteral("onFinishLoadCmpImage"));
        QCOMPARE(editor.calls[0].args[0].value<QImage>().size(), QSize(300, 200));
        QCOMPARE(editor.calls[0].args[1].toInt(), 2);
        QVERIFY(editor.calls[1].args[0].value<QImage>().isNull());
        QCOMPARE(editor.calls[1].args[1].toInt(), 3);
    }

    void templateIcon()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("room.jpg"));
        QVERIFY(DemoData::writePhoto(file, 1600, 900, QStringLiteral("客厅")));
        Receiver chooser;
        run(new ThumbnailThread(file, 4, &chooser));
        run(new ThumbnailThread(dir.filePath(QStringLiteral("none.jpg")), 5, &chooser));
        QCOMPARE(chooser.calls.size(), 2);
        QCOMPARE(chooser.calls[0].slot, QStringLiteral("updateThumbIcon/2"));
        QCOMPARE(chooser.calls[0].args[0].toInt(), 4);
        QCOMPARE(chooser.pixmap(0, 1).size(), QSize(100, 100));
        QCOMPARE(chooser.calls[1].args[0].toInt(), 5);
        QVERIFY(chooser.pixmap(1, 1).isNull()); // sent all the same
    }

    void middleAndSmallRebuilt()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_DESIGN, QStringLiteral("d.jpg"), 3000, 2000);
        Receiver panel;
        run(new ThumbnailThread(&panel, photo));
        QCOMPARE(panel.calls.size(), 1);
        QCOMPARE(panel.calls[0].slot, QStringLiteral("reLoadThumbFinished"));
        QCOMPARE(order.sizeOf(photo.GetMiddleImagePath()), QSize(2250, 1500));
        QCOMPARE(order.sizeOf(photo.GetImagePath()), QSize(1000, 666));
        QVERIFY(!order.exists(photo.GetThumbPath100()));
    }

    void cropThumbnail()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        Image photo = order.addPhoto(PHOTO_FINE, QStringLiteral("k.jpg"), 1500, 1000);
        photo.setClipRect(QRect(100, 100, 400, 300), false);
        Receiver viewer;
        QVERIFY(!QDir(DirServer::getClipThumbPath()).exists());
        run(new ThumbnailThread(photo, &viewer, 88));
        QVERIFY(viewer.calls.isEmpty());
        QCOMPARE(order.sizeOf(DirServer::getClipThumbPath() + QStringLiteral("k.jpg")), QSize(88, 88));
    }

    void sheetCache()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        QTemporaryDir temp;
        const QString cache = temp.path() + QStringLiteral("/1700000000000/");
        DirServer::setWebPageThumbPath(cache);
        const Image a = order.addPhoto(PHOTO_FINE, QStringLiteral("s1.jpg"), 900, 600);
        const Image b = order.addPhoto(PHOTO_FINE, QStringLiteral("s2.jpg"), 600, 900);
        QVERIFY(QDir().mkpath(DirServer::getMarkerPath()));
        for (const QString& mark : {QStringLiteral("s1.jpg"), QStringLiteral("s2.jpg")})
            QVERIFY(DemoData::writePhoto(DirServer::getMarkerPath() + mark, 300, 200, mark));
        const Image design = order.addPhoto(PHOTO_DESIGN, QStringLiteral("d1.jpg"), 800, 500);
        order.addPhoto(PHOTO_DESIGN, QStringLiteral("d2.jpg"), 800, 500); // no list thumbnail: not copied
        ImageOperation::getThumb(design, 100);

        Receiver sheet;
        run(new ThumbnailThread(QList<Image> {a, b}, &sheet, 88));
        QCOMPARE(sheet.calls.size(), 1);
        QCOMPARE(sheet.calls[0].slot, QStringLiteral("onFinishSaveThumb"));
        QCOMPARE(files(cache), (QStringList {"s1.jpg", "s2.jpg"}));
        QCOMPARE(order.sizeOf(cache + "s2.jpg"), QSize(88, 88));
        QCOMPARE(files(cache + "marks/"), (QStringList {"s1.jpg", "s2.jpg"}));
        QCOMPARE(files(cache + "design/"), QStringList {"d1.jpg"});
        QCOMPARE(order.read(cache + "design/d1.jpg"), order.read(design.GetThumbPath100()));

        // Without a marks folder there is no marks sub-folder.
        QVERIFY(QDir(DirServer::getMarkerPath()).removeRecursively());
        const QString second = temp.path() + QStringLiteral("/1700000000001/");
        DirServer::setWebPageThumbPath(second);
        run(new ThumbnailThread(QList<Image> {a}, &sheet, 88));
        QCOMPARE(sheet.calls.size(), 2);
        QVERIFY(!QDir(second + "marks/").exists());
        QVERIFY(QDir(second + "design/").exists());
    }

    void sheetCacheWithoutFolderWritesNothing()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image a = order.addPhoto(PHOTO_FINE, QStringLiteral("s1.jpg"), 900, 600);
        QTemporaryDir workDir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(workDir.path());
        DirServer::setWebPageThumbPath(QString());
        Receiver sheet;
        run(new ThumbnailThread(QList<Image> {a}, &sheet, 88));
        QDir::setCurrent(previous);
        QCOMPARE(sheet.calls.size(), 1); // still told it is done
        QVERIFY(QDir(workDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    void albumTurnedUpright()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image plain = order.addPhoto(PHOTO_FINE, QStringLiteral("1.jpg"), 1200, 800);
        const Image turned = order.addPhoto(PHOTO_FINE, QStringLiteral("2.jpg"), 1200, 800, 6);
        const Image other = order.addPhoto(PHOTO_FINE, QStringLiteral("3.jpg"), 1200, 800, 1);
        const QByteArray plainBytes = order.read(plain.GetBigImagePath());
        const QByteArray otherBytes = order.read(other.GetBigImagePath());
        ImageData::getInstance()->importImage(PHOTO_FINE);
        QCOMPARE(ImageData::getInstance()->getImagelist(SELE_ALL).size(), 3);

        Receiver viewer;
        auto* job = new ThumbnailThread(10, &viewer);
        ImageData::getInstance()->clearImages(); // the job works on the list it was made with
        run(job);

        QCOMPARE(viewer.calls.size(), 3);
        QStringList names;
        for (const Image& p : {plain, turned, other})
            names << p.GetImageName();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(viewer.calls[i].slot, QStringLiteral("phototoupOneFinishSlot"));
            const bool isTurned = names[i] == QStringLiteral("2.jpg");
            QCOMPARE(viewer.calls[i].args[0].toBool(), isTurned);
            QCOMPARE(viewer.pixmap(i, 1).isNull(), !isTurned);
        }
        QCOMPARE(order.sizeOf(turned.GetBigImagePath()), QSize(800, 1200));
        QCOMPARE(ImageOperation::getDirection(turned.GetBigImagePath()), 1);
        QCOMPARE(viewer.pixmap(1, 1).size(), QSize(100, 100));
        QCOMPARE(order.sizeOf(turned.GetMiddleImagePath()), QSize(1500, 2250));
        QCOMPARE(order.read(plain.GetBigImagePath()), plainBytes);
        QCOMPARE(order.read(other.GetBigImagePath()), otherBytes);
        QVERIFY(!order.exists(plain.GetThumbPath100()));

        // A second run finds every photo upright.
        ImageData::getInstance()->importImage(PHOTO_FINE);
        run(new ThumbnailThread(10, &viewer));
        QCOMPARE(viewer.calls.size(), 6);
        for (int i = 3; i < 6; ++i)
            QCOMPARE(viewer.calls[i].args[0].toBool(), false);
        ImageData::getInstance()->clearImages();
    }

    // Every orientation a camera, phone or scanner writes is undone, mirrored ones too; a
    // photo that is upright, or whose tag is absent or means nothing, is not touched.
    void everyOrientationTurnedUpright_data()
    {
        QTest::addColumn<int>("orientation"); // -1: no EXIF block at all
        QTest::addColumn<bool>("littleEndian");
        QTest::addColumn<bool>("turned");
        for (int o = 0; o <= 9; ++o)
            QTest::addRow("%d", o) << o << false << (o >= 2 && o <= 8);
        QTest::newRow("5 little-endian") << 5 << true << true;
        QTest::newRow("65535") << 65535 << false << false;
        QTest::newRow("absent") << -1 << false << false;
    }
    void everyOrientationTurnedUpright()
    {
        QFETCH(int, orientation);
        QFETCH(bool, littleEndian);
        QFETCH(bool, turned);
        // Four colours in the corners of a picture that is wider than high.
        QImage stored(160, 80, QImage::Format_RGB32);
        const QRgb corners[] = {qRgb(220, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 220), qRgb(230, 230, 0)};
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 160; ++x)
                stored.setPixel(x, y, corners[(x < 80 ? 0 : 1) + (y < 40 ? 0 : 2)]);
        QByteArray bytes = ExifJpeg::encode(stored, 95);
        if (orientation >= 0)
            bytes = ExifJpeg::withOrientation(bytes, orientation, littleEndian);

        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhotoFile(PHOTO_FINE, QStringLiteral("o.jpg"), bytes);
        // What an EXIF-aware viewer shows: the upright reference.
        QImageReader upright(photo.GetBigImagePath());
        upright.setAutoTransform(true);
        const QImage reference = upright.read();
        QVERIFY(!reference.isNull());

        ImageData::getInstance()->importImage(PHOTO_FINE);
        Receiver viewer;
        run(new ThumbnailThread(10, &viewer));
        ImageData::getInstance()->clearImages();
        QCOMPARE(viewer.calls.size(), 1);
        QCOMPARE(viewer.calls[0].args[0].toBool(), turned);
        if (!turned) {
            QCOMPARE(order.read(photo.GetBigImagePath()), bytes);
            QVERIFY(!order.exists(photo.GetThumbPath100()));
            return;
        }
        QImageReader plain(photo.GetBigImagePath());
        plain.setAutoTransform(false);
        const QImage after = plain.read();
        QCOMPARE(after.size(), reference.size());
        QCOMPARE(ImageOperation::getDirection(photo.GetBigImagePath()), 1);
        auto near = [](QRgb a, QRgb b) {
            return qAbs(qRed(a) - qRed(b)) < 40 && qAbs(qGreen(a) - qGreen(b)) < 40 && qAbs(qBlue(a) - qBlue(b)) < 40;
        };
        const int w = after.width();
        const int h = after.height();
        for (const QPoint p :
            {QPoint(w / 4, h / 4), QPoint(3 * w / 4, h / 4), QPoint(w / 4, 3 * h / 4), QPoint(3 * w / 4, 3 * h / 4)})
            QVERIFY2(
                near(after.pixel(p), reference.pixel(p)), qPrintable(QStringLiteral("at %1,%2").arg(p.x()).arg(p.y())));
        QVERIFY(order.exists(photo.GetThumbPath100()));
    }

    // A photo still being copied is not turned: its half-grey picture would replace it.
    void halfCopiedPhotoIsNotTurned()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image photo = order.addPhoto(PHOTO_FINE, QStringLiteral("h.jpg"), 1200, 800, 6);
        const QByteArray whole = order.read(photo.GetBigImagePath());
        const QByteArray half = whole.left(whole.size() / 2);
        order.addPhotoFile(PHOTO_FINE, QStringLiteral("h.jpg"), half);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        Receiver viewer;
        run(new ThumbnailThread(10, &viewer));
        ImageData::getInstance()->clearImages();
        QCOMPARE(viewer.calls.size(), 1);
        QCOMPARE(viewer.calls[0].args[0].toBool(), false);
        QCOMPARE(order.read(photo.GetBigImagePath()), half);
    }

    // The turned photo cannot be written (as on a full share): it stays as it was and the
    // reply says nothing was turned.
    void failedTurnIsNoTurn()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        const Image turned = order.addPhoto(PHOTO_FINE, QStringLiteral("t.jpg"), 1200, 800, 8);
        const QByteArray before = order.read(turned.GetBigImagePath());
        ImageData::getInstance()->importImage(PHOTO_FINE);
        Receiver viewer;
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limited = old;
        limited.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limited);
        run(new ThumbnailThread(10, &viewer));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        ImageData::getInstance()->clearImages();
        QCOMPARE(viewer.calls.size(), 1);
        QCOMPARE(viewer.calls[0].args[0].toBool(), false);
        QVERIFY(viewer.pixmap(0, 1).isNull());
        QCOMPARE(order.read(turned.GetBigImagePath()), before);
        QCOMPARE(files(DirServer::getFineImagePath()), QStringList {"t.jpg"});
    }

    void unknownModeDoesNothing()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        order.addPhoto(PHOTO_FINE, QStringLiteral("u.jpg"), 1200, 800, 6);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        Receiver viewer;
        run(new ThumbnailThread(11, &viewer));
        run(new ThumbnailThread(0, &viewer));
        ImageData::getInstance()->clearImages();
        QVERIFY(viewer.calls.isEmpty());
        QVERIFY(files(DirServer::getFineImageThumbPath100()).isEmpty());
        QCOMPARE(ImageOperation::getDirection(DirServer::getFineImagePath() + "u.jpg"), 6);
    }
};

QTEST_MAIN(TestThumbnailThread)
#include "tst_thumbnailthread.moc"
