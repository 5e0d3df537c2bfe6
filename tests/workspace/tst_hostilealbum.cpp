#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "standin/demodata.h"
#include "tests/support/albumpanelfixture.h"
#include "tests/support/eventwait.h"
#include "tests/support/hostilerows.h"
#include "tests/support/windowposts.h"
#include "workspace/photooperation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QtTest>

// The album panel's crop and remark reply and its order path reply, hostile: the panel's load
// road must neither crash nor hang, and no record may hold what its icon cannot draw. (Its own executable:
// every row opens an album panel on a fresh order folder.)

class TestAlbumHostileReplies : public QObject
{
    Q_OBJECT
private:
    AlbumPanelFixture s;

    int requests(const char* m, const char* a) { return s.backend->requestsTo(m, a).size(); }

private slots:
    void initTestCase() { QVERIFY(s.backend.isReady()); }

    void init() { QVERIFY(s.begin()); }

    void cleanup() { s.end(); }

    void pictureInfo_data()
    {
        const QJsonObject record {{"picname", "IMG_0001.jpg"}, {"descr", ""}, {"pictype", "1"}, {"picx", "10"},
            {"picy", "20"}, {"picwidth", "800"}, {"picheight", "540"},
            {"mark", QJsonArray {"10,10,20,20-1-1-#ff0000-提亮"}}};
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""},
                           {"shipai", QJsonArray {QJsonObject {{"videopath", "/v/1.mp4"}}}}, {"jingxiu", QJsonArray()},
                           {"orderpicdescr", QJsonArray {record, record}}},
            {"code", "message", "shipai", "shipai/0", "orderpicdescr", "orderpicdescr/0", "orderpicdescr/0/picname",
                "orderpicdescr/0/mark", "orderpicdescr/0/picx", "orderpicdescr/0/picwidth", "orderpicdescr/0/pictype"});
        const QJsonObject far {{"picname", "IMG_0001.jpg"}, {"pictype", "1"}, {"picx", "2147483000"},
            {"picy", "-2147483000"}, {"picwidth", "2147483647"}, {"picheight", "2147483647"}};
        QTest::newRow("crop at the ends of int")
            << compact(QJsonObject {{"code", "1"}, {"orderpicdescr", QJsonArray {far}}});
    }

    // The album opens with its photos and icons (or the road stops at its box); no record
    // holds a crop that its icon cannot draw.
    void pictureInfo()
    {
        QFETCH(QByteArray, body);
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
        s.backend->setReply("order", "getorderpic", StandInReply::raw(body));
        s.open(0, false);
        QVERIFY(waitUntil([&] { return requests("order", "getorderpic") == 1; }));
        const bool accepted = QJsonDocument::fromJson(body).object().value("code") == QJsonValue("1");
        // The road's replies answered; an accepted one goes on to read the albums on a worker.
        QVERIFY(postsAnswered(s.panel.get()));
        if (accepted)
            QVERIFY(waitUntil([&] { return s.shown->count() == 2 || s.prompts->count() > 0; }));
        s.settle();
        if (accepted) {
            QCOMPARE(s.shown->count(), 2);
            QCOMPARE(s.icons()->count(), 5);
            QCOMPARE(s.prompts->count(), 0);
            // A crop whose edges no int holds is no crop at all.
            if (body.contains("2147483000")) {
                QCOMPARE(ImageData::changedImages.size(), 1);
                QCOMPARE(ImageData::changedImages.first().GetTrimrc(), QRect());
            }
        } else {
            QCOMPARE(s.shown->count(), 0);
            QVERIFY(s.prompts->count() <= 1);
        }
    }

    void picturePath_data()
    {
        addHostileRows(QJsonObject {{"code", "1"}, {"message", ""}, {"picpath", "//picserver/share/2026/DEMO-1001"}},
            {"code", "message", "picpath"});
    }

    // Either the demo order's folder is taken, or the folder stays as it was after one box.
    void picturePath()
    {
        QFETCH(QByteArray, body);
        QVERIFY(DemoData::createVolumes(s.order->volumes()));
        DirServer::setOrderPath(QStringLiteral("/sentinel/"));
        s.backend->setReply("order", "getpicpath", StandInReply::raw(body));
        s.open(0, false);
        QVERIFY(waitUntil([&] { return requests("order", "getpicpath") == 1; }));
        // The path's reply answered; a folder taken is read and shown on a worker.
        QVERIFY(postsAnswered(s.panel.get()));
        if (DirServer::getOrderPath() != QStringLiteral("/sentinel/"))
            QVERIFY(waitUntil([&] { return s.shown->count() == 2 || s.prompts->count() > 0; }));
        s.settle();
        if (s.shown->count() > 0) {
            QCOMPARE(DirServer::getOrderPath(), s.order->order());
        } else {
            QCOMPARE(DirServer::getOrderPath(), QStringLiteral("/sentinel/"));
            QVERIFY(s.prompts->count() <= 1);
        }
    }
};

QTEST_MAIN(TestAlbumHostileReplies)
#include "tst_hostilealbum.moc"
