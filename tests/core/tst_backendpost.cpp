#include "core/backendpost.h"
#include "core/config.h"
#include "core/deployment.h"
#include "core/formbody.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QWidget>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(StandInReply)

class TestBackendPost : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

    // Posts to the order query and waits for the one call of the handler.
    QList<BackendReply> postAndWait(QObject* receiver, int timeoutMs = 30000)
    {
        auto replies = std::make_shared<QList<BackendReply>>();
        BackendPost::post(Config::url_query_order, FormBody::withToken().toByteArray(), receiver,
            [replies](const BackendReply& reply) { *replies << reply; });
        (void)QTest::qWaitFor([&] { return !replies->isEmpty(); }, timeoutMs);
        return *replies;
    }

private slots:
    void initTestCase() { QVERIFY(m_backend.isReady()); }

    void init()
    {
        m_backend.reset();
        Deployment::setRequestTimeoutMs(30000);
    }

    void outcomeOfEachReply_data()
    {
        QTest::addColumn<StandInReply>("reply");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("httpStatus");
        QTest::addColumn<QString>("code");

        using O = BackendReply::Outcome;
        QTest::newRow("object") << StandInReply::json(QJsonObject {{"code", "1"}, {"message", "ok"}}) << false
                                << int(O::Object) << "200"
                                << "1";
        QTest::newRow("refusal is still an object")
            << StandInReply::json(QJsonObject {{"code", "0"}}) << false << int(O::Object) << "200"
            << "0";
        QTest::newRow("numeric code reads as no code")
            << StandInReply::json(QJsonObject {{"code", 1}}) << false << int(O::Object) << "200"
            << "";
        QTest::newRow("http 500") << StandInReply::httpStatus(500) << false << int(O::NetworkError) << "500"
                                  << "";
        QTest::newRow("not json") << StandInReply::raw("<html>oops") << false << int(O::NotJson) << "200"
                                  << "";
        QTest::newRow("array") << StandInReply::json(QJsonArray {1, 2}) << false << int(O::NotObject) << "200"
                               << "";
        QTest::newRow("refused") << StandInReply() << true << int(O::NetworkError) << ""
                                 << "";
    }

    void outcomeOfEachReply()
    {
        QFETCH(StandInReply, reply);
        QFETCH(bool, refuse);
        m_backend->setReply("order", "ordermessage", reply);
        m_backend->setRefusing(refuse);
        QObject receiver;
        const QList<BackendReply> replies = postAndWait(&receiver);
        m_backend->setRefusing(false);

        QCOMPARE(replies.size(), 1);
        QTEST(int(replies[0].outcome), "outcome");
        QTEST(replies[0].httpStatus, "httpStatus");
        QTEST(replies[0].code(), "code");
        // The post's manager is released with its reply.
        QTRY_VERIFY_WITH_TIMEOUT(receiver.findChildren<QNetworkAccessManager*>().isEmpty(), 30000);
    }

    void heldReplyTimesOutAsNetworkError()
    {
        m_backend->setReply("order", "ordermessage", StandInReply::json(QJsonObject {{"code", "1"}}).held());
        Deployment::setRequestTimeoutMs(300);
        QObject receiver;
        const QList<BackendReply> replies = postAndWait(&receiver);
        QCOMPARE(replies.size(), 1);
        QVERIFY(replies[0].isNetworkError());
        QVERIFY(replies[0].httpStatus.isEmpty());
        m_backend->releaseHeld();
    }

    void goneReceiverIsNeverCalled_data()
    {
        QTest::addColumn<bool>("widget");
        QTest::newRow("object") << false;
        // A widget deletes its children (the managers) before it stops being a receiver.
        QTest::newRow("widget") << true;
    }

    void goneReceiverIsNeverCalled()
    {
        QFETCH(bool, widget);
        m_backend->setReply("order", "ordermessage", StandInReply::json(QJsonObject {{"code", "1"}}).held());
        bool called = false;
        QObject* receiver = widget ? new QWidget : new QObject;
        BackendPost::post(Config::url_query_order, FormBody::withToken().toByteArray(), receiver,
            [&called](const BackendReply&) { called = true; });
        QVERIFY(m_backend.waitForRequests(1));
        delete receiver;
        m_backend->releaseHeld();
        QTest::qWait(200);
        QVERIFY(!called);
    }

    void droppedPostsAreNeverAnswered()
    {
        m_backend->setReply("order", "ordermessage", StandInReply::json(QJsonObject {{"code", "1"}}).held());
        bool called = false;
        QObject receiver;
        BackendPost::post(Config::url_query_order, FormBody::withToken().toByteArray(), &receiver,
            [&called](const BackendReply&) { called = true; });
        QVERIFY(m_backend.waitForRequests(1));
        BackendPost::dropPending(&receiver);
        QVERIFY(receiver.findChildren<QNetworkAccessManager*>().isEmpty());
        m_backend->releaseHeld();
        QTest::qWait(200);
        QVERIFY(!called);
    }

    // A notice nobody waits for: its bytes go out as given, whatever the answer.
    void noticeIsSentAsGiven()
    {
        PromptRecorder prompts;
        const QByteArray body("&uid=7&imgs_name=a b.jpg,x&1.jpg");
        m_backend->setReply("Ordernew", "del_photo", StandInReply::httpStatus(500));
        BackendPost::send(Config::url_del_design_logpost, body);
        QVERIFY(m_backend.waitForRequests(1));
        QCOMPARE(m_backend->requests().first().endpoint(), QStringLiteral("Ordernew.del_photo"));
        QCOMPARE(m_backend->requests().first().body, body);
        QTest::qWait(200);
        QCOMPARE(prompts.count(), 0);
        QVERIFY(BackendPost::supportedSchemes().contains(QStringLiteral("https")));
    }

    void networkErrorBoxHasTheStatusAndTheWindowsButton()
    {
        PromptRecorder recorder;
        BackendReply reply;
        reply.httpStatus = QStringLiteral("404");
        BackendPost::showNetworkError(reply, true);
        BackendPost::showNetworkError(BackendReply(), false);
        QCOMPARE(recorder.count(), 2);
        QCOMPARE(recorder.calls().at(0).title, QStringLiteral("警告"));
        QCOMPARE(recorder.calls().at(0).text, QStringLiteral("网络请求错误\n404"));
        QCOMPARE(recorder.calls().at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Yes));
        QCOMPARE(recorder.calls().at(1).text, QStringLiteral("网络请求错误\n"));
        QCOMPARE(recorder.calls().at(1).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(TestBackendPost)
#include "tst_backendpost.moc"
