#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "tests/support/orderfolder.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/smalldisk.h"
#include "tests/support/testbackend.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
ImageData* store()
{
    return ImageData::getInstance();
}

QList<Image> fineNamed(const QStringList& wanted)
{
    QList<Image> result;
    for (const Image& image : store()->GetSeletedImages())
        if (wanted.contains(image.GetImageName()))
            result.append(image);
    return result;
}

const QString fineFailure = QStringLiteral("成品%1移至汰片失败，请检查是否有其他软件使用");
} // namespace

class TestAlbumMoves : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    std::unique_ptr<PromptRecorder> m_prompts;

private slots:
    void initTestCase() { QVERIFY(m_backend.isReady()); }

    void init()
    {
        Config::orderMode = 0;
        Config::recoverPhotoSortType = "编号排序";
        ImageData::changedImages.clear();
        store()->setMyUsedimages({});
        store()->setMyUnUsedimages({});
        store()->clearImages();
        m_backend->clearRequests();
        m_prompts.reset();
        m_prompts.reset(new PromptRecorder);
    }

    // Three names, the second of which cannot go (a folder of its name blocks 汰片): the
    // other two move, one box names the second, and it stays on disk, in 成品 and in 未选.
    void secondOfThreeUnmovable()
    {
        OrderFolder order;
        order.add("成品", {"a.jpg", "b.jpg", "c.jpg"});
        order.addFile("汰片/b.jpg/keep.jpg", "keep");
        store()->importImage(PHOTO_FINE);
        store()->setMyUnUsedimages(fineNamed({"a.jpg", "b.jpg"}));

        const QStringList moved = store()->fineImageToDeleted({"a.jpg", "b.jpg", "c.jpg"});

        QCOMPARE(moved, QStringList({"a.jpg", "c.jpg"}));
        QCOMPARE(m_prompts->count(), 1);
        QCOMPARE(m_prompts->last().kind, PromptCall::Information);
        QCOMPARE(m_prompts->last().title, QStringLiteral("警告"));
        QCOMPARE(m_prompts->last().text, fineFailure.arg("b.jpg"));
        QCOMPARE(m_prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"b.jpg"}));
        QCOMPARE(imageNames(store()->getImagelist(SELE_UNUSED)), QStringList({"b.jpg"}));
        QCOMPARE(order.entries("成品"), QStringList({"b.jpg"}));
        QCOMPARE(order.read("成品/b.jpg"), QByteArray("b.jpg"));
        QCOMPARE(order.entries("汰片"), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
        QCOMPARE(order.read("汰片/a.jpg"), QByteArray("a.jpg"));
        QCOMPARE(order.read("汰片/c.jpg"), QByteArray("c.jpg"));
        QCOMPARE(order.read("汰片/b.jpg/keep.jpg"), QByteArray("keep"));
        // 汰片 learns of them at the following import.
        QCOMPARE(store()->getDeletedImageNum(), 0);
    }

    // A 汰片 that is a file (a broken share): nothing moves, one box names them all.
    void nothingMovesIntoAFile()
    {
        OrderFolder order;
        order.add("成品", {"a.jpg", "b.jpg", "c.jpg"});
        order.addFile("汰片", "not a folder");
        store()->importImage(PHOTO_FINE);

        QVERIFY(store()->fineImageToDeleted({"a.jpg", "b.jpg", "c.jpg"}).isEmpty());
        QCOMPARE(m_prompts->texts(), QStringList({fineFailure.arg("a.jpg、b.jpg、c.jpg")}));
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
        QCOMPARE(order.entries("成品"), QStringList({"a.jpg", "b.jpg", "c.jpg"}));
        QCOMPARE(order.read("汰片"), QByteArray("not a folder"));
    }

    // The photo was set aside at another station: its source is gone and 汰片 holds it.
    // It is not reported as moved, and the file in 汰片 (the only copy) survives.
    void missingSourceIsNoMoveAndTheTargetSurvives()
    {
        OrderFolder order;
        order.add("成品", {"a.jpg", "b.jpg"});
        store()->importImage(PHOTO_FINE);
        QVERIFY(QDir().mkpath(order.path("汰片")));
        QVERIFY(QFile::rename(order.path("成品/a.jpg"), order.path("汰片/a.jpg")));

        QCOMPARE(store()->fineImageToDeleted({"a.jpg", "b.jpg"}), QStringList({"b.jpg"}));
        QCOMPARE(m_prompts->texts(), QStringList({fineFailure.arg("a.jpg")}));
        QCOMPARE(order.read("汰片/a.jpg"), QByteArray("a.jpg"));
        QCOMPARE(order.read("汰片/b.jpg"), QByteArray("b.jpg"));
    }

    // A same-named file in the target album is replaced by the photo, and nothing else remains.
    void sameNamedTargetIsReplaced()
    {
        OrderFolder order;
        order.add("汰片", {"a.jpg"});
        order.add("成品", {"a.jpg"}, "old ");
        store()->importImage(PHOTO_DELETED);

        QCOMPARE(store()->deletedImageToFine({"a.jpg"}), QStringList({"a.jpg"}));
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(order.entries("成品"), QStringList({"a.jpg"}));
        QCOMPARE(order.read("成品/a.jpg"), QByteArray("a.jpg"));
        QVERIFY(order.entries("汰片").isEmpty());
    }

    // Two photos whose names differ only in the case of the extension: the one asked for by
    // its name on disk moves, and the other stays, on disk and in 成品 and 未选.
    void sameNamedPhotosOfTwoSpellings_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("stays");
        QTest::newRow("second") << "IMG_1.jpg"
                                << "IMG_1.JPG";
        QTest::newRow("first") << "IMG_1.JPG"
                               << "IMG_1.jpg";
    }

    void sameNamedPhotosOfTwoSpellings()
    {
        QFETCH(QString, asked);
        QFETCH(QString, stays);
        OrderFolder order;
        order.add("成品", {"IMG_1.JPG", "IMG_1.jpg"});
        store()->importImage(PHOTO_FINE);
        store()->setMyUnUsedimages(store()->GetSeletedImages());

        QCOMPARE(store()->fineImageToDeleted({asked}), QStringList({asked}));
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(order.entries("成品"), QStringList({stays}));
        QCOMPARE(order.read("汰片/" + asked), asked.toUtf8());
        QCOMPARE(store()->GetSeletedImages().size(), 1);
        QCOMPARE(store()->GetSeletedImages().first().fileNameOnDisk(), stays);
        QCOMPARE(store()->getImagelist(SELE_UNUSED).size(), 1);
        QCOMPARE(store()->getImagelist(SELE_UNUSED).first().fileNameOnDisk(), stays);
    }

    // 汰片 on a disk too full for one photo: that photo stays in 成品, whole, and the box
    // names it; the one that fits moves; nothing half-written is left in 汰片.
    void fullDiskKeepsThePhoto()
    {
        OrderFolder order;
        order.add("成品", {"small.jpg"});
        const QByteArray big(200 * 1024, 'b');
        order.addFile("成品/big.jpg", big);
        SmallDisk disk(order.path("汰片"), 64);
        if (!disk.isMounted())
            QSKIP("a small file system cannot be mounted here (needs root)");
        store()->importImage(PHOTO_FINE);

        QCOMPARE(store()->fineImageToDeleted({"big.jpg", "small.jpg"}), QStringList({"small.jpg"}));
        QCOMPARE(m_prompts->texts(), QStringList({fineFailure.arg("big.jpg")}));
        QVERIFY(order.read("成品/big.jpg") == big);
        QCOMPARE(order.entries("成品"), QStringList({"big.jpg"}));
        QCOMPARE(order.entries("汰片"), QStringList({"small.jpg"}));
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"big.jpg"}));
    }

    // A photo that is a relative link moves as a link, and counts as moved although the link
    // leads nowhere from its new folder.
    void relativeLinkPhotoMoves()
    {
        OrderFolder order;
        order.add("成品", {"b.jpg"});
        QVERIFY(QFile::link("b.jpg", order.path("成品/a.jpg")));
        store()->importImage(PHOTO_FINE);

        QCOMPARE(store()->fineImageToDeleted({"a.jpg"}), QStringList({"a.jpg"}));
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(QFileInfo(order.path("汰片/a.jpg")).symLinkTarget(), order.path("汰片/b.jpg"));
        QCOMPARE(order.entries("成品"), QStringList({"b.jpg"}));
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"b.jpg"}));
    }

    // Restores and design moves: the photos asked for move in the order asked; a name of
    // another spelling or not in the album is skipped without a box; a missing target
    // folder is made.
    void movesBetweenAlbums_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("fromFolder");
        QTest::addColumn<QString>("toFolder");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("expected");
        const QStringList asked = {"c.jpg", "A.jpg", "zz.jpg", "a.jpg", "c.jpg"};
        QTest::newRow("汰片 to 成品") << int(PHOTO_DELETED) << "汰片"
                                      << "成品" << asked << QStringList({"c.jpg", "a.jpg"});
        QTest::newRow("设计汰片 to 设计") << int(PHOTO_DESIGN_DELETED) << "设计汰片"
                                          << "设计" << asked << QStringList({"c.jpg", "a.jpg"});
        QTest::newRow("设计 to 设计汰片") << int(PHOTO_DESIGN) << "设计"
                                          << "设计汰片" << asked << QStringList({"c.jpg", "a.jpg"});
    }

    void movesBetweenAlbums()
    {
        QFETCH(int, from);
        QFETCH(QString, fromFolder);
        QFETCH(QString, toFolder);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, expected);
        OrderFolder order;
        order.add(fromFolder, {"a.jpg", "b.jpg", "c.jpg"});
        store()->importImage(PHOTOTYPE(from));

        QStringList moved;
        switch (from) {
        case PHOTO_DELETED:
            moved = store()->deletedImageToFine(asked);
            break;
        case PHOTO_DESIGN_DELETED:
            moved = store()->deletedDesignImageToDesign(asked);
            break;
        default:
            moved = store()->deleteDesignImage(asked);
            QVERIFY(m_backend.waitForRequests(1));
        }

        QCOMPARE(moved, expected);
        QCOMPARE(m_prompts->count(), 0);
        QCOMPARE(imageNames(store()->getImagelist(SELE_ALL)), QStringList({"b.jpg"}));
        QCOMPARE(order.entries(fromFolder), QStringList({"b.jpg"}));
        QCOMPARE(order.entries(toFolder), QStringList({"a.jpg", "c.jpg"}));
        QCOMPARE(order.read(toFolder + "/a.jpg"), QByteArray("a.jpg"));
        // Only the photo left in the source album is known until the following import.
        QCOMPARE(store()->getRawImageNum() + store()->getFinalImageNum() + store()->getDeletedImageNum()
                + store()->getDesignImageNum() + store()->getDesignDeletedImageNum(),
            1);
    }

    // The back end hears of every design deletion, with the names that moved joined by ","
    // and with an empty list when nothing moved.
    void designDeletionNotice_data()
    {
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("imgsName");
        QTest::newRow("two moved") << QStringList({"y 1.jpg", "x&1.jpg"}) << "y 1.jpg,x&1.jpg";
        QTest::newRow("none in 设计") << QStringList({"nope.jpg"}) << "";
    }

    void designDeletionNotice()
    {
        QFETCH(QStringList, asked);
        QFETCH(QString, imgsName);
        OrderFolder order;
        order.add("设计", {"x&1.jpg", "y 1.jpg"});
        store()->importImage(PHOTO_DESIGN);
        Config::manager_id = "7";
        Config::super_id = "3";
        Config::shop_id = "12";
        Config::orderOneId = "20001";
        Config::order_id = "1001";
        Config::order_sample_infoid = "555";

        store()->deleteDesignImage(asked);
        QVERIFY(m_backend.waitForRequests(1));
        const QList<StandInRequest> posted = m_backend->requestsTo("Ordernew", "del_photo");
        QCOMPARE(posted.size(), 1);
        const QList<QPair<QString, QString>> expected = {{"uid", "7"}, {"companyid", "3"}, {"shopid", "12"},
            {"imgs_name", imgsName}, {"orderid", "20001"}, {"order_photo_id", "1001"}, {"order_sample_infoid", "555"},
            {"version", Config::version}, {"token", Config::token}};
        QCOMPARE(posted.first().fields, expected);
        QByteArray raw;
        for (const auto& field : expected)
            raw += '&' + field.first.toUtf8() + '=' + QUrl::toPercentEncoding(field.second);
        QCOMPARE(posted.first().body, raw);
        QCOMPARE(m_prompts->count(), 0);
    }

    // The full-screen discard keeps the cursor usable: stepping forward after it shows the
    // photo that followed the one discarded (wrapping at the end).
    void fullScreenDiscardCursor_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("discarded");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("next");
        QTest::newRow("third of five") << 2 << "c.jpg"
                                       << "b.jpg"
                                       << "d.jpg";
        QTest::newRow("first") << 0 << "a.jpg"
                               << "e.jpg"
                               << "b.jpg";
        QTest::newRow("last") << 4 << "e.jpg"
                              << "d.jpg"
                              << "a.jpg";
        QTest::newRow("another photo") << 3 << "b.jpg"
                                       << "d.jpg"
                                       << "e.jpg";
    }

    void fullScreenDiscardCursor()
    {
        QFETCH(int, current);
        QFETCH(QString, discarded);
        QFETCH(QString, after);
        QFETCH(QString, next);
        OrderFolder order;
        order.add("成品", {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
        store()->importImage(PHOTO_FINE);
        store()->setIterator(current, SELE_ALL);

        QCOMPARE(store()->fullScreenViewfineImageToDeleted({discarded}), QStringList({discarded}));
        QCOMPARE(store()->getCurrentImage().GetImageName(), after);
        store()->iteratorMoveNext();
        QCOMPARE(store()->getCurrentImage().GetImageName(), next);
    }

    void fullScreenDiscardOfTheOnlyPhoto()
    {
        OrderFolder order;
        order.add("成品", {"a.jpg"});
        store()->importImage(PHOTO_FINE);
        QCOMPARE(store()->fullScreenViewfineImageToDeleted({"a.jpg"}), QStringList({"a.jpg"}));
        QCOMPARE(store()->getCurrentIndex(), -1);
        store()->iteratorMoveNext();
        QVERIFY(store()->isFirstOne() && store()->isLastOne());
        QVERIFY(store()->fullScreenViewfineImageToDeleted({"a.jpg"}).isEmpty());
    }

    // Raw photos are deleted with their thumbnails, missing thumbnails or not; a photo that
    // could not be deleted (here a folder of that name now) keeps its thumbnails and its place.
    void rawDeletion()
    {
        OrderFolder order;
        order.add("照片", {"r1.jpg", "r2.jpg", "r3.jpg"});
        for (const char* folder : {"thumbnail", "thumbnail100", "thumbnail2250"})
            order.add(folder, {"r1.jpg", "r3.jpg"});
        store()->importImage(PHOTO_RAW);
        QVERIFY(QFile::remove(order.path("照片/r3.jpg")));
        order.addFile("照片/r3.jpg/inside.jpg", "inside");

        // Only the names really deleted are returned, for the callers to report.
        QCOMPARE(store()->deleteRawImage({"r1.jpg", "r2.jpg", "r3.jpg", "R1.jpg"}), QStringList({"r1.jpg", "r2.jpg"}));

        QCOMPARE(imageNames(store()->GetAllImages()), QStringList({"r3.jpg"}));
        QCOMPARE(m_prompts->texts(), QStringList({QStringLiteral("照片r3.jpg删除失败，请重试")}));
        QCOMPARE(order.entries("照片"), QStringList({"r3.jpg"}));
        for (const char* folder : {"thumbnail", "thumbnail100", "thumbnail2250"})
            QCOMPARE(order.entries(folder), QStringList({"r3.jpg"}));
    }

    void removeDeletedImageEmptiesTheAlbum()
    {
        OrderFolder order;
        order.add("汰片", {"a.jpg", "b.jpg"});
        order.add("成品", {"c.jpg"});
        store()->importImage(PHOTO_DELETED);
        store()->removeDeletedImage();
        QCOMPARE(store()->getDeletedImageNum(), 0);
        QVERIFY(QDir(order.path("汰片")).exists());
        QVERIFY(order.entries("汰片").isEmpty());
        QCOMPARE(order.entries("成品"), QStringList({"c.jpg"}));
    }
};

QTEST_MAIN(TestAlbumMoves)
#include "tst_albummoves.moc"
