#include "core/config.h"
#include "photostore/productdata.h"
#include "products/countdialog.h"
#include "products/productdlg.h"
#include "widgets/productrequirement.h"
#include "products/settingnumber.h"
#include "products/settingpage.h"
#include "products/settingzhangshu.h"
#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "widgets/droplistwidget.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Types the value into the only open editor of class Editor and confirms it.
template <typename Editor> bool confirmOnly(const QString& value)
{
    const QList<Editor*> open = topLevelWindows<Editor>();
    if (open.size() != 1)
        return false;
    open.first()->template findChild<QLineEdit*>("lineEdit")->setText(value);
    open.first()->template findChild<QPushButton*>("pushButton")->click();
    return true;
}

void confirmRequirement(ProductRequirement* editor, const QString& text)
{
    editor->findChild<QTextEdit*>("textEdit")->setPlainText(text);
    editor->findChild<QPushButton*>("pushButton")->click();
}

int openEditors()
{
    return topLevelWindows<CountDialog>().size() + topLevelWindows<ProductRequirement>().size();
}

QAction* requireAction(ProductPanel& p, int index)
{
    return p.dlg->findChild<QPushButton*>("requireButton")->menu()->actions().at(index);
}

// A copy of value with the fields written into every object that carries that "id", however deep.
QJsonValue withFields(const QJsonValue& value, const QString& id, const QJsonObject& fields)
{
    if (value.isArray()) {
        QJsonArray array;
        for (const QJsonValue& item : value.toArray())
            array.append(withFields(item, id, fields));
        return array;
    }
    if (!value.isObject())
        return value;
    QJsonObject object;
    const QJsonObject old = value.toObject();
    for (auto it = old.begin(); it != old.end(); ++it)
        object.insert(it.key(), withFields(it.value(), id, fields));
    if (object.value(QStringLiteral("id")) == id)
        for (auto it = fields.begin(); it != fields.end(); ++it)
            object.insert(it.key(), it.value());
    return object;
}

// The stand-in's product list (its fixture) with the fields of the album (80012) and of the print (80015) as the
// back end has since come to hold them.
QJsonObject storedProducts(const QJsonObject& album, const QJsonObject& print = QJsonObject())
{
    QFile file(QStringLiteral(STANDIN_FIXTURES_DIR "/order.ordergoods.json"));
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    QJsonValue products = QJsonDocument::fromJson(file.readAll()).object();
    products = withFields(products, QStringLiteral("80012"), album);
    products = withFields(products, QStringLiteral("80015"), print);
    return products.toObject();
}

} // namespace

