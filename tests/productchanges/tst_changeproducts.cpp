#include "app/mycombobox.h"
#include "core/config.h"
#include "photostore/productdata.h"
#include "productchanges/addnewproducts.h"
#include "productchanges/changeproducts.h"
#include "productchanges/orderinforeply.h"
#include "productchanges/replaceoldproduct.h"
#include "widgets/productrequirement.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "tests/support/windowposts.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTextEdit>
#include <QtTest>

namespace {

QJsonObject entry(const QString& id, const QString& name, const QString& servicetime = QStringLiteral("1"),
    const QJsonArray& children = QJsonArray())
{
    QJsonObject e {{"id", id}, {"goodid", "G" + id}, {"number", "N-" + id}, {"goodname", name}, {"goodtype", "相册"},
        {"factorykeyx", "F-" + id}, {"servicetime", servicetime}, {"remarks", "备注" + id},
        {"picpath", "P" + id + "a.jpg|P" + id + "b.jpg"}, {"isexist", children.isEmpty() ? "0" : "1"},
        {"parentid", "0"}};
    if (!children.isEmpty())
        e.insert("son_good", children);
    return e;
}

QJsonObject goodsReply(const QJsonArray& package, const QJsonArray& removed, const QJsonArray& added)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"},
        {"order",
            QJsonObject {{"order_photo_array",
                             QJsonArray {QJsonObject {{"servicetimes", "1"}}, QJsonObject {{"servicetimes", "2"}}}},
                {"ordergoods0", package}, {"ordergoods1", removed}, {"ordergoods2", added}}}};
}

QString cellText(QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

} // namespace

