#include "submit/submitandprint.h"

#include "Calendar/scheduledialog.h"
#include "widgets/calendarpicker.h"
#include "core/config.h"
#include "core/formbody.h"
#include "delivery/setproexpress.h"
#include "delivery/settingemsdialog.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "sheets/printemsinfo.h"
#include "sheets/thumbnailviewwindow.h"
#include "sheets/webviewwindow.h"
#include "submit/setasidefiles.h"
#include "submit/submissionbody.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/orderfolder.h"
#include "tests/support/poolblocker.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "tests/support/windowposts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Pairs = QList<QPair<QString, QString>>;

template <typename T> T* child(QWidget* w, const char* name)
{
    return w->findChild<T*>(QLatin1String(name));
}

Product product(const QString& name, const QString& urgent, const QString& amount = QStringLiteral("1"))
{
    Product p;
    p.id = name;
    p.goodname = name;
    p.isurgent = urgent;
    p.goodamount = amount;
    return p;
}

// The body the demo order's detail leads to, with the test folder's counts.
Pairs baseline()
{
    return Pairs {{"token", Config::token}, {"order_photo_id", "1001"}, {"shopid", "7"}, {"morephotonumber", "12"},
        {"activenumber", "10"}, {"freephotonumber1", "2"}, {"freephotonumber2", "4"}, {"freephotonumber3", "0"},
        {"buynumber", "20"}, {"yqnumber", "3"}, {"designnum", "1"}, {"companyid", "3"}, {"uid", "501"},
        {"order_sample_infoid", "30001"}, {"lastpic", "0"}, {"lastrepairpic", "3"}, {"getphotodate", ""},
        {"CompareDate", "2026-12-20"}, {"kanbanareaid", "21"}, {"checktruing", "2026-12-22"},
        {"kanjingxiuareaid", "31"}, {"type", "0"}, {"isurgentphoto", "0"}, {"good_type", "2"}, {"islook_effect", "1"},
        {"kjxway", "2"}, {"isems", "0"}, {"finalpicpaths", "1.jpg,2.jpg"}, {"finalpicnum", "2"},
        {"deletepicpaths", "x.jpg"}, {"deletepicnum", "1"}, {"twosales", "3600"}, {"one_price", "1600"},
        {"two_price", "2000"}, {"role12", "7"}, {"fwqlc_num", "2"}};
}

int indexOf(const Pairs& pairs, const QString& key)
{
    for (int i = 0; i < pairs.size(); ++i)
        if (pairs.at(i).first == key)
            return i;
    return -1;
}

void set(Pairs& pairs, const QString& key, const QString& value)
{
    pairs[indexOf(pairs, key)].second = value;
}

void remove(Pairs& pairs, const QString& key)
{
    pairs.removeAt(indexOf(pairs, key));
}

void insertAfter(Pairs& pairs, const QString& after, const QString& key, const QString& value)
{
    pairs.insert(indexOf(pairs, after) + 1, qMakePair(key, value));
}

QByteArray encoded(const Pairs& pairs)
{
    FormBody body;
    for (const auto& pair : pairs)
        body.add(pair.first, pair.second);
    return body.toByteArray();
}

struct BodyCase
{
    const char* name;
    std::function<void()> before; // before the dialog opens
    std::function<void(SubmitandPrint*)> setup;
    std::function<void(Pairs&)> expect;
};

