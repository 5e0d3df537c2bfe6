#include "core/config.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/poolblocker.h"
#include "viewer/progresswindow.h"
#include "workspace/albumdisplay.h"
#include "workspace/albumtablemodel.h"
#include "workspace/photooperation.h"

#include <QDir>
#include <QItemSelectionModel>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QThreadPool>
#include <QtTest>

#include <memory>

namespace {

Product product(const QStringList& pics)
{
    Product p;
    p.pics = pics;
    return p;
}

QStringList names(const QString& stem, int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << stem.arg(i, 4, 10, QLatin1Char('0'));
    return list;
}

} // namespace

class TestAlbumDisplay : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    bool allIcons()
    {
        QListWidget* icons = s.icons();
        for (int i = 0; i < icons->count(); ++i)
            if (icons->item(i)->icon().isNull())
                return false;
        return true;
    }

private slots:
    void initTestCase() { QVERIFY(s.backend.isReady()); }

    void init() { QVERIFY(s.begin()); }

    void cleanup()
    {
        QCOMPARE(s.prompts->count(), 0);
        s.end();
    }

    void cropText_data()
    {
        QTest::addColumn<QRect>("crop");
        QTest::addColumn<QString>("text");
        QTest::newRow("no width") << QRect(10, 10, 0, 500) << "";
        QTest::newRow("1 x 1") << QRect(0, 0, 1, 1) << "";
        QTest::newRow("width 1") << QRect(0, 0, 1, 400) << "";
        QTest::newRow("800 x 600") << QRect(5, 6, 800, 600) << "宽：800||高：600";
        QTest::newRow("wider than an int counts")
            << QRect(QPoint(-2000000000, 0), QPoint(2000000000, 9)) << "宽：4000000001||高：10";
    }
    void cropText()
    {
        QFETCH(QRect, crop);
        QFETCH(QString, text);
        Image photo;
        photo.setClipRect(crop, false);
        QCOMPARE(AlbumDisplay::cropText(photo), text);
    }

    // The table serves each row from the list it was handed, as it was handed: a later change
    // of the store's list shows at the next filling; a removal keeps the other rows selected.
    void tableServesTheListAsHanded()
    {
        QList<Image> photos;
        for (const char* name : {"A.jpg", "B.jpg", "C.jpg"}) {
            Image photo;
            photo.Setpath(QString::fromUtf8(name));
            photos << photo;
        }
        photos[1].setProductId(QStringLiteral("用2"));
        photos[1].SetStrneed(QStringLiteral("已有1个标注"));
        photos[2].setClipRect(QRect(5, 6, 800, 600), false);
        AlbumTableModel model;
        model.setPhotos(photos);
        photos[0].setProductId(QStringLiteral("用9"));

        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 4);
        QStringList headers;
        for (int column = 0; column < 4; ++column)
            headers << model.headerData(column, Qt::Horizontal).toString();
        QCOMPARE(headers, (QStringList {"照片", "产品", "调修要求", "裁剪"}));
        auto row = [&model](int r) {
            QStringList texts;
            for (int column = 0; column < 4; ++column)
                texts << model.index(r, column).data().toString();
            return texts;
        };
        QCOMPARE(row(0), (QStringList {"A.jpg", "", "", ""}));
        QCOMPARE(row(1), (QStringList {"B.jpg", "用2", "已有1个标注", ""}));
        QCOMPARE(row(2), (QStringList {"C.jpg", "", "", "宽：800||高：600"}));
        QVERIFY(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsDragEnabled));
        QVERIFY(!model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));

        QItemSelectionModel selection(&model);
        selection.select(model.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        model.removeNames({"A.jpg", "missing.jpg"});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(selection.selectedRows(0).value(0).data().toString(), QStringLiteral("C.jpg"));

        model.setPhotos(photos);
        QCOMPARE(row(0), (QStringList {"A.jpg", "用9", "", ""}));
        QVERIFY(!selection.hasSelection());
    }

    void labels()
    {
        QCOMPARE(AlbumDisplay::albumLabel(0, 1, 3), QStringLiteral("当前相册：照片(3)"));
        QCOMPARE(AlbumDisplay::albumLabel(1, 0, 128), QStringLiteral("当前相册：成品(128)"));
        QCOMPARE(AlbumDisplay::albumLabel(1, 1, 2), QStringLiteral("当前相册：已选(2)"));
        QCOMPARE(AlbumDisplay::albumLabel(1, 2, 0), QStringLiteral("当前相册：未选(0)"));
        QCOMPARE(AlbumDisplay::albumLabel(2, 1, 4), QStringLiteral("当前相册：汰片(4)"));
        QCOMPARE(AlbumDisplay::albumLabel(3, 0, 5), QStringLiteral("当前相册：设计(5)"));
        QCOMPARE(AlbumDisplay::albumLabel(4, 0, 6), QStringLiteral("当前相册：设计汰片(6)"));
        QCOMPARE(AlbumDisplay::sortDots(0), QStringLiteral("."));
        QCOMPARE(AlbumDisplay::sortDots(1), QStringLiteral(".."));
        QCOMPARE(AlbumDisplay::sortDots(2), QStringLiteral("..."));
        QCOMPARE(AlbumDisplay::sortDots(7), QStringLiteral("."));
    }

    // The marks come back as a value, one per photo in list order, with the used names
    // and the split for the filters; no global is written.
    void productMarksValue()
    {
        QList<Image> photos;
        for (const char* name : {"A.jpg", "B.jpg", "C.jpg", "a.jpg"}) {
            Image photo;
            photo.Setpath(name);
            photos << photo;
        }
        ProductData::useImages = {QStringLiteral("untouched")};
        const AlbumDisplay::ProductMarks marks = AlbumDisplay::productMarks(
            photos, {product({"C.jpg", "A.jpg"}), product({}), product({"A.jpg", "A.jpg"})});
        QCOMPARE(marks.marks, (QStringList {"用1用3用3", "", "用1", ""}));
        QCOMPARE(marks.used, (QSet<QString> {"A.jpg", "C.jpg"}));
        QCOMPARE(marks.usedPhotos.size(), 2);
        QCOMPARE(marks.usedPhotos.at(0).GetImageName(), QStringLiteral("A.jpg"));
        QCOMPARE(marks.usedPhotos.at(1).getProductId(), QStringLiteral("用1"));
        QCOMPARE(marks.unusedPhotos.size(), 2);
        QCOMPARE(marks.unusedPhotos.at(1).GetImageName(), QStringLiteral("a.jpg"));
        QCOMPARE(ProductData::useImages, QSet<QString> {QStringLiteral("untouched")});
        QCOMPARE(photos.first().getProductId(), QString());
    }

    // A whole album of 128 photos: label, one row and one icon per photo, all answered,
    // the progress popup gone and icons selectable again.
    void albumOf128()
    {
        s.order->addPhotos("成品", names("IMG_%1.jpg", 128));
        s.open();
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：成品(128)"));
        QCOMPARE(s.tableModel()->rowCount(), 128);
        QListWidget* icons = s.icons();
        QCOMPARE(icons->count(), 128);
        QCOMPARE(icons->item(5)->toolTip(), QStringLiteral("IMG_0006.jpg"));
        QVERIFY(allIcons());
        QVERIFY(!s.progress()->isVisible());
        QCOMPARE(icons->selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    // Marks name each product that lists the photo, once per entry; 已选 and 未选 show
    // without the load road, once the folders are read.
    void productMarksAndFilters()
    {
        s.order->addPhotos("成品", {"A.jpg", "B.jpg", "C.jpg", "D.jpg"});
        ProductData::m_products = {product({"A.jpg"}), product({"B.jpg", "B.jpg"}), product({"A.jpg", "a.jpg"})};
        PhotoOperation& panel = s.open();
        QCOMPARE(s.column(0), (QStringList {"A.jpg", "B.jpg", "C.jpg", "D.jpg"}));
        QCOMPARE(s.column(1), (QStringList {"用1用3", "用2用2", "", ""}));
        QCOMPARE(ProductData::useImages, (QSet<QString> {"A.jpg", "B.jpg"}));

        const int requests = s.backend->requests().size();
        QSignalSpy shown(&panel, &PhotoOperation::sendPhotoModel);
        s.button("已选")->click();
        s.settle();
        QCOMPARE(s.column(0), (QStringList {"A.jpg", "B.jpg"}));
        QCOMPARE(s.column(1), (QStringList {"用1用3", "用2用2"}));
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：已选(2)"));
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.last().at(2).toInt(), 1);
        s.button("未选")->click();
        s.settle();
        QCOMPARE(s.column(0), (QStringList {"C.jpg", "D.jpg"}));
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：未选(2)"));
        QCOMPARE(s.backend->requests().size(), requests);
        s.settle();
        QVERIFY(allIcons());
        QCOMPARE(s.icons()->item(1)->toolTip(), QStringLiteral("D.jpg"));
    }

    // Order mode 1 puts photos used by more products first; the refresh for named photos
    // updates marks without sorting.
    void orderModeOneSorts()
    {
        Config::orderMode = 1;
        s.order->addPhotos("成品", {"A.jpg", "B.jpg", "C.jpg", "D.jpg"});
        ProductData::m_products = {product({"D.jpg", "B.jpg"}), product({"D.jpg"})};
        PhotoOperation& panel = s.open();
        QCOMPARE(s.column(0), (QStringList {"D.jpg", "B.jpg", "A.jpg", "C.jpg"}));
        QCOMPARE(panel.findChildren<QLabel*>().last()->text(), QStringLiteral(".."));

        ProductData::m_products = {product({"C.jpg"}), product({"C.jpg"}), product({"C.jpg"})};
        panel.refreshImageProduct(QStringList {"C.jpg"});
        QCOMPARE(s.column(0), (QStringList {"D.jpg", "B.jpg", "A.jpg", "C.jpg"}));
        QCOMPARE(s.column(1), (QStringList {"", "", "", "用1用2用3"}));
        panel.refreshImageProduct();
        QCOMPARE(s.column(0).first(), QStringLiteral("C.jpg"));
    }

    void albumSettings_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("tools");
        QTest::addColumn<bool>("drag");
        QTest::addColumn<bool>("panelHidden");
        QTest::newRow("照片") << 0 << false << false << false << true;
        QTest::newRow("成品") << 1 << false << true << true << false;
        QTest::newRow("成品 locked") << 1 << true << true << false << false;
        QTest::newRow("汰片 locked") << 2 << true << false << false << true;
        QTest::newRow("设计 locked") << 3 << true << false << true << true;
        QTest::newRow("设计汰片") << 4 << false << false << true << true;
    }
    // Tools, drag and the product panel follow the album shown.
    void albumSettings()
    {
        QFETCH(int, album);
        QFETCH(bool, locked);
        QFETCH(bool, tools);
        QFETCH(bool, drag);
        QFETCH(bool, panelHidden);
        s.order->addPhotos("成品", {"A.jpg"});
        PhotoOperation& panel = s.open();
        Config::isLocked = locked;
        QSignalSpy shown(&panel, &PhotoOperation::sendPhotoModel);
        QSignalSpy produce(&panel, &PhotoOperation::producePhoto);
        QSignalSpy image(&panel, &PhotoOperation::SendImage);
        panel.showWhichType(album);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().at(1).toInt(), album);
        QCOMPARE(image.count(), 1);
        QCOMPARE(s.button("对比")->isEnabled(), tools);
        QCOMPARE(s.button("制作")->isEnabled(), tools);
        QCOMPARE(panel.findChild<QTableView*>()->dragEnabled(), drag);
        QCOMPARE(s.icons()->dragEnabled(), drag);
        QCOMPARE(produce.count(), panelHidden ? 1 : 0);
        if (panelHidden)
            QCOMPARE(produce.first().first().toBool(), false);
    }

    // Replies of an album left while its icons load reach nobody: the new album's icons
    // and count are right, however short its list; the popup closes.
    void switchDropsStaleReplies()
    {
        s.order->addPhotos("汰片", names("T_%1.jpg", 6));
        s.order->addPhotos("照片", names("R_%1.jpg", 2));
        PhotoOperation& panel = s.open();
        {
            PoolBlocker pool;
            panel.showWhichType(2);
            QVERIFY(s.progress()->isVisible());
            panel.showWhichType(0);
            pool.release();
            s.settle();
        }
        QListWidget* icons = s.icons();
        QCOMPARE(icons->count(), 2);
        QVERIFY(allIcons());
        QVERIFY(!s.progress()->isVisible());
        QCOMPARE(icons->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：照片(2)"));

        // Whatever still arrives: an index outside the view, a photo of another album.
        panel.updateThumbIcon(40, QPixmap(), 0);
        panel.updateThumbIcon(-1, QPixmap(), 0);
        panel.updateThumbIcon(0, QPixmap(), 3);
        panel.updateThumbIconOneRefresh(7, QPixmap());
        QVERIFY(allIcons());
        QVERIFY(!s.progress()->isVisible());
    }

    // Another window clearing the global pool (the full-screen view does on closing) must
    // not leave the application-modal popup up.
    void poolClearClosesThePopup()
    {
        s.order->addPhotos("汰片", names("T_%1.jpg", 5));
        PhotoOperation& panel = s.open();
        PoolBlocker pool;
        panel.showWhichType(2);
        QVERIFY(s.progress()->isVisible());
        QThreadPool::globalInstance()->clear();
        pool.release();
        s.settle();
        QVERIFY(!s.progress()->isVisible());
        QCOMPARE(s.icons()->selectionMode(), QAbstractItemView::ExtendedSelection);
        // The icons that the thrown-away jobs would have made are loaded all the same.
        QVERIFY(waitUntil([&] {
            s.settle();
            return allIcons();
        }));
    }

    // A file that is no picture shows an empty icon; the rest of the album loads.
    void brokenPhoto()
    {
        s.order->addPhotos("成品", {"A.jpg", "C.jpg"});
        s.order->addFile(s.order->album("成品") + "B.jpg", "not a picture at all");
        s.open();
        QListWidget* icons = s.icons();
        QCOMPARE(icons->count(), 3);
        QVERIFY(!icons->item(0)->icon().isNull());
        QVERIFY(icons->item(1)->icon().isNull());
        QVERIFY(!icons->item(2)->icon().isNull());
        QVERIFY(!s.progress()->isVisible());
    }

    void emptyAlbum()
    {
        PhotoOperation& panel = s.open();
        QCOMPARE(s.albumLabel(), QStringLiteral("当前相册：成品(0)"));
        QCOMPARE(s.icons()->count(), 0);
        QVERIFY(!s.progress()->isVisible());
        panel.clickNextThumb();
        panel.clickPreviousThumb();
    }

    // Stepping wraps at both ends and shows the photo stepped to.
    void nextAndPreviousWrap()
    {
        s.order->addPhotos("成品", {"A.jpg", "B.jpg", "C.jpg"});
        PhotoOperation& panel = s.open();
        QListWidget* icons = s.icons();
        QList<int> clicked;
        connect(icons, &QListWidget::itemClicked, this, [&](QListWidgetItem* item) { clicked << icons->row(item); });
        icons->setCurrentRow(2);
        panel.clickNextThumb();
        QCOMPARE(icons->currentRow(), 0);
        QCOMPARE(clicked.last(), 0);
        QCOMPARE(icons->selectedItems(), QList<QListWidgetItem*> {icons->item(0)});
        panel.clickPreviousThumb();
        QCOMPARE(icons->currentRow(), 2);
        QCOMPARE(clicked.last(), 2);
        panel.clickPreviousThumb();
        QCOMPARE(icons->currentRow(), 1);
    }

    void reloadPerAlbum_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<QStringList>("emptied");
        QTest::newRow("照片") << 0 << QStringList {"thumbnail100", "thumbnail", "thumbnail2250"};
        QTest::newRow("成品") << 1 << QStringList {"成品缩略图100", "成品缩略图", "成品缩略图2250"};
        QTest::newRow("汰片") << 2 << QStringList {"成品缩略图100", "成品缩略图", "成品缩略图2250"};
        QTest::newRow("设计") << 3 << QStringList {"设计缩略图100", "设计缩略图", "设计缩略图2250"};
        QTest::newRow("设计汰片") << 4 << QStringList {};
    }
    // "刷新" empties the album's three thumbnail folders and loads the album again.
    void reloadPerAlbum()
    {
        QFETCH(int, album);
        QFETCH(QStringList, emptied);
        PhotoOperation& panel = s.open();
        const QStringList all = {"thumbnail100", "thumbnail", "thumbnail2250", "设计缩略图100", "设计缩略图",
            "设计缩略图2250", "成品缩略图100", "成品缩略图", "成品缩略图2250"};
        for (const QString& folder : all)
            s.order->addFile(s.order->album(folder) + "x.jpg", "x");
        panel.currentType = album;
        s.backend->clearRequests();
        QSignalSpy shown(&panel, &PhotoOperation::sendPhotoModel);
        panel.clickReloadThumb();
        // The folders are emptied on a worker; the album loads again once they are.
        if (!emptied.isEmpty())
            QVERIFY(waitUntil([&] { return shown.count() == 2; }));
        for (const QString& folder : all) {
            QVERIFY2(QDir(s.order->album(folder)).exists(), qPrintable(folder));
            QCOMPARE(QFileInfo::exists(s.order->album(folder) + "x.jpg"), !emptied.contains(folder));
        }
        QCOMPARE(s.backend->requestsTo("order", "getorderpic").size(), emptied.isEmpty() ? 0 : 1);
    }

    // The folders are emptied on a worker: the click returns at once, a second "刷新" meanwhile
    // is ignored, and a panel closed meanwhile is never called back.
    void reloadEmptiesOnWorker()
    {
        const QString stale = QStringLiteral("成品缩略图100/x.jpg");
        s.open().currentType = PHOTO_FINE;
        s.order->addFile(s.order->order() + stale, "x");
        s.backend->clearRequests();
        QSignalSpy shown(s.panel.get(), &PhotoOperation::sendPhotoModel);
        {
            PoolBlocker pool;
            s.panel->clickReloadThumb();
            s.panel->clickReloadThumb();
            QVERIFY(QFileInfo::exists(s.order->order() + stale));
        }
        QVERIFY(waitUntil([&] { return shown.count() == 2; }));
        s.settle();
        QVERIFY(!QFileInfo::exists(s.order->order() + stale));
        QCOMPARE(s.backend->requestsTo("order", "getorderpic").size(), 1);

        s.order->addFile(s.order->order() + stale, "x");
        {
            PoolBlocker pool;
            s.panel->clickReloadThumb();
            s.shown.reset();
            s.panel.reset();
        }
        QCoreApplication::sendPostedEvents();
        QVERIFY(!QFileInfo::exists(s.order->order() + stale));
        QCOMPARE(s.backend->requestsTo("order", "getorderpic").size(), 1);
    }

    // "刷新缩略图" rewrites the selected photos' thumbnails even when they exist.
    void forcedRebuildOfSelected()
    {
        s.order->addPhotos("成品", {"A.jpg", "B.jpg"});
        PhotoOperation& panel = s.open();
        const QString middle = DirServer::getFineImageMidThumbPath() + "B.jpg";
        QVERIFY(QFileInfo::exists(middle) || QFileInfo::exists(DirServer::getFineImageThumbPath100() + "B.jpg"));
        s.order->addFile(middle, "stale");
        QTableView* table = panel.findChild<QTableView*>();
        table->selectRow(1);
        panel.refreshSelectImgs();
        s.settle();
        QVERIFY(QFileInfo(middle).size() > 5);
        QVERIFY(allIcons());
    }
};

QTEST_MAIN(TestAlbumDisplay)
#include "tst_albumdisplay.moc"
