#include "delivery/setexpressaddress.h"
#include "delivery/settingemsdialog.h"
#include "tests/delivery/deliveryorder.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

namespace {

enum Column { Chosen, Default, Name, Phone, Postcode, Address, Edit, Delete };

QJsonObject record(const QString& id, const QString& ison, const QJsonValue& isUse)
{
    return QJsonObject {{"id", id}, {"order_photo_id", "1001"}, {"name", "收件人" + id}, {"phone", "1380000" + id},
        {"postcode", "310012"}, {"address", "文三路 " + id + " 号"}, {"provinceid", "330000"}, {"cityid", "330100"},
        {"countyid", "330106"}, {"province", "浙江省"}, {"city", "杭州市"}, {"county", "西湖区"}, {"ison", ison},
        {"is_use", isUse}};
}

QJsonObject listReply(const QJsonArray& records)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"provinces", QJsonArray()},
        {"orderaddress", QJsonObject()}, {"orderaddress_list", records}};
}

const QStringList WriteKeys {"token", "shopid", "companyid", "order_photo_id", "orderid"};

} // namespace

class TestSetExpressAddress : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<SetExpressAddress> m_list;
    QJsonArray m_records;
    int m_listRequests = 0;

    // The order's addresses as the stand-in answers them now.
    void serveRecords()
    {
        m_backend->setHandler("order", "getorderaddress", [this](const StandInRequest&) {
            ++m_listRequests;
            return StandInReply::json(listReply(m_records));
        });
    }

    SetExpressAddress* openList()
    {
        m_list = new SetExpressAddress(nullptr);
        m_list->setAttribute(Qt::WA_DeleteOnClose);
        m_list->setModal(true);
        m_list->productNames = QStringList {"12寸水晶相册", "24寸油画框"};
        m_list->orderGoodsIds = QStringList {"80012", "80013"};
        m_list->show();
        m_list->setData();
        [&] { QVERIFY(listAnswered()); }();
        return m_list;
    }

    bool listAnswered()
    {
        return waitUntil([&] { return !m_list || m_list->findChildren<QNetworkAccessManager*>().isEmpty(); });
    }

    // Reloads the list and waits for the redrawn table.
    bool reload()
    {
        const int before = m_listRequests;
        m_list->refreshExpData();
        return waitUntil([&] { return m_listRequests > before; }) && listAnswered();
    }

    QStandardItemModel* model() { return qobject_cast<QStandardItemModel*>(m_list->findChild<QTableView*>()->model()); }
    void click(int row, int column) { m_list->tabSelectRow(model()->index(row, column)); }
    QString cell(int row, int column) { return model()->item(row, column)->text(); }

    QList<int> ticked(int column)
    {
        QList<int> rows;
        for (int row = 0; row < model()->rowCount(); ++row)
            if (model()->item(row, column)->checkState() == Qt::Checked)
                rows << row;
        return rows;
    }

    QList<StandInRequest> assigns() { return m_backend->requestsTo("Order", "add_ordergoods_address"); }

    // Presses 确定 and waits for the assignment to be answered; false when none is sent.
    bool assign()
    {
        const int before = assigns().size();
        const int listBefore = m_listRequests;
        // A refused click warns at once, before anything could be sent.
        bool warned = false;
        const Prompt::Handler outer = Prompt::currentHandler();
        Prompt::setHandler([&](const PromptCall& call) {
            warned = true;
            return outer(call);
        });
        m_list->on_pb_submit_clicked();
        Prompt::setHandler(outer);
        if (!waitUntil([&] { return assigns().size() > before; }, warned ? 1000 : 30000))
            return false;
        return waitUntil([&] { return m_listRequests > listBefore; }) && listAnswered();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        openDeliveryOrder();
    }

    void init()
    {
        m_backend.reset();
        m_listRequests = 0;
        // The default first, one in use (its count sent as text), one free.
        m_records = QJsonArray {record("5101", "1", 0), record("5102", "0", "1"), record("5103", "0", 0)};
        serveRecords();
    }

    void cleanup()
    {
        delete m_list;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<SettingEMSDialog*>(w))
                delete w;
        m_backend->releaseHeld();
    }

    void table()
    {
        openList();
        QCOMPARE(m_list->windowTitle(), QStringLiteral("选择快递"));
        QCOMPARE(m_backend->requestsTo("order", "getorderaddress").value(0).keys(),
            QStringList({"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"}));
        QCOMPARE(model()->rowCount(), 3);
        QCOMPARE(model()->headerData(Default, Qt::Horizontal).toString(), QStringLiteral("设为默认"));
        QCOMPARE(cell(0, Address), QStringLiteral("浙江省杭州市西湖区文三路 5101 号"));
        QCOMPARE(cell(0, Edit), QStringLiteral("编辑"));
        // "is_use" sent as the text "1" is in use: neither editable nor deletable.
        QCOMPARE(cell(1, Edit), QString());
        QCOMPARE(cell(1, Delete), QString());
        QCOMPARE(ticked(Chosen), QList<int> {0});
        QCOMPARE(ticked(Default), QList<int> {0});
    }

    void headingShowsNamesAsText()
    {
        openList();
        m_list->productNames = QStringList {"<b>相册</b>", "框画"};
        m_list->setData();
        const QString heading = m_list->findChild<QLabel*>(QStringLiteral("lb_title"))->text();
        QVERIFY(heading.contains(QStringLiteral(">&lt;b&gt;相册&lt;/b&gt;,框画</span>，选择快递信息。")));
    }

    void setDefault()
    {
        openList();
        click(2, Chosen);
        PromptRecorder prompts;
        click(2, Default);
        QVERIFY(waitUntil([&] { return ticked(Default) == QList<int> {2}; }));
        const StandInRequest post = m_backend->requestsTo("Order", "set_orderaddress_ison").value(0);
        QCOMPARE(post.keys(), WriteKeys + QStringList {"id"});
        QCOMPARE(post.value("orderid"), QStringLiteral("88001"));
        QCOMPARE(post.value("id"), QStringLiteral("5103"));
        QCOMPARE(prompts.last().kind, PromptCall::About);
        QCOMPARE(prompts.last().title, QStringLiteral("温馨提示"));
        // The chosen address is not the default one.
        QCOMPARE(ticked(Chosen), QList<int> {2});
    }

    void assignBody()
    {
        openList();
        QSignalSpy reload(m_list.data(), &SetExpressAddress::emit_reloadpro);
        click(2, Phone);
        QCOMPARE(ticked(Chosen), QList<int> {2});
        PromptRecorder prompts;
        QVERIFY(assign());
        const StandInRequest post = assigns().first();
        QCOMPARE(post.keys(), WriteKeys + QStringList({"order_address_id", "ordergoodsids"}));
        QCOMPARE(post.value("order_address_id"), QStringLiteral("5103"));
        QCOMPARE(post.value("ordergoodsids"), QStringLiteral("80012,80013"));
        QCOMPARE(reload.size(), 1);
        QVERIFY(prompts.contains(QStringLiteral("温馨提示"), QStringLiteral("产品快递地址设置成功")));
        QVERIFY(m_list->isVisible());
    }

    // After a reload the choice follows its address, and the tick shows exactly the choice.
    void choiceFollowsTheAddress_data()
    {
        QTest::addColumn<QJsonArray>("after");
        QTest::addColumn<QList<int>>("tick");
        QTest::addColumn<QString>("assigned"); // empty: nothing may be assigned
        const QJsonObject first = record("5101", "1", 0);
        const QJsonObject second = record("5102", "0", 1);
        const QJsonObject third = record("5103", "0", 0);
        QTest::newRow("address added in front")
            << QJsonArray {record("5100", "0", 0), first, second, third} << QList<int> {3} << "5103";
        QTest::newRow("chosen address deleted") << QJsonArray {first, second} << QList<int>() << "";
        QTest::newRow("fewer addresses") << QJsonArray {third} << QList<int> {0} << "5103";
        QTest::newRow("list emptied") << QJsonArray() << QList<int>() << "";
    }

    void choiceFollowsTheAddress()
    {
        QFETCH(QJsonArray, after);
        QFETCH(QString, assigned);
        openList();
        click(2, Name);
        m_records = after;
        QVERIFY(reload());
        QTEST(ticked(Chosen), "tick");
        PromptRecorder prompts;
        const bool isSent = assign();
        QCOMPARE(isSent, !assigned.isEmpty());
        if (isSent)
            QCOMPARE(assigns().first().value("order_address_id"), assigned);
        else
            QVERIFY(prompts.contains(QStringLiteral("警告"), QStringLiteral("请选择快递信息")));
    }

    void noDefaultNoChoice()
    {
        m_records = QJsonArray {record("5101", "0", 0), record("5102", "0", 0)};
        openList();
        QCOMPARE(ticked(Chosen), QList<int>());
        PromptRecorder prompts;
        QVERIFY(!assign());
        QCOMPARE(prompts.texts(), QStringList {"请选择快递信息"});
    }

    void deleteAddress()
    {
        openList();
        click(1, Delete); // in use: nothing is sent
        QCOMPARE(ticked(Chosen), QList<int> {1});
        PromptRecorder prompts;
        const int before = m_listRequests;
        click(2, Delete);
        QVERIFY(waitUntil([&] { return m_listRequests > before; }) && listAnswered());
        const QList<StandInRequest> deletes = m_backend->requestsTo("Order", "del_orderaddress");
        QCOMPARE(deletes.size(), 1);
        QCOMPARE(deletes.first().keys(), QStringList({"token", "id", "order_photo_id", "shopid", "companyid"}));
        QCOMPARE(deletes.first().value("id"), QStringLiteral("5103"));
        QVERIFY(prompts.contains(QStringLiteral("温馨提示"), QStringLiteral("快递信息删除成功")));
    }

    void editOpensTheForm()
    {
        QJsonObject partial = record("5103", "0", 0);
        partial.insert("countyid", "0");
        m_records = QJsonArray {record("5101", "1", 0), partial};
        openList();
        click(1, Edit);
        SettingEMSDialog* form = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<SettingEMSDialog*>(w))
                form = f;
        QVERIFY(form);
        QCOMPARE(form->id, QStringLiteral("5103"));
        QCOMPARE(form->name, QStringLiteral("收件人5103"));
        QCOMPARE(form->cityid, QStringLiteral("330100"));
        QCOMPARE(form->countyid, QString());
        QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose) && form->isModal());
        // A save in the form reloads the list.
        const int before = m_listRequests;
        emit form->submitsuccess();
        QVERIFY(waitUntil([&] { return m_listRequests > before; }));
    }

    // However the set default or assignment ends, the list takes clicks again.
    void submissionEnds_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        for (const char* endpoint : {"set_orderaddress_ison", "add_ordergoods_address"}) {
            const QByteArray e(endpoint);
            QTest::newRow(e + " refused") << QString(e) << Failure::None << "地址已停用";
            QTest::newRow(e + " http") << QString(e) << Failure::HttpStatus << "网络请求错误\n500";
            QTest::newRow(e + " not json") << QString(e) << Failure::NotJson << "";
            QTest::newRow(e + " array") << QString(e) << Failure::Array << "";
        }
    }

    void submissionEnds()
    {
        QFETCH(QString, endpoint);
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        scriptEndpoint(m_backend, "Order", endpoint, failure, QJsonObject {{"code", "0"}, {"message", "地址已停用"}});
        openList();
        PromptRecorder prompts;
        const bool isDefault = endpoint == QLatin1String("set_orderaddress_ison");
        if (isDefault)
            click(2, Default);
        else
            m_list->on_pb_submit_clicked();
        QVERIFY(waitUntil([&] { return !m_backend->requestsTo("Order", endpoint).isEmpty(); }));
        if (!box.isEmpty())
            QVERIFY(waitUntil([&] { return prompts.texts().contains(box); }));
        // The request is done once the list takes clicks again.
        QVERIFY(waitUntil([&] {
            prompts.clear();
            click(2, Name);
            return prompts.count() == 0;
        }));
        QCOMPARE(ticked(Default), QList<int> {0});
        QCOMPARE(ticked(Chosen), QList<int> {2});
        // 确定 is accepted again.
        scriptEndpoint(m_backend, "Order", "add_ordergoods_address", Failure::None,
            QJsonObject {{"code", "1"}, {"message", "产品快递地址设置成功"}});
        QVERIFY(assign());
        QCOMPARE(assigns().last().value("order_address_id"), QStringLiteral("5103"));
    }

    void clickWhileSubmitting()
    {
        m_backend->setReply("Order", "add_ordergoods_address",
            StandInReply::json(QJsonObject {{"code", "1"}, {"message", "ok"}}).held());
        openList();
        m_list->on_pb_submit_clicked();
        PromptRecorder prompts;
        click(1, Name);
        m_list->on_pb_submit_clicked();
        QCOMPARE(prompts.texts(), QStringList({"正在提交数据，请稍后...", "提交中，请勿重复提交..."}));
        QCOMPARE(ticked(Chosen), QList<int> {0});
    }

    void listFailures_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("refused") << Failure::None << QStringList {"查询快递信息错误：订单不存在"};
        QTest::newRow("http") << Failure::HttpStatus << QStringList {"网络请求错误\n500"};
        QTest::newRow("array") << Failure::Array << QStringList();
    }

    void listFailures()
    {
        QFETCH(Failure, failure);
        openList();
        scriptEndpoint(
            m_backend, "order", "getorderaddress", failure, QJsonObject {{"code", "0"}, {"message", "订单不存在"}});
        PromptRecorder prompts;
        m_list->refreshExpData();
        QVERIFY(waitUntil([&] { return !m_backend->requestsTo("order", "getorderaddress").isEmpty(); }));
        QVERIFY(listAnswered());
        QTEST(prompts.texts(), "boxes");
        QCOMPARE(model()->rowCount(), 3);
    }
};

QTEST_MAIN(TestSetExpressAddress)
#include "tst_setexpressaddress.moc"
