#include "core/backendreply.h"
#include "core/config.h"
#include "photostore/dirserver.h"
#include "standin/demodata.h"
#include "tests/support/promptrecorder.h"
#include "tools/cropremarkpost.h"
#include "workspace/orderphotoload.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestOrderPhotoLoad : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_volumes;
    QString m_oldRoot;

private slots:
    void initTestCase()
    {
        QVERIFY(m_volumes.isValid());
        m_oldRoot = Config::volumesRoot;
        Config::volumesRoot = m_volumes.path() + QLatin1Char('/');
        QVERIFY(QDir().mkpath(Config::volumesRoot + DemoData::orderShareFolder()));
    }
    void cleanupTestCase() { Config::volumesRoot = m_oldRoot; }

    void record_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("need");
        QTest::addColumn<QRect>("crop");
        QTest::addColumn<bool>("ellipse");

        QTest::newRow("three marks, rectangle")
            << R"({"picname":"a.jpg","descr":"提亮","pictype":"0","picx":"10","picy":"20","picwidth":"800","picheight":"600","mark":["1","2","3"]})"
            << "已有3个标注" << QRect(10, 20, 800, 600) << false;
        QTest::newRow("ellipse, no marks")
            << R"({"picname":"a.jpg","pictype":"1","picx":"-5","picy":"0","picwidth":"500","picheight":"500","mark":[]})"
            << "" << QRect(-5, 0, 500, 500) << true;
        QTest::newRow("missing pictype is an ellipse, missing mark array")
            << R"({"picname":"a.jpg","picx":"1","picy":"2","picwidth":"3","picheight":"4"})"
            << "" << QRect(1, 2, 3, 4) << true;
        QTest::newRow("numbers that are no decimal strings read as 0")
            << R"({"picname":"a.jpg","pictype":"0","picx":"12px","picy":34,"picwidth":"99999999999","picheight":"7.5","mark":"x"})"
            << "" << QRect(0, 0, 0, 0) << false;
        // Values that no QRect holds are no crop; the largest that fit are kept.
        QTest::newRow("crop at the ends of int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"2147483000","picy":"-2147483000","picwidth":"2147483647","picheight":"2147483647"})"
            << "" << QRect() << false;
        QTest::newRow("right edge one past int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"2","picy":"0","picwidth":"2147483647","picheight":"10"})"
            << "" << QRect() << false;
        // QRect(x, y, width, height) itself overflows (undefined) when x + width is one past int.
        QTest::newRow("right edge at the end of int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"1","picy":"-2147483648","picwidth":"2147483647","picheight":"10"})"
            << "" << QRect(QPoint(1, -2147483647 - 1), QPoint(2147483647, -2147483647 + 8)) << false;
        QTest::newRow("bottom edge at the end of int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"0","picy":"2147483638","picwidth":"10","picheight":"10"})"
            << "" << QRect(QPoint(0, 2147483638), QPoint(9, 2147483647)) << false;
        QTest::newRow("one pixel in the last corner of int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"2147483647","picy":"2147483647","picwidth":"1","picheight":"1"})"
            << "" << QRect(QPoint(2147483647, 2147483647), QPoint(2147483647, 2147483647)) << false;
        QTest::newRow("one pixel in the first corner of int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"-2147483648","picy":"-2147483648","picwidth":"1","picheight":"1"})"
            << "" << QRect(QPoint(-2147483647 - 1, -2147483647 - 1), QPoint(-2147483647 - 1, -2147483647 - 1)) << false;
        QTest::newRow("empty at the start of int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"-2147483648","picy":"0","picwidth":"0","picheight":"10"})"
            << "" << QRect() << false;
        QTest::newRow("left edge below int")
            << R"({"picname":"a.jpg","pictype":"0","picx":"-2147483649","picy":"0","picwidth":"10","picheight":"10"})"
            << "" << QRect() << false;
        QTest::newRow("negative size")
            << R"({"picname":"a.jpg","pictype":"0","picx":"10","picy":"10","picwidth":"-100","picheight":"10"})"
            << "" << QRect() << false;
    }
    void record()
    {
        QFETCH(QString, element);
        QFETCH(QString, need);
        QFETCH(QRect, crop);
        QFETCH(bool, ellipse);
        const Image image = OrderPhotoLoad::readRecord(QJsonDocument::fromJson(element.toUtf8()).object());
        QCOMPARE(image.GetImageName(), QStringLiteral("a.jpg"));
        QCOMPARE(image.GetStrneed(), need);
        QCOMPARE(image.GetTrimrc(), crop);
        QCOMPARE(image.isEllipse(), ellipse);
        QCOMPARE(int(image.GetPicType()), 0);
    }

    // Arrays keep their order, empty paths included; members of the wrong type read empty.
    void pictureInfo()
    {
        const QJsonObject reply {
            {"shipai", QJsonArray {QJsonObject {{"videopath", "/v/1.mp4"}}, QJsonObject {{"videopath", ""}}, 5}},
            {"jingxiu", "not an array"},
            {"orderpicdescr",
                QJsonArray {QJsonObject {{"picname", "b.jpg"}}, "junk", QJsonObject {{"picname", "a.jpg"}}}}};
        const OrderPhotoLoad::PictureInfo info = OrderPhotoLoad::readPictureInfo(reply);
        QCOMPARE(info.trialVideos, (QStringList {"/v/1.mp4", "", ""}));
        QVERIFY(info.finalVideos.isEmpty());
        QCOMPARE(info.records.size(), 3);
        QCOMPARE(info.records.at(0).GetImageName(), QStringLiteral("b.jpg"));
        QCOMPARE(info.records.at(1).GetImageName(), QString());
        QCOMPARE(info.records.at(2).GetImageName(), QStringLiteral("a.jpg"));
        QVERIFY(OrderPhotoLoad::readPictureInfo(QJsonObject {}).records.isEmpty());
    }

    void orderFolder_data()
    {
        QTest::addColumn<QString>("picpath");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("mapped"); // below the volumes root

        QTest::newRow("share name with slashes")
            << "//picserver/share/2026/DEMO-1001" << true << "share/2026/DEMO-1001/";
        QTest::newRow("share name with backslashes")
            << "\\\\picserver\\share\\2026\\DEMO-1001" << true << "share/2026/DEMO-1001/";
        QTest::newRow("missing folder") << "\\\\picserver\\share\\2026\\NONE" << false << "picserver/2026/NONE/";
        QTest::newRow("the bare share prefix") << "\\\\" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("relative") << "share" << false << "";
    }
    void orderFolder()
    {
        QFETCH(QString, picpath);
        QFETCH(bool, opens);
        QFETCH(QString, mapped);
        QString shown, folder;
        QCOMPARE(OrderPhotoLoad::mapOrderFolder(picpath, &shown, &folder), opens);
        if (!mapped.isEmpty()) {
            QCOMPARE(shown, Config::volumesRoot + mapped);
            QCOMPARE(folder, Config::volumesRoot + mapped);
        }
    }

    // Even a folder named by two backslashes that exists does not open: the prefix alone
    // names no order.
    void barePrefixNeverOpens()
    {
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_volumes.path()));
        QVERIFY(QDir().mkpath(QStringLiteral("\\\\")));
        QString shown, folder;
        QVERIFY(!OrderPhotoLoad::mapOrderFolder(QStringLiteral("\\\\"), &shown, &folder));
        QVERIFY(QDir::setCurrent(cwd));
    }

    // A path the mapping leaves alone gets the trailing "/" that the path registry needs.
    void folderGetsTrailingSlash()
    {
        QString shown, folder;
        const QString path = Config::volumesRoot + QStringLiteral("share/2026/DEMO-1001");
        QVERIFY(OrderPhotoLoad::mapOrderFolder(path, &shown, &folder));
        QCOMPARE(shown, path);
        QCOMPARE(folder, path + QLatin1Char('/'));
    }

    // The readers of the road's replies show nothing themselves: they say what the panel shows.
    void repliesReadAsValues_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QJsonObject>("object");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        using O = BackendReply::Outcome;
        const QJsonObject refused {{"code", "0"}, {"message", "无路径"}};
        QTest::newRow("network error") << int(O::NetworkError) << QJsonObject() << false << "警告"
                                       << "网络请求错误\n404";
        QTest::newRow("not json") << int(O::NotJson) << QJsonObject() << false << "警告"
                                  << "";
        QTest::newRow("not an object") << int(O::NotObject) << QJsonObject() << false << "警告"
                                       << "";
        QTest::newRow("refused") << int(O::Object) << refused << false << "警告"
                                 << "获取订单路径错误：无路径";
        QTest::newRow("code as a number") << int(O::Object) << QJsonObject {{"code", 1}} << false << "警告"
                                          << "获取订单路径错误：";
        QTest::newRow("missing folder") << int(O::Object)
                                        << QJsonObject {{"code", "1"}, {"picpath", "\\\\picserver\\share\\NONE"}}
                                        << false << "温馨提示"
                                        << OrderPhotoLoad::openFailedText(Config::volumesRoot + "picserver/NONE/");
        QTest::newRow("folder") << int(O::Object)
                                << QJsonObject {{"code", "1"}, {"picpath", "//picserver/share/2026/DEMO-1001"}} << true
                                << ""
                                << "";
    }
    void repliesReadAsValues()
    {
        QFETCH(int, outcome);
        QFETCH(QJsonObject, object);
        QFETCH(bool, ok);
        QFETCH(QString, title);
        QFETCH(QString, text);
        PromptRecorder prompts;
        BackendReply reply;
        reply.outcome = BackendReply::Outcome(outcome);
        reply.object = object;
        reply.httpStatus = QStringLiteral("404");

        const OrderPhotoLoad::OrderFolderReply folder = OrderPhotoLoad::readOrderFolderReply(reply);
        QCOMPARE(folder.ok, ok);
        QCOMPARE(folder.errorTitle, title);
        QCOMPARE(folder.errorText, text);
        if (ok)
            QCOMPARE(folder.folder, Config::volumesRoot + "share/2026/DEMO-1001/");

        // The same reply to the other readers: the same verdict, their own refusal prefix.
        const OrderPhotoLoad::PictureInfoReply info = OrderPhotoLoad::readPictureInfoReply(reply);
        const CropRemarkPost::Result crop = CropRemarkPost::readReply(reply);
        const bool refusal = text.startsWith(QStringLiteral("获取订单路径错误："));
        const bool accepted = reply.isSuccess();
        QCOMPARE(info.ok, accepted);
        QCOMPARE(crop.ok, accepted);
        QCOMPARE(info.errorText,
            refusal        ? QString(text).replace("获取订单路径错误：", "查询裁剪信息错误：")
                : accepted ? QString()
                           : text);
        QCOMPARE(crop.errorText,
            refusal        ? QString(text).replace("获取订单路径错误：", "提交裁剪信息错误：")
                : accepted ? QString()
                           : text);
        QCOMPARE(prompts.count(), 0);
    }

    void failureTextShowsThePathAsText()
    {
        QCOMPARE(OrderPhotoLoad::openFailedText(QStringLiteral("/Volumes/a<b>&c/")),
            QStringLiteral(
                "订单路径<font color=\"blue\">/Volumes/a&lt;b&gt;&amp;c/</font>打开失败，请检查路径是否正确！"));
    }

    // The nine folders in their order; missing ones are made, existing ones left alone.
    void thumbnailFolders()
    {
        QTemporaryDir order;
        DirServer::setOrderPath(order.path() + QLatin1Char('/'));
        const QStringList names = {"thumbnail100/", "thumbnail/", "thumbnail2250/", "设计缩略图100/", "设计缩略图/",
            "设计缩略图2250/", "成品缩略图100/", "成品缩略图/", "成品缩略图2250/"};
        QStringList expected;
        for (const QString& name : names)
            expected << order.path() + QLatin1Char('/') + name;
        QCOMPARE(OrderPhotoLoad::thumbnailFolders(), expected);

        QVERIFY(QDir().mkpath(expected.at(7)));
        QFile keep(expected.at(7) + QStringLiteral("a.jpg"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();
        OrderPhotoLoad::createThumbnailFolders();
        for (const QString& folder : expected)
            QVERIFY2(QDir(folder).exists(), qPrintable(folder));
        QVERIFY(keep.exists());
    }

    void existingVideos()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.mp4"), b = dir.filePath("b.mp4");
        QFile f(b);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(OrderPhotoLoad::existingFiles({a, b, "", dir.path()}), QStringList {b});
    }
};

QTEST_MAIN(TestOrderPhotoLoad)
#include "tst_orderphotoload.moc"
