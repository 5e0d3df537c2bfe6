#include "core/config.h"
#include "photostore/imagedata.h"
#include "photostore/productdata.h"
#include "sheets/printemsinfo.h"
#include "sheets/thumbnailviewwindow.h"
#include "sheets/webviewwindow.h"
#include "submit/submitandprint.h"
#include "tests/support/deliveredreplies.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/hostilerows.h"
#include "tests/support/orderfolder.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/toplevel.h"
#include "tests/support/windowposts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

// Replies of the submission dialog's order detail and of the sheets' data that are not what
// they expect: nothing crashes, nothing is submitted from a form the detail did not fill,
// and a sheet opens only on data the back end accepted.

namespace {

QJsonObject fixture(const char* name)
{
    QFile file(QStringLiteral(STANDIN_FIXTURES_DIR "/") + QLatin1String(name));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool isAccepted(const QByteArray& body)
{
    return QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
}

} // namespace

class TestSubmitHostileReplies : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    OrderFolder* m_folder = nullptr;
    QPointer<SubmitandPrint> m_dialog;
    std::unique_ptr<PromptRecorder> m_prompts;

    SubmitandPrint* create()
    {
        m_dialog = new SubmitandPrint(nullptr);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_dialog->show();
        return m_dialog;
    }

    // The dialog once its first detail is handled, whatever it was.
    bool openAnswered()
    {
        create();
        return waitUntil([&] { return m_backend->requestsTo("order", "orderdetail").size() == 1; })
            && postsAnswered(m_dialog);
    }

    // Lets the sheets' thumbnail jobs end and deliver their replies.
    static void settle()
    {
        for (int round = 0; round < 3; ++round) {
            QThreadPool::globalInstance()->waitForDone();
            QCoreApplication::processEvents();
        }
    }

private slots:
    void init()
    {
        m_backend.reset();
        m_prompts.reset(new PromptRecorder);
        useTestOrder();
        Config::isPrintDelWarn = false;
        Config::order_photodate = QStringLiteral("2026-07-05");
        Config::orderpayforkey = QStringLiteral("DEMO-1001");
        m_folder = new OrderFolder(OrderFolder::AlbumFolders);
        QVERIFY(m_folder->isValid());
        m_folder->addPhotos(QStringLiteral("成品"), {"1.jpg", "2.jpg"});
        ImageData::getInstance()->importImage(PHOTO_FINE);
        Product p;
        p.id = p.goodname = QStringLiteral("相册");
        p.goodamount = QStringLiteral("1");
        p.isurgent = QStringLiteral("0");
        p.print = true;
        ProductData::m_products = {p};
        ProductData::m_printProducts = ProductData::m_products;
    }

    void cleanup()
    {
        delete m_dialog.data();
        settle();
        closeTopLevelWindows<WebViewWindow>();
        closeTopLevelWindows<PrintEmsInfo>();
        settle();
        ImageData::getInstance()->clearImages();
        delete m_folder;
        m_folder = nullptr;
        ProductData::m_products.clear();
        ProductData::m_printProducts.clear();
        Config::isLocked = false;
        m_prompts.reset();
    }

    void firstDetail_data()
    {
        addHostileRows(fixture("order.orderdetail.json"),
            {"code", "order", "shop_set", "role12data", "isxps", "editfahuo", "order/min_kjxts", "order/getphotoarea",
                "order/kanbanarea", "order/activenumber"});
    }

    // Only a detail the back end accepted readies the form; until then the submit buttons
    // post nothing.
    void firstDetail()
    {
        QFETCH(QByteArray, body);
        m_backend->setReply("order", "orderdetail", StandInReply::raw(body));
        QVERIFY(openAnswered());
        // (The folder counts, the form's other half, come from a worker.)
        if (isAccepted(body)) {
            QVERIFY(waitUntil([&] { return m_dialog->isReady(); }));
        } else {
            QVERIFY(!m_dialog->isReady());
            m_dialog->findChild<QPushButton*>(QStringLiteral("pushButton_2"))->click();
            m_dialog->findChild<QPushButton*>(QStringLiteral("pushButtonEMS"))->click();
            QVERIFY(postsAnswered(m_dialog));
            QCOMPARE(m_backend->requestsTo("order", "updategetphotodate2").size(), 0);
        }
        QVERIFY(!m_dialog->grab().isNull());
    }

