#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "tests/support/orderfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The out-of-range album and filter values these tests pass are defined only for enums of
// a fixed type: these redeclarations stop compiling if the type is ever dropped.
enum PHOTOTYPE : int;
enum SELETYPE : int;

namespace {
QList<Image> photos(const QStringList& names, PHOTOTYPE type = PHOTO_FINE)
{
    QList<Image> list;
    for (const QString& name : names) {
        Image image;
        image.SetPhotoType(type);
        image.Setpath(name);
        list.append(image);
    }
    return list;
}

Image changed(const QString& name, const QString& need, QRect crop, bool ellipse)
{
    Image image;
    image.Setpath(name);
    image.SetStrneed(need);
    image.setClipRect(crop, ellipse);
    return image;
}

ImageData* store()
{
    return ImageData::getInstance();
}

const QStringList five = {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"};
// Ascending MD5 keys of those names.
const QStringList fiveByKey = {"a.jpg", "c.jpg", "e.jpg", "b.jpg", "d.jpg"};
} // namespace

class TestImageData : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        Config::orderMode = 0;
        Config::cp_sortmodel = "0";
        Config::recoverPhotoSortType.clear();
        ImageData::changedImages.clear();
        store()->setMyUsedimages({});
        store()->setMyUnUsedimages({});
        store()->clearImages();
    }

    void importListsTheFiveAlbums()
    {
        OrderFolder order;
        order.add("照片", {"c.JPG", "a.jpg", "B.jpg", "notes.txt", "d.png", "e.jpeg", "._a.jpg"});
        QDir(order.path("照片")).mkdir("sub.jpg");
        order.add("成品", {"IMG_2.JPG", "IMG_1.jpg", "IMG_10.Jpg"});
        order.add("汰片", {"x.jpg"});
        order.add("设计汰片", {"p1.JPG"});
        // No 设计 folder at all.
        store()->setMyUsedimages(photos({"kept.jpg"}));

        store()->importImage(PHOTO_FINE);

        QCOMPARE(imageNames(store()->GetAllImages()), QStringList({"a.jpg", "B.jpg", "c.jpg"}));
        QCOMPARE(store()->GetAllImages().at(2).fileNameOnDisk(), QStringLiteral("c.JPG"));
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"IMG_1.jpg", "IMG_10.jpg", "IMG_2.jpg"}));
        QCOMPARE(imageNames(store()->GetLeftImages()), QStringList({"x.jpg"}));
        QVERIFY(store()->GetDesignImages().isEmpty());
        QCOMPARE(store()->getDesignDeletedImageNum(), 1);
        const PHOTOTYPE expected[] = {PHOTO_RAW, PHOTO_FINE, PHOTO_DELETED, PHOTO_DESIGN, PHOTO_DESIGN_DELETED};
        for (int t = 0; t <= 4; ++t) {
            store()->setType(PHOTOTYPE(t), SELE_ALL);
            for (const Image& image : store()->getImagelist(SELE_ALL))
                QCOMPARE(image.GetPicType(), expected[t]);
        }
        QCOMPARE(imageNames(store()->getImagelist(SELE_ALL)), QStringList({"p1.jpg"}));

        // The used list is the album panel's: import leaves it.
        QCOMPARE(store()->getSelImageNum(SELE_USED), 1);
        QCOMPARE(store()->getChengPinImgs(), 3);
        QCOMPARE(store()->getDeletedImgs(), 1);
    }

    void importPutsTheCursorOnTheFirstPhotoOfTheAlbum()
    {
        OrderFolder order;
        order.add("照片", {"r1.jpg"});
        order.add("汰片", {"x.jpg", "y.jpg"});
        store()->importImage(PHOTO_DELETED);
        QCOMPARE(store()->getType(), PHOTO_DELETED);
        QCOMPARE(store()->getCurrentIndex(), 0);
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("x.jpg"));
    }

    // A camera's IMG_1.JPG is the photo IMG_1.jpg, and every path of it names the real file.
    void upperCaseFileLoadsAndMoves()
    {
        OrderFolder order;
        order.add("成品", {"IMG_1.JPG"});
        store()->importImage(PHOTO_FINE);
        const Image photo = store()->getCurrentImage();
        QCOMPARE(photo.GetImageName(), QStringLiteral("IMG_1.jpg"));
        QVERIFY(QFileInfo(photo.GetBigImagePath()).isFile());
        QCOMPARE(photo.GetThumbPath100(), order.path("成品缩略图100/IMG_1.jpg"));

        Image target = photo;
        target.SetPhotoType(PHOTO_DELETED);
        QVERIFY(FileOperation::fileMove(photo.GetBigImagePath(), target.GetBigImagePath(), false));
        QVERIFY(QFileInfo(order.path("汰片/IMG_1.JPG")).isFile());

        store()->importImage(PHOTO_DELETED);
        QCOMPARE(imageNames(store()->GetLeftImages()), QStringList({"IMG_1.jpg"}));
        QVERIFY(QFileInfo(store()->getCurrentImage().GetBigImagePath()).isFile());
    }

    // Albums read ahead (on a worker) import as a reading of the folders would; a reading
    // taken before a move made here is not used: the moved photo shows where it now is.
    void importOfAReadingTakenBefore()
    {
        OrderFolder order;
        order.add("成品", {"a.jpg", "b.jpg"});
        order.add("汰片", {"x.jpg"});
        ImageData::changedImages = {changed("b.jpg", "已有1个标注", QRect(), false)};
        const ImageData::Albums read = ImageData::readAlbums(ImageData::albumSources());
        ImageData::changedImages.clear();

        store()->importImage(PHOTO_FINE, read);
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"a.jpg", "b.jpg"}));
        QCOMPARE(store()->GetSeletedImages().at(1).GetStrneed(), QStringLiteral("已有1个标注"));
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("a.jpg"));

        QCOMPARE(store()->fineImageToDeleted({"a.jpg"}), QStringList({"a.jpg"}));
        store()->importImage(PHOTO_FINE, read);
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"b.jpg"}));
        QCOMPARE(imageNames(store()->GetLeftImages()), QStringList({"a.jpg", "x.jpg"}));
    }

    void changedImagesReachOnlyTheFineAlbum()
    {
        OrderFolder order;
        order.add("照片", {"a.jpg"});
        order.add("成品", {"a.jpg", "b.jpg", "c.JPG"});
        order.add("汰片", {"b.jpg"});
        ImageData::changedImages = {changed("a.jpg", "first", QRect(1, 1, 10, 10), false),
            changed("b.jpg", "only", QRect(5, 6, 70, 80), true), changed("a.jpg", "second", QRect(2, 2, 20, 20), true),
            changed("C.jpg", "other case", QRect(3, 3, 30, 30), false)};
        store()->importImage(PHOTO_FINE);

        const QList<Image>& fine = store()->GetSeletedImages();
        QCOMPARE(fine.at(0).GetStrneed(), QStringLiteral("second"));
        QCOMPARE(fine.at(0).GetTrimrc(), QRect(2, 2, 20, 20));
        QVERIFY(fine.at(0).isEllipse());
        QCOMPARE(fine.at(1).GetStrneed(), QStringLiteral("only"));
        QVERIFY(fine.at(2).GetStrneed().isEmpty());
        QVERIFY(fine.at(0).getProductId().isEmpty());

        QVERIFY(store()->GetAllImages().at(0).GetStrneed().isEmpty());
        QVERIFY(store()->GetLeftImages().at(0).GetStrneed().isEmpty());
        QCOMPARE(store()->GetLeftImages().at(0).GetTrimrc(), QRect(0, 0, 1, 1));
    }

    void deletedOrder_data()
    {
        QTest::addColumn<QString>("sortType");
        QTest::addColumn<QStringList>("expected");
        // Times: e newest (after 2038), then c, then a and d in the same second, b oldest.
        QTest::newRow("date") << "创建日期排序" << QStringList({"e.jpg", "c.jpg", "a.jpg", "d.jpg", "b.jpg"});
        QTest::newRow("number") << "编号排序" << five;
        QTest::newRow("unset") << "" << five;
        QTest::newRow("fixed") << "固定规则乱序" << fiveByKey;
    }

    void deletedOrder()
    {
        QFETCH(QString, sortType);
        QFETCH(QStringList, expected);
        OrderFolder order;
        order.add("汰片", {"d.jpg", "b.jpg", "e.jpg", "a.jpg", "c.jpg"});
        const QDateTime base(QDate(2024, 7, 1), QTime(10, 0, 0));
        QVERIFY(order.stamp("汰片/b.jpg", base));
        QVERIFY(order.stamp("汰片/a.jpg", base.addSecs(1)));
        QVERIFY(order.stamp("汰片/d.jpg", base.addSecs(1)));
        QVERIFY(order.stamp("汰片/c.jpg", base.addSecs(2)));
        QVERIFY(order.stamp("汰片/e.jpg", QDateTime(QDate(2040, 1, 1), QTime(0, 0, 0))));
        Config::recoverPhotoSortType = sortType;
        store()->importImage(PHOTO_DELETED);
        QCOMPARE(imageNames(store()->GetLeftImages()), expected);
    }

    void movedIntoDeletedComesFirstByDate()
    {
        OrderFolder order;
        order.add("成品", {"late.jpg"});
        order.add("汰片", {"early.jpg"});
        QVERIFY(order.stamp("汰片/early.jpg", QDateTime::currentDateTime().addSecs(-1)));
        QVERIFY(FileOperation::fileMove(order.path("成品/late.jpg"), order.path("汰片/late.jpg"), false));
        Config::recoverPhotoSortType = "创建日期排序";
        store()->importImage(PHOTO_DELETED);
        QCOMPARE(imageNames(store()->GetLeftImages()), QStringList({"late.jpg", "early.jpg"}));
    }

    void fixedOrderInModeTwo()
    {
        OrderFolder order;
        for (const char* album : {"照片", "成品", "设计"})
            order.add(album, five);
        order.add("汰片", {"d.jpg", "b.jpg", "e.jpg"});
        Config::orderMode = 2;
        Config::cp_sortmodel = "2";
        store()->setMyUsedimages(photos(five));
        store()->setMyUnUsedimages(photos({"e.jpg", "b.jpg", "a.jpg"}));

        store()->importImage(PHOTO_FINE);

        QCOMPARE(imageNames(store()->GetAllImages()), fiveByKey);
        QCOMPARE(imageNames(store()->GetSeletedImages()), fiveByKey);
        QCOMPARE(imageNames(store()->GetDesignImages()), fiveByKey);
        QCOMPARE(imageNames(store()->GetLeftImages()), QStringList({"b.jpg", "d.jpg", "e.jpg"}));
        store()->setType(PHOTO_FINE, SELE_USED);
        QCOMPARE(imageNames(store()->getImagelist(SELE_USED)), fiveByKey);
        QCOMPARE(imageNames(store()->getImagelist(SELE_UNUSED)), QStringList({"a.jpg", "e.jpg", "b.jpg"}));
        store()->setType(PHOTO_FINE, SELE_ALL);
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("a.jpg"));
    }

    void shuffleInModeTwoKeepsTheSetAsideAlbums()
    {
        OrderFolder order;
        QStringList many;
        for (int i = 0; i < 40; ++i)
            many.append(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        order.add("成品", many);
        order.add("汰片", many.mid(0, 20));
        Config::orderMode = 2;
        store()->importImage(PHOTO_FINE);

        const QStringList fine = imageNames(store()->GetSeletedImages());
        QVERIFY(fine != many);
        QStringList sorted = fine;
        sorted.sort();
        QCOMPARE(sorted, many);
        QCOMPARE(imageNames(store()->GetLeftImages()), many.mid(0, 20));
        QCOMPARE(store()->getCurrentIndex(), 0);
    }

    void shuffleFromASeed()
    {
        QStringList many;
        for (int i = 0; i < 30; ++i)
            many.append(QStringLiteral("p%1.jpg").arg(i));
        QStringList eight = many.mid(0, 8);
        store()->setMyUsedimages(photos(many));
        store()->setMyUnUsedimages(photos(eight));
        store()->setType(PHOTO_FINE, SELE_USED);
        store()->setIterator(3, SELE_USED);

        store()->disorder(42);
        const QStringList first = imageNames(store()->getImagelist(SELE_USED));
        QVERIFY(first != many);
        QStringList sorted = first;
        std::sort(sorted.begin(), sorted.end());
        QStringList expectedSorted = many;
        std::sort(expectedSorted.begin(), expectedSorted.end());
        QCOMPARE(sorted, expectedSorted);
        // Eight photos: every step exchanges a photo with itself.
        QCOMPARE(imageNames(store()->getImagelist(SELE_UNUSED)), eight);
        // The cursor keeps its position.
        QCOMPARE(store()->getCurrentIndex(), 3);

        store()->setMyUsedimages(photos(many));
        store()->disorder(42);
        QCOMPARE(imageNames(store()->getImagelist(SELE_USED)), first);
        store()->setMyUsedimages(photos(many));
        store()->disorder(43);
        QVERIFY(imageNames(store()->getImagelist(SELE_USED)) != first);

        store()->setMyUsedimages(photos({"one.jpg"}));
        store()->disorder(42);
        QCOMPARE(imageNames(store()->getImagelist(SELE_USED)), QStringList({"one.jpg"}));
    }

    void cursorOnAnAlbum_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("five") << 5;
        QTest::newRow("one") << 1;
        QTest::newRow("empty") << 0;
    }

    void cursorOnAnAlbum()
    {
        QFETCH(int, count);
        OrderFolder order;
        order.add("成品", five.mid(0, count));
        store()->importImage(PHOTO_FINE);

        if (count == 0) {
            QVERIFY(store()->isFirstOne() && store()->isLastOne());
            QVERIFY(store()->iteratorMoveNextToEnd(store()->getIterator()));
            store()->iteratorMoveNext();
            store()->iteratorMovePre();
            store()->iteratorMoveEnd();
            QCOMPARE(store()->getCurrentIndex(), -1);
            QVERIFY(store()->getCurrentImage().GetImageName().isEmpty());
            QVERIFY(store()->getIterator() == store()->getImagelist(SELE_ALL).end());
            return;
        }
        if (count == 1) {
            store()->iteratorMoveNext();
            QCOMPARE(store()->getCurrentIndex(), 0);
            store()->iteratorMovePre();
            QCOMPARE(store()->getCurrentIndex(), 0);
            QVERIFY(store()->isFirstOne() && store()->isLastOne());
            return;
        }
        // The end position designates no photo.
        store()->setIterator(5, SELE_ALL);
        QCOMPARE(store()->getCurrentIndex(), -1);
        QVERIFY(store()->getCurrentImage().GetImageName().isEmpty());
        QVERIFY(!store()->isLastOne());
        store()->iteratorMoveNext();
        QCOMPARE(store()->getCurrentIndex(), 0);
        QVERIFY(store()->isFirstOne() && !store()->isLastOne());
        store()->setIterator(5, SELE_ALL);
        store()->iteratorMovePre();
        QCOMPARE(store()->getCurrentIndex(), 4);
        QVERIFY(store()->isLastOne());
        store()->iteratorMoveNext();
        QCOMPARE(store()->getCurrentIndex(), 0);
        store()->iteratorMovePre();
        QCOMPARE(store()->getCurrentIndex(), 4);
        store()->iteratorMoveFirst();
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("a.jpg"));
        store()->iteratorMoveEnd();
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("e.jpg"));
        store()->setIterator(-1, SELE_ALL);
        QCOMPARE(store()->getCurrentIndex(), 4);
    }

    void slideShowStopsBackAtItsStart()
    {
        OrderFolder order;
        order.add("成品", five.mid(0, 3));
        store()->importImage(PHOTO_FINE);
        store()->setIterator(1, SELE_ALL);
        const QList<Image>::iterator start = store()->getIterator();
        QVERIFY(!store()->iteratorMoveNextToEnd(start));
        QCOMPARE(store()->getCurrentIndex(), 2);
        QVERIFY(!store()->iteratorMoveNextToEnd(start));
        QCOMPARE(store()->getCurrentIndex(), 0);
        QVERIFY(store()->iteratorMoveNextToEnd(start));
        QCOMPARE(store()->getCurrentIndex(), 1);
    }

    // A reader's copy of the list must never take the cursor with it.
    void cursorStaysInTheStoreWhenTheListIsCopied()
    {
        OrderFolder order;
        order.add("成品", five.mid(0, 3));
        store()->importImage(PHOTO_FINE);
        store()->setIterator(1, SELE_ALL);
        const QList<Image>::iterator start = store()->getIterator();

        const QList<Image> copy = store()->getImagelist(SELE_ALL);
        store()->getIterator()->SetStrneed("修眼袋");
        QCOMPARE(store()->GetSeletedImages().at(1).GetStrneed(), QStringLiteral("修眼袋"));
        QVERIFY(copy.at(1).GetStrneed().isEmpty());

        // The show's start now lies in the reader's copy: the show ends instead of reading it.
        QVERIFY(store()->iteratorMoveNextToEnd(start));
        QCOMPARE(store()->getCurrentIndex(), 2);

        // A list that shrinks under the cursor leaves it at the end position.
        store()->setIterator(2, SELE_ALL);
        store()->GetSeletedImages().removeLast();
        QCOMPARE(store()->getCurrentIndex(), -1);
        QVERIFY(store()->isLastOne() == false);
        store()->iteratorMoveNext();
        QCOMPARE(store()->getCurrentIndex(), 0);
    }

    void filteredLists()
    {
        OrderFolder order;
        order.add("成品", five);
        store()->importImage(PHOTO_FINE);
        store()->setMyUsedimages(photos({"b.jpg", "d.jpg", "e.jpg"}));
        store()->setMyUnUsedimages(photos({"a.jpg", "c.jpg"}));

        store()->setType(PHOTO_FINE, SELE_USED);
        QCOMPARE(imageNames(store()->getImagelist(SELE_USED)), QStringList({"b.jpg", "d.jpg", "e.jpg"}));
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("b.jpg"));
        QVERIFY(store()->isFirstOne());
        store()->iteratorMoveNext();
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("d.jpg"));
        QCOMPARE(store()->getCurrentIndex(), 1);
        store()->iteratorMoveNext();
        QVERIFY(store()->isLastOne());
        store()->iteratorMoveNext();
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("b.jpg"));
        store()->iteratorMovePre();
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("e.jpg"));
        QVERIFY(store()->getImagelist(SELETYPE(7)).isEmpty());

        // Other albums ignore the filter.
        store()->setType(PHOTO_RAW, SELE_USED);
        QCOMPARE(store()->getImagelist(SELE_USED).size(), 0);
        QCOMPARE(store()->getCurrentIndex(), -1);

        // By name: album 1 becomes current with the filter named, the cursor in its list.
        QVERIFY(store()->setIterator(QStringLiteral("c.jpg"), SELE_UNUSED));
        QCOMPARE(store()->getType(), PHOTO_FINE);
        QCOMPARE(store()->getCurrentIndex(), 1);
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("c.jpg"));
        QVERIFY(!store()->setIterator(QStringLiteral("d.jpg"), SELE_UNUSED));
        QVERIFY(!store()->setIterator(QStringLiteral("C.jpg"), SELE_ALL));
        QCOMPARE(store()->getCurrentImage().GetImageName(), QStringLiteral("c.jpg"));

        QCOMPARE(store()->getSeleIterator(2, SELE_USED)->GetImageName(), QStringLiteral("e.jpg"));
        QVERIFY(store()->getSeleIterator(3, SELE_USED) == store()->getImagelist(SELE_USED).end());
        store()->getSeleIterator(0, SELE_ALL)->setProductId("用2");
        QCOMPARE(store()->GetSeletedImages().at(0).getProductId(), QStringLiteral("用2"));
        QCOMPARE(store()->getSelImageNum(SELE_UNUSED), 2);
        QCOMPARE(store()->getSelImageNum(SELETYPE(3)), 0);
    }

    void fineImageByName_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("camera spelling") << QStringList({"a.JPG"}) << "a.jpg"
                                         << "a.JPG";
        QTest::newRow("not the other way") << QStringList({"a.jpg"}) << "a.JPG"
                                           << "";
        QTest::newRow("exact first") << QStringList({"a.JPG", "a.jpg"}) << "a.jpg"
                                     << "a.JPG";
        QTest::newRow("dots in name") << QStringList({"a.JPG", "a.b.JPG"}) << "a.b.jpg"
                                      << "a.b.JPG";
        QTest::newRow("no dot") << QStringList({"README"}) << "README"
                                << "README";
        QTest::newRow("missing") << QStringList({"a.jpg"}) << "b.jpg"
                                 << "";
    }

    void fineImageByName()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        store()->setMyUsedimages(photos(stored));
        QCOMPARE(store()->getFineImage(asked, SELE_USED).GetImageName(), found);
        QVERIFY(store()->getFineImage(asked, SELETYPE(5)).GetImageName().isEmpty());
    }

    void orderByProductCount()
    {
        OrderFolder order;
        order.add("成品", {"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
        store()->importImage(PHOTO_FINE);
        const QStringList ids = {"用1", "", "用1用2", "用3用3"};
        for (int i = 0; i < 4; ++i)
            store()->GetSeletedImages()[i].setProductId(ids.at(i));
        store()->setIterator(1, SELE_ALL);
        store()->orderFineImage();
        QCOMPARE(imageNames(store()->GetSeletedImages()), QStringList({"c.jpg", "d.jpg", "a.jpg", "b.jpg"}));
        QCOMPARE(store()->getCurrentIndex(), 1);
    }

    void clearKeepsTheProductLists()
    {
        OrderFolder order;
        order.add("照片", {"a.jpg"});
        order.add("成品", {"a.jpg"});
        store()->importImage(PHOTO_FINE);
        store()->setMyUsedimages(photos({"a.jpg"}));
        store()->clearImages();
        QCOMPARE(store()->getType(), PHOTO_RAW);
        QCOMPARE(store()->getRawImageNum() + store()->getFinalImageNum() + store()->getDeletedImageNum()
                + store()->getDesignImageNum() + store()->getDesignDeletedImageNum(),
            0);
        QCOMPARE(store()->getSelImageNum(SELE_USED), 1);
        QVERIFY(store()->getIterator() == store()->GetAllImages().end());
    }

    void uploadPaths()
    {
        OrderFolder order;
        order.add("成品", {"b.JPG", "a.jpg", "c.png"});
        order.add("marks", {"m.jpg"});
        QCOMPARE(ImageData::getFine100Image(),
            QStringList({order.path("成品缩略图/a.jpg"), order.path("成品缩略图/b.jpg"), order.path("marks/m.jpg")}));
        order.add("crops", {"c.JPG"});
        QCOMPARE(ImageData::getFine100Image().last(), order.path("crops/c.JPG"));
    }

    void fineAndDeleted()
    {
        OrderFolder order;
        order.add("成品", {"b.jpg", "B.jpg", "a.jpg"});
        order.add("汰片", {"z.jpg", "Y.jpg"});
        ImageData::changedImages
            = {changed("a.jpg", "need", QRect(0, 0, 5, 5), false), changed("z.jpg", "need", QRect(0, 0, 5, 5), false)};
        const QList<Image> list = ImageData::getFineAndDeletedImage();
        QCOMPARE(imageNames(list), QStringList({"B.jpg", "a.jpg", "b.jpg", "Y.jpg", "z.jpg"}));
        QCOMPARE(list.at(1).GetStrneed(), QStringLiteral("need"));
        QCOMPARE(list.at(4).GetPicType(), PHOTO_DELETED);
        QVERIFY(list.at(4).GetStrneed().isEmpty());
    }

    void keysAndKeyOrder()
    {
        QCOMPARE(ImageData::encryptionName("IMG_0001.jpg"), QStringLiteral("7bcd06807ecb617c03ebcb2a334ce5f0"));
        QCOMPARE(ImageData::encryptionName("照片.jpg"), QStringLiteral("69f31a1a30cd6be23b5a956e07f01686"));
        QMap<QString, Image> byKey;
        const QStringList keys = {"d", "B", "a", "c", "e"};
        for (const QString& key : keys)
            byKey.insert(key, photos({key + ".jpg"}).first());
        QCOMPARE(imageNames(store()->returnSortList(keys, byKey)),
            QStringList({"B.jpg", "d.jpg", "a.jpg", "c.jpg", "e.jpg"}));
    }
};

QTEST_GUILESS_MAIN(TestImageData)
#include "tst_imagedata.moc"
