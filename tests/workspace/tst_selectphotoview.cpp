#include "core/config.h"
#include "order/searchorder.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "products/productdlg.h"
#include "standin/demodata.h"
#include "tests/support/eventwait.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "tools/familydlg.h"
#include "tools/selectfamilytypedialog.h"
#include "viewer/photoview.h"
#include "workspace/albumtablemodel.h"
#include "workspace/selectphotoview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <memory>

class TestSelectPhotoView : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    // The demo order's share, where the album panel's load road finds the order's photos.
    QTemporaryDir m_volumes;

    // The order the search window would have copied into Config.
    static void openOrder()
    {
        Config::order_id = QStringLiteral("1001");
        Config::shop_id = QStringLiteral("7");
        Config::super_id = QStringLiteral("3");
        Config::order_sample_infoid = QStringLiteral("30001");
        Config::names = QStringList {QStringLiteral("旗舰店")};
        Config::ids = QStringList {QStringLiteral("7")};
        Config::show_mode = 4;
        Config::isLocked = false;
    }

    // A window whose two start-up replies have been handled (done tells when).
    std::unique_ptr<SelectPhotoView> makeWindow(const std::function<bool()>& done)
    {
        std::unique_ptr<SelectPhotoView> w(new SelectPhotoView());
        [&] { QVERIFY(m_backend.waitForRequests(2)); }();
        [&] { QVERIFY(waitUntil(done)); }();
        return w;
    }