// Double clicks open the count and requirement editors; each editor writes the product it was opened for; the
// overall requirement and the express flag.
class TestProductEdits : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
        Config::isPnumEdit = true;
        ProductData::all_product_requirement.clear();
    }

    void cleanup()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<CountDialog*>(w) || qobject_cast<ProductRequirement*>(w))
                w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ProductData::m_products.clear();
        Config::isLocked = false;
        Config::isPnumEdit = false;
    }

    // Row 1 is an album (type 33) inside the package, row 4 a print.
    void countEdits_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("keys");
        const QStringList uidFirst {
            "token", "order_photo_id", "shopid", "id", "?", "uid", "companyid", "order_sample_infoid"};
        QStringList companyFirst = uidFirst;
        companyFirst.swapItemsAt(5, 6);
        QTest::newRow("quantity") << 4 << 4 << "updateordergoodnumber"
                                  << "number" << companyFirst;
        QTest::newRow("P number") << 1 << 6 << "updateordergoodpnumber"
                                  << "pnumber" << uidFirst;
        QTest::newRow("added P number") << 1 << 7 << "updateordergoodpnumber2"
                                        << "pnumber" << uidFirst;
        QTest::newRow("sheets") << 1 << 8 << "updateordergoodpage"
                                << "page" << uidFirst;
    }

    void countEdits()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, action);
        QFETCH(QString, key);
        QFETCH(QStringList, keys);
        ProductPanel p;
        QVERIFY(p.load());
        QVERIFY(p.doubleClick(row, column));
        QCOMPARE(topLevelWindows<CountDialog>().size(), 1);
        QVERIFY(confirmOnly<CountDialog>("37"));
        QCOMPARE(p.cell(row, column), QStringLiteral("37"));
        QCOMPARE(p.model->item(row, column)->textAlignment(), Qt::AlignCenter);
        QVERIFY(p.postsAnswered());
        const QList<StandInRequest> posts = m_backend->requestsTo("order", action);
        QCOMPARE(posts.size(), 1);
        keys.replaceInStrings("?", key);
        QCOMPARE(posts.at(0).keys(), keys);
        QCOMPARE(posts.at(0).value(key), QStringLiteral("37"));
        QCOMPARE(posts.at(0).value("id"), ProductData::m_products.at(row).id);
    }

    // Double clicks that open nothing, silently.
    void doubleClicksThatOpenNothing_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("pnumEdit");
        QTest::newRow("locked order") << 1 << 8 << true << true;
        QTest::newRow("sent product") << 5 << 9 << false << true;
        QTest::newRow("quantity of a package") << 0 << 4 << false << true;
        QTest::newRow("quantity of a child") << 1 << 4 << false << true;
        QTest::newRow("P number, not an album") << 4 << 6 << false << true;
        QTest::newRow("added P number, not an album") << 4 << 7 << false << true;
        QTest::newRow("sheets, not an album") << 4 << 8 << false << true;
        QTest::newRow("P number not editable") << 1 << 6 << false << false;
        QTest::newRow("another column") << 1 << 2 << false << true;
    }

    void doubleClicksThatOpenNothing()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, locked);
        QFETCH(bool, pnumEdit);
        ProductPanel p;
        QVERIFY(p.load());
        Config::isLocked = locked;
        Config::isPnumEdit = pnumEdit;
        PromptRecorder prompts;
        QVERIFY(p.doubleClick(row, column));
        QCOMPARE(openEditors(), 0);
        QCOMPARE(prompts.count(), 0);
    }

    // An editor writes the product it was opened for, whatever row is chosen when it reports; a product that a
    // reload removed is not written at all.
    void editorWritesItsOwnProduct()
    {
        ProductPanel p;
        QVERIFY(p.load());
        QVERIFY(p.doubleClick(4, 4));
        QVERIFY(p.click(6));
        QVERIFY(confirmOnly<SettingNumber>("3"));
        QCOMPARE(ProductData::m_products.at(4).goodamount, QStringLiteral("3"));
        QCOMPARE(ProductData::m_products.at(6).goodamount, QStringLiteral("1"));
        QCOMPARE(p.cell(4, 4), QStringLiteral("3"));
        QVERIFY(p.postsAnswered());
        QCOMPARE(m_backend->requestsTo("order", "updateordergoodnumber").at(0).value("id"), QStringLiteral("80015"));

        // The requirement editor too, opened from the table.
        QVERIFY(p.doubleClick(1, 9));
        QVERIFY(p.click(2));
        confirmRequirement(topLevelWindows<ProductRequirement>().first(), QStringLiteral("内页按时间顺序"));
        QCOMPARE(ProductData::m_products.at(1).descr, QStringLiteral("内页按时间顺序"));
        QVERIFY(ProductData::m_products.at(2).descr != QStringLiteral("内页按时间顺序"));

        // A reload that drops the product, then the report.
        QVERIFY(p.doubleClick(1, 8));
        m_backend->setReply("order", "ordergoods",
            StandInReply::json(QJsonObject {
                {"code", "1"}, {"order", QJsonObject {{"ordergoods3", QJsonArray {QJsonObject {{"id", "90001"}}}}}}}));
        p.dlg->queryProducts();
        QVERIFY(p.postsAnswered());
        m_backend->clearRequests();
        PromptRecorder prompts;
        QVERIFY(confirmOnly<SettingZhangshu>("12"));
        QCOMPARE(prompts.texts(), QStringList {"请选择一项产品"});
        QVERIFY(p.postsAnswered());
        QVERIFY(m_backend->requests().isEmpty());
        QCOMPARE(ProductData::m_products.size(), 1);
    }

    // A reply whose ids do not tell products apart: an editor writes the row it was opened on and no other product
    // with the same id, empty or shared; after a reload no product is surely the same, so nothing is written.
    void editorsWithoutIdsWriteTheirOwnRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("twin"); // the other product with the same id
        QTest::addColumn<QString>("action");
        QTest::newRow("quantity, no id") << 1 << 4 << 0 << "updateordergoodnumber";
        QTest::newRow("sheets, no id") << 1 << 8 << 0 << "updateordergoodpage";
        QTest::newRow("quantity, shared id") << 3 << 4 << 2 << "updateordergoodnumber";
        QTest::newRow("sheets, shared id") << 3 << 8 << 2 << "updateordergoodpage";
    }

    void editorsWithoutIdsWriteTheirOwnRow()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, twin);
        QFETCH(QString, action);
        m_backend->setReply("order", "ordergoods", StandInReply::json(productsWithoutIds()));
        ProductPanel p;
        QVERIFY(p.load());
        const QString twinCell = p.cell(twin, column);
        QVERIFY(p.doubleClick(row, column));
        QVERIFY(p.click(twin));
        QVERIFY(confirmOnly<CountDialog>("77"));
        QCOMPARE(p.cell(row, column), QStringLiteral("77"));
        QCOMPARE(p.cell(twin, column), twinCell);
        const Product& edited = ProductData::m_products.at(row);
        QCOMPARE(column == 4 ? edited.goodamount : edited.goodpagenumber, QStringLiteral("77"));
        const Product& other = ProductData::m_products.at(twin);
        QVERIFY((column == 4 ? other.goodamount : other.goodpagenumber) != QStringLiteral("77"));
        QVERIFY(p.postsAnswered());
        QCOMPARE(m_backend->requestsTo("order", action).size(), 1);

        // Opened before a reload, reported after it.
        QVERIFY(p.doubleClick(row, column));
        p.dlg->queryProducts();
        QVERIFY(p.postsAnswered());
        m_backend->clearRequests();
        PromptRecorder prompts;
        QVERIFY(confirmOnly<CountDialog>("55"));
        QCOMPARE(prompts.texts(), QStringList {"请选择一项产品"});
        for (int r = 0; r < ProductData::m_products.size(); ++r)
            QVERIFY(p.cell(r, column) != QStringLiteral("55"));
        QVERIFY(p.postsAnswered());
        QVERIFY(m_backend->requestsTo("order", action).isEmpty());
    }

    // The product requirement posts its five fields in order, the text encoded once; a product of another type
    // sends its stored counts, never empty ones.
    void productRequirementPostsFiveFields_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QStringList>("counts"); // page, added page, quantity, sheets
        QTest::newRow("album, from the table") << 1 << false << QStringList {"20", "2", "1", "10"};
        QTest::newRow("album, from the menu") << 1 << true << QStringList {"20", "2", "1", "10"};
        QTest::newRow("print, from the table") << 4 << false << QStringList {"0", "0", "10", "0"};
    }

    void productRequirementPostsFiveFields()
    {
        QFETCH(int, row);
        QFETCH(bool, fromMenu);
        QFETCH(QStringList, counts);
        ProductPanel p;
        QVERIFY(p.load());
        if (fromMenu) {
            QVERIFY(p.click(row));
            p.dlg->onrequire_menu_Triggered(requireAction(p, 0));
        } else {
            QVERIFY(p.doubleClick(row, 9));
        }
        QCOMPARE(topLevelWindows<ProductRequirement>().size(), 1);
        confirmRequirement(topLevelWindows<ProductRequirement>().first(), QStringLiteral("a b&c <b>x</b>"));
        QVERIFY(p.postsAnswered());

        const QStringList order {"order.updategooddescr", "order.updateordergoodpnumber",
            "order.updateordergoodpnumber2", "order.updateordergoodnumber", "order.updateordergoodpage"};
        QStringList called = m_backend->endpointsCalled();
        called.removeAll("order.ordergoods");
        QCOMPARE(called.size(), 5);
        QCOMPARE(QSet<QString>(called.begin(), called.end()), QSet<QString>(order.begin(), order.end()));
        const StandInRequest descr = m_backend->requestsTo("order", "updategooddescr").at(0);
        QCOMPARE(descr.value("descr"), QStringLiteral("a b&c <b>x</b>"));
        QVERIFY(descr.body.contains("descr=a%20b%26c%20%3Cb%3Ex%3C%2Fb%3E&"));
        QCOMPARE(descr.keys(),
            (QStringList {
                "token", "order_photo_id", "shopid", "id", "descr", "uid", "companyid", "order_sample_infoid"}));
        QCOMPARE(m_backend->requestsTo("order", "updateordergoodpnumber").at(0).value("pnumber"), counts.at(0));
        QCOMPARE(m_backend->requestsTo("order", "updateordergoodpnumber2").at(0).value("pnumber"), counts.at(1));
        QCOMPARE(m_backend->requestsTo("order", "updateordergoodnumber").at(0).value("number"), counts.at(2));
        QCOMPARE(m_backend->requestsTo("order", "updateordergoodpage").at(0).value("page"), counts.at(3));
        QCOMPARE(p.cell(row, 9), QStringLiteral("a b&c <b>x</b>"));
        QCOMPARE(p.cell(row, 6), row == 1 ? counts.at(0) : QString());
    }

    void requirementMenuRules_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("box");
        QTest::newRow("no product") << -1 << "请选择一项产品";
        QTest::newRow("sent product") << 5 << "该产品已发件，无法添加制作要求";
    }

    void requirementMenuRules()
    {
        QFETCH(int, row);
        QFETCH(QString, box);
        ProductPanel p;
        QVERIFY(p.load());
        if (row >= 0)
            QVERIFY(p.click(row));
        PromptRecorder prompts;
        p.dlg->onrequire_menu_Triggered(requireAction(p, 0));
        QCOMPARE(prompts.texts(), QStringList {box});
        QCOMPARE(openEditors(), 0);
    }

    // The overall requirement and a product's open at once: each editor writes what it was opened for. The text
    // comes back from the back end, and goes to it, exactly.
    void overallAndProductRequirementBothOpen()
    {
        const QString stored = QStringLiteral("整体 <b>暖色</b> & 背景=干净 100%");
        m_backend->setReply(
            "order", "getorderdescr", StandInReply::json(QJsonObject {{"code", "1"}, {"orderdescr", stored}}));
        ProductPanel p;
        QVERIFY(p.load());
        QVERIFY(p.click(1));
        p.dlg->onrequire_menu_Triggered(requireAction(p, 0));
        ProductRequirement* product = topLevelWindows<ProductRequirement>().first();
        p.dlg->onrequire_menu_Triggered(requireAction(p, 1));
        QVERIFY(QTest::qWaitFor([] { return topLevelWindows<ProductRequirement>().size() == 2; }, 30000));
        ProductRequirement* overall = nullptr;
        for (ProductRequirement* e : topLevelWindows<ProductRequirement>())
            if (e != product)
                overall = e;
        QCOMPARE(overall->findChild<QTextEdit*>("textEdit")->toPlainText(), stored);
        const QString edited = stored + QStringLiteral("\n<i>新</i>");

        confirmRequirement(overall, edited);
        QVERIFY(p.postsAnswered());
        QCOMPARE(ProductData::all_product_requirement, edited);
        QCOMPARE(m_backend->endpointsCalled().filter("updategood").size(), 0);
        const StandInRequest posted = m_backend->requestsTo("order", "updateorderdescr").at(0);
        QCOMPARE(posted.keys(),
            (QStringList {
                "token", "order_photo_id", "shopid", "orderdescr", "companyid", "uid", "order_sample_infoid"}));
        QCOMPARE(posted.value("orderdescr"), edited);

        confirmRequirement(product, QStringLiteral("封面"));
        QVERIFY(p.postsAnswered());
        QCOMPARE(ProductData::m_products.at(1).descr, QStringLiteral("封面"));
        QCOMPARE(ProductData::all_product_requirement, edited);
        QCOMPARE(m_backend->requestsTo("order", "updateorderdescr").size(), 1);
        QCOMPARE(m_backend->requestsTo("order", "updategooddescr").at(0).value("id"), QStringLiteral("80012"));
        QCOMPARE(m_backend->requestsTo("order", "updateordergoodnumber").at(0).value("number"), QStringLiteral("1"));
    }

    void overallRequirementReplies_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("editors");
        QTest::newRow("fetch refused") << "getorderdescr" << QJsonObject {{"code", "0"}, {"message", "无订单"}}
                                       << "查询总体要求错误：无订单" << 0;
        QTest::newRow("fetch without text") << "getorderdescr" << QJsonObject {{"code", "1"}} << "" << 1;
    }

    void overallRequirementReplies()
    {
        QFETCH(QString, action);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, box);
        QFETCH(int, editors);
        m_backend->setReply("order", action, StandInReply::json(answer));
        ProductPanel p;
        QVERIFY(p.load());
        PromptRecorder prompts;
        p.dlg->onrequire_menu_Triggered(requireAction(p, 1));
        QVERIFY(p.postsAnswered());
        QCOMPARE(topLevelWindows<ProductRequirement>().size(), editors);
        if (editors)
            QCOMPARE(topLevelWindows<ProductRequirement>().first()->findChild<QTextEdit*>()->toPlainText(), QString());
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
    }

    // A count the back end does not take, refused or lost in transfer: the box, the stock update, and the reload
    // that shows the count the back end holds.
    void countReplies_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("reloads");
        QTest::newRow("refused") << Failure::None << "提交张数错误：超出范围"
                                 << "10" << 1;
        QTest::newRow("network error") << Failure::HttpStatus << "网络请求错误\n500"
                                       << "10" << 1;
    }

    void countReplies()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        QFETCH(QString, cell);
        QFETCH(int, reloads);
        ProductPanel p;
        QVERIFY(p.load());
        scriptEndpoint(
            m_backend, "order", "updateordergoodpage", failure, QJsonObject {{"code", "0"}, {"message", "超出范围"}});
        m_backend->clearRequests();
        PromptRecorder prompts;
        QVERIFY(p.doubleClick(1, 8));
        QVERIFY(confirmOnly<SettingZhangshu>("12"));
        QVERIFY(p.postsAnswered());
        QCOMPARE(prompts.texts(), QStringList {box});
        QCOMPARE(p.cell(1, 8), cell);
        QCOMPARE(m_backend->requestsTo("order", "ordergoods").size(), reloads);
        QCOMPARE(m_backend->requestsTo("order", "updatestock").size(), reloads);
    }

    // A save the back end does not take, whatever the reply: one box says so, with the save's own prefix, and the
    // panel then shows what the back end holds (the products, or the overall requirement, as it replies on reload).
    // The follow-up loads show no box of their own, also when the back end is unreachable.
    void failedSaveShowsWhatTheBackEndHolds_data()
    {
        QTest::addColumn<QString>("save");
        QTest::addColumn<QString>("module");
        QTest::addColumn<QString>("action");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        const struct
        {
            const char* name;
            const char* module;
            const char* action;
            const char* prefix;
        } saves[] = {
            {"count", "order", "updateordergoodnumber", "提交数量错误："},
            {"page", "order", "updateordergoodpnumber", "上传P数错误："},
            {"requirement", "order", "updategooddescr", "提交制作要求错误："},
            {"overall requirement", "order", "updateorderdescr", "提交总体要求错误："},
            {"express", "ordernew", "updateisems", "提交数量错误："},
        };
        const struct
        {
            const char* name;
            Failure failure;
        } replies[] = {
            {"HTML page at 200", Failure::NotJson},
            {"empty body", Failure::Empty},
            {"JSON array", Failure::Array},
            {"code 0", Failure::None},
            {"refused connection", Failure::Refused},
        };
        for (const auto& save : saves) {
            for (const auto& reply : replies) {
                const QString prefix = QString::fromUtf8(save.prefix);
                QString box = prefix + QStringLiteral("服务器的回复无法识别");
                if (reply.failure == Failure::None)
                    box = prefix + QStringLiteral("已锁定");
                else if (reply.failure == Failure::Refused)
                    box = QStringLiteral("网络请求错误\n");
                QTest::addRow("%s, %s", save.name, reply.name)
                    << save.name << save.module << save.action << reply.failure << box;
            }
        }
    }

    void failedSaveShowsWhatTheBackEndHolds()
    {
        QFETCH(QString, save);
        QFETCH(QString, module);
        QFETCH(QString, action);
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        // The overall requirement as the back end holds it, which the workspace read when the order opened.
        const QString heldRequirement = QStringLiteral("整体：暖色调");
        m_backend->setReply(
            "order", "getorderdescr", StandInReply::json(QJsonObject {{"code", "1"}, {"orderdescr", heldRequirement}}));
        ProductData::all_product_requirement = heldRequirement;
        ProductPanel p;
        QVERIFY(p.load());
        // Row 4 is a print, row 1 an album: each load shows what the back end holds.
        const Product print = ProductData::m_products.at(4);
        const Product album = ProductData::m_products.at(1);
        QVERIFY(!print.isems);

        // The editor opens while the back end answers; the failure is scripted for the save alone.
        if (save == "count")
            QVERIFY(p.doubleClick(4, 4));
        else if (save == "page")
            QVERIFY(p.doubleClick(1, 6));
        else if (save == "requirement")
            QVERIFY(p.doubleClick(1, 9));
        else if (save == "overall requirement")
            p.dlg->onrequire_menu_Triggered(requireAction(p, 1));
        QVERIFY(p.postsAnswered());
        QCOMPARE(openEditors(), save == "express" ? 0 : 1);
        scriptEndpoint(m_backend, module, action, failure, QJsonObject {{"code", "0"}, {"message", "已锁定"}});
        // Meanwhile another workstation saved other values: a reload that reaches the back end shows them; one that
        // does not leaves the values as loaded.
        const bool isReached = failure != Failure::Refused;
        const bool isProductSave = save != "overall requirement";
        Product heldPrint = print;
        Product heldAlbum = album;
        QString heldNow = heldRequirement;
        if (isReached) {
            const QJsonObject changed = storedProducts(
                QJsonObject {{"goodpnumber", "24"}, {"descr", "后台的要求"}}, QJsonObject {{"goodamount", "12"}});
            QVERIFY(!changed.isEmpty());
            m_backend->setReply("order", "ordergoods", StandInReply::json(changed));
            m_backend->setReply("order", "getorderdescr",
                StandInReply::json(QJsonObject {{"code", "1"}, {"orderdescr", "后台的总体要求"}}));
            if (isProductSave) {
                heldPrint.goodamount = QStringLiteral("12");
                heldAlbum.goodpnumber = QStringLiteral("24");
                heldAlbum.descr = QStringLiteral("后台的要求");
            } else {
                heldNow = QStringLiteral("后台的总体要求");
            }
        }
        m_backend->clearRequests();

        PromptRecorder prompts;
        if (save == "count" || save == "page") {
            QVERIFY(confirmOnly<CountDialog>("37"));
        } else if (save == "requirement" || save == "overall requirement") {
            confirmRequirement(topLevelWindows<ProductRequirement>().first(), QStringLiteral("新要求"));
        } else {
            const QModelIndex index = p.model->index(4, 13);
            p.table->setCurrentIndex(index);
            p.dlg->selectRowR(index);
        }
        QVERIFY(p.postsAnswered());
        QCOMPARE(prompts.texts(), QStringList {box});

        const Product& printNow = ProductData::m_products.at(4);
        const Product& albumNow = ProductData::m_products.at(1);
        QCOMPARE(printNow.goodamount, heldPrint.goodamount);
        QCOMPARE(p.cell(4, 4), heldPrint.goodamount);
        QCOMPARE(printNow.isems, false);
        QCOMPARE(p.model->item(4, 13)->checkState(), Qt::Unchecked);
        QCOMPARE(albumNow.goodpnumber, heldAlbum.goodpnumber);
        QCOMPARE(p.cell(1, 6), heldAlbum.goodpnumber);
        QCOMPARE(albumNow.descr, heldAlbum.descr);
        QCOMPARE(p.cell(1, 9), heldAlbum.descr);
        QCOMPARE(ProductData::all_product_requirement, heldNow);

        // One reload, of what the save wrote; the counts update the stock first.
        const bool isCount = save == "count" || save == "page";
        QCOMPARE(m_backend->requestsTo("order", "ordergoods").size(), isReached && isProductSave ? 1 : 0);
        QCOMPARE(m_backend->requestsTo("order", "updatestock").size(), isReached && isCount ? 1 : 0);
        QCOMPARE(m_backend->requestsTo("order", "getorderdescr").size(), isReached && !isProductSave ? 1 : 0);
    }

    // The five posts of one product requirement are one save: one box names each failure once, in the order
    // posted, and one reload shows what the back end holds (here: the P number it took, the rest as loaded).
    void productRequirementFailuresShareOneBox()
    {
        ProductPanel p;
        QVERIFY(p.load());
        const Product album = ProductData::m_products.at(1);
        QVERIFY(p.doubleClick(1, 9));
        ProductRequirement* editor = topLevelWindows<ProductRequirement>().first();
        editor->findChild<QLineEdit*>("lineEdit_page")->setText("24");
        editor->findChild<QLineEdit*>("lineEdit_addpage")->setText("4");
        editor->findChild<QLineEdit*>("lineEdit_zhangshu")->setText("14");
        scriptEndpoint(
            m_backend, "order", "updategooddescr", Failure::None, QJsonObject {{"code", "0"}, {"message", "忙"}});
        scriptEndpoint(m_backend, "order", "updateordergoodpnumber2", Failure::Empty);
        scriptEndpoint(m_backend, "order", "updateordergoodpage", Failure::NotJson);
        const QJsonObject stored = storedProducts(QJsonObject {{"goodpnumber", "24"}});
        QVERIFY(!stored.isEmpty());
        m_backend->setReply("order", "ordergoods", StandInReply::json(stored));
        m_backend->clearRequests();

        PromptRecorder prompts;
        confirmRequirement(editor, QStringLiteral("新要求"));
        QVERIFY(p.postsAnswered());
        QCOMPARE(prompts.texts(),
            QStringList {QStringLiteral("提交制作要求错误：忙\n上传P数错误：服务器的回复无法识别\n"
                                        "提交张数错误：服务器的回复无法识别")});
        const Product& now = ProductData::m_products.at(1);
        QCOMPARE(now.descr, album.descr);
        QCOMPARE(now.goodpnumber, QStringLiteral("24"));
        QCOMPARE(now.p_num, album.p_num);
        QCOMPARE(now.goodpagenumber, album.goodpagenumber);
        QCOMPARE(p.cell(1, 9), album.descr);
        QCOMPARE(p.cell(1, 6), QStringLiteral("24"));
        QCOMPARE(p.cell(1, 7), album.p_num);
        QCOMPARE(p.cell(1, 8), album.goodpagenumber);
        QCOMPARE(m_backend->requestsTo("order", "ordergoods").size(), 1);
        QCOMPARE(m_backend->requestsTo("order", "updatestock").size(), 1);
    }

    // A failed save puts the value before it back only where nothing newer has come since: the same cell edited again
    // while the failed post was out, a reload of the table meanwhile (whose value happens to be the one posted), and
    // the overall requirement confirmed again while its reload after a failure was out. The reload after the failed
    // save of a count reaches nothing, so what stays is what the guard kept.
    void failedSaveKeepsWhatCameSince_data()
    {
        QTest::addColumn<QString>("since");
        QTest::newRow("count edited again") << "edited again";
        QTest::newRow("table reloaded meanwhile") << "reloaded";
        QTest::newRow("overall requirement confirmed during its reload") << "overall again";
    }

    void failedSaveKeepsWhatCameSince()
    {
        QFETCH(QString, since);
        const QString held = QStringLiteral("整体：暖色调");
        // Counters the stand-in's handlers share with the test, alive as long as the handlers.
        const auto descrQueries = std::make_shared<int>(0);
        const auto saves = std::make_shared<int>(0);
        // The editor's query, then the reload after the failure (held), then the second editor's query.
        m_backend->setHandler("order", "getorderdescr", [descrQueries, held](const StandInRequest&) {
            const bool isReload = ++*descrQueries == 2;
            const StandInReply reply = StandInReply::json(
                QJsonObject {{"code", "1"}, {"orderdescr", isReload ? QStringLiteral("后台的总体要求") : held}});
            return isReload ? reply.held() : reply;
        });
        ProductData::all_product_requirement = held;
        ProductPanel p;
        QVERIFY(p.load());
        const QString loaded = p.cell(4, 4);
        const bool isOverall = since == "overall again";
        const QString action = isOverall ? "updateorderdescr" : "updateordergoodnumber";
        // The first save is refused once the test lets it through; a later one is taken.
        m_backend->setHandler("order", action, [saves](const StandInRequest&) {
            return ++*saves == 1 ? StandInReply::json(QJsonObject {{"code", "0"}, {"message", "忙"}}).held()
                                 : StandInReply::json(QJsonObject {{"code", "1"}});
        });
        PromptRecorder prompts;

        if (isOverall) {
            p.dlg->onrequire_menu_Triggered(requireAction(p, 1));
            QTRY_COMPARE_WITH_TIMEOUT(topLevelWindows<ProductRequirement>().size(), 1, 30000);
            confirmRequirement(topLevelWindows<ProductRequirement>().first(), QStringLiteral("要求甲"));
            QTRY_COMPARE_WITH_TIMEOUT(m_backend->heldCount(), 1, 30000);
            m_backend->releaseHeld();
            // Refused: the text before comes back and the reload is on its way, held.
            QTRY_COMPARE_WITH_TIMEOUT(*descrQueries, 2, 30000);
            QTRY_COMPARE_WITH_TIMEOUT(m_backend->heldCount(), 1, 30000);
            QCOMPARE(ProductData::all_product_requirement, held);
            p.dlg->onrequire_menu_Triggered(requireAction(p, 1));
            QTRY_COMPARE_WITH_TIMEOUT(topLevelWindows<ProductRequirement>().size(), 1, 30000);
            confirmRequirement(topLevelWindows<ProductRequirement>().first(), QStringLiteral("要求乙"));
            QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("order", action).size(), 2, 30000);
            QTRY_COMPARE_WITH_TIMEOUT(*saves, 2, 30000);
            m_backend->releaseHeld();
            QVERIFY(p.postsAnswered());
            QCOMPARE(prompts.texts(), QStringList {QStringLiteral("提交总体要求错误：忙")});
            QCOMPARE(ProductData::all_product_requirement, QStringLiteral("要求乙"));
            return;
        }

        QVERIFY(p.doubleClick(4, 4));
        QVERIFY(confirmOnly<CountDialog>("37"));
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->heldCount(), 1, 30000);
        QString kept;
        if (since == "edited again") {
            QVERIFY(p.doubleClick(4, 4));
            QVERIFY(confirmOnly<CountDialog>("38"));
            QTRY_COMPARE_WITH_TIMEOUT(*saves, 2, 30000);
            kept = QStringLiteral("38");
        } else {
            // Another workstation saved the same count meanwhile, and a reload shows it.
            const QJsonObject stored = storedProducts(QJsonObject(), QJsonObject {{"goodamount", "37"}});
            QVERIFY(!stored.isEmpty());
            m_backend->setReply("order", "ordergoods", StandInReply::json(stored));
            const int loads = m_backend->requestsTo("order", "ordergoods").size();
            p.dlg->queryProducts();
            QTRY_COMPARE_WITH_TIMEOUT(m_backend->requestsTo("order", "ordergoods").size(), loads + 1, 30000);
            QTRY_COMPARE_WITH_TIMEOUT(p.cell(4, 4), QStringLiteral("37"), 30000);
            kept = QStringLiteral("37");
        }
        QVERIFY(kept != loaded);
        scriptEndpoint(m_backend, "order", "ordergoods", Failure::NotJson);
        m_backend->releaseHeld();
        QVERIFY(p.postsAnswered());
        QCOMPARE(prompts.texts(), QStringList {QStringLiteral("提交数量错误：忙")});
        QCOMPARE(p.cell(4, 4), kept);
        QCOMPARE(ProductData::m_products.at(4).goodamount, kept);
    }

    // A click on "快递" flips the tick and posts at once; a refusal or a failed transfer reloads, so the tick shows
    // what the back end holds.
    void expressTick_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("tickedAfter");
        QTest::newRow("accepted") << Failure::None << QJsonObject {{"code", "1"}} << "" << true;
        QTest::newRow("refused") << Failure::None << QJsonObject {{"code", "0"}, {"message", "已发货"}}
                                 << "提交数量错误：已发货" << false;
        QTest::newRow("network error") << Failure::HttpStatus << QJsonObject() << "网络请求错误\n500" << false;
    }

    void expressTick()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(QString, box);
        QFETCH(bool, tickedAfter);
        ProductPanel p;
        QVERIFY(p.load());
        scriptEndpoint(m_backend, "ordernew", "updateisems", failure, answer);
        m_backend->clearRequests();
        PromptRecorder prompts;
        const QModelIndex index = p.model->index(4, 13);
        p.table->setCurrentIndex(index);
        p.dlg->selectRowR(index);
        QCOMPARE(p.model->item(4, 13)->checkState(), Qt::Checked);
        QVERIFY(ProductData::m_products.at(4).isems);
        QVERIFY(p.postsAnswered());
        const QList<StandInRequest> posts = m_backend->requestsTo("ordernew", "updateisems");
        QCOMPARE(posts.size(), 1);
        QCOMPARE(
            posts.at(0).keys(), (QStringList {"token", "ordergoodid", "typeid", "companyid", "order_sample_infoid"}));
        QCOMPARE(posts.at(0).value("ordergoodid"), QStringLiteral("80015"));
        QCOMPARE(posts.at(0).value("typeid"), QStringLiteral("1"));
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        QCOMPARE(p.model->item(4, 13)->checkState(), tickedAfter ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(m_backend->requestsTo("order", "ordergoods").size(), tickedAfter ? 0 : 1);
    }

    // Print and thumbnail ticks are local and allowed on a locked order; children and sent products change nothing.
    void localTicks_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("flips");
        QTest::newRow("print") << 4 << 11 << false << true;
        QTest::newRow("thumbnail, locked") << 4 << 12 << true << true;
        QTest::newRow("express, locked") << 4 << 13 << true << false;
        QTest::newRow("print of a sent product") << 5 << 11 << false << false;
        QTest::newRow("express of a child") << 1 << 13 << false << false;
    }

    void localTicks()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, locked);
        QFETCH(bool, flips);
        ProductPanel p;
        QVERIFY(p.load());
        Config::isLocked = locked;
        m_backend->clearRequests();
        const QString before
            = p.model->item(row, column) ? QString::number(p.model->item(row, column)->checkState()) : QString();
        QVERIFY(p.click(row, column));
        const QString after
            = p.model->item(row, column) ? QString::number(p.model->item(row, column)->checkState()) : QString();
        QCOMPARE(after != before, flips);
        QVERIFY(p.postsAnswered());
        QCOMPARE(m_backend->requestsTo("ordernew", "updateisems").size(), flips && column == 13 ? 1 : 0);
    }

    // A right click on the table shows the row's photos and nothing more: after a left click on a tick column, a
    // right click on the same cell flips no tick and posts nothing.
    void rightClickTogglesNothing_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("print") << 11;
        QTest::newRow("thumbnail") << 12;
        QTest::newRow("express") << 13;
    }

    void rightClickTogglesNothing()
    {
        QFETCH(int, column);
        ProductPanel p;
        QVERIFY(p.load());
        QVERIFY(p.click(4, column));
        QVERIFY(p.postsAnswered());
        m_backend->clearRequests();
        const Product before = ProductData::m_products.at(4);
        const Qt::CheckState tick = p.model->item(4, column)->checkState();
        p.list->clear();

        // The view makes the right-clicked cell current, then asks for the menu.
        p.table->setCurrentIndex(p.model->index(4, column));
        closeNextMenu();
        emit p.table->customContextMenuRequested(QPoint(1, 1));
        auto* timer = p.dlg->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 30000);

        QCOMPARE(p.model->item(4, column)->checkState(), tick);
        QCOMPARE(ProductData::m_products.at(4).print, before.print);
        QCOMPARE(ProductData::m_products.at(4).thumbnail, before.thumbnail);
        QCOMPARE(ProductData::m_products.at(4).isems, before.isems);
        QCOMPARE(p.list->count(), before.pics.size());
        QVERIFY(p.postsAnswered());
        QCOMPARE(m_backend->requestsTo("ordernew", "updateisems").size(), 0);
    }
};

QTEST_MAIN(TestProductEdits)
#include "tst_productedits.moc"
