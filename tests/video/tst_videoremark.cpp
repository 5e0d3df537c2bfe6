#include "core/config.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tests/support/windowposts.h"
#include "video/videoremark.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace {

QJsonObject remarkReply(const QJsonValue& remark)
{
    return QJsonObject {{"code", "1"}, {"message", "查询成功"}, {"remark", remark}};
}

const QJsonObject refused {{"code", "0"}, {"message", "订单不存在"}};

} // namespace

class TestVideoRemark : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TestBackend> backend;

    QList<StandInRequest> queries() const { return backend->server().requestsTo("order", "queryvideoremark"); }
    QList<StandInRequest> saves() const { return backend->server().requestsTo("order", "postvideoremark"); }

    // A remark window whose load has been answered.
    QPointer<VideoRemark> openRemark(const QString& name = QStringLiteral("试拍01.mp4"), int type = 1)
    {
        QPointer<VideoRemark> remark = new VideoRemark(nullptr);
        remark->setAttribute(Qt::WA_DeleteOnClose);
        remark->setData(name, type);
        remark->show();
        if (!backend->waitForRequests(1) || !postsAnswered(remark))
            return nullptr;
        return remark;
    }

    static QTextEdit* textEdit(VideoRemark* remark)
    {
        return remark->findChild<QTextEdit*>(QStringLiteral("textEdit"));
    }
    static void pressOk(VideoRemark* remark) { remark->findChild<QPushButton*>(QStringLiteral("pushButton"))->click(); }
    // The window's own boxes stand on their own, with the single button Yes.
    static bool isOwnBox(const PromptCall& call) { return !call.parent && call.buttons == QMessageBox::Yes; }

