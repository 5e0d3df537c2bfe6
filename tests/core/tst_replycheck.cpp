#include "core/backendreply.h"
#include "core/replycheck.h"
#include "tests/support/promptrecorder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// A reply as the request road hands it over: a body that arrived, or a network error.
BackendReply replyOf(const QByteArray& body, const QString& httpStatus)
{
    BackendReply reply;
    reply.httpStatus = httpStatus;
    if (body.isNull())
        return reply; // the default outcome: a network error
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        reply.outcome = BackendReply::Outcome::NotJson;
    else if (!doc.isObject())
        reply.outcome = BackendReply::Outcome::NotObject;
    else {
        reply.outcome = BackendReply::Outcome::Object;
        reply.object = doc.object();
    }
    return reply;
}

} // namespace

class TestReplyCheck : public QObject
{
    Q_OBJECT
private slots:
    // One rule for every reply: accepted only when "code" is the text "1"; the box that
    // otherwise shows, or none for a body that is no object.
    void reply_data()
    {
        QTest::addColumn<QByteArray>("body"); // null: a network error
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("boxText"); // empty: no box
        QTest::newRow("code \"1\"") << QByteArray(R"({"code":"1","message":"好"})") << true << QString();
        QTest::newRow("code 1 as a number")
            << QByteArray(R"({"code":1,"message":"好"})") << false << QStringLiteral("查询错误：好");
        QTest::newRow("code \"0\"") << QByteArray(R"({"code":"0","message":"无此订单"})") << false
                                    << QStringLiteral("查询错误：无此订单");
        QTest::newRow("code \" 1\"") << QByteArray(R"({"code":" 1"})") << false << QStringLiteral("查询错误：");
        QTest::newRow("code missing") << QByteArray(R"({"message":"无"})") << false << QStringLiteral("查询错误：无");
        QTest::newRow("code null") << QByteArray(R"({"code":null})") << false << QStringLiteral("查询错误：");
        QTest::newRow("code true") << QByteArray(R"({"code":true})") << false << QStringLiteral("查询错误：");
        QTest::newRow("message a number")
            << QByteArray(R"({"code":"0","message":7})") << false << QStringLiteral("查询错误：");
        QTest::newRow("array reply") << QByteArray(R"([{"code":"1"}])") << false << QString();
        QTest::newRow("not JSON") << QByteArray("<html>502</html>") << false << QString();
        QTest::newRow("network error") << QByteArray() << false << QStringLiteral("网络请求错误\n404");
    }
    void reply()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, accepted);
        QFETCH(QString, boxText);
        const BackendReply reply = replyOf(body, QStringLiteral("404"));
        QCOMPARE(ReplyCheck::isAccepted(reply), accepted);
        QCOMPARE(reply.isSuccess(), accepted);
        if (reply.isObject())
            QCOMPARE(ReplyCheck::isAccepted(reply.object), accepted);

        PromptRecorder prompts;
        QCOMPARE(ReplyCheck::acceptOrWarn(reply, QStringLiteral("查询错误：")), accepted);
        if (boxText.isEmpty()) {
            QCOMPARE(prompts.count(), 0);
            return;
        }
        QCOMPARE(prompts.count(), 1);
        const PromptCall box = prompts.last();
        QCOMPARE(box.kind, PromptCall::Information);
        QCOMPARE(box.title, QStringLiteral("警告"));
        QCOMPARE(box.text, boxText);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(box.defaultButton, QMessageBox::Yes);

        // An object already parsed reads the same; only its own refusal has a box.
        if (reply.isObject()) {
            prompts.clear();
            QCOMPARE(ReplyCheck::acceptOrWarn(reply.object, QStringLiteral("查询错误：")), accepted);
            QCOMPARE(prompts.texts(), QStringList {boxText});
        }
    }

    // The saves' reading: no reply that is not accepted passes without a word. A body that is no
    // object has the box of a refusal, its prefix followed by the fixed text; the rest reads as above.
    void everyFailureHasItsBox_data()
    {
        QTest::addColumn<QByteArray>("body"); // null: a network error
        QTest::addColumn<QString>("boxText"); // empty: accepted, no box
        const QString unreadable = QStringLiteral("提交错误：服务器的回复无法识别");
        QTest::newRow("accepted") << QByteArray(R"({"code":"1"})") << QString();
        QTest::newRow("code \"0\"") << QByteArray(R"({"code":"0","message":"已锁定"})")
                                    << QStringLiteral("提交错误：已锁定");
        QTest::newRow("HTML page") << QByteArray("<html><body>Bad Gateway</body></html>") << unreadable;
        QTest::newRow("empty body") << QByteArray("") << unreadable;
        QTest::newRow("cut object") << QByteArray("{\"code\":\"1\",\"mess") << unreadable;
        QTest::newRow("empty array") << QByteArray("[]") << unreadable;
        QTest::newRow("network error") << QByteArray() << QStringLiteral("网络请求错误\n404");
    }
    void everyFailureHasItsBox()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, boxText);
        const BackendReply reply = replyOf(body, QStringLiteral("404"));
        QCOMPARE(ReplyCheck::notAcceptedText(reply, QStringLiteral("提交错误：")), boxText);

        PromptRecorder prompts;
        QCOMPARE(ReplyCheck::acceptOrWarnAlways(reply, QStringLiteral("提交错误：")), boxText.isEmpty());
        QCOMPARE(prompts.texts(), boxText.isEmpty() ? QStringList() : QStringList {boxText});
        for (const PromptCall& box : prompts.calls()) {
            QCOMPARE(box.kind, PromptCall::Information);
            QCOMPARE(box.title, QStringLiteral("警告"));
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
            QCOMPARE(box.defaultButton, QMessageBox::Yes);
        }
    }

    // The boxes with one OK button, for the windows that show theirs so.
    void okButton()
    {
        PromptRecorder prompts;
        QVERIFY(!ReplyCheck::acceptOrWarn(replyOf(QByteArray(), QString()), QString(), ReplyCheck::Button::Ok));
        QVERIFY(!ReplyCheck::acceptOrWarn(
            QJsonObject {{"code", "0"}, {"message", "拒绝"}}, QStringLiteral("前缀："), ReplyCheck::Button::Ok));
        QCOMPARE(prompts.texts(), (QStringList {QStringLiteral("网络请求错误\n"), QStringLiteral("前缀：拒绝")}));
        for (const PromptCall& box : prompts.calls()) {
            QCOMPARE(box.title, QStringLiteral("警告"));
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.defaultButton, QMessageBox::NoButton);
        }
    }
};

QTEST_MAIN(TestReplyCheck)
#include "tst_replycheck.moc"
