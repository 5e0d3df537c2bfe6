#include "photostore/imagedata.h"
#include "photostore/imageoperation.h"
#include "photostore/productdata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "workspace/albumiconcache.h"
#include "workspace/photooperation.h"

#include <QListWidget>
#include <QScrollBar>
#include <QtTest>

namespace {

QStringList names(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("P_%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
    return list;
}

QImage pictureOf(const QIcon& icon)
{
    if (icon.isNull() || icon.availableSizes().isEmpty())
        return QImage();
    return icon.pixmap(icon.availableSizes().first()).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

// The icon view of a large album holds icons only for the rows in and near view: rows that
// come back into view show the icon of the photo as it is now.
class TestAlbumIconCache : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    AlbumIconCache* cache() { return s.panel->findChild<AlbumIconCache*>(); }

    // Opens the album shown as icons in a small panel, with a cache bound of a few screens.
    PhotoOperation& openIcons(int photos)
    {
        s.order->addPhotos("成品", names(photos));
        PhotoOperation& panel = s.open();
        panel.resize(430, 500);
        panel.show();
        panel.clickSwitchView();
        cache()->setMinimumCapacity(1);
        s.settle();
        return panel;
    }

    QPair<int, int> visibleRows()
    {
        QListWidget* icons = s.icons();
        const QRect viewport = icons->viewport()->rect();
        int first = -1, last = -1;
        for (int row = 0; row < icons->count(); ++row) {
            if (!icons->visualItemRect(icons->item(row)).intersects(viewport))
                continue;
            if (first < 0)
                first = row;
            last = row;
        }
        return {first, last};
    }

    // Scrolls so that the row is in view and waits until every icon in view is shown.
    bool scrollTo(int row)
    {
        QListWidget* icons = s.icons();
        icons->scrollToItem(icons->item(row), QAbstractItemView::PositionAtTop);
        return waitUntil([&] {
            AlbumPanelFixture::settle();
            const QPair<int, int> rows = visibleRows();
            for (int r = rows.first; r >= 0 && r <= rows.second; ++r)
                if (icons->item(r)->icon().isNull())
                    return false;
            return rows.first >= 0;
        });
    }

    // Scrolls screen by screen from the top to the bottom, as the operator would.
    bool scrollToBottom()
    {
        const int count = s.icons()->count();
        for (int row = 0; row < count; row += 9)
            if (!scrollTo(row))
                return false;
        return scrollTo(count - 1);
    }

    // The icon that the photo of the row makes from its files and data now.
    static QImage expectedIcon(int row)
    {
        const Image photo = ImageData::getInstance()->getImagelist(SELE_ALL).at(row);
        return ImageOperation::listIcon(ImageOperation::PhotoFiles::of(photo), 100)
            .convertToFormat(QImage::Format_ARGB32);
    }

    void checkRowsInView()
    {
        const QPair<int, int> rows = visibleRows();
        const QList<Image> photos = ImageData::getInstance()->getImagelist(SELE_ALL);
        QVERIFY(rows.first >= 0);
        for (int row = rows.first; row <= rows.second; ++row) {
            QCOMPARE(s.icons()->item(row)->toolTip(), photos.at(row).GetImageName());
            QCOMPARE(pictureOf(s.icons()->item(row)->icon()), expectedIcon(row));
        }
    }

private slots:
    void initTestCase() { QVERIFY(s.backend.isReady()); }
    void init() { QVERIFY(s.begin()); }
    void cleanup()
    {
        QCOMPARE(s.prompts->count(), 0);
        s.end();
    }

    // An icon with a product badge and an elliptic crop outline leaves the cache while the
    // view is at the bottom and comes back the same.
    void iconScrolledOutAndBackIn()
    {
        PhotoOperation& panel = openIcons(240);
        ProductData::m_products = {Product()};
        ProductData::m_products[0].pics = QStringList {"P_0001.jpg"};
        ImageData::getInstance()->setIterator(0, SELE_ALL);
        ImageData::getInstance()->getIterator()->setClipRect(QRect(100, 100, 500, 300), true);
        panel.refreshImageProduct(QStringList {"P_0001.jpg"});
        QVERIFY(scrollTo(0));
        const QImage marked = pictureOf(s.icons()->item(0)->icon());
        QCOMPARE(marked, expectedIcon(0));
        QVERIFY(marked != pictureOf(s.icons()->item(1)->icon()));

        QVERIFY(scrollToBottom());
        QVERIFY(s.icons()->item(0)->icon().isNull());
        // Painted as a grey square until it is loaded again.
        QVERIFY(cache()->isWaiting(0));
        QVERIFY(scrollTo(0));
        QVERIFY(!cache()->isWaiting(0));
        QCOMPARE(pictureOf(s.icons()->item(0)->icon()), marked);
    }

    // A change made while a row holds no icon shows when the row is scrolled to.
    void changeOutsideTheCache_data()
    {
        QTest::addColumn<bool>("move");
        QTest::newRow("product mark") << false;
        QTest::newRow("moved to 汰片") << true;
    }
    void changeOutsideTheCache()
    {
        QFETCH(bool, move);
        PhotoOperation& panel = openIcons(240);
        QVERIFY(scrollTo(0));
        const QImage before = pictureOf(s.icons()->item(1)->icon());
        QVERIFY(scrollToBottom());
        QVERIFY(s.icons()->item(1)->icon().isNull());
        if (move) {
            s.select({"P_0002.jpg"});
            panel.dropButtonSlot(USAGE_TO_DELETED);
            s.settle();
            QCOMPARE(s.icons()->count(), 239);
            QCOMPARE(s.icons()->item(1)->toolTip(), QStringLiteral("P_0003.jpg"));
        } else {
            ProductData::m_products = {Product()};
            ProductData::m_products[0].pics = QStringList {"P_0002.jpg", "P_0002.jpg"};
            panel.refreshImageProduct(QStringList {"P_0002.jpg"});
            s.settle();
        }
        QVERIFY(scrollTo(0));
        checkRowsInView();
        QVERIFY(pictureOf(s.icons()->item(1)->icon()) != before || move);
    }

    // Over a scroll through a large album, screen by screen, the icons held stay within the
    // bound and every screen shows its icons.
    void boundOverAScroll()
    {
        openIcons(600);
        AlbumIconCache* icons = cache();
        QListWidget* view = s.icons();
        int held = 0;
        for (int row = 0; row < view->count(); row += 9) {
            QVERIFY2(scrollTo(row), qPrintable(QStringLiteral("row %1").arg(row)));
            QVERIFY(icons->size() <= icons->capacity());
            int withIcon = 0;
            for (int r = 0; r < view->count(); ++r)
                withIcon += view->item(r)->icon().isNull() ? 0 : 1;
            QVERIFY2(withIcon <= icons->capacity(), qPrintable(QStringLiteral("%1 icons").arg(withIcon)));
            held = std::max(held, withIcon);
        }
        QVERIFY(icons->capacity() < 600);
        QVERIFY(held > 0);
        checkRowsInView();
    }
};

QTEST_MAIN(TestAlbumIconCache)
#include "tst_albumiconcache.moc"
