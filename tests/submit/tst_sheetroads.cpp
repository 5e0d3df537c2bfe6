#include "submit/submitandprint.h"

#include "core/config.h"
#include "core/formbody.h"
#include "delivery/settingemsdialog.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "sheets/printemsinfo.h"
#include "sheets/thumbnailviewwindow.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

using Pairs = QList<QPair<QString, QString>>;

QByteArray encoded(const Pairs& pairs)
{
    FormBody body;
    for (const auto& pair : pairs)
        body.add(pair.first, pair.second);
    return body.toByteArray();
}

QJsonObject printemsFixture()
{
    QFile file(QStringLiteral(STANDIN_FIXTURES_DIR "/ordernew.printems.json"));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

Product expressProduct()
{
    Product p;
    p.id = QStringLiteral("80016");
    p.goodname = QStringLiteral("10寸水晶摆台");
    p.goodamount = QStringLiteral("1");
    p.isurgent = QStringLiteral("0");
    p.print = true;
    p.isems = true;
    p.orderaddress.id = QStringLiteral("5101");
    p.orderaddress.name = QStringLiteral("王芳");
    return p;
}

} // namespace

class TestSheetRoads : public QObject
{
    Q_OBJECT

    TestBackend m_backend;
    OrderFolder* m_folder = nullptr;
    QPointer<SubmitandPrint> m_dialog;

    // The dialog as the products panel opens it, filled by the demo order's detail, with every
    // date of the form set, whole delivery by express.
    SubmitandPrint* open()
    {
        m_dialog = new SubmitandPrint(nullptr);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->show();
        [&] { QVERIFY(waitUntil([&] { return m_dialog->isReady(); })); }();
        m_dialog->selQujianSchedule({"2026-12-28", "14:00-18:00", "41"});
        m_dialog->on_wyxDateSelected(QStringLiteral("2026-12-30"));
        m_dialog->findChild<QRadioButton*>(QStringLiteral("radioButton_isEMS"))->setChecked(true);
        m_backend->clearRequests();
        return m_dialog;
    }

    QPushButton* expressButton() { return m_dialog->findChild<QPushButton*>(QStringLiteral("pushButtonEMS")); }

