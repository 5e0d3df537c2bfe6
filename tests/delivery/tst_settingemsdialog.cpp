#include "delivery/settingemsdialog.h"
#include "tests/delivery/deliveryorder.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

QJsonArray areas(const QStringList& idsAndNames)
{
    QJsonArray list;
    for (int i = 0; i + 1 < idsAndNames.size(); i += 2)
        list.append(QJsonObject {{"id", idsAndNames.at(i)}, {"areaname", idsAndNames.at(i + 1)}});
    return list;
}

QJsonObject lookup(const QString& provinceId, const QJsonArray& citys, const QJsonArray& districts)
{
    const QJsonObject member {{"address", "解放路 1 号"}, {"provinceid", provinceId}, {"provincename", "浙江省"},
        {"cityid", "330100"}, {"cityname", "杭州市"}, {"areaid", "330106"}, {"areaname", "西湖区"}};
    return QJsonObject {{"code", "1"}, {"message", "查询成功"},
        {"result", QJsonObject {{"memberdata", member}, {"citys", citys}, {"areaid", districts}}}};
}

const QStringList OrderKeys {"token", "order_photo_id", "shopid", "companyid", "order_sample_infoid"};
const QStringList SaveKeys = OrderKeys
    + QStringList {"name", "phone", "postcode", "address", "mmail", "wmail", "provinceid", "cityid", "countyid"};

} // namespace