private slots:
    void initTestCase()
    {
        Config::volumesRoot = m_volumes.path() + QLatin1Char('/');
        QVERIFY(DemoData::createVolumes(Config::volumesRoot));
    }

    void init()
    {
        openOrder();
        m_backend.reset();
        ProductData::all_product_requirement.clear();
        Config::orderHomePath.clear();
        DirServer::setHomeModelPath(QString());
        DirServer::setBackgroundMusicPath(QString());
    }

    void cleanup()
    {
        for (SearchOrder* s : topLevelWindows<SearchOrder>())
            delete s;
        for (SelectFamilyTypeDialog* d : topLevelWindows<SelectFamilyTypeDialog>())
            delete d;
        ImageData::getInstance()->clearImages();
        Config::orderMode = 0;
    }

    void opensWithPanesAndBothRequests()
    {
        PromptRecorder prompts;
        auto w = makeWindow(
            [] { return !ProductData::all_product_requirement.isEmpty() && !Config::orderHomePath.isEmpty(); });
        QCOMPARE(prompts.count(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("Velmo软件-影楼选片系统(缩略图+中图)"));

        // Viewer over chooser, album panel beside them, products panel right; two hidden.
        QCOMPARE(w->centralWidget(), w->mainSplitter);
        QCOMPARE(w->mainSplitter->widget(0), w->workSplitter);
        QCOMPARE(w->mainSplitter->widget(1), w->productDlg);
        QCOMPARE(w->workSplitter->widget(0), w->viewSplitter);
        QCOMPARE(w->workSplitter->widget(1), w->photoOperation);
        QCOMPARE(w->viewSplitter->widget(0), w->photoView);
        QCOMPARE(w->viewSplitter->widget(1), w->familyDlg);
        QVERIFY(w->familyDlg->isHidden());
        QVERIFY(w->productDlg->isHidden());
        QCOMPARE(w->mainSplitter->handleWidth(), 0);
        QCOMPARE(w->workSplitter->handleWidth(), 2);
        QCOMPARE(w->viewSplitter->handleWidth(), 0);

        // Two connections: the stand-in may see them in either order (beside the album
        // panel's own load of the order's photos).
        QCOMPARE(m_backend->requestsTo("order", "getorderdescr").size(), 1);
        QCOMPARE(m_backend->requestsTo("systemset", "getpicpath").size(), 1);
        const QList<StandInRequest> requests = {m_backend->requestsTo("order", "getorderdescr").value(0),
            m_backend->requestsTo("systemset", "getpicpath").value(0)};
        QCOMPARE(requests.at(0).keys(),
            (QStringList {"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        QCOMPARE(requests.at(1).keys(),
            (QStringList {"token", "shopid", "companyid", "order_photo_id", "order_sample_infoid"}));
        for (const StandInRequest& r : requests) {
            QCOMPARE(r.value("token"), Config::token);
            QCOMPARE(r.value("order_photo_id"), QStringLiteral("1001"));
            QCOMPARE(r.value("shopid"), QStringLiteral("7"));
            QCOMPARE(r.value("companyid"), QStringLiteral("3"));
            QCOMPARE(r.value("order_sample_infoid"), QStringLiteral("30001"));
        }
        QCOMPARE(ProductData::all_product_requirement,
            QStringLiteral("整体要求：肤色自然通透，背景保持干净，外景片统一暖色调"));
    }

    void lockedOrderSaysSoFirst()
    {
        PromptRecorder prompts;
        Config::isLocked = true;
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(prompts.last().text, QStringLiteral("该订单已锁定，仅能查看选片结果，如需修改请先解锁"));
        Config::isLocked = false;
    }

    void titleFollowsTheDisplayMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        const QString base = QStringLiteral("Velmo软件-影楼选片系统");
        QTest::newRow("0") << 0 << base + "(缩略图+原图)";
        QTest::newRow("1") << 1 << base + "(只原图)";
        QTest::newRow("2") << 2 << base + "(只缩略图)";
        QTest::newRow("3") << 3 << base + "(缩略图+小图)";
        QTest::newRow("4") << 4 << base + "(缩略图+中图)";
        QTest::newRow("5") << 5 << base + "(缩略图+大图)";
        QTest::newRow("7") << 7 << base;
        QTest::newRow("-1") << -1 << base;
    }

    void titleFollowsTheDisplayMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, title);
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        Config::show_mode = mode;
        emit w->photoView->sendTitleChange();
        QCOMPARE(w->windowTitle(), title);
    }

    // Each reply changes only its own targets; a refusal shows its box and keeps them.
    void startUpReplies_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QJsonObject>("reply"); // empty: HTTP 500
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("requirement");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("music");
        const QString volumes = QDir::cleanPath(Config::volumesRoot);
        QTest::newRow("requirement refused")
            << "getorderdescr"
            << "order" << QJsonObject {{"code", "0"}, {"message", "订单不存在"}} << "查询产品信息错误：订单不存在"
            << "" << volumes + "/share/家居模板/" << volumes + "/share/背景音乐/";
        QTest::newRow("requirement missing text") << "getorderdescr"
                                                  << "order" << QJsonObject {{"code", "1"}} << ""
                                                  << "" << volumes + "/share/家居模板/" << volumes + "/share/背景音乐/";
        QTest::newRow("requirement network error")
            << "getorderdescr"
            << "order" << QJsonObject() << "网络请求错误\n500"
            << "" << volumes + "/share/家居模板/" << volumes + "/share/背景音乐/";
        QTest::newRow("templates refused")
            << "getpicpath"
            << "systemset" << QJsonObject {{"code", 1}, {"message", "无权限"}} << "查询家居模板路径错误：无权限"
            << "整体要求：肤色自然通透，背景保持干净，外景片统一暖色调"
            << ""
            << "";
        QTest::newRow("templates without music, no closing separator")
            << "getpicpath"
            << "systemset" << QJsonObject {{"code", "1"}, {"homepicpath", "\\\\srv\\share\\模板"}} << ""
            << "整体要求：肤色自然通透，背景保持干净，外景片统一暖色调" << volumes + "/share/模板/"
            << "";
    }

    void startUpReplies()
    {
        QFETCH(QString, action);
        QFETCH(QString, module);
        QFETCH(QJsonObject, reply);
        QFETCH(QString, box);
        QFETCH(QString, requirement);
        QFETCH(QString, home);
        QFETCH(QString, music);
        PromptRecorder prompts;
        m_backend->setReply(
            module, action, reply.isEmpty() ? StandInReply::httpStatus(500) : StandInReply::json(reply));
        // The other reply is the fixture's; wait for it and for the box or the new value.
        auto w = makeWindow([&] {
            const bool other = action == "getpicpath" ? !ProductData::all_product_requirement.isEmpty()
                                                      : !Config::orderHomePath.isEmpty();
            return other
                && (box.isEmpty() ? (action == "getpicpath" ? !Config::orderHomePath.isEmpty() : true)
                                  : prompts.count() > 0);
        });
        QTest::qWait(50);
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        if (!box.isEmpty()) {
            QCOMPARE(prompts.last().title, QStringLiteral("警告"));
            QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
            QCOMPARE(prompts.last().defaultButton, QMessageBox::Yes);
        }
        QCOMPARE(ProductData::all_product_requirement, requirement);
        QCOMPARE(DirServer::getHomeModelPath(), home);
        QCOMPARE(DirServer::getBackgroundMusicPath(), music);
    }

    void functionKeys()
    {
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        Config::orderMode = 0;
        QList<int> modes;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(w.get(), Qt::Key_F12);
            modes << Config::orderMode;
        }
        QCOMPARE(modes, (QList<int> {1, 2, 0}));

        auto* table = w->photoOperation->findChild<QTableView*>();
        QVERIFY(!table->isHidden());
        QTest::keyClick(w.get(), Qt::Key_F11);
        QVERIFY(table->isHidden());
        // The products panel's view-switch signal reaches the same switch.
        emit w->productDlg->changeView();
        QVERIFY(!table->isHidden());
    }

    void roomTypeChoosesTheFolder_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("listed"); // the demo share's template of that room kind
        QTest::newRow("bedroom") << 0 << "模板/卧室/"
                                 << "卧室单框.jpg";
        QTest::newRow("living room") << 1 << "模板/客厅/"
                                     << "客厅双框.jpg";
        QTest::newRow("other") << 2 << "模板/其他/"
                               << "其他斜框.jpg";
        QTest::newRow("out of range") << 5 << "模板/卧室/"
                                      << "卧室单框.jpg";
    }

    void roomTypeChoosesTheFolder()
    {
        QFETCH(int, type);
        QFETCH(QString, folder);
        QFETCH(QString, listed);
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        PromptRecorder prompts;
        emit w->photoOperation->familyPhoto();
        QVERIFY(w->isFamilyShown);
        QVERIFY(w->photoOperation->isFamilyShown);
        const QList<SelectFamilyTypeDialog*> dialogs = topLevelWindows<SelectFamilyTypeDialog>();
        QCOMPARE(dialogs.size(), 1);
        QCOMPARE(dialogs.first()->windowModality(), Qt::ApplicationModal);
        QVERIFY(w->familyDlg->isHidden()); // nothing shown before a type is chosen

        emit dialogs.first()->sendType(type);
        QVERIFY(!w->familyDlg->isHidden());
        QCOMPARE(w->viewSplitter->handleWidth(), 2);
        // The chooser lists the templates of the folder of that room kind.
        auto* list = w->familyDlg->findChild<QListWidget*>(QStringLiteral("listWidget"));
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, 30000);
        QCOMPARE(list->item(0)->text(), listed);
        QString chosen;
        connect(w->familyDlg, &FamilyDlg::sendFamilyBigPicPath, this, [&](QString& p) { chosen = p; });
        emit list->itemDoubleClicked(list->item(0));
        QCOMPARE(chosen, DirServer::getHomeModelPath() + folder + listed);
        QCOMPARE(prompts.count(), 0);

        emit w->photoOperation->familyPhoto();
        QVERIFY(!w->isFamilyShown);
        QVERIFY(!w->photoOperation->isFamilyShown);
        QVERIFY(w->familyDlg->isHidden());
        QCOMPARE(w->viewSplitter->handleWidth(), 0);
    }

    void produceButtonShowsAndHidesTheProducts()
    {
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        w->photoOperation->clickProduce();
        QVERIFY(!w->productDlg->isHidden());
        QCOMPARE(w->mainSplitter->handleWidth(), 2);
        w->photoOperation->clickProduce();
        QVERIFY(w->productDlg->isHidden());
        QCOMPARE(w->mainSplitter->handleWidth(), 0);
    }

    void albumShownReachesStoreViewerAndProducts_data()
    {
        QTest::addColumn<int>("album");
        QTest::addColumn<int>("filter");
        QTest::addColumn<bool>("cropEnabled");
        QTest::newRow("成品, 已选") << 1 << 1 << true;
        QTest::newRow("汰片") << 2 << 0 << false;
        QTest::newRow("照片") << 0 << 0 << false;
    }

    void albumShownReachesStoreViewerAndProducts()
    {
        QFETCH(int, album);
        QFETCH(int, filter);
        QFETCH(bool, cropEnabled);
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        emit w->photoOperation->sendPhotoModel(PHOTOTYPE(album), album, SELETYPE(filter));
        QCOMPARE(int(ImageData::getInstance()->getType()), album);
        QCOMPARE(w->photoView->photoModel, album);
        QCOMPARE(w->productDlg->seleType, filter);
        QCOMPARE(w->photoView->findChild<QPushButton*>("BottomButton_Clip")->isEnabled(), cropEnabled);
    }

    void productsAskForTheSelectedNames()
    {
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        auto* table = w->photoOperation->findChild<QTableView*>();
        QList<Image> photos;
        for (const char* name : {"IMG_1.jpg", "IMG_2.jpg"}) {
            Image photo;
            photo.Setpath(QString::fromUtf8(name));
            photos << photo;
        }
        qobject_cast<AlbumTableModel*>(table->model())->setPhotos(photos);
        table->selectRow(1);
        PromptRecorder prompts;
        // With a product chosen (the album inside the order's package; the package itself takes
        // no photos), a drop asks the album panel for its selection.
        // The shared product list may still hold an earlier window's products: wait for this
        // panel's own table.
        auto* products = w->productDlg->findChild<QTableView*>("tableView");
        QVERIFY(waitUntil([&] { return products->model()->rowCount() > 0; }));
        products->setCurrentIndex(products->model()->index(1, 0));
        QSignalSpy asked(w->productDlg, &ProductDlg::getPicNamelist);
        w->productDlg->addToProduct();
        QCOMPARE(asked.count(), 1);
        QCOMPARE(prompts.count(), 0);
        ProductData::m_products.clear();
    }

    // The "用" marks are the products' positions: they follow a reload that reorders them.
    void productMarksFollowTheProductOrder()
    {
        auto w = makeWindow([] { return !Config::orderHomePath.isEmpty(); });
        auto mark = [](const char* name) {
            return ImageData::getInstance()->getFineImage(QString::fromUtf8(name), SELE_ALL).getProductId();
        };
        QVERIFY(waitUntil([&] {
            return ImageData::getInstance()->getFinalImageNum() == 5 && ProductData::m_products.size() == 7
                && mark("IMG_0001.jpg") == "用2用5";
        }));
        QCOMPARE(mark("IMG_0002.jpg"), QStringLiteral("用2用6"));
        QCOMPARE(mark("IMG_0004.jpg"), QStringLiteral("用3"));
        QCOMPARE(mark("婚纱 外景 01.jpg"), QStringLiteral("用2"));
        QCOMPARE(mark("IMG_0005.jpg"), QStringLiteral("用5"));

        // The print first, the sent product gone.
        QFile f(QStringLiteral(STANDIN_FIXTURES_DIR "/order.ordergoods.json"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
        QJsonObject order = root["order"].toObject();
        QJsonArray goods = order["ordergoods3"].toArray();
        goods.prepend(goods.takeAt(1));
        goods.removeAt(2);
        order["ordergoods3"] = goods;
        root["order"] = order;
        m_backend->setReply("order", "ordergoods", StandInReply::json(root));
        emit w->photoOperation->sumbitSampleReslut(0);
        QVERIFY(waitUntil([&] { return ProductData::m_products.size() == 6; }));
        QCOMPARE(mark("IMG_0001.jpg"), QStringLiteral("用1用3"));
        QCOMPARE(mark("IMG_0002.jpg"), QStringLiteral("用3"));
        QCOMPARE(mark("IMG_0004.jpg"), QStringLiteral("用4"));
        QCOMPARE(mark("IMG_0005.jpg"), QStringLiteral("用1"));
        QVERIFY(ProductData::useImages.contains(QStringLiteral("婚纱 外景 01.jpg")));
        // Sent at once with the reload, on a connection of its own.
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "updatestock").size() == 1; }));
    }

    void closingAsksThenReturnsToTheSearch()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(root + "成品"));
        QVERIFY(DemoData::writePhoto(root + "成品/IMG_1.jpg", 20, 20, "1"));
        DirServer::setOrderPath(root);
        ImageData::getInstance()->importImage(PHOTO_FINE);
        QCOMPARE(ImageData::getInstance()->getFinalImageNum(), 1);

        QPointer<SelectPhotoView> w = makeWindow([] { return !Config::orderHomePath.isEmpty(); }).release();
        w->setAttribute(Qt::WA_DeleteOnClose);
        order first;
        first.order_photo_id = QStringLiteral("1001");
        order second;
        second.order_photo_id = QStringLiteral("1002");
        w->orderList = QList<order> {first, second};
        w->lastQueryBody = QByteArray("token=x&shopid=7&selectphotodate=2026-03-05");
        w->show();
        m_backend->clearRequests();

        PromptRecorder prompts;
        prompts.answer(int(QMessageBox::No));
        QVERIFY(!w->close());
        QCOMPARE(prompts.last().kind, PromptCall::Question);
        QCOMPARE(prompts.last().title, QString());
        QCOMPARE(prompts.last().text, QStringLiteral("确认关闭选片系统？"));
        QCOMPARE(prompts.last().defaultButton, QMessageBox::Yes);
        QVERIFY(w->isVisible());
        QVERIFY(topLevelWindows<SearchOrder>().isEmpty());
        QCOMPARE(ImageData::getInstance()->getFinalImageNum(), 1);

        prompts.answer(int(QMessageBox::Yes));
        QVERIFY(w->close());
        QTRY_VERIFY_WITH_TIMEOUT(w.isNull(), 30000);
        QCOMPARE(ImageData::getInstance()->getFinalImageNum(), 0);
        const QList<SearchOrder*> searches = topLevelWindows<SearchOrder>();
        QCOMPARE(searches.size(), 1);
        QVERIFY(searches.first()->isVisible());
        QVERIFY(searches.first()->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(searches.first()->orderList.size(), 2);
        QCOMPARE(searches.first()->orderList.at(1).order_photo_id, QStringLiteral("1002"));
        // The album panel's own start-up requests may still be arriving: look at the query alone.
        QVERIFY(QTest::qWaitFor([&] { return !m_backend->requestsTo("order", "ordermessage").isEmpty(); }, 30000));
        QCOMPARE(m_backend->requestsTo("order", "ordermessage").size(), 1);
        QCOMPARE(m_backend->requestsTo("order", "ordermessage").first().body,
            QByteArray("token=x&shopid=7&selectphotodate=2026-03-05"));
    }

    // Template thumbnails still queued when the window goes reply to nobody.
    void closingWithThumbnailJobsQueued()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(root + "模板/卧室"));
        for (int i = 0; i < 40; ++i)
            QVERIFY(DemoData::writePhoto(root + QStringLiteral("模板/卧室/t%1.jpg").arg(i), 600, 400, "t"));
        PromptRecorder prompts;
        QPointer<SelectPhotoView> w = makeWindow([] { return !Config::orderHomePath.isEmpty(); }).release();
        DirServer::setHomeModelPath(root);
        w->onReceiveFamilyType(0);
        // The folder is read on a worker; the window goes as soon as the list is filled.
        QVERIFY(waitUntil([&] { return w->familyDlg->findChild<QListWidget*>()->count() == 40; }));
        delete w;
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(50);
        QCOMPARE(prompts.count(), 0);
    }

    void closingWithRepliesOnTheWayShowsNothing()
    {
        PromptRecorder prompts;
        m_backend->setReply("order", "getorderdescr", StandInReply::httpStatus(500).held());
        m_backend->setReply("systemset", "getpicpath", StandInReply::httpStatus(500).held());
        auto* w = new SelectPhotoView();
        QVERIFY(m_backend.waitForRequests(2));
        delete w;
        m_backend->releaseHeld();
        QTest::qWait(100);
        QCOMPARE(prompts.count(), 0);
    }
};

QTEST_MAIN(TestSelectPhotoView)
#include "tst_selectphotoview.moc"
