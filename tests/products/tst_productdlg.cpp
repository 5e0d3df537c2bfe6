#include "core/config.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "products/productdlg.h"
#include "tests/support/eventwait.h"
#include "tests/support/poolblocker.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "tests/support/orderfolder.h"
#include "widgets/droplistwidget.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QThreadPool>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

QJsonObject standinOrderGoods()
{
    QFile f(QStringLiteral(STANDIN_FIXTURES_DIR "/order.ordergoods.json"));
    f.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(f.readAll()).object();
}

// A products reply of the given group-3 entries.
QJsonObject goodsReply(const QJsonArray& group3)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"},
        {"order", QJsonObject {{"max_servicetime", "2"}, {"ordergoods3", group3}}}};
}

QJsonObject good(const QString& name, const QString& picpath, const QString& sent = QStringLiteral("0"))
{
    return QJsonObject {
        {"id", name}, {"goodname", name}, {"picpath", picpath}, {"sendtofactorytime", sent}, {"isurgent", "0"}};
}

// Every post of the panel has been answered: each runs on a manager of its own, released after.
bool postsAnswered(QObject* panel)
{
    return waitUntil([panel] { return panel->findChildren<QNetworkAccessManager*>().isEmpty(); });
}

QString cell(QStandardItemModel* model, int row, int column)
{
    QStandardItem* item = model->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

} // namespace

