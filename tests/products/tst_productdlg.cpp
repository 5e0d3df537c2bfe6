#include "photostore/productdata.h"
#include "products/productdlg.h"
#include "tests/support/promptrecorder.h"
#include "workspace/droplistwidget.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

class TestProductDlg : public QObject
{
    Q_OBJECT
private slots:
    void photoListTakesDropsOnly()
    {
        ProductDlg panel;
        auto* list = panel.findChild<DropListWidget*>();
        QVERIFY(list);
        QVERIFY(list->acceptDrops());
        QCOMPARE(list->dragDropMode(), QAbstractItemView::DropOnly);
    }

    // A drop runs the checks; only a chosen product that has not been sent asks the
    // album panel for its selection.
    void dropChecksTheChosenProduct_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("asked");
        QTest::newRow("no product chosen") << -1 << false << "请选择一项产品" << 0;
        QTest::newRow("product sent") << 1 << true << "产品已发件，不可修改" << 0;
        QTest::newRow("product open") << 1 << false << "" << 1;
    }

    void dropChecksTheChosenProduct()
    {
        QFETCH(int, row);
        QFETCH(bool, sent);
        QFETCH(QString, message);
        QFETCH(int, asked);
        PromptRecorder prompts;
        ProductData::m_products = QList<Product>() << Product() << Product();
        ProductData::m_products[1].sentToFactory = sent;
        ProductDlg panel;
        auto* table = panel.findChild<QTableView*>("tableView");
        auto* model = qobject_cast<QStandardItemModel*>(table->model());
        model->appendRow(new QStandardItem("a"));
        model->appendRow(new QStandardItem("b"));
        if (row >= 0)
            table->setCurrentIndex(model->index(row, 0));
        QSignalSpy ask(&panel, &ProductDlg::getPicNamelist);

        auto* list = panel.findChild<DropListWidget*>();
        QMimeData data;
        data.setText(QStringLiteral("IMG_0001.jpg"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &drop);

        QCOMPARE(ask.count(), asked);
        QCOMPARE(prompts.count(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(prompts.last().text, message);
        QCOMPARE(list->count(), 0);
        ProductData::m_products.clear();
    }
};

QTEST_MAIN(TestProductDlg)
#include "tst_productdlg.moc"
