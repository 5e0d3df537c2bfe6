#include "workspace/dropbutton.h"
#include "workspace/droplist.h"
#include "widgets/droplistwidget.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

class TestDropTargets : public QObject
{
    Q_OBJECT
private:
    // Sends enter and drop of the given data onto target, as a drag from elsewhere would;
    // tells whether the enter was accepted.
    static bool dragAndDrop(QWidget* target, QMimeData* data)
    {
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return enter.isAccepted();
    }

    // A file dragged in from outside the client, and the item data of a thumbnail dragged
    // from the album panel's icon view.
    static QMimeData* outsideFile()
    {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/elsewhere.jpg"))});
        return data;
    }
    static QMimeData* thumbnail()
    {
        QListWidget source;
        source.addItem(QStringLiteral("IMG_0003.jpg"));
        return source.model()->mimeData({source.model()->index(0, 0)});
    }

private slots:
    void buttonEmitsItsUsageWhateverIsDropped_data()
    {
        QTest::addColumn<int>("usage");
        QTest::addColumn<bool>("fromOutside");
        QTest::newRow("汰片, outside file") << int(USAGE_TO_DELETED) << true;
        QTest::newRow("汰片, thumbnail") << int(USAGE_TO_DELETED) << false;
        QTest::newRow("成品, thumbnail") << int(USAGE_TO_FINE) << false;
    }

    void buttonEmitsItsUsageWhateverIsDropped()
    {
        QFETCH(int, usage);
        QFETCH(bool, fromOutside);
        DropButton button {ButtonUsage(usage)};
        QVERIFY(button.acceptDrops());
        QSignalSpy drops(&button, &DropButton::dropMessage);
        QSignalSpy clicks(&button, &QPushButton::clicked);
        QScopedPointer<QMimeData> data(fromOutside ? outsideFile() : thumbnail());
        QVERIFY(dragAndDrop(&button, data.data()));
        QCOMPARE(drops.count(), 1);
        QCOMPARE(drops.first().first().value<ButtonUsage>(), ButtonUsage(usage));
        QCOMPARE(clicks.count(), 0); // a drop is no click: it does not switch the album
    }

    void listsEmitAndKeepTheirItems()
    {
        DropListWidget productList;
        DropList plainList;
        QVERIFY(productList.acceptDrops());
        QVERIFY(plainList.acceptDrops());
        productList.setDragDropMode(QAbstractItemView::DropOnly);
        productList.addItems({QStringLiteral("IMG_0001.jpg"), QStringLiteral("IMG_0002.jpg")});
        QSignalSpy productDrops(&productList, &DropListWidget::dropMessage);
        QSignalSpy plainDrops(&plainList, &DropList::dropMessage);

        QScopedPointer<QMimeData> data(thumbnail());
        // Item views get drag events on their viewport.
        QVERIFY(dragAndDrop(productList.viewport(), data.data()));
        QVERIFY(dragAndDrop(plainList.viewport(), data.data()));

        QCOMPARE(productDrops.count(), 1);
        QCOMPARE(plainDrops.count(), 1);
        QCOMPARE(productList.count(), 2);
        QCOMPARE(productList.item(0)->text(), QStringLiteral("IMG_0001.jpg"));
        QCOMPARE(productList.item(1)->text(), QStringLiteral("IMG_0002.jpg"));
        QCOMPARE(plainList.count(), 0);
    }
};

QTEST_MAIN(TestDropTargets)
#include "tst_droptargets.moc"