    void unreadableReplyOnTheRoad_data()
    {
        QTest::addColumn<QString>("road"); // the button pressed
        QTest::addColumn<bool>("isExpress");
        QTest::addColumn<QString>("step"); // the post answered with a body that is no JSON object
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<Failure>("failure");
        struct Step
        {
            const char* road;
            bool isExpress;
            const char* step;
            const char* prefix;
        };
        const Step steps[] {
            {"pushButton_2", true, "order.getorderaddress", "查询快递信息错误："},
            {"pushButton_2", false, "order.updategetphotodate2", "提交打印错误："},
            {"pushButton_2", false, "order.orderdetail", "查询订单信息错误："},
            {"pushButtonEMS", true, "order.getorderaddress", "查询快递信息错误："},
            {"pushButtonEMS", true, "order.updategetphotodate2", "提交打印错误："},
            {"pushButtonEMS", true, "ordernew.printems", "订单产品查询错误"},
            {"pushButton_thumbnail", true, "order.getorderaddress", "查询快递信息错误："},
            {"pushButton_thumbnail", false, "order.updategetphotodate2", "提交打印错误："},
            {"pushButton_thumbnail", false, "order.orderdetail", "查询订单信息错误："},
        };
        const QList<QPair<const char*, Failure>> bodies {
            {"HTML page", Failure::NotJson}, {"empty body", Failure::Empty}};
        for (const Step& s : steps)
            for (const auto& body : bodies)
                QTest::addRow("%s %s, %s", s.road, s.step, body.first)
                    << QString(s.road) << s.isExpress << QString(s.step) << QString(s.prefix) << body.second;
    }