class TestChangeProducts : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<ChangeProducts> m_window;

    // A window whose first load has been answered.
    ChangeProducts* openWindow()
    {
        m_window = new ChangeProducts(nullptr);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
        [&] { QVERIFY(loadsAnswered(1)); }();
        return m_window;
    }

    bool loadsAnswered(int loads)
    {
        return waitUntil([&] { return loads_().size() == loads; }) && postsAnswered(m_window);
    }

    QList<StandInRequest> loads_() { return m_backend->requestsTo("order", "ordergoods2"); }
    QList<StandInRequest> changes() { return m_backend->requestsTo("order", "changegoods"); }
    QList<StandInRequest> deletions() { return m_backend->requestsTo("order", "delgoods"); }
    QList<StandInRequest> remarks() { return m_backend->requestsTo("order", "updategoodremarks"); }

    QTableWidget* table(const char* name) { return m_window->findChild<QTableWidget*>(QLatin1String(name)); }
    QTableWidget* package() { return table("tableWidget"); }
    QTableWidget* removed() { return table("tableWidget_del"); }
    QTableWidget* added() { return table("tableWidget_new"); }
    QString info(const char* field)
    {
        const QLabel* label = m_window->findChild<QLabel*>(QLatin1String(field));
        return label ? label->text() : QStringLiteral("<none>");
    }

    // A click as the operator makes it; false when the cell holds nothing to click.
    static bool click(QTableWidget* table, int row, int column)
    {
        QTableWidgetItem* item = table->item(row, column);
        if (!item)
            return false;
        table->scrollToItem(item);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(item).center());
        return true;
    }

    // Clicks "确认" twice; the entry ids of each list emitted.
    QList<QStringList> confirmations()
    {
        QList<QStringList> emitted;
        connect(m_window.data(), &ChangeProducts::changeAllProducts, [&](const QList<Product>& products) {
            QStringList ids;
            for (const Product& product : products)
                ids << product.id;
            emitted << ids;
        });
        QPushButton* confirm = m_window->findChild<QPushButton*>("confirmButton");
        confirm->click();
        if (m_window)
            confirm->click();
        return emitted;
    }

    ProductRequirement* remarkEditor()
    {
        const QList<ProductRequirement*> editors = topLevelWindows<ProductRequirement>();
        return editors.isEmpty() ? nullptr : editors.last();
    }

    void confirmRemark(const QString& text)
    {
        ProductRequirement* editor = remarkEditor();
        QVERIFY(editor);
        editor->findChild<QTextEdit*>("textEdit")->setPlainText(text);
        editor->findChild<QPushButton*>("pushButton")->click();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        useTestOrder();
        Config::orderServNum = QStringLiteral("1");
        Config::user_type = QStringLiteral("0");
    }

    void init()
    {
        m_backend.reset();
        ProductData::m_changedPhotos = QStringList {QStringLiteral("stale.jpg")};
    }

    void cleanup()
    {
        m_backend->releaseHeld();
        for (ProductRequirement* editor : topLevelWindows<ProductRequirement>())
            delete editor;
        for (ReplaceOldProduct* dialog : topLevelWindows<ReplaceOldProduct>())
            delete dialog;
        delete m_window;
        Config::orderServNum = QStringLiteral("1");
        Config::user_type = QStringLiteral("0");
    }

    // The stand-in's order: a package with three sub-products and two single products, one removed, one added.
    void tablesFromTheLoad_data()
    {
        QTest::addColumn<QString>("servNum");
        QTest::addColumn<bool>("isDeletable");
        QTest::newRow("current service count") << "1" << true;
        QTest::newRow("another service count") << "2" << false;
    }

    void tablesFromTheLoad()
    {
        QFETCH(QString, servNum);
        QFETCH(bool, isDeletable);
        Config::orderServNum = servNum;
        PromptRecorder prompts;
        openWindow();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("增删改"));
        QVERIFY(ProductData::m_changedPhotos.isEmpty());
        QCOMPARE(loads_().first().keys(),
            QStringList({"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));

        QCOMPARE(package()->rowCount(), 6);
        QCOMPARE(cellText(package(), 0, 2), QStringLiteral("经典婚纱套系A"));
        QCOMPARE(cellText(package(), 1, 2), QStringLiteral("-->12寸水晶相册"));
        QCOMPARE(cellText(package(), 3, 2), QStringLiteral("-->6寸迷你相册"));
        QCOMPARE(package()->item(1, 0)->toolTip(), QStringLiteral("1201"));
        QCOMPARE(cellText(package(), 0, 1), QStringLiteral("1"));
        for (int row = 1; row <= 3; ++row) {
            QVERIFY(!package()->item(row, 1));
            QVERIFY(!package()->item(row, 5) && !package()->item(row, 6));
        }
        for (int row : {0, 4, 5}) {
            QCOMPARE(cellText(package(), row, 5), isDeletable ? QStringLiteral("删除") : QStringLiteral("<none>"));
            QCOMPARE(cellText(package(), row, 6), isDeletable ? QStringLiteral("替换") : QStringLiteral("<none>"));
        }
        QCOMPARE(removed()->rowCount(), 1);
        QCOMPARE(cellText(removed(), 0, 1), QStringLiteral("5寸照片冲印"));
        QCOMPARE(cellText(removed(), 0, 4), QStringLiteral("恢复"));
        QCOMPARE(added()->rowCount(), 1);
        QCOMPARE(cellText(added(), 0, 1), QStringLiteral("8寸水晶摆台"));
        QCOMPARE(cellText(added(), 0, 5), QStringLiteral("替换"));
        QCOMPARE(cellText(added(), 0, 6), QStringLiteral("水晶摆台底座刻字：王芳&李明 2026"));

        // A click on an empty action cell does nothing.
        QVERIFY(!click(package(), 1, 5));
        if (!isDeletable)
            QVERIFY(!click(package(), 0, 5));
        QTest::qWait(20);
        QVERIFY(changes().isEmpty());
        QCOMPARE(prompts.count(), 0);
    }

    // Sub-products follow their package; a top entry with a parent id shows as a sub-product; a missing list empties
    // its table; every load replaces the lists wholly, and no hidden chooser window is left per row.
    void reloadReplacesTheLists()
    {
        openWindow();
        QJsonObject reply
            = goodsReply(QJsonArray {entry("1", "套系", "1", QJsonArray {entry("2", "子一"), entry("3", "子二")}),
                             entry("4", "孤儿")},
                QJsonArray(), QJsonArray {entry("5", "加选", "1", QJsonArray {entry("6", "加选子")})});
        QJsonObject order = reply.value("order").toObject();
        QJsonArray goods0 = order.value("ordergoods0").toArray();
        QJsonObject orphan = goods0.at(1).toObject();
        orphan.insert("parentid", "9");
        goods0.replace(1, orphan);
        order.insert("ordergoods0", goods0);
        order.remove("ordergoods1");
        reply.insert("order", order);
        m_backend->setReply("order", "ordergoods2", StandInReply::json(reply));
        for (int load = 2; load <= 3; ++load) {
            m_window->on_newProducts();
            QVERIFY(loadsAnswered(load));
        }
        QCOMPARE(package()->rowCount(), 4);
        QCOMPARE(cellText(package(), 3, 2), QStringLiteral("-->孤儿"));
        QVERIFY(!package()->item(3, 5));
        QCOMPARE(removed()->rowCount(), 0);
        QCOMPARE(added()->rowCount(), 2);
        QCOMPARE(cellText(added(), 1, 1), QStringLiteral("-->加选子"));
        QVERIFY(!added()->item(1, 4) && !added()->item(1, 5));
        QCOMPARE(cellText(added(), 1, 6), QStringLiteral("备注6"));
        QCOMPARE(topLevelWindows<myComboBox>().size(), 0);
        QCOMPARE(m_window->findChildren<myComboBox*>().size(), 0);
    }

    // Each change posts its body, collects the product's photo names and, once accepted, reloads the lists.
    void changePostsAndReloads_data()
    {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("type");
        const QStringList changeKeys {
            "order_sample_infoid", "token", "order_photo_id", "shopid", "uid", "ordergoodsid", "type", "companyid"};
        QTest::newRow("take out of the package") << "tableWidget" << 2 << 5 << "changegoods" << changeKeys << "80015"
                                                 << "1";
        QTest::newRow("restore") << "tableWidget_del" << 0 << 4 << "changegoods" << changeKeys << "80010"
                                 << "2";
        QTest::newRow("delete an added product") << "tableWidget_new" << 0 << 4 << "delgoods"
                                                 << QStringList {"token", "order_photo_id", "shopid", "uid",
                                                        "ordergoodsid", "companyid", "order_sample_infoid"}
                                                 << "80017"
                                                 << "";
    }

    void changePostsAndReloads()
    {
        QFETCH(QString, tableName);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, action);
        QFETCH(QString, id);
        PromptRecorder prompts;
        m_backend->setReply("order", "ordergoods2",
            StandInReply::json(goodsReply(
                QJsonArray {entry("80011", "套系", "1", QJsonArray {entry("80012", "子")}), entry("80015", "冲印")},
                QJsonArray {entry("80010", "去掉的")}, QJsonArray {entry("80017", "加选")})));
        openWindow();
        QTableWidget* target = table(tableName.toUtf8().constData());
        QVERIFY(click(target, row, column));
        QVERIFY(loadsAnswered(2));
        const QList<StandInRequest> posts = m_backend->requestsTo("order", action);
        QCOMPARE(posts.size(), 1);
        QTEST(posts.first().keys(), "keys");
        QCOMPARE(posts.first().value("ordergoodsid"), id);
        QTEST(posts.first().value("type"), "type");
        QCOMPARE(posts.first().value("uid"), QStringLiteral("501"));
        QCOMPARE(ProductData::m_changedPhotos, QStringList({"P" + id + "a.jpg", "P" + id + "b.jpg"}));
        QCOMPARE(prompts.count(), 0);
    }

    // One change at a time, until the reload after it has been answered; photo names still collect.
    void oneChangeAtATime()
    {
        openWindow();
        scriptEndpoint(m_backend, "order", "changegoods", Failure::Held, QJsonObject {{"code", "1"}});
        QVERIFY(click(package(), 4, 5));
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        QVERIFY(click(package(), 5, 5));
        QVERIFY(click(removed(), 0, 4));
        QVERIFY(click(added(), 0, 4));
        QTest::qWait(20);
        QCOMPARE(changes().size(), 1);
        QCOMPARE(changes().first().value("ordergoodsid"), QStringLiteral("80015"));
        QVERIFY(deletions().isEmpty());
        QCOMPARE(ProductData::m_changedPhotos, QStringList({"IMG_0001.jpg", "IMG_0005.jpg", "IMG_0002.jpg"}));
        m_backend->clearScripts();
        scriptEndpoint(m_backend, "order", "ordergoods2", Failure::Held,
            goodsReply(QJsonArray(), QJsonArray(), QJsonArray {entry("80017", "加选")}));
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return loads_().size() == 2; }));
        QVERIFY(click(added(), 0, 4));
        QTest::qWait(20);
        QVERIFY(deletions().isEmpty());
        m_backend->clearScripts();
        m_backend->releaseHeld();
        QVERIFY(postsAnswered(m_window));
        QVERIFY(click(added(), 0, 4));
        QVERIFY(loadsAnswered(3));
        QCOMPARE(deletions().size(), 1);
    }

    // A refused or failed change says so (or nothing, for an unreadable body), reloads nothing and frees the actions.
    void failedChange_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("refused") << Failure::None << QStringList {"修改产品错误：该产品已送厂"};
        QTest::newRow("http error") << Failure::HttpStatus << QStringList {"网络请求错误\n500"};
        QTest::newRow("not json") << Failure::NotJson << QStringList();
        QTest::newRow("array") << Failure::Array << QStringList();
    }

    void failedChange()
    {
        QFETCH(Failure, failure);
        PromptRecorder prompts;
        openWindow();
        scriptEndpoint(
            m_backend, "order", "changegoods", failure, QJsonObject {{"code", "0"}, {"message", "该产品已送厂"}});
        QVERIFY(click(removed(), 0, 4));
        QVERIFY(waitUntil([&] { return changes().size() == 1; }));
        QVERIFY(postsAnswered(m_window));
        QTEST(prompts.texts(), "boxes");
        for (const PromptCall& call : prompts.calls()) {
            QCOMPARE(call.title, QStringLiteral("警告"));
            QCOMPARE(call.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        }
        QCOMPARE(loads_().size(), 1);
        QCOMPARE(removed()->rowCount(), 1);
        QVERIFY(click(removed(), 0, 4));
        QVERIFY(waitUntil([&] { return changes().size() == 2; }));
    }

    // A load that fails says so (or nothing, for an unreadable body) and keeps the lists and tables.
    void failedLoadKeepsTheTables_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("refused") << Failure::None << QStringList {"查询错误：无权限"};
        QTest::newRow("http error") << Failure::HttpStatus << QStringList {"网络请求错误\n500"};
        QTest::newRow("not json") << Failure::NotJson << QStringList();
    }

    void failedLoadKeepsTheTables()
    {
        QFETCH(Failure, failure);
        PromptRecorder prompts;
        openWindow();
        scriptEndpoint(m_backend, "order", "ordergoods2", failure, QJsonObject {{"code", "0"}, {"message", "无权限"}});
        m_window->on_newProducts();
        QVERIFY(loadsAnswered(2));
        QTEST(prompts.texts(), "boxes");
        QCOMPARE(package()->rowCount(), 6);
        QCOMPARE(added()->rowCount(), 1);
        const QList<QStringList> emitted = confirmations();
        QCOMPARE(emitted.first().size(), 7);
    }

    // The remark goes to the product the editor was opened on, wherever a reload in between has put it, as plain text.
    void remarkAfterAReload_data()
    {
        QTest::addColumn<QJsonArray>("reloaded");
        QTest::addColumn<int>("newRow");
        const QJsonObject a = entry("701", "加选甲");
        const QJsonObject b = entry("702", "加选乙");
        const QJsonObject c = entry("703", "加选丙");
        QTest::newRow("unchanged") << QJsonArray {a, b} << 1;
        QTest::newRow("moved up") << QJsonArray {b} << 0;
        QTest::newRow("moved down") << QJsonArray {c, a, b} << 2;
        QTest::newRow("deleted") << QJsonArray {a, c} << -1;
        QTest::newRow("table emptied") << QJsonArray() << -1;
    }

    void remarkAfterAReload()
    {
        QFETCH(QJsonArray, reloaded);
        QFETCH(int, newRow);
        PromptRecorder prompts;
        m_backend->setReply("order", "ordergoods2",
            StandInReply::json(
                goodsReply(QJsonArray(), QJsonArray(), {entry("701", "加选甲"), entry("702", "加选乙")})));
        openWindow();
        QVERIFY(click(added(), 1, 6));
        QVERIFY(remarkEditor());
        QCOMPARE(remarkEditor()->windowTitle(), QStringLiteral("制作要求"));
        QCOMPARE(remarkEditor()->findChild<QTextEdit*>("textEdit")->toPlainText(), QStringLiteral("备注702"));
        QCOMPARE(remarkEditor()->windowModality(), Qt::ApplicationModal);

        m_backend->setReply(
            "order", "ordergoods2", StandInReply::json(goodsReply(QJsonArray(), QJsonArray(), reloaded)));
        m_window->on_newProducts();
        QVERIFY(loadsAnswered(2));
        const QString text = QStringLiteral("<b>加急</b> & 1+1=2\n第二行");
        confirmRemark(text);
        QVERIFY(waitUntil([&] { return remarks().size() == 1; }));
        const StandInRequest post = remarks().first();
        QCOMPARE(post.keys(), QStringList({"order_photo_id", "id", "remarks", "companyid", "order_sample_infoid"}));
        QCOMPARE(post.value("id"), QStringLiteral("702"));
        QCOMPARE(post.value("remarks"), text);
        QVERIFY(post.target.endsWith("&token=" + Config::token.toUtf8()));
        QCOMPARE(added()->rowCount(), reloaded.size());
        for (int row = 0; row < reloaded.size(); ++row) {
            const QString id = reloaded.at(row).toObject().value("id").toString();
            QCOMPARE(cellText(added(), row, 6), row == newRow ? text : "备注" + id);
        }
        QTest::qWait(20);
        QCOMPARE(prompts.count(), 0);
    }

    // A refused remark is said over the window; the cell keeps the edited text until the next load.
    void refusedRemarkStaysInTheCell()
    {
        PromptRecorder prompts;
        openWindow();
        scriptEndpoint(m_backend, "order", "updategoodremarks", Failure::None, QJsonObject {{"code", "0"}});
        QVERIFY(click(added(), 0, 6));
        confirmRemark(QStringLiteral("改后的备注"));
        QVERIFY(waitUntil([&] { return prompts.count() == 1; }));
        QCOMPARE(prompts.last().title, QStringLiteral("提交失败"));
        QCOMPARE(prompts.last().text, QStringLiteral("添加备注失败，请重新尝试！"));
        QCOMPARE(prompts.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(cellText(added(), 0, 6), QStringLiteral("改后的备注"));
    }

    // The service-count change, for a chooser that names its row: counts not above 0 send nothing.
    void serviceCount_data()
    {
        QTest::addColumn<QString>("num");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("hasActions");
        QTest::newRow("zero") << "0"
                              << "提醒" << false;
        QTest::newRow("empty") << ""
                               << "提醒" << false;
        QTest::newRow("not a number") << "abc"
                                      << "提醒" << false;
        QTest::newRow("another count") << "2"
                                       << "提交成功" << false;
        QTest::newRow("the current count") << "1"
                                           << "提交成功" << true;
    }

    void serviceCount()
    {
        QFETCH(QString, num);
        QFETCH(bool, hasActions);
        PromptRecorder prompts;
        openWindow();
        myComboBox chooser;
        chooser.setProperty("tbRow", 4);
        chooser.addItems({num});
        connect(&chooser, &QComboBox::textActivated, m_window.data(), &ChangeProducts::servNumChgAction);
        emit chooser.textActivated(num);
        QVERIFY(waitUntil([&] { return prompts.count() == 1; }));
        QTEST(prompts.last().title, "title");
        QCOMPARE(cellText(package(), 4, 5), hasActions ? QStringLiteral("删除") : QStringLiteral("<none>"));
        const QList<StandInRequest> posts = m_backend->requestsTo("order", "update_good_servicetime");
        if (num.toInt() <= 0) {
            QCOMPARE(prompts.last().text, QStringLiteral("服务次数不能为0！"));
            QVERIFY(posts.isEmpty());
            return;
        }
        QCOMPARE(prompts.last().text, QStringLiteral("修改产品服务次数成功"));
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts.first().keys(),
            QStringList({"order_photo_id", "id", "servicetime", "companyid", "order_sample_infoid"}));
        QCOMPARE(posts.first().value("id"), QStringLiteral("80015"));
        QCOMPARE(posts.first().value("servicetime"), num);
    }

    // "确认": the package and added products (sub-products included, removed ones left out), once.
    void confirmEmitsPackageAndAdded()
    {
        openWindow();
        const QList<QStringList> emitted = confirmations();
        QCOMPARE(emitted.size(), 1);
        QCOMPARE(emitted.first(), QStringList({"80011", "80012", "80013", "80014", "80015", "80016", "80017"}));
        QVERIFY(waitUntil([&] { return !m_window; }));
    }

    void confirmBeforeTheLoadEmitsNothingListed()
    {
        scriptEndpoint(m_backend, "order", "ordergoods2", Failure::Held, QJsonObject {{"code", "1"}});
        m_window = new ChangeProducts(nullptr);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
        QCOMPARE(confirmations(), QList<QStringList>({QStringList()}));
    }

    void closingEmitsNothing()
    {
        openWindow();
        int emitted = 0;
        connect(m_window.data(), &ChangeProducts::changeAllProducts, [&] { ++emitted; });
        m_window->close();
        QVERIFY(waitUntil([&] { return !m_window; }));
        QCOMPARE(emitted, 0);
    }

    // The replacement dialog gets the product's entry id; it and the add window make the window reload.
    void openedWindowsReportBack()
    {
        openWindow();
        QVERIFY(click(added(), 0, 5));
        QCOMPARE(ProductData::oid, QStringLiteral("80017"));
        QCOMPARE(topLevelWindows<ReplaceOldProduct>().size(), 1);
        ReplaceOldProduct* dialog = topLevelWindows<ReplaceOldProduct>().first();
        QVERIFY(dialog->isModal());
        emit dialog->refreshNewProducts();
        QVERIFY(loadsAnswered(2));
        dialog->close();

        m_window->findChild<QPushButton*>("newItemButton")->click();
        QCOMPARE(topLevelWindows<AddNewProducts>().size(), 1);
        QPointer<AddNewProducts> add = topLevelWindows<AddNewProducts>().first();
        QVERIFY(postsAnswered(add));
        add->close();
        QVERIFY(loadsAnswered(3));
        m_window->findChild<QPushButton*>("newItemButton")->click();
        QPointer<AddNewProducts> latest = topLevelWindows<AddNewProducts>().last();
        QVERIFY(postsAnswered(latest));
        delete m_window;
        QVERIFY(!latest);
    }

    // The order's information and payments from the stand-in's reply; the baby's name only for a baby order.
    void orderInformation_data()
    {
        QTest::addColumn<QString>("userType");
        QTest::newRow("baby order") << "3";
        QTest::newRow("other order") << "0";
    }

    void orderInformation()
    {
        QFETCH(QString, userType);
        Config::user_type = userType;
        openWindow();
        QVERIFY(waitUntil([&] { return info("orderpayforkey") == QStringLiteral("DEMO-1001"); }));
        const StandInRequest post = m_backend->requestsTo("order", "order_info").first();
        QCOMPARE(post.keys(), QStringList({"order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        QCOMPARE(info("bname"), userType == "3" ? QStringLiteral("李明") : QStringLiteral("<none>"));
        QCOMPARE(info("wname"), QStringLiteral("王芳"));
        QCOMPARE(info(OrderInfoReply::SampleTimeKey.toUtf8().constData()), QStringLiteral("9:30"));
        QCOMPARE(info(OrderInfoReply::OrderArrearsKey.toUtf8().constData()), QStringLiteral("1599.00"));
        QCOMPARE(info(OrderInfoReply::TwoSalesArrearsKey.toUtf8().constData()), QStringLiteral("480.50"));
        QTableWidget* payments = m_window->findChild<QTableWidget*>("payTable");
        QCOMPARE(payments->rowCount(), 3);
        QCOMPARE(cellText(payments, 1, 1), QStringLiteral("尾款"));
        QCOMPARE(cellText(payments, 1, 2), QStringLiteral("3000.00"));
        QCOMPARE(cellText(payments, 2, 3), QStringLiteral("现金"));
        QCOMPARE(cellText(payments, 0, 5), QStringLiteral("1"));
    }

    // Arrears in whole cents: large amounts keep their cents; text that is no amount counts as 0.
    void arrears_data()
    {
        QTest::addColumn<QString>("due");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("arrears");
        QTest::newRow("fraction") << "1000"
                                  << "800.5"
                                  << "199.50";
        QTest::newRow("overpaid") << "100"
                                  << "150"
                                  << "-50.00";
        QTest::newRow("nothing due") << ""
                                     << "200"
                                     << "-200.00";
        QTest::newRow("a million and cents") << "1000000.05"
                                             << "0"
                                             << "1000000.05";
        QTest::newRow("tenths") << "0.3"
                                << "0.1"
                                << "0.20";
        QTest::newRow("large") << "98765432109876.54"
                               << "0.01"
                               << "98765432109876.53";
        QTest::newRow("half a cent") << "10.005"
                                     << "0"
                                     << "10.01";
        QTest::newRow("less than a cent short") << "5.001"
                                                << "5"
                                                << "0.00";
        QTest::newRow("spaces and sign") << " +12.30 "
                                         << "-0.7"
                                         << "13.00";
        QTest::newRow("exponent") << "1e3"
                                  << "0.5"
                                  << "999.50";
        QTest::newRow("not a number") << "abc"
                                      << "1,000"
                                      << "0.00";
        QTest::newRow("too large") << "1e400"
                                   << "99999999999999999999"
                                   << "0.00";
    }

    void arrears()
    {
        QFETCH(QString, due);
        QFETCH(QString, paid);
        QTEST(OrderInfoReply::arrears(due, paid), "arrears");
    }

    // Missing members and elements that are no objects read as empty text; a whole number is read as its text, a
    // fraction sent as a number as none.
    void oddOrderInformation()
    {
        const OrderInfoReply none = OrderInfoReply::parse(QJsonObject {{"code", "1"}});
        QCOMPARE(none.value("wname"), QString());
        QCOMPARE(none.value(OrderInfoReply::SampleTimeKey), QStringLiteral(":"));
        QCOMPARE(none.value(OrderInfoReply::OrderArrearsKey), QStringLiteral("0.00"));
        QVERIFY(none.payments.isEmpty());

        const OrderInfoReply odd = OrderInfoReply::parse(
            QJsonObject {{"order",
                             QJsonObject {{"orderdisprice", 1000}, {"order_total", "800.5"}, {"twosales", 12.5},
                                 {"samplestarttime", "9"}, {"samplestartmin", "5"}}},
                {"payfor", QJsonArray {QJsonObject {{"type", "订单款"}, {"payfor", "1.00"}}, 7, QJsonValue()}}});
        QCOMPARE(odd.value("orderdisprice"), QStringLiteral("1000"));
        QCOMPARE(odd.value(OrderInfoReply::OrderArrearsKey), QStringLiteral("199.50"));
        QCOMPARE(odd.value("twosales"), QString());
        QCOMPARE(odd.value(OrderInfoReply::TwoSalesArrearsKey), QStringLiteral("0.00"));
        QCOMPARE(odd.value(OrderInfoReply::SampleTimeKey), QStringLiteral("9:5"));
        QCOMPARE(odd.payments.size(), 3);
        QCOMPARE(odd.payments.at(0).payfor, QStringLiteral("1.00"));
        QCOMPARE(odd.payments.at(0).createtime, QString());
        QCOMPARE(odd.payments.at(1).type, QString());
    }

    // "修改产品" on the products panel: the photos of a product deleted here reach the workspace, and "确认" reloads
    // the panel's products.
    void confirmReachesTheProductsPanel()
    {
        ProductPanel p;
        QVERIFY(p.load());
        QSignalSpy redraw(p.dlg.get(), qOverload<QStringList>(&ProductDlg::updateImage));
        p.dlg->findChild<QPushButton*>("pushButton")->click();
        QCOMPARE(topLevelWindows<ChangeProducts>().size(), 1);
        m_window = topLevelWindows<ChangeProducts>().first();
        QVERIFY(loadsAnswered(1));
        QVERIFY(click(package(), 4, 5));
        QVERIFY(loadsAnswered(2));
        const int panelLoads = m_backend->requestsTo("order", "ordergoods").size();
        m_window->findChild<QPushButton*>("confirmButton")->click();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "ordergoods").size() == panelLoads + 1; }));
        QVERIFY(p.postsAnswered());
        QVERIFY(waitUntil([&] { return !m_window; }));
        QCOMPARE(redraw.size(), 1);
        QCOMPARE(redraw.first().first().toStringList(), QStringList({"IMG_0001.jpg", "IMG_0005.jpg"}));
        QVERIFY(ProductData::m_changedPhotos.isEmpty());
    }
};

QTEST_MAIN(TestChangeProducts)
#include "tst_changeproducts.moc"