    // The pairs every submission of the demo order starts with (keys "token" to "t_movie_time").
    Pairs head() const
    {
        return {{"token", Config::token}, {"order_photo_id", "1001"}, {"shopid", "7"}, {"morephotonumber", "12"},
            {"activenumber", "10"}, {"freephotonumber1", "2"}, {"freephotonumber2", "4"}, {"freephotonumber3", "0"},
            {"buynumber", "20"}, {"yqnumber", "3"}, {"designnum", "1"}, {"companyid", "3"}, {"uid", "501"},
            {"order_sample_infoid", "30001"}, {"lastpic", "0"}, {"lastrepairpic", "3"}, {"getphotodate", "2026-12-28"},
            {"getphotoareaid", "41"}, {"t_movie_time", "2026-12-30"}};
    }

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
        Config::isPrintDelWarn = false;
        Config::order_photodate = QStringLiteral("2026-07-05");
        Config::orderpayforkey = QStringLiteral("DEMO-1001");
        Config::orderServNum = QStringLiteral("2");
        m_folder = new OrderFolder(OrderFolder::AlbumFolders);
        QVERIFY(m_folder->isValid());
        m_folder->addPhotos(QStringLiteral("成品"), {"1.jpg", "2.jpg"});
        m_folder->addPhotos(QStringLiteral("汰片"), {"x.jpg"});
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->importImage(PHOTO_DELETED);
        ProductData::m_products = {expressProduct()};
        ProductData::m_printProducts = ProductData::m_products;
    }

    void cleanup()
    {
        delete m_dialog;
        closeTopLevelWindows<PrintEmsInfo>();
        closeTopLevelWindows<ThumbnailViewWindow>();
        ImageData::getInstance()->clearImages();
        delete m_folder;
        m_folder = nullptr;
        ProductData::m_products.clear();
        ProductData::m_printProducts.clear();
        Config::isLocked = false;
    }

    // 快递单 on an open order: address check, the 36-key submission, the sheet data, then the
    // express sheet filled from them; the order is locked and the dialog gone.
    void expressRoad()
    {
        open();
        QSignalSpy locked(m_dialog.data(), &SubmitandPrint::sendSetLocked);
        PromptRecorder prompts;
        prompts.answer(int(QMessageBox::No)); // keep the set-aside photos
        expressButton()->click();
        QVERIFY(waitUntil([] { return !topLevelWindows<PrintEmsInfo>().isEmpty(); }));
        PrintEmsInfo* sheet = topLevelWindows<PrintEmsInfo>().first();

        QCOMPARE(m_backend->endpointsCalled(),
            (QStringList {"order.getorderaddress", "order.updategetphotodate2", "ordernew.printems"}));
        Pairs expected = head();
        expected << Pairs {{"CompareDate", "2026-12-20"}, {"kanbanareaid", "21"}, {"type", "0"}, {"isurgentphoto", "0"},
            {"isems", "2"}, {"finalpicpaths", "1.jpg,2.jpg"}, {"finalpicnum", "2"}, {"deletepicpaths", "x.jpg"},
            {"deletepicnum", "1"}, {"twosales", "3600"}, {"one_price", "1600"}, {"two_price", "2000"},
            {"checktruing", "2026-12-22"}, {"kanjingxiuareaid", "31"}, {"isurgentphoto", "0"}, {"role12", "7"},
            {"fwqlc_num", "2"}};
        QCOMPARE(expected.size(), 36);
        const StandInRequest post = m_backend->requestsTo("order", "updategetphotodate2").first();
        QCOMPARE(post.fields, expected);
        QCOMPARE(post.body, encoded(expected));

        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().text, QStringLiteral("是否删除汰片？"));
        QVERIFY(QFileInfo::exists(m_folder->path(QStringLiteral("汰片/x.jpg"))));
        QVERIFY(Config::isLocked);
        QCOMPARE(locked.count(), 1);
        QVERIFY(waitUntil([this] { return m_dialog.isNull(); }));

        QCOMPARE(sheet->selectername, QStringLiteral("小李"));
        QCOMPARE(sheet->count, 1);
        QCOMPARE(sheet->orderpayforkey, QStringLiteral("DEMO-1001"));
        QCOMPARE(sheet->servicetimes, QStringLiteral("1"));
        QCOMPARE(sheet->urgent_date, QStringLiteral("2026-12-18"));
        QCOMPARE(sheet->ems_info.customer_names, QStringLiteral("王芳 / 李明"));
        QCOMPARE(sheet->ems_info.customer_phones, QStringLiteral("13900001001 / 13800001001"));
        QCOMPARE(sheet->ems_info.getgooddate, QStringLiteral("2026-12-28"));
        QCOMPARE(sheet->ems_info.provincename, QStringLiteral("浙江省"));
        QVERIFY(sheet->testAttribute(Qt::WA_DeleteOnClose));
        QTRY_COMPARE_WITH_TIMEOUT(sheet->windowTitle(), QStringLiteral("快递服务收费单"), 30000);
        QVERIFY(sheet->getHTMLString().contains(QStringLiteral("10寸水晶摆台")));
    }

    // Sheet data without products: the note, then the sheet all the same, without a date.
    void sheetDataWithoutProducts_data()
    {
        QTest::addColumn<QJsonValue>("goods");
        QTest::newRow("empty") << QJsonValue(QJsonArray());
        QTest::newRow("missing") << QJsonValue();
    }

    void sheetDataWithoutProducts()
    {
        QFETCH(QJsonValue, goods);
        QJsonObject data = printemsFixture();
        if (goods.isUndefined() || goods.isNull())
            data.remove(QStringLiteral("ordergoods"));
        else
            data.insert(QStringLiteral("ordergoods"), goods);
        m_backend->setReply("ordernew", "printems", StandInReply::json(data));
        Config::isLocked = true; // no submission, no question
        open();
        PromptRecorder prompts;
        expressButton()->click();
        QVERIFY(waitUntil([] { return !topLevelWindows<PrintEmsInfo>().isEmpty(); }));
        QVERIFY(prompts.contains(QStringLiteral("提示"), QStringLiteral("没有查询到任何产品")));
        QCOMPARE(prompts.count(), 1);
        QVERIFY(m_backend->requestsTo("order", "updategetphotodate2").isEmpty());
        PrintEmsInfo* sheet = topLevelWindows<PrintEmsInfo>().first();
        QCOMPARE(sheet->ems_info.getgooddate, QString());
        QTRY_COMPARE_WITH_TIMEOUT(sheet->windowTitle(), QStringLiteral("快递服务收费单"), 30000);
    }

    // The result is submitted but the sheet data fail: pressing 快递单 again asks for the sheet
    // data only (no second address check), and never posts the result a second time.
    void retryAfterFailedSheetData_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        QTest::newRow("HTTP 500") << Failure::HttpStatus << "网络请求错误\n500";
        QTest::newRow("refused by the back end") << Failure::None << "订单产品查询错误没有数据";
        QTest::newRow("not JSON") << Failure::NotJson << "订单产品查询错误服务器的回复无法识别";
    }

    void retryAfterFailedSheetData()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        scriptEndpoint(m_backend, "ordernew", "printems", failure, {{"code", "0"}, {"message", "没有数据"}});
        open();
        {
            PromptRecorder prompts;
            expressButton()->click();
            QVERIFY(waitUntil([this] { return m_backend->requestsTo("ordernew", "printems").size() == 1; }));
            QVERIFY(waitUntil([this] { return expressButton()->isEnabled(); }));
            QCOMPARE(m_dialog->windowTitle(), QStringLiteral("提交打印"));
            QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
            QVERIFY(topLevelWindows<PrintEmsInfo>().isEmpty());
            QVERIFY(!Config::isLocked);
        }
        m_backend->clearScripts();
        PromptRecorder prompts;
        prompts.answer(int(QMessageBox::No));
        expressButton()->click();
        QVERIFY(waitUntil([] { return !topLevelWindows<PrintEmsInfo>().isEmpty(); }));
        QCOMPARE(m_backend->requestsTo("order", "updategetphotodate2").size(), 1);
        QCOMPARE(m_backend->requestsTo("ordernew", "printems").size(), 2);
        QCOMPARE(m_backend->requestsTo("order", "getorderaddress").size(), 1);
        QVERIFY(Config::isLocked);
    }

    void expressNeedsExpressDelivery()
    {
        open();
        m_dialog->findChild<QRadioButton*>(QStringLiteral("radioButton"))->setChecked(true);
        PromptRecorder prompts;
        expressButton()->click();
        QCOMPARE(prompts.texts(), QStringList {QStringLiteral("请选择快递，请重新设置")});
        QTest::qWait(50);
        QVERIFY(m_backend->requests().isEmpty());
        QVERIFY(expressButton()->isEnabled());
    }

    // Without an address of the order neither road submits; the button is usable again.
    void noAddressNoSubmission_data()
    {
        QTest::addColumn<bool>("isThumbnailRoad");
        QTest::newRow("express") << false;
        QTest::newRow("thumbnail") << true;
    }

    void noAddressNoSubmission()
    {
        QFETCH(bool, isThumbnailRoad);
        m_backend->setReply("order", "getorderaddress",
            StandInReply::json(QJsonObject {{"code", "1"}, {"message", ""}, {"orderaddress", QJsonObject()}}));
        open();
        PromptRecorder prompts;
        if (isThumbnailRoad)
            m_dialog->on_pushButton_thumbnail_clicked();
        else
            expressButton()->click();
        QVERIFY(waitUntil([&prompts] { return prompts.count() == 1; }));
        QCOMPARE(prompts.last().text, QStringLiteral("请输入快递信息"));
        QVERIFY(waitUntil([this] { return expressButton()->isEnabled(); }));
        QVERIFY(m_backend->requestsTo("order", "updategetphotodate2").isEmpty());
        QVERIFY(!Config::isLocked);
        const QList<SettingEMSDialog*> forms = topLevelWindows<SettingEMSDialog>();
        QCOMPARE(forms.size(), 1);
        QVERIFY(forms.first()->isModal());
        closeTopLevelWindows<SettingEMSDialog>();
    }

    // The thumbnail road (its button hidden): the 40-key body, kept as the back end has always
    // received it, with "CompareDate" and "checktruing" twice; then the thumbnail sheet.
    void thumbnailRoad()
    {
        open();
        m_dialog->findChild<QRadioButton*>(QStringLiteral("radioButton"))->setChecked(true);
        m_dialog->findChild<QCheckBox*>(QStringLiteral("checkBox"))->setChecked(false);
        m_dialog->findChild<QCheckBox*>(QStringLiteral("checkBox_chengpin"))->setChecked(true);
        QVERIFY(!m_dialog->findChild<QPushButton*>(QStringLiteral("pushButton_thumbnail"))->isVisible());
        PromptRecorder prompts;
        prompts.answer(int(QMessageBox::No));
        m_dialog->on_pushButton_thumbnail_clicked();
        QVERIFY(waitUntil([] { return !topLevelWindows<ThumbnailViewWindow>().isEmpty(); }));
        ThumbnailViewWindow* sheet = topLevelWindows<ThumbnailViewWindow>().first();

        QCOMPARE(m_backend->endpointsCalled(), (QStringList {"order.updategetphotodate2", "order.orderdetail"}));
        Pairs expected = head();
        expected << Pairs {{"CompareDate", "2026-12-20"}, {"kanbanareaid", "21"}, {"checktruing", "2026-12-22"},
            {"kanjingxiuareaid", "31"}, {"type", "0"}, {"isurgentphoto", "0"},
            {"CompareDate", "2026-12-20 14:00-16:00"}, {"good_type", "2"}, {"islook_effect", "1"}, {"kjxway", "2"},
            {"finalpicpaths", "1.jpg,2.jpg"}, {"finalpicnum", "2"}, {"deletepicpaths", "x.jpg"}, {"deletepicnum", "1"},
            {"isems", "0"}, {"twosales", "3600"}, {"one_price", "1600"}, {"two_price", "2000"},
            {"checktruing", "2026-12-22 10:00-12:00"}, {"role12", "7"}, {"fwqlc_num", "2"}};
        QCOMPARE(expected.size(), 40);
        const StandInRequest post = m_backend->requestsTo("order", "updategetphotodate2").first();
        QCOMPARE(post.fields, expected);
        QCOMPARE(post.body, encoded(expected));
        QCOMPARE(prompts.texts(), QStringList {QStringLiteral("是否删除汰片？")});
        QVERIFY(Config::isLocked);

        QCOMPARE(sheet->customer_title, QStringLiteral("李明-王芳-李建国<BR>705DEMO-1001"));
        QCOMPARE(sheet->phones, QStringLiteral("13800001001<BR>13900001001"));
        QCOMPARE(sheet->qq, QStringLiteral("10001001"));
        QCOMPARE(sheet->orderServNum, QStringLiteral("2"));
        QCOMPARE(sheet->getphotodate_html, QStringLiteral("2026-12-28"));
        QVERIFY(!sheet->print_thumbnails);
        QVERIFY(sheet->print_finished_area);
        QTRY_COMPARE_WITH_TIMEOUT(sheet->windowTitle(), QStringLiteral("成品缩略图"), 30000);
        const QString page = sheet->getHTMLString();
        for (const char* shown :
            {"光影摄影旗舰店", "李明-王芳-李建国<BR>705DEMO-1001", "DEMO-1001-2", "13800001001<BR>13900001001",
                "成品相册 （2张）", "1.jpg<BR>&nbsp;", "选片后七日内可修改", "选片人：张选片"})
            QVERIFY2(page.contains(QString::fromUtf8(shown)), shown);
        QVERIFY(waitUntil([this] { return m_dialog.isNull(); }));
    }
};

QTEST_MAIN(TestSheetRoads)
#include "tst_sheetroads.moc"
