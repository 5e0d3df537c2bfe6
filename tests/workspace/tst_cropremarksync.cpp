#include "core/config.h"
#include "photostore/imagedata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/windowposts.h"
#include "workspace/photooperation.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QStandardItemModel>
#include <QtTest>

#include <limits>

class TestCropRemarkSync : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    // The current photo as the viewer leaves it after a crop or a mark change.
    static void editCurrent(const QRect& crop, bool ellipse, const QString& need)
    {
        auto photo = ImageData::getInstance()->getIterator();
        photo->setClipRect(crop, ellipse);
        photo->SetStrneed(need);
    }
    StandInRequest postedRecord()
    {
        waitUntil([&] { return !s.backend->requestsTo("order", "updateorderpic").isEmpty(); });
        return s.backend->requestsTo("order", "updateorderpic").value(0);
    }
    qint64 iconKey(int row) { return s.icons()->item(row)->icon().cacheKey(); }

private slots:
    void initTestCase() { QVERIFY(s.backend.isReady()); }

    void init()
    {
        QVERIFY(s.begin());
        s.order->addPhotos("成品", {"A.jpg", "B.jpg"});
        s.open();
        ImageData::getInstance()->setIterator(1, SELE_ALL);
        s.backend->clearRequests();
    }

    void cleanup() { s.end(); }

    void cropRecord_data()
    {
        QTest::addColumn<QRect>("crop");
        QTest::addColumn<bool>("ellipse");
        QTest::addColumn<QString>("need");
        QTest::addColumn<QStringList>("posted"); // picx, picy, picwidth, picheight, pictype
        QTest::addColumn<QString>("cell");

        QTest::newRow("ellipse") << QRect(100, 50, 300, 200) << true << "已有2个标注"
                                 << QStringList {"100", "50", "300", "200", "1"} << "宽：300||高：200";
        QTest::newRow("rectangle") << QRect(-4, 0, 800, 600) << false << ""
                                   << QStringList {"-4", "0", "800", "600", "0"} << "宽：800||高：600";
        QTest::newRow("cancelled") << QRect(0, 0, 0, 0) << false << "眼睛提亮 & 瘦脸=1"
                                   << QStringList {"0", "0", "0", "0", "0"} << "";
        // Wider than an int can count: the true size, not an overflowed one.
        QTest::newRow("edges at the ends of int")
            << QRect(QPoint(std::numeric_limits<int>::min(), 0), QPoint(std::numeric_limits<int>::max(), 9)) << false
            << "" << QStringList {"-2147483648", "0", "4294967296", "10", "0"} << "宽：4294967296||高：10";
    }
    // A crop is posted at once with the photo's requirement text, in field order; the
    // table shows the new size and the photo's icon is made again.
    void cropRecord()
    {
        QFETCH(QRect, crop);
        QFETCH(bool, ellipse);
        QFETCH(QString, need);
        QFETCH(QStringList, posted);
        QFETCH(QString, cell);
        const qint64 before = iconKey(1);
        editCurrent(crop, ellipse, need);
        s.panel->onClipChanged();

        const StandInRequest r = postedRecord();
        QCOMPARE(r.keys(),
            (QStringList {"token", "order_photo_id", "shopid", "picname", "descr", "picx", "picy", "picwidth",
                "picheight", "companyid", "order_sample_infoid", "pictype"}));
        QCOMPARE(r.value("token"), Config::token);
        QCOMPARE(r.value("order_photo_id"), QStringLiteral("1001"));
        QCOMPARE(r.value("shopid"), QStringLiteral("7"));
        QCOMPARE(r.value("picname"), QStringLiteral("B.jpg"));
        QCOMPARE(r.value("descr"), need);
        QCOMPARE((QStringList {
                     r.value("picx"), r.value("picy"), r.value("picwidth"), r.value("picheight"), r.value("pictype")}),
            posted);
        QCOMPARE(r.value("companyid"), QStringLiteral("3"));
        QCOMPARE(r.value("order_sample_infoid"), QStringLiteral("30001"));

        QCOMPARE(s.column(3).value(1), cell);
        QVERIFY(waitUntil([&] { return iconKey(1) != before; }));
        s.settle();
        QCOMPARE(s.prompts->count(), 0);
    }

    // A mark change posts the new text with the crop unchanged; the table follows, the icon
    // is not made again.
    void remarkRecord()
    {
        editCurrent(QRect(10, 20, 30, 40), true, QString());
        s.panel->onClipChanged();
        postedRecord();
        s.settle();
        s.backend->clearRequests();
        const qint64 before = iconKey(1);

        ImageData::getInstance()->getIterator()->SetStrneed(QStringLiteral("已有3个标注"));
        s.panel->onRemarkChanged();
        const StandInRequest r = postedRecord();
        QCOMPARE(r.value("descr"), QStringLiteral("已有3个标注"));
        QCOMPARE((QStringList {
                     r.value("picx"), r.value("picy"), r.value("picwidth"), r.value("picheight"), r.value("pictype")}),
            (QStringList {"10", "20", "30", "40", "1"}));
        QCOMPARE(s.column(2).value(1), QStringLiteral("已有3个标注"));
        s.settle();
        QCOMPARE(iconKey(1), before);
    }

    void refusals_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        auto json = [](const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); };
        QTest::newRow("refused, empty message")
            << 200 << json({{"code", "0"}, {"message", ""}}) << "提交裁剪信息错误：";
        QTest::newRow("refused") << 200 << json({{"code", "0"}, {"message", "照片不存在"}})
                                 << "提交裁剪信息错误：照片不存在";
        QTest::newRow("code as a number") << 200 << json({{"code", 1}}) << "提交裁剪信息错误：";
        QTest::newRow("HTTP 502") << 502 << QByteArray() << "网络请求错误\n502";
        QTest::newRow("not JSON") << 200 << QByteArray("<html>") << "";
        QTest::newRow("accepted") << 200 << json({{"code", "1"}, {"message", "保存成功"}}) << "";
    }
    // A refusal is reported; the photo keeps its crop either way.
    void refusals()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        s.backend->setReply("order", "updateorderpic", StandInReply::raw(body, status));
        editCurrent(QRect(0, 0, 500, 400), false, QString());
        s.panel->onClipChanged();
        postedRecord();
        QVERIFY(postsAnswered(s.panel.get()));
        QCOMPARE(s.prompts->count(), text.isEmpty() ? 0 : 1);
        if (!text.isEmpty()) {
            QCOMPARE(s.prompts->last().title, QStringLiteral("警告"));
            QCOMPARE(s.prompts->last().text, text);
            QCOMPARE(s.prompts->last().buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
            QCOMPARE(s.prompts->last().defaultButton, QMessageBox::Yes);
        }
        QCOMPARE(ImageData::getInstance()->getCurrentImage().GetTrimrc(), QRect(0, 0, 500, 400));
        QCOMPARE(s.column(3).value(1), QStringLiteral("宽：500||高：400"));
    }

    // With the cursor at its end position there is no photo: nothing is posted.
    void noCurrentPhoto()
    {
        ImageData::getInstance()->setIterator(2, SELE_ALL);
        QCOMPARE(ImageData::getInstance()->getCurrentIndex(), -1);
        s.panel->onClipChanged();
        s.panel->onRemarkChanged();
        QTest::qWait(100);
        QVERIFY(s.backend->requests().isEmpty());
        QCOMPARE(s.tableModel()->rowCount(), 2);
    }
};

QTEST_MAIN(TestCropRemarkSync)
#include "tst_cropremarksync.moc"