private slots:
    void initTestCase()
    {
        backend = std::make_unique<TestBackend>();
        QVERIFY(backend->isReady());
        Config::order_id = QStringLiteral("9001");
        Config::shop_id = QStringLiteral("12");
        Config::super_id = QStringLiteral("3");
    }

    void init() { backend->reset(); }

    void queryNamesTheVideo_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::newRow("retouch") << QStringLiteral("clip.mp4") << 2;
        QTest::newRow("hash and ampersand") << QStringLiteral("试拍#1&2.mp4") << 1;
        QTest::newRow("chinese with spaces") << QStringLiteral("婚纱 外景 精修.mp4") << 2;
    }

    void queryNamesTheVideo()
    {
        QFETCH(QString, name);
        QFETCH(int, type);
        PromptRecorder prompts;
        QPointer<VideoRemark> remark = openRemark(name, type);
        QVERIFY(remark);
        QCOMPARE(remark->windowTitle(), QStringLiteral("备注：") + name);
        const StandInRequest query = queries().value(0);
        QCOMPARE(query.keys(), QStringList({"token", "order_photo_id", "shopid", "type", "superid", "videoname"}));
        QCOMPARE(query.value(QStringLiteral("order_photo_id")), QStringLiteral("9001"));
        QCOMPARE(query.value(QStringLiteral("shopid")), QStringLiteral("12"));
        QCOMPARE(query.value(QStringLiteral("superid")), QStringLiteral("3"));
        QCOMPARE(query.value(QStringLiteral("type")), QString::number(type));
        QCOMPARE(query.value(QStringLiteral("videoname")), name);
        QTRY_VERIFY_WITH_TIMEOUT(!textEdit(remark)->toPlainText().isEmpty(), 30000);
        QCOMPARE(prompts.count(), 0);
        delete remark;
    }

    void loadFillsTheText_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("box");
        QTest::newRow("a remark") << remarkReply(QJsonObject {{"content", "开头重拍"}}) << "开头重拍" << QString();
        QTest::newRow("empty remark") << remarkReply(QJsonObject {{"content", ""}}) << QString() << QString();
        QTest::newRow("no remark object") << QJsonObject {{"code", "1"}} << QString() << QString();
        QTest::newRow("content a number") << remarkReply(QJsonObject {{"content", 12}}) << QString() << QString();
        QTest::newRow("remark an array") << remarkReply(QJsonArray {1, 2}) << QString() << QString();
        QTest::newRow("refused") << refused << QString() << QStringLiteral("照片备注获取异常：订单不存在");
    }

    void loadFillsTheText()
    {
        QFETCH(QJsonObject, reply);
        QFETCH(QString, text);
        QFETCH(QString, box);
        PromptRecorder prompts;
        scriptEndpoint(*backend, "order", "queryvideoremark", Failure::None, reply);
        QPointer<VideoRemark> remark = new VideoRemark(nullptr);
        textEdit(remark)->setText(QStringLiteral("旧的"));
        remark->setData(QStringLiteral("clip.mp4"), 1);
        if (box.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(textEdit(remark)->toPlainText(), text, 30000);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(prompts.count(), 1, 30000);
            QVERIFY(prompts.contains(QStringLiteral("警告"), box));
            QVERIFY(isOwnBox(prompts.last()));
        }
        delete remark;
    }

    // A stored remark is text: markup in it is shown as it stands and saved back unchanged.
    void markupInARemarkRoundTrips()
    {
        PromptRecorder prompts;
        const QString stored = QStringLiteral("<b>开头</b>重拍 & 调色 &amp; <i>50%</i>");
        scriptEndpoint(
            *backend, "order", "queryvideoremark", Failure::None, remarkReply(QJsonObject {{"content", stored}}));
        QPointer<VideoRemark> remark = openRemark();
        QVERIFY(remark);
        QTRY_COMPARE_WITH_TIMEOUT(textEdit(remark)->toPlainText(), stored, 30000);
        pressOk(remark);
        QTRY_VERIFY_WITH_TIMEOUT(remark.isNull(), 30000);
        QCOMPARE(saves().value(0).value(QStringLiteral("content")), stored);
    }

    void failedLoadIsReported_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<int>("boxes");
        QTest::newRow("http status") << Failure::HttpStatus << 1;
        QTest::newRow("refused connection") << Failure::Refused << 1;
        QTest::newRow("not json") << Failure::NotJson << 0;
        QTest::newRow("array") << Failure::Array << 0;
    }

    void failedLoadIsReported()
    {
        QFETCH(Failure, failure);
        QFETCH(int, boxes);
        PromptRecorder prompts;
        scriptEndpoint(*backend, "order", "queryvideoremark", failure);
        QPointer<VideoRemark> remark = new VideoRemark(nullptr);
        remark->setData(QStringLiteral("clip.mp4"), 1);
        if (boxes) {
            QTRY_COMPARE_WITH_TIMEOUT(prompts.count(), boxes, 30000);
            QCOMPARE(prompts.last().title, QStringLiteral("警告"));
            QVERIFY(prompts.last().text.startsWith(QStringLiteral("网络请求错误\n")));
            QVERIFY(isOwnBox(prompts.last()));
        } else {
            QVERIFY(backend->waitForRequests(1));
            QVERIFY(postsAnswered(remark));
            QCOMPARE(prompts.count(), 0);
        }
        QVERIFY(textEdit(remark)->toPlainText().isEmpty());
        delete remark;
    }

    void emptyTextIsNotSaved()
    {
        PromptRecorder prompts;
        scriptEndpoint(*backend, "order", "queryvideoremark", Failure::None, remarkReply(QJsonObject()));
        QPointer<VideoRemark> remark = openRemark();
        QVERIFY(remark);
        QTRY_VERIFY_WITH_TIMEOUT(textEdit(remark)->toPlainText().isEmpty(), 30000);
        pressOk(remark);
        QVERIFY(prompts.contains(QStringLiteral("警告"), QStringLiteral("请输入视频备注")));
        QVERIFY(isOwnBox(prompts.last()));
        QTest::qWait(100);
        QVERIFY(saves().isEmpty());
        QVERIFY(remark);
        delete remark;
    }

    void successfulSaveCloses()
    {
        PromptRecorder prompts;
        QPointer<VideoRemark> remark = openRemark(QStringLiteral("精修#01.mp4"), 2);
        QVERIFY(remark);
        const QString text = QStringLiteral("第二段背景音乐换轻一点 & 50% 音量 #2");
        textEdit(remark)->setPlainText(text);
        pressOk(remark);
        QTRY_VERIFY_WITH_TIMEOUT(remark.isNull(), 30000);
        QVERIFY(prompts.contains(QStringLiteral("提醒"), QStringLiteral("备注修改成功")));
        QVERIFY(isOwnBox(prompts.last()));
        const StandInRequest save = saves().value(0);
        QCOMPARE(
            save.keys(), QStringList({"token", "order_photo_id", "shopid", "videoname", "content", "type", "superid"}));
        QCOMPARE(save.value(QStringLiteral("videoname")), QStringLiteral("精修#01.mp4"));
        QCOMPARE(save.value(QStringLiteral("content")), text);
        QCOMPARE(save.value(QStringLiteral("type")), QStringLiteral("2"));
    }

    void refusedSaveKeepsTheWindow_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<QString>("box");
        QTest::newRow("refused") << Failure::None << refused << QStringLiteral("照片备注获取异常：订单不存在");
        QTest::newRow("http status") << Failure::HttpStatus << QJsonObject() << QStringLiteral("网络请求错误\n500");
        QTest::newRow("not json") << Failure::NotJson << QJsonObject() << QString();
    }

    void refusedSaveKeepsTheWindow()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, reply);
        QFETCH(QString, box);
        PromptRecorder prompts;
        QPointer<VideoRemark> remark = openRemark();
        QVERIFY(remark);
        scriptEndpoint(*backend, "order", "postvideoremark", failure, reply);
        textEdit(remark)->setPlainText(QStringLiteral("重拍"));
        pressOk(remark);
        QVERIFY(backend->waitForRequests(2));
        QVERIFY(postsAnswered(remark));
        if (!box.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(prompts.contains(QStringLiteral("警告"), box), 30000);
            QVERIFY(isOwnBox(prompts.last()));
        }
        QVERIFY(remark);
        QCOMPARE(textEdit(remark)->toPlainText(), QStringLiteral("重拍"));
        QVERIFY(!prompts.contains(QStringLiteral("提醒"), QStringLiteral("备注修改成功")));
        delete remark;
    }
};

QTEST_MAIN(TestVideoRemark)
#include "tst_videoremark.moc"