class TestProductDlg : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

    struct Panel
    {
        std::unique_ptr<ProductDlg> dlg;
        QTableView* table = nullptr;
        QStandardItemModel* model = nullptr;
        DropListWidget* list = nullptr;

        // Clicks a row as the table would: current index, click, then the single-click timer.
        void click(int row, int column = 0)
        {
            table->setCurrentIndex(model->index(row, column));
            dlg->selectRowR(model->index(row, column));
            auto* timer = dlg->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
            [&] { QVERIFY(waitUntil([timer] { return !timer->isActive(); })); }();
        }
    };

    // A panel whose first products load has been answered.
    Panel loadedPanel()
    {
        Panel p;
        p.dlg.reset(new ProductDlg());
        p.table = p.dlg->findChild<QTableView*>("tableView");
        p.model = qobject_cast<QStandardItemModel*>(p.table->model());
        p.list = p.dlg->findChild<DropListWidget*>();
        [&] { QVERIFY(postsAnswered(p.dlg.get())); }();
        return p;
    }

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
        Config::isShowThumbName = false;
        Config::order_maxServNum.clear();
        ProductData::m_changedPhotos.clear();
    }

    void cleanup()
    {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        ImageData::getInstance()->clearImages();
        ProductData::m_products.clear();
        Config::isLocked = false;
    }

    void photoListTakesDropsOnly()
    {
        ProductDlg panel;
        auto* list = panel.findChild<DropListWidget*>();
        QVERIFY(list);
        QVERIFY(list->acceptDrops());
        QCOMPARE(list->dragDropMode(), QAbstractItemView::DropOnly);
    }

    // A drop runs the checks; only a chosen product that has not been sent asks the album panel for its selection.
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

    // The stand-in's package: a package, its three sub-products, a print, a sent product and one added during the
    // selection.
    void loadFillsTheSeventeenColumns()
    {
        PromptRecorder prompts;
        Panel p = loadedPanel();
        QCOMPARE(prompts.count(), 0);
        const QList<StandInRequest> asked = m_backend->requestsTo("order", "ordergoods");
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).keys(),
            (QStringList {"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        QCOMPARE(asked.at(0).value("order_sample_infoid"), QStringLiteral("30001"));

        QCOMPARE(ProductData::m_products.size(), 7);
        QCOMPARE(Config::order_maxServNum, QStringLiteral("3"));
        QStandardItemModel* m = p.model;
        QCOMPARE(m->columnCount(), 17);
        QStringList headers;
        for (int c = 0; c < 17; ++c)
            headers << m->horizontalHeaderItem(c)->text();
        QCOMPARE(headers,
            (QStringList {"编号", "名称", "类别", "工厂编号", "数量", "库存", "P数", "加P数", "张数", "制作要求",
                "加急", "打印", "缩略图", "快递", "发件", "替换备注", "授权备注(对外)"}));
        QCOMPARE(m->rowCount(), 7);

        // The package and its first sub-product, an album with page counts.
        QCOMPARE(cell(m, 0, 1), QStringLiteral("经典婚纱套系A(0)"));
        QCOMPARE(cell(m, 0, 10), QStringLiteral("否"));
        QCOMPARE(m->item(0, 11)->checkState(), Qt::Checked);
        QVERIFY(!(m->item(0, 11)->flags() & Qt::ItemIsUserCheckable));
        QCOMPARE(m->item(0, 13)->checkState(), Qt::Unchecked);
        QCOMPARE(cell(m, 1, 1), QStringLiteral("-->12寸水晶相册(3)"));
        QCOMPARE(cell(m, 1, 6) + "/" + cell(m, 1, 7) + "/" + cell(m, 1, 8), QStringLiteral("20/2/10"));
        QCOMPARE(cell(m, 1, 10), QString());
        for (int c = 11; c <= 13; ++c)
            QCOMPARE(cell(m, 1, c), QStringLiteral("<none>"));
        QCOMPARE(ProductData::m_products.at(1).parent_goodname, QStringLiteral("经典婚纱套系A"));
        // A frame: no page counts.
        QCOMPARE(cell(m, 2, 6) + cell(m, 2, 7) + cell(m, 2, 8), QString());
        // The urgent print draws its requirement in red.
        QCOMPARE(cell(m, 4, 1), QStringLiteral("6寸照片冲印(2)"));
        QCOMPARE(cell(m, 4, 4), QStringLiteral("10"));
        QCOMPARE(cell(m, 4, 10), QStringLiteral("是"));
        QCOMPARE(m->item(4, 9)->foreground().color(), QColor(255, 0, 0));
        QCOMPARE(cell(m, 4, 15), QStringLiteral("由 5寸冲印 替换"));
        // The product already sent, delivered by express.
        QCOMPARE(cell(m, 5, 14), QStringLiteral("是"));
        QCOMPARE(m->item(5, 14)->foreground().color(), QColor(Qt::red));
        QCOMPARE(m->item(5, 13)->checkState(), Qt::Checked);
        QCOMPARE(cell(m, 5, 16), QStringLiteral("客户已确认样片"));
        QCOMPARE(cell(m, 6, 1), QStringLiteral("选片产品--8寸水晶摆台(0)"));
        QCOMPARE(cell(m, 6, 14), QStringLiteral("否"));
        QVERIFY(!p.table->currentIndex().isValid());
    }

    void nameCellMarksAddedChildren()
    {
        Product p;
        p.goodname = QStringLiteral("相册");
        p.pics = QStringList {"a.jpg", "b.jpg"};
        p.isType4 = true;
        QCOMPARE(ProductDlg::productNameText(p), QStringLiteral("选片产品--相册(2)"));
        p.hasParent = true;
        QCOMPARE(ProductDlg::productNameText(p), QStringLiteral("-->选片产品--相册(2)"));
    }

    // A failed load shows its box (or nothing) and keeps the table and the shared list; the stock update speaks only of
    // a failed transfer.
    void replyShapes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("rows");
        QTest::newRow("load, network error") << "ordergoods" << 500 << QByteArray("{}") << "网络请求错误\n500" << 7;
        QTest::newRow("load, not JSON") << "ordergoods" << 200 << QByteArray("<html>") << "" << 7;
        QTest::newRow("load, not an object") << "ordergoods" << 200 << QByteArray("[1,2]") << "" << 7;
        QTest::newRow("load, refused") << "ordergoods" << 200 << QByteArray(R"({"code":"0","message":"订单不存在"})")
                                       << "查询产品信息错误：订单不存在" << 7;
        QTest::newRow("load, code as number")
            << "ordergoods" << 200 << QByteArray(R"({"code":1,"message":"x"})") << "查询产品信息错误：x" << 7;
        QTest::newRow("load, no products")
            << "ordergoods" << 200 << QByteArray(R"({"code":"1","order":{}})") << "" << 0;
        QTest::newRow("stock, accepted") << "updatestock" << 200 << QByteArray(R"({"code":"1"})") << "" << 7;
        QTest::newRow("stock, refused") << "updatestock" << 200 << QByteArray(R"({"code":"0","message":"库存不足"})")
                                        << "" << 7;
        QTest::newRow("stock, not JSON") << "updatestock" << 200 << QByteArray("oops") << "" << 7;
        QTest::newRow("stock, network error") << "updatestock" << 502 << QByteArray() << "网络请求错误\n502" << 7;
    }

    void replyShapes()
    {
        QFETCH(QString, action);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, box);
        QFETCH(int, rows);
        Panel p = loadedPanel();
        PromptRecorder prompts;
        m_backend->setReply("order", action, StandInReply::raw(body, status));
        if (action == "ordergoods")
            p.dlg->queryProducts();
        else
            p.dlg->postModifyStock();
        QVERIFY(postsAnswered(p.dlg.get()));
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        if (!box.isEmpty()) {
            QCOMPARE(prompts.last().title, QStringLiteral("警告"));
            QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        }
        QCOMPARE(p.model->rowCount(), rows);
        QCOMPARE(ProductData::m_products.size(), rows);
    }

    void lockDisablesEditingButNotSubmission_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("open order") << false;
        QTest::newRow("locked order") << true;
    }

    void lockDisablesEditingButNotSubmission()
    {
        QFETCH(bool, locked);
        Config::isLocked = locked;
        Panel p = loadedPanel();
        for (const char* name : {"pushButton", "requireButton", "urgentButton", "pb_xfsm"})
            QCOMPARE(p.dlg->findChild<QPushButton*>(name)->isEnabled(), !locked);
        QVERIFY(p.dlg->findChild<QPushButton*>("submitButton")->isEnabled());
        QCOMPARE(p.list->contextMenuPolicy(), locked ? Qt::NoContextMenu : Qt::CustomContextMenu);
        QVERIFY(p.table->isEnabled());
        // The lock is one-way.
        Config::isLocked = false;
        p.dlg->setLocked();
        QCOMPARE(p.dlg->findChild<QPushButton*>("pushButton")->isEnabled(), !locked);
    }

    // The refresh posts the stock update and reloads at once; the reload replaces the list.
    void refreshPostsTheStockUpdateAndReloads()
    {
        Panel p = loadedPanel();
        p.click(4);
        QCOMPARE(p.list->count(), 2);
        QJsonArray reordered = standinOrderGoods()["order"].toObject()["ordergoods3"].toArray();
        reordered.prepend(reordered.takeAt(1)); // the print first
        m_backend->setReply("order", "ordergoods", StandInReply::json(goodsReply(reordered)));
        m_backend->clearRequests();
        PromptRecorder prompts;

        p.dlg->refreshProduct(0);
        QCOMPARE(p.list->count(), 0);
        QVERIFY(postsAnswered(p.dlg.get()));
        QCOMPARE(prompts.count(), 0);
        // The reload follows the stock update's reply, so it shows the updated stock.
        QCOMPARE(m_backend->endpointsCalled(), (QStringList {"order.updatestock", "order.ordergoods"}));
        const StandInRequest stock = m_backend->requestsTo("order", "updatestock").at(0);
        QCOMPARE(stock.keys(), (QStringList {"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        QCOMPARE(stock.value("order_photo_id"), QStringLiteral("1001"));
        QCOMPARE(ProductData::m_products.at(0).goodname, QStringLiteral("6寸照片冲印"));
        QCOMPARE(cell(p.model, 0, 1), QStringLiteral("6寸照片冲印(2)"));
    }

    // A reload that leaves no product at the current row: nothing reads the old row again.
    void shorterReloadResetsTheCurrentRow()
    {
        Panel p = loadedPanel();
        p.click(5);
        QCOMPARE(p.list->count(), 1);
        m_backend->setReply("order", "ordergoods",
            StandInReply::json(goodsReply({good("A", "IMG_0001.jpg"), good("B", "IMG_0002.jpg")})));
        p.dlg->queryProducts();
        QVERIFY(postsAnswered(p.dlg.get()));
        QCOMPARE(ProductData::m_products.size(), 2);
        QCOMPARE(p.list->count(), 0);

        PromptRecorder prompts;
        QSignalSpy updates(p.dlg.get(), qOverload<QStringList>(&ProductDlg::updateImage));
        p.dlg->handleSingleClickTable();
        p.dlg->refreshList();
        p.dlg->updateThumbIcon(5, 0, QPixmap(4, 4), 1);
        p.dlg->addToProduct1();
        QCOMPARE(p.list->count(), 0);
        QCOMPARE(updates.count(), 0);
        QCOMPARE(prompts.texts(), QStringList {"请选择一项产品"});
    }

    // Clicking a product fills the list at once and the icons arrive from worker jobs.
    void clickedProductShowsItsPhotos()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg", "婚纱 外景 01.jpg"})
            order.addPhoto(PHOTO_FINE, QString::fromUtf8(name), 300, 200);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        Config::isShowThumbName = true;
        Panel p = loadedPanel();
        QSignalSpy updates(p.dlg.get(), qOverload<QStringList>(&ProductDlg::updateImage));

        p.click(1);
        QCOMPARE(p.list->count(), 3);
        QCOMPARE(updates.count(), 1);
        QCOMPARE(updates.at(0).at(0).toStringList(), ProductData::m_products.at(1).pics);
        QCOMPARE(p.list->item(2)->toolTip(), QStringLiteral("婚纱 外景 01.jpg"));
        QCOMPARE(p.list->item(2)->text(), QStringLiteral("婚纱 外景 01.jpg"));
        QCOMPARE(p.list->item(2)->sizeHint(), QSize(100, 130));
        QVERIFY(waitUntil([&] {
            for (int i = 0; i < p.list->count(); ++i)
                if (p.list->item(i)->icon().isNull())
                    return false;
            return true;
        }));
        QCOMPARE(cell(p.model, 1, 1), QStringLiteral("-->12寸水晶相册(3)"));

        // A product without photos empties the list and starts nothing.
        p.click(0);
        QCOMPARE(p.list->count(), 0);
        QCOMPARE(updates.last().at(0).toStringList(), QStringList());
        QThreadPool::globalInstance()->waitForDone();
    }

    // Product A clicked and at once product B: only B's photos and icons end in the list.
    void lateIconsOfAnotherProductAreDropped()
    {
        OrderFolder order(OrderFolder::ThumbnailFolders);
        for (const char* name : {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0004.jpg", "IMG_0005.jpg"})
            order.addPhoto(PHOTO_FINE, QString::fromUtf8(name), 300, 200);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        Panel p = loadedPanel();
        {
            PoolBlocker pool;
            p.click(1); // three photos, jobs wait
            p.click(2); // one photo
            QCOMPARE(p.list->count(), 1);
            pool.release();
        }
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(waitUntil([&] { return !p.list->item(0)->icon().isNull(); }));
        QCoreApplication::processEvents();
        QCOMPARE(p.list->count(), 1);
        QCOMPARE(p.list->item(0)->toolTip(), QStringLiteral("IMG_0004.jpg"));

        // Answers for another row, or past the end of the list, change nothing.
        QPixmap red(8, 8);
        red.fill(Qt::red);
        const qint64 key = p.list->item(0)->icon().cacheKey();
        p.dlg->updateThumbIcon(1, 0, red, 1);
        p.dlg->updateThumbIcon(2, 1, red, 1);
        p.dlg->updateThumbIcon(2, -1, red, 1);
        QCOMPARE(p.list->item(0)->icon().cacheKey(), key);
    }

    // A photo is found under the name the product stores, else under its normalised name, in
    // the filter on show (已选 holds the photos named by used), which stays the store's: the
    // pane's checks and steps read the view on show from there.
    void clickedPhotoIsShown_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("used");
        QTest::addColumn<bool>("shown");
        QTest::newRow("as listed") << "IMG_0001.jpg" << 0 << QStringList() << true;
        QTest::newRow("upper-case extension") << "IMG_0005.JPG" << 0 << QStringList() << true;
        QTest::newRow("unknown") << "IMG_9999.jpg" << 0 << QStringList() << false;
        QTest::newRow("not under the filter") << "IMG_0001.jpg" << 1 << QStringList() << false;
        QTest::newRow("under 已选") << "IMG_0005.JPG" << 1 << QStringList {"IMG_0005.jpg"} << true;
    }

    void clickedPhotoIsShown()
    {
        QFETCH(QString, stored);
        QFETCH(int, filter);
        QFETCH(QStringList, used);
        QFETCH(bool, shown);
        OrderFolder order(OrderFolder::ThumbnailFolders);
        order.addPhoto(PHOTO_FINE, QStringLiteral("IMG_0001.jpg"), 60, 40);
        order.addPhoto(PHOTO_FINE, QStringLiteral("IMG_0005.JPG"), 60, 40);
        ImageData* images = ImageData::getInstance();
        images->importImage(PHOTO_FINE);
        QList<Image> usedPhotos;
        for (const Image& photo : images->GetSeletedImages())
            if (used.contains(photo.GetImageName()))
                usedPhotos << photo;
        images->setMyUsedimages(usedPhotos);
        images->setType(PHOTO_FINE, SELETYPE(filter));
        m_backend->setReply(
            "order", "ordergoods", StandInReply::json(goodsReply({good("A", "IMG_0001.jpg|" + stored)})));
        Panel p = loadedPanel();
        p.dlg->seleType = filter;
        p.click(0);
        QCOMPARE(p.list->count(), 2);
        QSignalSpy show(p.dlg.get(), &ProductDlg::showImage);
        p.dlg->selectItem(p.list->item(1));
        QCOMPARE(show.count(), shown ? 1 : 0);
        if (shown) {
            QCOMPARE(images->getCurrentImage().GetImageName(), FileOperation::getFileName(stored));
            QCOMPARE(images->getType(), PHOTO_FINE);
            QCOMPARE(images->getSeleType(), SELETYPE(filter));
            QCOMPARE(images->getImagelist(images->getSeleType()).value(images->getCurrentIndex()).GetImageName(),
                FileOperation::getFileName(stored));
        }
        images->setMyUsedimages({});
        // The icon of a stored upper-case name is made too.
        if (stored.endsWith(".JPG"))
            QVERIFY(waitUntil([&] { return !p.list->item(1)->icon().isNull(); }));
        // The jobs write into the order folder: let them end before it goes.
        QThreadPool::globalInstance()->waitForDone();
    }

    void photoMenuFollowsTheSelection()
    {
        Panel p = loadedPanel();
        p.click(1);
        auto* menu = p.list->findChild<QMenu*>();
        QVERIFY(menu);
        QStringList texts;
        for (QAction* a : menu->actions())
            texts << a->text();
        QCOMPARE(texts, (QStringList {"删除", "剪切照片", "粘贴照片"}));

        closeNextMenu();
        p.dlg->showMouseRightButton(QPoint(1, 1));
        QVERIFY(!menu->actions().at(0)->isEnabled());
        QVERIFY(!menu->actions().at(1)->isEnabled());
        QVERIFY(!menu->actions().at(2)->isEnabled());

        p.list->item(1)->setSelected(true);
        closeNextMenu();
        p.dlg->showMouseRightButton(QPoint(1, 1));
        QVERIFY(menu->actions().at(0)->isEnabled());
        QVERIFY(menu->actions().at(1)->isEnabled());
    }

    // A right click on a table without a current row treats no product as clicked.
    void tableMenuWithoutCurrentRow()
    {
        Panel p = loadedPanel();
        QVERIFY(!p.table->currentIndex().isValid());
        auto* menu = p.table->findChild<QMenu*>();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("粘贴照片"));
        QSignalSpy updates(p.dlg.get(), qOverload<QStringList>(&ProductDlg::updateImage));
        closeNextMenu();
        p.dlg->showTableMouseRightButton(QPoint(1, 1));
        QCoreApplication::processEvents();
        QVERIFY(!menu->actions().at(0)->isEnabled());
        QCOMPARE(updates.count(), 0);
        QCOMPARE(p.list->count(), 0);

        // With a current row, its photos are shown while the menu is open.
        p.table->setCurrentIndex(p.model->index(4, 0));
        closeNextMenu();
        p.dlg->showTableMouseRightButton(QPoint(1, 1));
        QCoreApplication::processEvents();
        QCOMPARE(p.list->count(), 2);
    }

    void viewSwitchKey_data()
    {
        QTest::addColumn<int>("modifier");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("switches");
        QTest::newRow("any modifiers, none held") << 0 << int(Qt::Key_F11) << int(Qt::Key_F11) << 0 << 1;
        QTest::newRow("any modifiers, shift held")
            << 0 << int(Qt::Key_F11) << int(Qt::Key_F11) << int(Qt::ShiftModifier) << 1;
        QTest::newRow("control required, held")
            << int(Qt::ControlModifier) << int(Qt::Key_S) << int(Qt::Key_S) << int(Qt::ControlModifier) << 1;
        QTest::newRow("control required, shift held")
            << int(Qt::ControlModifier) << int(Qt::Key_S) << int(Qt::Key_S) << int(Qt::ShiftModifier) << 0;
        QTest::newRow("another key") << 0 << int(Qt::Key_F11) << int(Qt::Key_F10) << 0 << 0;
    }

    void viewSwitchKey()
    {
        QFETCH(int, modifier);
        QFETCH(int, key);
        QFETCH(int, pressed);
        QFETCH(int, held);
        QFETCH(int, switches);
        const int oldModifier = Config::shotCutKey[12];
        const int oldKey = Config::shotCutKey[13];
        Config::shotCutKey[12] = modifier;
        Config::shotCutKey[13] = key;
        ProductDlg panel;
        panel.show();
        QSignalSpy view(&panel, &ProductDlg::changeView);
        QTest::keyClick(&panel, Qt::Key(pressed), Qt::KeyboardModifiers(held));
        QTest::keyClick(&panel, Qt::Key_Escape);
        Config::shotCutKey[12] = oldModifier;
        Config::shotCutKey[13] = oldKey;
        QCOMPARE(view.count(), switches);
        QVERIFY(panel.isVisible());
    }

    // The album panel's "用" marks are positions in the list: a load names the photos whose positions changed (and
    // those changed elsewhere) once; an identical load names none.
    void loadNamesThePhotosWhoseMarksChange()
    {
        Panel first = loadedPanel();
        Q_UNUSED(first)

        auto panel = std::make_unique<ProductDlg>();
        QSignalSpy updates(panel.get(), qOverload<QStringList>(&ProductDlg::updateImage));
        QVERIFY(postsAnswered(panel.get()));
        QCOMPARE(updates.count(), 0); // the same products as before

        m_backend->setReply("order", "ordergoods",
            StandInReply::json(goodsReply({good("A", "IMG_0001.jpg|IMG_0009.jpg"), good("B", "IMG_0002.jpg")})));
        panel->queryProducts();
        QVERIFY(postsAnswered(panel.get()));
        QCOMPARE(updates.count(), 1);
        const QStringList named = updates.at(0).at(0).toStringList();
        for (const char* name :
            {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0004.jpg", "IMG_0005.jpg", "IMG_0009.jpg", "婚纱 外景 01.jpg"})
            QVERIFY2(named.contains(QString::fromUtf8(name)), name);
    }

    void changedPhotosAreNamedOnce()
    {
        ProductData::m_changedPhotos = QStringList {"X.jpg", "Y.jpg"};
        auto panel = std::make_unique<ProductDlg>();
        QSignalSpy updates(panel.get(), qOverload<QStringList>(&ProductDlg::updateImage));
        QVERIFY(postsAnswered(panel.get()));
        QCOMPARE(updates.count(), 1);
        const QStringList named = updates.at(0).at(0).toStringList();
        QCOMPARE(named.mid(0, 2), (QStringList {"X.jpg", "Y.jpg"}));
        panel->queryProducts();
        QVERIFY(postsAnswered(panel.get()));
        QCOMPARE(updates.count(), 1);
    }
};

QTEST_MAIN(TestProductDlg)
#include "tst_productdlg.moc"