const QList<BodyCase>& bodyCases()
{
    static const QList<BodyCase> cases {
        {"open order", [] {}, [](SubmitandPrint*) {}, [](Pairs&) {}},
        {"locked order: no counts", [] { Config::isLocked = true; }, [](SubmitandPrint*) {},
            [](Pairs& p) {
                remove(p, "lastpic");
                remove(p, "lastrepairpic");
            }},
        {"all urgent: no pickup date",
            [] {
                ProductData::m_products = {product("相册", "1"), product("摆台", "1")};
            },
            [](SubmitandPrint* d) {
                d->selQujianSchedule({"2026-12-28", "14:00-18:00", "41"});
            },
            [](Pairs& p) { remove(p, "getphotodate"); }},
        {"some urgent: pickup date and period",
            [] {
                ProductData::m_products = {product("相册", "1"), product("摆台", "0")};
            },
            [](SubmitandPrint* d) {
                d->selQujianSchedule({"2026-12-28", "14:00-18:00", "41"});
            },
            [](Pairs& p) {
                set(p, "getphotodate", "2026-12-28");
                insertAfter(p, "getphotodate", "getphotoareaid", "41");
            }},
        {"pickup period text without id", [] {},
            [](SubmitandPrint* d) {
                d->selQujianSchedule({"2026-12-28", "14:00-18:00", ""});
            },
            [](Pairs& p) {
                set(p, "getphotodate", "2026-12-28");
                insertAfter(p, "getphotodate", "getphotoareaid", "");
            }},
        {"micro-video date", [] {}, [](SubmitandPrint* d) { d->on_wyxDateSelected("2026-12-30"); },
            [](Pairs& p) { insertAfter(p, "getphotodate", "t_movie_time", "2026-12-30"); }},
        {"proof date cleared", [] {}, [](SubmitandPrint* d) { d->selKanbanSchedule({}); },
            [](Pairs& p) {
                set(p, "CompareDate", "0");
                set(p, "kanbanareaid", "0");
            }},
        {"proof date without period", [] {},
            [](SubmitandPrint* d) {
                d->selKanbanSchedule({"2026-12-21", "", ""});
            },
            [](Pairs& p) {
                set(p, "CompareDate", "2026-12-21");
                remove(p, "kanbanareaid");
            }},
        {"retouch date cleared", [] {}, [](SubmitandPrint* d) { d->selKanjingxiuSchedule({}); },
            [](Pairs& p) {
                set(p, "checktruing", "0");
                set(p, "kanjingxiuareaid", "0");
            }},
        {"first radios, part, urgent photos", [] {},
            [](SubmitandPrint* d) {
                child<QRadioButton>(d, "rb_cplx_wqr")->setChecked(true);
                child<QRadioButton>(d, "rb_kxg_wd")->setChecked(true);
                child<QRadioButton>(d, "radiobtn_wd")->setChecked(true);
                child<QRadioButton>(d, "radioButton_part")->setChecked(true);
                child<QCheckBox>(d, "cb_urgent_photo")->setChecked(true);
            },
            [](Pairs& p) {
                set(p, "type", "1");
                set(p, "isurgentphoto", "1");
                set(p, "good_type", "3");
                set(p, "islook_effect", "3");
                set(p, "kjxway", "3");
            }},
        {"second radios", [] {},
            [](SubmitandPrint* d) {
                child<QRadioButton>(d, "rb_cplx_cjx")->setChecked(true);
                child<QRadioButton>(d, "rb_kxg_bkxg")->setChecked(true);
                child<QRadioButton>(d, "radiobtn_zxk")->setChecked(true);
            },
            [](Pairs& p) {
                set(p, "good_type", "1");
                set(p, "islook_effect", "2");
                set(p, "kjxway", "1");
            }},
        {"express", [] {}, [](SubmitandPrint* d) { child<QRadioButton>(d, "radioButton_isEMS")->setChecked(true); },
            [](Pairs& p) { set(p, "isems", "2"); }},
        {"no staff chosen, blanks and signs kept", [] {},
            [](SubmitandPrint* d) {
                child<QComboBox>(d, "comboBox_xps")->setCurrentIndex(0);
                child<QLineEdit>(d, "buyBoardLineEdit")->setText(" 12&x=1 ");
                child<QLineEdit>(d, "bcxppirce_lineEdit")->setText("3600.5");
                child<QLineEdit>(d, "le_fgpirce")->setText("2000.5");
            },
            [](Pairs& p) {
                set(p, "role12", "0");
                set(p, "morephotonumber", " 12&x=1 ");
                set(p, "twosales", "3600.5");
                set(p, "two_price", "2000.5");
            }},
    };
    return cases;
}