    // A reply that cannot be read at any step of a submission road is told in one box, and the
    // road ends as for a refusal: nothing locked, no sheet, the button back, the dialog closable.
    void unreadableReplyOnTheRoad()
    {
        QFETCH(QString, road);
        QFETCH(bool, isExpress);
        QFETCH(QString, step);
        QFETCH(QString, prefix);
        QFETCH(Failure, failure);
        QVERIFY(openAnswered());
        QVERIFY(waitUntil([&] { return m_dialog->isReady(); }));
        m_dialog->findChild<QRadioButton*>(isExpress ? "radioButton_isEMS" : "radioButton")->setChecked(true);
        m_dialog->findChild<QCheckBox*>("isdeletetpbtn")->setChecked(false);
        QSignalSpy locked(m_dialog.data(), &SubmitandPrint::sendSetLocked);
        const QStringList endpoint = step.split('.');
        scriptEndpoint(m_backend, endpoint.at(0), endpoint.at(1), failure);
        m_prompts->answer(int(QMessageBox::No)); // the thumbnail road asks about the set-aside photos
        const auto warnings = [this] {
            QStringList texts;
            for (const PromptCall& call : m_prompts->calls())
                if (call.title == QStringLiteral("警告"))
                    texts << call.text;
            return texts;
        };
        const auto posts = [&] { return m_backend->requestsTo(endpoint.at(0), endpoint.at(1)).size(); };
        const int postsBefore = posts();
        auto* button = m_dialog->findChild<QPushButton*>(road);
        button->click();
        QVERIFY(waitUntil([&] { return posts() > postsBefore; }));
        QVERIFY(waitUntil([&] { return !warnings().isEmpty() && button->isEnabled(); }));
        QVERIFY(postsAnswered(m_dialog));
        QCOMPARE(warnings(), QStringList {prefix + QStringLiteral("服务器的回复无法识别")});
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("提交打印"));
        QCOMPARE(locked.count(), 0);
        QVERIFY(!Config::isLocked);
        QCOMPARE(topLevelWindows<WebViewWindow>().size() + topLevelWindows<PrintEmsInfo>().size()
                + topLevelWindows<ThumbnailViewWindow>().size(),
            0);
        QVERIFY(m_dialog->close());
    }

    void productionSheet_data()
    {
        addHostileRows(fixture("order.orderdetail.json"),
            {"code", "order", "order/bname", "order/kanjinxiuarea", "servicetime", "role12data"});
    }

    // The detail after a submission: accepted, the sheet opens and the dialog closes; anything
    // else keeps the dialog, unlocked, without a sheet.
    void productionSheet()
    {
        QFETCH(QByteArray, body);
        QVERIFY(openAnswered());
        QVERIFY(waitUntil([&] { return m_dialog->isReady(); }));
        QSignalSpy locked(m_dialog.data(), &SubmitandPrint::sendSetLocked);
        m_backend->setReply("order", "orderdetail", StandInReply::raw(body));
        m_dialog->isSubmitted = 1;
        m_dialog->postQueryOrderInfo();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "orderdetail").size() == 2; }));
        QVERIFY(postsAnswered(m_dialog));
        if (isAccepted(body)) {
            QVERIFY(m_dialog.isNull() || !m_dialog->isVisible());
            QCOMPARE(topLevelWindows<WebViewWindow>().size(), 1);
            QCOMPARE(locked.count(), 1);
            QVERIFY(!topLevelWindows<WebViewWindow>().first()->grab().isNull());
        } else {
            QVERIFY(m_dialog && m_dialog->isVisible());
            QCOMPARE(topLevelWindows<WebViewWindow>().size(), 0);
            QCOMPARE(locked.count(), 0);
            QVERIFY(!Config::isLocked);
        }
    }

    void sheetMarks_data()
    {
        addHostileRows(fixture("order.getorderpic.json"),
            {"code", "html", "orderpicdescr", "orderpicdescr/0", "orderpicdescr/0/picname", "orderpicdescr/0/mark",
                "orderpicdescr/0/mark/0"});
    }

    // The marks of the production sheet: the sheet stays and its thumbnail work ends.
    void sheetMarks()
    {
        QFETCH(QByteArray, body);
        m_backend->setReply("order", "getorderpic", StandInReply::raw(body));
        QVERIFY(openAnswered());
        QVERIFY(waitUntil([&] { return m_dialog->isReady(); }));
        m_dialog->isSubmitted = 1;
        DeliveredReplies delivered;
        m_dialog->postQueryOrderInfo();
        QVERIFY(waitUntil([&] { return topLevelWindows<WebViewWindow>().size() == 1; }));
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("order", "getorderpic").size() == 1; }));
        QVERIFY(delivered.waitFor(1));
        settle();
        QCOMPARE(topLevelWindows<WebViewWindow>().size(), 1);
        QVERIFY(!topLevelWindows<WebViewWindow>().first()->grab().isNull());
    }

    void expressSheet_data()
    {
        addHostileRows(fixture("ordernew.printems.json"),
            {"code", "order", "orderaddress", "ordergoods", "ordergoods/0", "ordergoods/0/goodamount",
                "ordergoods/0/getgooddate", "count"});
    }

    // The express sheet opens only on accepted data; otherwise the dialog is ready to ask again.
    void expressSheet()
    {
        QFETCH(QByteArray, body);
        m_backend->setReply("ordernew", "printems", StandInReply::raw(body));
        Config::isLocked = true; // no submission, no question
        QVERIFY(openAnswered());
        QVERIFY(waitUntil([&] { return m_dialog->isReady(); }));
        m_dialog->findChild<QRadioButton*>(QStringLiteral("radioButton_isEMS"))->setChecked(true);
        auto* express = m_dialog->findChild<QPushButton*>(QStringLiteral("pushButtonEMS"));
        express->click();
        QVERIFY(waitUntil([&] { return m_backend->requestsTo("ordernew", "printems").size() == 1; }));
        QVERIFY(postsAnswered(m_dialog));
        QCOMPARE(topLevelWindows<PrintEmsInfo>().size(), isAccepted(body) ? 1 : 0);
        if (isAccepted(body))
            QVERIFY(!topLevelWindows<PrintEmsInfo>().first()->grab().isNull());
        else
            QVERIFY(express->isEnabled());
    }
};

QTEST_MAIN(TestSubmitHostileReplies)
#include "tst_hostilereplies.moc"