class TestSettingEMSDialog : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<SettingEMSDialog> m_form;

    // A form whose province list has arrived.
    SettingEMSDialog* openForm()
    {
        m_form = new SettingEMSDialog(nullptr);
        m_form->setAttribute(Qt::WA_DeleteOnClose);
        m_form->setModal(true);
        m_form->show();
        [&] { QVERIFY(waitUntil([&] { return combo("combProv")->count() > 1; })); }();
        return m_form;
    }

    QComboBox* combo(const char* name) { return m_form->findChild<QComboBox*>(QLatin1String(name)); }
    QLineEdit* edit(const char* name) { return m_form->findChild<QLineEdit*>(QLatin1String(name)); }

    // Chooses as the operator does: the shown text, then the activation.
    void choose(const char* comboName, const QString& name)
    {
        QComboBox* box = combo(comboName);
        box->setCurrentText(name);
        emit box->textActivated(name);
    }

    bool postsAnswered()
    {
        return waitUntil([&] { return !m_form || m_form->findChildren<QNetworkAccessManager*>().isEmpty(); });
    }

    bool listed(const char* comboName) { return combo(comboName)->count() > 1; }

    QList<StandInRequest> saves()
    {
        return m_backend->requestsTo("Order", "add_orderaddress_post")
            + m_backend->requestsTo("Order", "edit_orderaddress_post");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        openDeliveryOrder();
    }

    void init() { m_backend.reset(); }

    // A request still on its way would be recorded in the next test.
    void cleanup()
    {
        delete m_form;
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return m_backend->openConnections() == 0; }));
    }

    void formAndQuery()
    {
        openForm();
        QCOMPARE(m_form->windowTitle(), QStringLiteral("快递信息"));
        QVERIFY(edit("lineEdit_photonumber_2")->isHidden() && edit("lineEdit_photonumber_3")->isHidden());
        QCOMPARE(m_backend->requestsTo("order", "getorderaddress").value(0).keys(), OrderKeys);
        QCOMPARE(combo("combProv")->itemText(0), QStringLiteral("请选择"));
        QCOMPARE(combo("combProv")->itemText(4), QStringLiteral("浙江省"));
        QCOMPARE(combo("combCity")->count(), 1);
    }

    void saveBody_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("district");
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<QString>("countyid");
        QTest::newRow("new without district") << ""
                                              << ""
                                              << "add_orderaddress_post"
                                              << "";
        QTest::newRow("new with district") << ""
                                           << "西湖区"
                                           << "add_orderaddress_post"
                                           << "330106";
        QTest::newRow("id 0 is new") << "0"
                                     << ""
                                     << "add_orderaddress_post"
                                     << "";
        QTest::newRow("edit") << "5102"
                              << "上城区"
                              << "edit_orderaddress_post"
                              << "330102";
    }

    void saveBody()
    {
        QFETCH(QString, id);
        QFETCH(QString, district);
        QFETCH(QString, endpoint);
        openForm();
        m_form->id = id;
        QSignalSpy saved(m_form.data(), &SettingEMSDialog::submitsuccess);
        edit("lineEdit_receiver")->setText(QStringLiteral("王芳 & 李明"));
        edit("lineEdit_photonumber")->setText(QStringLiteral("13800571234"));
        edit("lineEdit_postcode")->setText(QStringLiteral("310012"));
        edit("lineEdit_address")->setText(QStringLiteral("文三路 398 号"));
        choose("combProv", QStringLiteral("浙江省"));
        QVERIFY(waitUntil([&] { return listed("combCity"); }));
        choose("combCity", QStringLiteral("杭州市"));
        QVERIFY(waitUntil([&] { return listed("combRegi"); }));
        if (!district.isEmpty())
            choose("combRegi", district);

        PromptRecorder prompts;
        m_form->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return m_form.isNull(); }));
        QCOMPARE(saves().size(), 1);
        const StandInRequest post = saves().first();
        QCOMPARE(post.a, endpoint);
        const bool isEdit = endpoint.startsWith(QLatin1String("edit"));
        const QStringList keys = isEdit ? SaveKeys + QStringList {"id", "datatype"} : SaveKeys;
        QCOMPARE(post.keys(), keys);
        QCOMPARE(post.value("name"), QStringLiteral("王芳 & 李明"));
        QCOMPARE(post.value("mmail"), QString());
        QCOMPARE(post.value("provinceid"), QStringLiteral("330000"));
        QCOMPARE(post.value("cityid"), QStringLiteral("330100"));
        QTEST(post.value("countyid"), "countyid");
        if (isEdit) {
            QCOMPARE(post.value("id"), id);
            QCOMPARE(post.value("datatype"), QStringLiteral("1"));
        }
        QCOMPARE(saved.size(), 1);
        QCOMPARE(prompts.last().kind, PromptCall::About);
    }

    void saveChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<int>("areas"); // how many of province and city are chosen
        QTest::addColumn<QString>("box");
        QTest::newRow("no name") << ""
                                 << "1380" << 2 << "请填写收件人姓名!";
        QTest::newRow("no phone") << "王芳"
                                  << "" << 2 << " 请填写收件人联系方式！";
        QTest::newRow("no province") << "王芳"
                                     << "1380" << 0 << " 请选择省！";
        QTest::newRow("no city") << "王芳"
                                 << "1380" << 1 << " 请选择市！";
    }

    void saveChecks()
    {
        QFETCH(QString, name);
        QFETCH(QString, phone);
        QFETCH(int, areas);
        QFETCH(QString, box);
        openForm();
        edit("lineEdit_receiver")->setText(name);
        edit("lineEdit_photonumber")->setText(phone);
        if (areas > 0) {
            choose("combProv", QStringLiteral("浙江省"));
            QVERIFY(waitUntil([&] { return listed("combCity"); }));
        }
        if (areas > 1) {
            choose("combCity", QStringLiteral("杭州市"));
            QVERIFY(waitUntil([&] { return listed("combRegi"); }));
        }
        PromptRecorder prompts;
        m_form->on_confirmButton_clicked();
        QCOMPARE(prompts.count(), 1);
        QVERIFY(prompts.contains(QStringLiteral("警告"), box));
        QVERIFY(m_form);
        QVERIFY(saves().isEmpty());
    }

    // Choosing another province drops the city and district: saving at once asks for a city.
    void provinceChangeResetsTheCity()
    {
        openForm();
        choose("combProv", QStringLiteral("浙江省"));
        QVERIFY(waitUntil([&] { return listed("combCity"); }));
        choose("combCity", QStringLiteral("杭州市"));
        QVERIFY(waitUntil([&] { return listed("combRegi"); }));
        const int listRequests = m_backend->requests().size();
        choose("combProv", QStringLiteral("请选择"));
        QCOMPARE(combo("combCity")->count(), 1);
        QCOMPARE(combo("combRegi")->count(), 1);
        QVERIFY(m_form->provinceid.isEmpty() && m_form->cityid.isEmpty() && m_form->countyid.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(m_backend->requests().size(), listRequests);
    }

    // Editing asks for the cities and, only once they are shown, for the districts: the stored
    // district stays chosen however slowly the cities come.
    void editShowsTheStoredDistrict()
    {
        m_backend->setReply("order", "get_citys",
            StandInReply::json(QJsonObject {{"code", "1"}, {"data", areas({"330100", "杭州市", "330200", "宁波市"})}})
                .held());
        openForm();
        m_form->id = QStringLiteral("5101");
        m_form->name = QStringLiteral("王芳");
        m_form->phone = QStringLiteral("13800571234");
        m_form->provinceid = QStringLiteral("330000");
        m_form->cityid = QStringLiteral("330100");
        m_form->countyid = QStringLiteral("330106");
        m_form->setData();
        QCOMPARE(edit("lineEdit_receiver")->text(), QStringLiteral("王芳"));
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        // The districts would be lost if they came now: they are not even asked for.
        QVERIFY(!waitUntil([&] { return !m_backend->requestsTo("order", "get_citys2").isEmpty(); }, 300));
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return combo("combRegi")->currentText() == QStringLiteral("西湖区"); }));
        QCOMPARE(combo("combCity")->currentText(), QStringLiteral("杭州市"));
        QCOMPARE(m_backend->requestsTo("order", "get_citys").value(0).keys(), QStringList {"provinceid"});
        QCOMPARE(m_backend->requestsTo("order", "get_citys2").value(0).value("cityid"), QStringLiteral("330100"));

        combo("combProv")->setCurrentText(QStringLiteral("浙江省"));
        PromptRecorder prompts;
        m_form->on_confirmButton_clicked();
        QVERIFY(waitUntil([&] { return !saves().isEmpty(); }));
        QCOMPARE(saves().first().value("countyid"), QStringLiteral("330106"));
        QCOMPARE(saves().first().value("id"), QStringLiteral("5101"));
    }

    void phoneLookup_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<QString>("province");
        QTest::addColumn<QStringList>("cities");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("district");
        const QJsonArray citys = areas({"330100", "杭州市", "330200", "宁波市"});
        const QJsonArray districts = areas({"330102", "上城区", "330106", "西湖区"});
        QTest::newRow("known member") << lookup("330000", citys, districts) << "浙江省"
                                      << QStringList {"请选择", "杭州市", "宁波市"} << "杭州市"
                                      << "西湖区";
        QTest::newRow("no province") << lookup("0", citys, districts) << "请选择"
                                     << QStringList {"请选择", "杭州市", "宁波市"} << "杭州市"
                                     << "西湖区";
        // Names left in the lists without ids would be saved as empty ids.
        QTest::newRow("no area lists") << lookup("330000", QJsonArray(), QJsonArray()) << "浙江省"
                                       << QStringList {"请选择"} << "请选择"
                                       << "请选择";
    }

    void phoneLookup()
    {
        QFETCH(QJsonObject, reply);
        m_backend->setReply("order", "xpselect_member", StandInReply::json(reply));
        openForm();
        // Lists already filled by an earlier choice.
        choose("combProv", QStringLiteral("江苏省"));
        QVERIFY(waitUntil([&] { return listed("combCity"); }));
        choose("combCity", QStringLiteral("嘉兴市"));
        QVERIFY(waitUntil([&] { return listed("combRegi"); }));
        edit("lineEdit_receiver")->setText(QStringLiteral("张三"));

        edit("lineEdit_photonumber")->setText(QStringLiteral("13800571234"));
        emit edit("lineEdit_photonumber")->editingFinished();
        QVERIFY(waitUntil([&] { return edit("lineEdit_address")->text() == QStringLiteral("解放路 1 号"); }));
        const StandInRequest post = m_backend->requestsTo("order", "xpselect_member").value(0);
        QCOMPARE(post.keys(), OrderKeys + QStringList {"phone"});
        QCOMPARE(post.value("phone"), QStringLiteral("13800571234"));
        QTEST(combo("combProv")->currentText(), "province");
        QStringList cities;
        for (int i = 0; i < combo("combCity")->count(); ++i)
            cities << combo("combCity")->itemText(i);
        QTEST(cities, "cities");
        QTEST(combo("combCity")->currentText(), "city");
        QTEST(combo("combRegi")->currentText(), "district");
        QCOMPARE(edit("lineEdit_receiver")->text(), QStringLiteral("张三"));
    }

    void emptyPhoneSendsNothing()
    {
        openForm();
        emit edit("lineEdit_photonumber")->editingFinished();
        QCoreApplication::processEvents();
        QVERIFY(m_backend->requestsTo("order", "xpselect_member").isEmpty());
    }

    void failures_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QStringList>("boxes");
        const QJsonObject refusal {{"code", "0"}, {"message", "订单不存在"}};
        QTest::newRow("query refused") << "getorderaddress" << Failure::None
                                       << QStringList {"查询快递信息错误：订单不存在"};
        QTest::newRow("query http") << "getorderaddress" << Failure::HttpStatus << QStringList {"网络请求错误\n500"};
        QTest::newRow("query array") << "getorderaddress" << Failure::Array << QStringList();
        QTest::newRow("save refused") << "add_orderaddress_post" << Failure::None
                                      << QStringList {"提交快递信息错误：订单不存在"};
        QTest::newRow("save not json") << "add_orderaddress_post" << Failure::NotJson << QStringList();
        QTest::newRow("lookup http") << "xpselect_member" << Failure::HttpStatus << QStringList();
        QTest::newRow("lookup refused") << "xpselect_member" << Failure::None << QStringList();
    }

    void failures()
    {
        QFETCH(QString, endpoint);
        QFETCH(Failure, failure);
        const QString m = endpoint.startsWith(QLatin1String("add")) ? QStringLiteral("Order") : QStringLiteral("order");
        scriptEndpoint(m_backend, m, endpoint, failure, QJsonObject {{"code", "0"}, {"message", "订单不存在"}});
        PromptRecorder prompts;
        m_form = new SettingEMSDialog(nullptr);
        m_form->setAttribute(Qt::WA_DeleteOnClose);
        m_form->show();
        QVERIFY(postsAnswered());
        if (endpoint == QLatin1String("getorderaddress")) {
            QCOMPARE(combo("combProv")->count(), 1);
        } else {
            edit("lineEdit_receiver")->setText(QStringLiteral("王芳"));
            edit("lineEdit_photonumber")->setText(QStringLiteral("13800571234"));
            if (endpoint == QLatin1String("xpselect_member")) {
                m_form->phoneLineQEditfocusOutEvent();
            } else {
                choose("combProv", QStringLiteral("浙江省"));
                QVERIFY(waitUntil([&] { return listed("combCity"); }));
                choose("combCity", QStringLiteral("杭州市"));
                m_form->on_confirmButton_clicked();
            }
            QVERIFY(postsAnswered());
            QCOMPARE(m_backend->requestsTo(m, endpoint).size(), 1);
            QVERIFY(m_form);
            QCOMPARE(edit("lineEdit_receiver")->text(), QStringLiteral("王芳"));
            QCOMPARE(edit("lineEdit_address")->text(), QString());
        }
        QTEST(prompts.texts(), "boxes");
    }
};

QTEST_MAIN(TestSettingEMSDialog)
#include "tst_settingemsdialog.moc"