void closeAllSheets()
{
    for (WebViewWindow* w : topLevelWindows<WebViewWindow>())
        w->close();
    for (ScheduleDialog* w : topLevelWindows<ScheduleDialog>())
        w->close();
    for (SettingEMSDialog* w : topLevelWindows<SettingEMSDialog>())
        w->close();
    for (SetProExpress* w : topLevelWindows<SetProExpress>())
        w->close();
    for (PrintEmsInfo* w : topLevelWindows<PrintEmsInfo>())
        w->close();
    for (ThumbnailViewWindow* w : topLevelWindows<ThumbnailViewWindow>())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSubmission : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    QPointer<SubmitandPrint> m_dialog;
    std::unique_ptr<OrderFolder> m_folder;
    // The real listing check, put back after each test.
    const std::function<bool(const QString&)> m_canList = FileOperation::canList;

    SubmitandPrint* open()
    {
        m_dialog = new SubmitandPrint(nullptr);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->show();
        [&] { QVERIFY(waitUntil([&] { return m_dialog->isReady(); })); }();
        m_backend->clearRequests();
        return m_dialog;
    }

    QPushButton* submitButton() { return child<QPushButton>(m_dialog, "pushButton_2"); }
    // Every folder lists but the album's, as a share that fails the listing does.
    static void failListing(const QString& album)
    {
        const QString folder = QDir::cleanPath(
            album == QStringLiteral("成品") ? DirServer::getFineImagePath() : DirServer::getDeletedImagePath());
        FileOperation::canList = [folder](const QString& path) { return QDir::cleanPath(path) != folder; };
    }
    int posts(const char* a) { return m_backend->requestsTo("order", a).size(); }

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
        Config::showbuyjx.clear();
        Config::showdbpxz.clear();
        Config::showbuymd.clear();
        Config::scaleDpi = 1.0;
        Config::IsAllEms = false;
        ProductData::product_urgentdate.clear();
        m_folder.reset(new OrderFolder(OrderFolder::AlbumFolders));
        m_folder->addPhotos(QStringLiteral("成品"), {"1.jpg", "2.jpg"});
        m_folder->addPhotos(QStringLiteral("汰片"), {"x.jpg"});
        ImageData::getInstance()->clearImages();
        ImageData::getInstance()->importImage(PHOTO_FINE);
        ImageData::getInstance()->importImage(PHOTO_DELETED);
    }

    void cleanup()
    {
        FileOperation::canList = m_canList;
        delete m_dialog;
        closeAllSheets();
        ImageData::getInstance()->clearImages();
        m_folder.reset();
        ProductData::m_products.clear();
        Config::isLocked = false;
        Config::IsAllEms = false;
    }

    void body_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < bodyCases().size(); ++i)
            QTest::newRow(bodyCases().at(i).name) << i;
    }

    // The body as the stand-in received it: pairs, order and bytes.
    void body()
    {
        QFETCH(int, index);
        const BodyCase& c = bodyCases().at(index);
        c.before();
        SubmitandPrint* dialog = open();
        c.setup(dialog);
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return posts("updategetphotodate2") == 1; }));
        const StandInRequest sent = m_backend->requestsTo("order", "updategetphotodate2").first();
        Pairs expected = baseline();
        c.expect(expected);
        QCOMPARE(sent.fields, expected);
        QCOMPARE(sent.body, encoded(expected));
        // Express asks for the address first; self-pickup never does.
        const bool isEms = child<QRadioButton>(dialog, "radioButton_isEMS")->isChecked();
        QCOMPARE(posts("getorderaddress"), isEms ? 1 : 0);
        if (isEms)
            QCOMPARE(m_backend->endpointsCalled().indexOf("order.getorderaddress")
                    < m_backend->endpointsCalled().indexOf("order.updategetphotodate2"),
                true);
    }

    // Photos set aside or brought back since the albums were last read: the counts and the
    // name lists describe the same folders, as they are when the dialog opens.
    void countsFollowMovesSinceTheLastReading()
    {
        m_folder->addPhotos(QStringLiteral("成品"), {"3.jpg"});
        ImageData* images = ImageData::getInstance();
        images->importImage(PHOTO_FINE);
        QCOMPARE(images->fineImageToDeleted({"1.jpg", "2.jpg"}), QStringList({"1.jpg", "2.jpg"}));
        const auto submitted = [&] {
            open();
            QTest::mouseClick(submitButton(), Qt::LeftButton);
            [&] { QVERIFY(waitUntil([&] { return posts("updategetphotodate2") == 1; })); }();
            const StandInRequest sent = m_backend->requestsTo("order", "updategetphotodate2").first();
            [&] { QVERIFY(waitUntil([&] { return m_dialog.isNull(); })); }();
            closeAllSheets();
            m_backend->clearRequests();
            Config::isLocked = false; // the submission locked the order
            return sent;
        };
        const auto names = [](const QString& list) { return list.split(',', Qt::SkipEmptyParts); };

        StandInRequest body = submitted();
        QCOMPARE(names(body.value("deletepicpaths")), QStringList({"1.jpg", "2.jpg", "x.jpg"}));
        QCOMPARE(body.value("deletepicnum"), QStringLiteral("3"));
        QCOMPARE(names(body.value("finalpicpaths")), QStringList({"3.jpg"}));
        QCOMPARE(body.value("finalpicnum"), QStringLiteral("1"));
        QCOMPARE(body.value("lastrepairpic"), QStringLiteral("4"));

        // Showing 汰片 reads the albums; one photo goes back to 成品 from there.
        images->importImage(PHOTO_DELETED);
        QCOMPARE(images->deletedImageToFine({"1.jpg"}), QStringList({"1.jpg"}));
        body = submitted();
        QCOMPARE(names(body.value("deletepicpaths")), QStringList({"2.jpg", "x.jpg"}));
        QCOMPARE(body.value("deletepicnum"), QStringLiteral("2"));
        QCOMPARE(names(body.value("finalpicpaths")), QStringList({"3.jpg", "1.jpg"}));
        QCOMPARE(body.value("finalpicnum"), QStringLiteral("2"));
        QCOMPARE(body.value("lastrepairpic"), QStringLiteral("4"));
    }

    void refusedBeforePosting_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("box");
        QTest::newRow("bought count blank") << "showbuyjx"
                                            << "buyBoardLineEdit"
                                            << "  "
                                            << "请输入购买精修张数！";
        QTest::newRow("comparison count empty") << "showdbpxz"
                                                << "yangQianLineEd"
                                                << ""
                                                << "请输入对比片选中张数！";
        QTest::newRow("amount empty") << ""
                                      << "bcxppirce_lineEdit"
                                      << ""
                                      << "请填写本次选片金额";
        QTest::newRow("raw count empty") << "showbuymd"
                                         << "originPhotoNum"
                                         << ""
                                         << "请填写购买毛底张数";
        QTest::newRow("split off by a cent") << ""
                                             << "bcxppirce_lineEdit"
                                             << "3600.01"
                                             << "当消金额加复购金额必须等于本次选片金额！";
        QTest::newRow("micro-video date missing") << "iswyx"
                                                  << ""
                                                  << ""
                                                  << "请选择微影像日期";
        QTest::newRow("product without quantity") << "zero"
                                                  << ""
                                                  << ""
                                                  << "产品 相册摆台 数量为0，请重新设置";
    }

    void refusedBeforePosting()
    {
        QFETCH(QString, flag);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, box);
        PromptRecorder prompts;
        if (flag == "showbuyjx")
            Config::showbuyjx = "1";
        if (flag == "showdbpxz")
            Config::showdbpxz = "1";
        if (flag == "showbuymd")
            Config::showbuymd = "1";
        if (flag == "zero")
            ProductData::m_products = {product("相册", "0", "0"), product("杂志", "0"), product("摆台", "0", "0")};
        SubmitandPrint* dialog = open();
        if (flag == "iswyx")
            dialog->iswyx = "1";
        if (!field.isEmpty())
            dialog->findChild<QLineEdit*>(field)->setText(text);
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QCOMPARE(prompts.texts(), QStringList {box});
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QTest::qWait(20);
        QCOMPARE(posts("updategetphotodate2"), 0);
        QVERIFY(submitButton()->isEnabled());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("提交打印"));
    }

    void splitAmountsInCents_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("total");
        QTest::addColumn<bool>("adds");
        QTest::newRow("0.1 + 0.2 = 0.3") << "0.1"
                                         << "0.2"
                                         << "0.3" << true;
        QTest::newRow("1 + 2 = 3") << "1"
                                   << "2"
                                   << "3" << true;
        QTest::newRow("1199.99 + 0.01 = 1200") << "1199.99"
                                               << "0.01"
                                               << "1200" << true;
        QTest::newRow("a cent short") << "0.1"
                                      << "0.2"
                                      << "0.31" << false;
        QTest::newRow("empty counts 0") << ""
                                        << "5"
                                        << "5" << true;
        QTest::newRow("no number counts 0") << "abc"
                                            << "5"
                                            << "5" << true;
        QTest::newRow("huge") << "1e300"
                              << "1"
                              << "1e300" << false;
    }

    void splitAmountsInCents()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, total);
        QFETCH(bool, adds);
        QCOMPARE(SubmissionBody::amountsAddUp(first, second, total), adds);
    }

    void splitOfTenthsIsPosted()
    {
        PromptRecorder prompts;
        SubmitandPrint* dialog = open();
        child<QLineEdit>(dialog, "le_dxppirce")->setText("0.1");
        child<QLineEdit>(dialog, "le_fgpirce")->setText("0.2");
        child<QLineEdit>(dialog, "bcxppirce_lineEdit")->setText("0.3");
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return posts("updategetphotodate2") == 1; }));
        QCOMPARE(prompts.count(), 0);
    }

    void boardTextsOfOnlyAMinuteAreCleared()
    {
        SubmitandPrint* dialog = open();
        child<QPushButton>(dialog, "pushButton_checkBoardDate")->setText(" :00");
        child<QPushButton>(dialog, "pushButton_preciseRepairDate")->setText(" :00");
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return posts("updategetphotodate2") == 1; }));
        QCOMPARE(child<QPushButton>(dialog, "pushButton_checkBoardDate")->text(), QString());
        QCOMPARE(child<QPushButton>(dialog, "pushButton_preciseRepairDate")->text(), QString());
        QCOMPARE(dialog->comparedate, QStringLiteral("2026-12-20"));
    }

    // From the click until the road ends the button is disabled: a double click posts once.
    void doubleClickSubmitsOnce_data()
    {
        QTest::addColumn<bool>("isEms");
        QTest::newRow("self-pickup") << false;
        QTest::newRow("express: one address check") << true;
    }

    void doubleClickSubmitsOnce()
    {
        QFETCH(bool, isEms);
        SubmitandPrint* dialog = open();
        child<QRadioButton>(dialog, isEms ? "radioButton_isEMS" : "radioButton")->setChecked(true);
        m_backend->setReply("order", isEms ? "getorderaddress" : "updategetphotodate2",
            StandInReply::json(QJsonObject {{"code", "0"}, {"message", "稍后再试"}}).held());
        QTest::mouseDClick(submitButton(), Qt::LeftButton);
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(!submitButton()->isEnabled());
        if (!isEms)
            QCOMPARE(dialog->windowTitle(), QStringLiteral("正在提交..."));
        PromptRecorder prompts;
        m_backend->releaseHeld();
        QVERIFY(waitUntil([&] { return submitButton()->isEnabled(); }));
        QCOMPARE(posts(isEms ? "getorderaddress" : "updategetphotodate2"), 1);
        QCOMPARE(prompts.texts(),
            QStringList {(isEms ? QStringLiteral("查询快递信息错误：") : QStringLiteral("提交打印错误："))
                + QStringLiteral("稍后再试")});
        QCOMPARE(dialog->windowTitle(), QStringLiteral("提交打印"));
    }

    void submissionFails_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        QTest::newRow("network error") << Failure::HttpStatus << QStringLiteral("网络请求错误\n500");
        QTest::newRow("refused") << Failure::None << QStringLiteral("提交打印错误：订单已锁定");
        QTest::newRow("not JSON") << Failure::NotJson << QStringLiteral("提交打印错误：服务器的回复无法识别");
        QTest::newRow("an array") << Failure::Array << QStringLiteral("提交打印错误：服务器的回复无法识别");
    }

    void submissionFails()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        PromptRecorder prompts;
        SubmitandPrint* dialog = open();
        child<QCheckBox>(dialog, "isdeletetpbtn")->setChecked(true);
        scriptEndpoint(
            m_backend, "order", "updategetphotodate2", failure, QJsonObject {{"code", "0"}, {"message", "订单已锁定"}});
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return submitButton()->isEnabled(); }));
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        QCOMPARE(dialog->isSubmitted, 0);
        QVERIFY(m_folder->exists("汰片/x.jpg"));
        QCOMPARE(posts("postrecord") + posts("orderdetail"), 0);
        QVERIFY(!Config::isLocked);
    }

    // The result is accepted but the order detail that follows fails: pressing the button again
    // asks for the order detail only and opens the sheet; result and removal record go once.
    void retryAfterFailedOrderDetail_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("box");
        QTest::newRow("network error") << Failure::HttpStatus << QStringLiteral("网络请求错误\n500");
        QTest::newRow("refused") << Failure::None << QStringLiteral("查询订单信息错误：稍后再试");
        QTest::newRow("not JSON") << Failure::NotJson << QStringLiteral("查询订单信息错误：服务器的回复无法识别");
    }

    void retryAfterFailedOrderDetail()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, box);
        SubmitandPrint* dialog = open();
        child<QCheckBox>(dialog, "isdeletetpbtn")->setChecked(true);
        scriptEndpoint(
            m_backend, "order", "orderdetail", failure, QJsonObject {{"code", "0"}, {"message", "稍后再试"}});
        {
            PromptRecorder prompts;
            QTest::mouseClick(submitButton(), Qt::LeftButton);
            QVERIFY(waitUntil([&] { return posts("orderdetail") == 1; }));
            QVERIFY(waitUntil([&] { return submitButton()->isEnabled(); }));
            QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
            QCOMPARE(dialog->isSubmitted, 1);
            QVERIFY(!Config::isLocked);
            QVERIFY(topLevelWindows<WebViewWindow>().isEmpty());
            QVERIFY(!m_folder->exists("汰片/x.jpg"));
            QVERIFY(waitUntil([&] { return posts("postrecord") == 1; }));
        }
        m_backend->clearScripts();
        PromptRecorder prompts;
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return m_dialog.isNull(); }));
        QVERIFY(Config::isLocked);
        QCOMPARE(topLevelWindows<WebViewWindow>().size(), 1);
        QCOMPARE(posts("orderdetail"), 2);
        QCOMPARE(posts("updategetphotodate2"), 1);
        QCOMPARE(posts("postrecord"), 1);
        QVERIFY(prompts.texts().isEmpty());
    }

    void expressWithoutAddress_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::newRow("no address key") << QJsonObject {{"code", "1"}, {"message", "查询成功"}};
        QTest::newRow("empty address") << QJsonObject {{"code", "1"}, {"orderaddress", QJsonObject()}};
        QTest::newRow("address not an object") << QJsonObject {{"code", "1"}, {"orderaddress", "上海"}};
    }

    void expressWithoutAddress()
    {
        QFETCH(QJsonObject, reply);
        PromptRecorder prompts;
        SubmitandPrint* dialog = open();
        child<QRadioButton>(dialog, "radioButton_isEMS")->setChecked(true);
        m_backend->setReply("order", "getorderaddress", StandInReply::json(reply));
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return prompts.count() == 1; }));
        QCOMPARE(prompts.last().text, QStringLiteral("请输入快递信息"));
        QVERIFY(waitUntil([&] { return submitButton()->isEnabled(); }));
        QCOMPARE(posts("updategetphotodate2"), 0);
        const QList<SettingEMSDialog*> forms = topLevelWindows<SettingEMSDialog>();
        QCOMPARE(forms.size(), 1);
        QVERIFY(forms.first()->isModal());
        QVERIFY(forms.first()->testAttribute(Qt::WA_DeleteOnClose));
        const StandInRequest check = m_backend->requestsTo("order", "getorderaddress").value(0);
        QCOMPARE(check.keys(),
            QStringList({"token", "order_photo_id", "shopid", "companyid", "uid", "order_sample_infoid"}));
    }

    // Locked and express: the address is still checked, the other checks are skipped.
    void lockedExpressSkipsChecks()
    {
        Config::isLocked = true;
        Config::showbuyjx = "1";
        ProductData::m_products = {product("相册", "0", "0")};
        SubmitandPrint* dialog = open();
        child<QRadioButton>(dialog, "radioButton_isEMS")->setChecked(true);
        child<QLineEdit>(dialog, "buyBoardLineEdit")->clear();
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return posts("updategetphotodate2") == 1; }));
        QCOMPARE(posts("getorderaddress"), 1);
    }

    // A successful submission removes the set-aside photos when asked, records that, and the
    // order detail that follows locks the order and opens the sheet.
    void setAsidePhotosRemoved_data()
    {
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("isLocked");
        QTest::addColumn<bool>("removed");
        QTest::newRow("asked") << true << false << true;
        QTest::newRow("not asked") << false << false << false;
        QTest::newRow("locked order keeps them") << true << true << false;
    }

    void setAsidePhotosRemoved()
    {
        QFETCH(bool, asked);
        QFETCH(bool, isLocked);
        QFETCH(bool, removed);
        Config::isLocked = isLocked;
        m_folder->addFile(QStringLiteral("汰片/旧/y.jpg"), "y");
        SubmitandPrint* dialog = open();
        QSignalSpy locked(dialog, &SubmitandPrint::sendSetLocked);
        child<QCheckBox>(dialog, "isdeletetpbtn")->setEnabled(true);
        child<QCheckBox>(dialog, "isdeletetpbtn")->setChecked(asked);
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        QVERIFY(waitUntil([&] { return m_dialog.isNull(); }));
        QCOMPARE(locked.count(), 1);
        QVERIFY(Config::isLocked);
        QCOMPARE(topLevelWindows<WebViewWindow>().size(), 1);
        QCOMPARE(topLevelWindows<WebViewWindow>().first()->html,
            QStringLiteral(
                "<table class=\"sample\"><tr><td>选片结果</td><td>精修 12 张，毛底 20 张</td></tr></table>"));
        QCOMPARE(m_folder->exists("汰片/x.jpg"), !removed);
        QCOMPARE(m_folder->exists("汰片/旧/y.jpg"), !removed);
        QVERIFY(QDir(m_folder->album("汰片") + "旧").exists());
        // The record outlives the dialog.
        QCOMPARE(waitUntil([&] { return posts("postrecord") == 1; }, removed ? 30000 : 200), removed);
        if (removed) {
            QCOMPARE(m_backend->requestsTo("order", "postrecord").first().keys(),
                QStringList({"token", "order_photo_id", "shopid", "companyid", "uid", "order_sample_infoid"}));
        }
    }

    // A file that stays is counted in a box, and the removal is still recorded.
    void removalFailureIsReported()
    {
        const QString busy = m_folder->path("汰片/busy.jpg");
        m_folder->addPhotos(QStringLiteral("汰片"), {"busy.jpg"});
        QTemporaryDir other;
        const QString source = other.path() + "/s.jpg";
        QFile(source).open(QIODevice::WriteOnly);
        if (QProcess::execute("mount", {"--bind", source, busy}) != 0)
            QSKIP("bind mounts are not allowed here");
        PromptRecorder prompts;
        SubmitandPrint* dialog = open();
        child<QCheckBox>(dialog, "isdeletetpbtn")->setChecked(true);
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        const bool closed = waitUntil([&] { return m_dialog.isNull(); });
        QProcess::execute("umount", {busy});
        QVERIFY(closed);
        QCOMPARE(prompts.texts(), QStringList {QStringLiteral("1 张汰片未能删除")});
        QVERIFY(!m_folder->exists("汰片/x.jpg"));
        QVERIFY(waitUntil([&] { return posts("postrecord") == 1; }));
    }

    // An album whose folder is there but cannot be listed is not an empty album: one box names
    // it and nothing is submitted; the dialog opened again reads the folders anew.
    void unlistedAlbumIsNotSubmitted_data()
    {
        QTest::addColumn<QString>("album");
        QTest::newRow("成品") << "成品";
        QTest::newRow("汰片") << "汰片";
    }

    void unlistedAlbumIsNotSubmitted()
    {
        QFETCH(QString, album);
        failListing(album);
        PromptRecorder prompts;
        m_dialog = new SubmitandPrint(nullptr);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->show();
        QVERIFY(waitUntil([&] { return prompts.count() == 1; }));
        QCOMPARE(prompts.last().text, album + QStringLiteral("文件夹无法读取，不能提交：请检查后重新打开提交窗口"));
        QVERIFY(postsAnswered(m_dialog));
        QVERIFY(!m_dialog->isReady());
        for (const char* button : {"pushButton_2", "pushButtonEMS", "pushButton_thumbnail"}) {
            QVERIFY(!child<QPushButton>(m_dialog, button)->isEnabled());
            QTest::mouseClick(child<QPushButton>(m_dialog, button), Qt::LeftButton);
        }
        QVERIFY(postsAnswered(m_dialog));
        QCOMPARE(posts("updategetphotodate2") + posts("getorderaddress"), 0);
        QCOMPARE(prompts.count(), 1);
        delete m_dialog;

        // Readable again: the folders count as they hold.
        FileOperation::canList = m_canList;
        SubmitandPrint* dialog = open();
        QCOMPARE(dialog->finalpicnum, 2);
        QCOMPARE(dialog->deletepicnum, 1);
        QCOMPARE(prompts.count(), 1);
    }

    // A submission road runs to its end: the dialog does not close meanwhile (by its close button
    // or Escape), whether the result is still on its way or taken and the set-aside photos are
    // being removed, so the removal's record, the order detail and the lock still come.
    void submissionRunsToItsEnd_data()
    {
        QTest::addColumn<bool>("isResultHeld");
        QTest::newRow("result on its way") << true;
        QTest::newRow("result taken, removal waiting") << false;
    }

    void submissionRunsToItsEnd()
    {
        QFETCH(bool, isResultHeld);
        SubmitandPrint* dialog = open();
        child<QCheckBox>(dialog, "isdeletetpbtn")->setChecked(true);
        if (isResultHeld)
            m_backend->setReply("order", "updategetphotodate2",
                StandInReply::json(QJsonObject {{"code", "1"}, {"message", "提交成功"}}).held());
        std::unique_ptr<PoolBlocker> pool;
        if (!isResultHeld)
            pool = std::make_unique<PoolBlocker>(); // the removal waits in the queue
        QTest::mouseClick(submitButton(), Qt::LeftButton);
        if (isResultHeld)
            QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        else
            QVERIFY(waitUntil([&] { return dialog->isSubmitted == 1; }));
        dialog->close();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_dialog.isNull());
        QVERIFY(dialog->isVisible());
        if (isResultHeld)
            m_backend->releaseHeld();
        else
            pool->release();
        QVERIFY(waitUntil([&] { return m_dialog.isNull(); }));
        QVERIFY(!m_folder->exists("汰片/x.jpg"));
        QVERIFY(waitUntil([&] { return posts("postrecord") == 1; }));
        QCOMPARE(posts("orderdetail"), 1);
        QVERIFY(Config::isLocked);
        QCOMPARE(topLevelWindows<WebViewWindow>().size(), 1);
    }

    void unlistedSetAsideAtRemovalIsTold_data()
    {
        QTest::addColumn<QString>("road");      // the button pressed
        QTest::addColumn<bool>("isAsked");      // the road asks whether the set-aside photos go
        QTest::addColumn<QString>("sheetData"); // the post the road's sheet is filled from
        QTest::newRow("submission") << "pushButton_2" << false << "order.orderdetail";
        QTest::newRow("express sheet") << "pushButtonEMS" << true << "ordernew.printems";
        QTest::newRow("thumbnail sheet") << "pushButton_thumbnail" << true << "order.orderdetail";
    }

    // A set-aside folder that cannot be listed at removal keeps its photos: one box counts them,
    // no removal is recorded, and the road goes on to the lock and its sheet.
    void unlistedSetAsideAtRemovalIsTold()
    {
        QFETCH(QString, road);
        QFETCH(bool, isAsked);
        QFETCH(QString, sheetData);
        PromptRecorder prompts;
        SubmitandPrint* dialog = open();
        child<QCheckBox>(dialog, "isdeletetpbtn")->setChecked(true);
        const bool isExpress = road == QLatin1String("pushButtonEMS");
        child<QRadioButton>(dialog, isExpress ? "radioButton_isEMS" : "radioButton")->setChecked(true);
        failListing(QStringLiteral("汰片"));
        prompts.answer(int(QMessageBox::Yes));
        child<QPushButton>(dialog, qPrintable(road))->click();
        QVERIFY(waitUntil([&] { return m_dialog.isNull(); }));
        QVERIFY(ownPostsAnswered(QCoreApplication::instance())); // the record lives on the application
        QStringList boxes {QStringLiteral("汰片文件夹无法读取，1 张汰片未能删除")};
        if (isAsked)
            boxes.prepend(QStringLiteral("是否删除汰片？"));
        QCOMPARE(prompts.texts(), boxes);
        QVERIFY(m_folder->exists("汰片/x.jpg"));
        QVERIFY(Config::isLocked);
        QCOMPARE(m_backend->requestsTo(sheetData.section('.', 0, 0), sheetData.section('.', 1)).size(), 1);
        QCOMPARE(posts("postrecord"), 0);
    }

    // ---- Dates ----

    void pickupDate_data()
    {
        QTest::addColumn<int>("daysFromToday");
        QTest::addColumn<int>("urgentFromToday"); // 0: no urgent date
        QTest::addColumn<QString>("box");
        QTest::newRow("today") << 0 << 0 << QString();
        QTest::newRow("yesterday") << -1 << 0 << "发货日期不得早于当前日期";
        QTest::newRow("before the urgent date") << 3 << 4 << "发货日期不得早于加急日期";
        QTest::newRow("on the urgent date") << 4 << 4 << QString();
        QTest::newRow("urgent date past, tomorrow") << 1 << -5 << QString();
    }

    void pickupDate()
    {
        QFETCH(int, daysFromToday);
        QFETCH(int, urgentFromToday);
        QFETCH(QString, box);
        PromptRecorder prompts;
        SubmitandPrint* dialog = open();
        const QDate today = QDate::currentDate();
        ProductData::product_urgentdate
            = urgentFromToday ? today.addDays(urgentFromToday).toString("yyyy-MM-dd") : QString();
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_fetchDate"), Qt::LeftButton);
        QPointer<ScheduleDialog> board = dialog->scheduleDialog.data();
        QVERIFY(board);
        QVERIFY(board->isModal());
        QVERIFY(board->minimumWidth() >= 1000);
        const QString day = today.addDays(daysFromToday).toString("yyyy-MM-dd");
        emit board->selectedScehduleSgnl({day, "14:00-18:00", "41"});
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        QCOMPARE(dialog->getphotodate, box.isEmpty() ? day : QString());
        QCOMPARE(child<QPushButton>(dialog, "pushButton_fetchDate")->text(), box.isEmpty() ? day + " 14:00-18:00" : "");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(board.isNull() || !board->isVisible(), box.isEmpty());
    }

    void pickupCleared()
    {
        SubmitandPrint* dialog = open();
        dialog->selQujianSchedule({"2026-12-28", "14:00-18:00", "41"});
        dialog->on_newFetchDate({});
        QCOMPARE(dialog->getphotodate, QString());
        QCOMPARE(dialog->getphotoareaid, QString());
        QCOMPARE(child<QPushButton>(dialog, "pushButton_fetchDate")->text(), QString());
    }

    void retouchDate_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("minDay");
        QTest::addColumn<QString>("maxDay");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("box");
        QTest::newRow("inside") << "2027-01-10"
                                << "2027-01-01"
                                << "2027-02-01"
                                << "超出" << QString();
        QTest::newRow("on the last day") << "2027-02-01"
                                         << "2027-01-01"
                                         << "2027-02-01"
                                         << "超出" << QString();
        QTest::newRow("a day late") << "2027-02-02"
                                    << "2027-01-01"
                                    << "2027-02-01"
                                    << "超出"
                                    << "超出";
        QTest::newRow("after 2038") << "2040-05-01"
                                    << "2040-01-01"
                                    << "2041-01-01"
                                    << "超出" << QString();
        QTest::newRow("no limits, order's words") << "2027-01-10"
                                                  << ""
                                                  << ""
                                                  << "请联系门店"
                                                  << "请联系门店";
        QTest::newRow("no limits, no words") << "2027-01-10"
                                             << ""
                                             << ""
                                             << ""
                                             << "看精修日期不在可选范围内";
    }

    void retouchDate()
    {
        QFETCH(QString, day);
        QFETCH(QString, minDay);
        QFETCH(QString, maxDay);
        QFETCH(QString, message);
        QFETCH(QString, box);
        const auto seconds = [](const QString& d) {
            return d.isEmpty() ? 0.0
                               : double(QDateTime(QDate::fromString(d, "yyyy-MM-dd"), QTime(0, 0)).toSecsSinceEpoch());
        };
        QFile file(QStringLiteral(STANDIN_FIXTURES_DIR "/order.orderdetail.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QJsonObject reply = QJsonDocument::fromJson(file.readAll()).object();
        QJsonObject order = reply["order"].toObject();
        order["min_kjxts"] = seconds(minDay);
        order["max_kjxts"] = seconds(maxDay);
        order["kjx_msg"] = message;
        reply["order"] = order;
        m_backend->setReply("order", "orderdetail", StandInReply::json(reply));
        PromptRecorder prompts;
        SubmitandPrint* dialog = open();
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_preciseRepairDate"), Qt::LeftButton);
        QPointer<ScheduleDialog> board = dialog->scheduleDialog.data();
        QVERIFY(board);
        emit board->selectedScehduleSgnl({day, "10:00-12:00", "33"});
        QCOMPARE(prompts.texts(), box.isEmpty() ? QStringList() : QStringList {box});
        QCOMPARE(dialog->checktruing, box.isEmpty() ? day : QStringLiteral("2026-12-22"));
        QCOMPARE(child<QPushButton>(dialog, "pushButton_preciseRepairDate")->text(),
            box.isEmpty() ? day + " 10:00-12:00" : QStringLiteral("2026-12-22 10:00-12:00"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(board.isNull() || !board->isVisible(), box.isEmpty());
    }

    void proofDate()
    {
        SubmitandPrint* dialog = open();
        QTest::mouseClick(child<QPushButton>(dialog, "pushButton_checkBoardDate"), Qt::LeftButton);
        QPointer<ScheduleDialog> board = dialog->scheduleDialog.data();
        QVERIFY(board);
        emit board->selectedScehduleSgnl({"2020-01-01", "", ""});
        QCOMPARE(dialog->comparedate, QStringLiteral("2020-01-01"));
        QCOMPARE(child<QPushButton>(dialog, "pushButton_checkBoardDate")->text(), QStringLiteral("2020-01-01 "));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(board.isNull() || !board->isVisible());
    }

    void microVideoDate()
    {
        SubmitandPrint* dialog = open();
        QTest::mouseClick(child<QPushButton>(dialog, "pb_wyxdate"), Qt::LeftButton);
        auto* picker = dialog->findChild<CalendarPicker*>();
        QVERIFY(picker);
        QCOMPARE(picker->windowTitle(), QStringLiteral("选择微影像日期"));
        QVERIFY(picker->isModal());
        emit picker->urgentDate("2027-03-04");
        QCOMPARE(child<QPushButton>(dialog, "pb_wyxdate")->text(), QStringLiteral("2027-03-04"));
        emit picker->urgentDate(QString());
        QCOMPARE(child<QPushButton>(dialog, "pb_wyxdate")->text(), QString());
    }

    void deliveryRadios()
    {
        SubmitandPrint* dialog = open();
        child<QRadioButton>(dialog, "radioButton_isEMS")->click();
        QVERIFY(Config::IsAllEms);
        const QList<SetProExpress*> opened = topLevelWindows<SetProExpress>();
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first()->isModal());
        QVERIFY(opened.first()->minimumWidth() >= 1000);
        opened.first()->close();
        child<QRadioButton>(dialog, "radioButton")->click();
        QVERIFY(!Config::IsAllEms);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(topLevelWindows<SetProExpress>().size(), 0);
    }
};

QTEST_MAIN(TestSubmission)
#include "tst_submission.moc"
