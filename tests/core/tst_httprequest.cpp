#include "core/config.h"
#include "core/deployment.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

class TestHttpRequest : public QObject
{
    Q_OBJECT
private:
    struct Outcome
    {
        QList<QJsonObject> successes;
        QStringList errors;
    };

    // Posts and waits until the request object has delivered (or freed itself silently).
    Outcome post(const QString& url, const QByteArray& body)
    {
        Outcome out;
        HttpRequest* request = HttpRequest::startNetRequest(url, body, true);
        QPointer<HttpRequest> guard(request);
        connect(request, &HttpRequest::netSuccessInfo, this, [&out](QJsonObject o) { out.successes << o; });
        connect(request, &HttpRequest::netErrorInfo, this, [&out](QString e) { out.errors << e; });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 30000); }();
        return out;
    }

private slots:
    void initTestCase() { QVERIFY(m_backend.isReady()); }

    void init() { m_backend.reset(); }

    void bodyBuilderEncodesValuesOnceAndKeepsOrder()
    {
        const QString tricky = QStringLiteral("a&b=c+d%20 张三");
        FormBody body = FormBody::withToken();
        body.add("shopid", "7").add("remark", tricky).add("&order_id", "9").addEncoded("pre", "x%2By");
        const QByteArray bytes = body.toByteArray();
        QVERIFY(bytes.startsWith("token=" + Config::token.toUtf8() + "&shopid=7&remark="));
        QVERIFY(!bytes.contains(' '));

        m_backend->setFixture("order", "ordermessage", QJsonObject {{"code", "1"}});
        const Outcome out = post(Config::url_query_order, bytes);
        QCOMPARE(out.successes.size(), 1);
        const StandInRequest r = m_backend->requests().value(0);
        QCOMPARE(r.body, bytes);
        QCOMPARE(r.keys(), (QStringList {"token", "shopid", "remark", "order_id", "pre"}));
        QCOMPARE(r.value("remark"), tricky);
        QCOMPARE(r.value("pre"), QStringLiteral("x+y"));
        QCOMPARE(r.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(r.header("Content-Length").toInt(), bytes.size());
        QCOMPARE(r.method, QByteArray("POST"));
        QCOMPARE(r.endpoint(), QStringLiteral("order.ordermessage"));
        QCOMPARE(r.g, QStringLiteral("RodidodIRi"));
    }

    void logMasksPasswordAndSplitsFields()
    {
        FormBody body;
        body.add("a", "1").add("b", "2");
        QCOMPARE(body.toLogString(), QStringLiteral("a: 1\n b: 2"));
        FormBody login;
        login.add("username", "zhang").add("password", "s3cr&t");
        QVERIFY(!login.toLogString().contains("s3cr"));
        QVERIFY(login.toLogString().contains("password: ***"));
    }

    void repliesReachTheRightSignal_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<int>("successes");
        QTest::addColumn<int>("errors");
        QTest::newRow("code 1") << Failure::None << QJsonObject {{"code", "1"}, {"data", "x"}} << 1 << 0;
        QTest::newRow("code 0 still delivered")
            << Failure::None << QJsonObject {{"code", "0"}, {"message", "no"}} << 1 << 0;
        QTest::newRow("array emits nothing") << Failure::Array << QJsonObject() << 0 << 0;
        QTest::newRow("not json is an error") << Failure::NotJson << QJsonObject() << 0 << 1;
    }

    void repliesReachTheRightSignal()
    {
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(int, successes);
        QFETCH(int, errors);
        PromptRecorder prompts;
        scriptEndpoint(m_backend, "order", "ordermessage", failure, answer);
        const Outcome out = post(Config::url_query_order, "token=x");
        QCOMPARE(out.successes.size(), successes);
        QCOMPARE(out.errors.size(), errors);
        QCOMPARE(prompts.count(), 0);
        if (failure == Failure::NotJson)
            QVERIFY2(!out.errors.first().contains("Unknown error"), qPrintable(out.errors.first()));
    }

    void httpErrorShowsStatusBox()
    {
        PromptRecorder prompts;
        m_backend->setReply("order", "ordermessage", StandInReply::httpStatus(404));
        const Outcome out = post(Config::url_query_order, "token=x");
        QCOMPARE(out.successes.size(), 0);
        QCOMPARE(out.errors.size(), 1);
        QCOMPARE(prompts.count(), 1);
        QCOMPARE(prompts.last().title, QStringLiteral("警告"));
        QCOMPARE(prompts.last().text, QStringLiteral("网络请求错误\n404"));
    }

    void refusedConnectionShowsEmptyStatus()
    {
        PromptRecorder prompts;
        m_backend->setRefusing(true);
        const Outcome out = post(Config::url_query_order, "token=x");
        m_backend->setRefusing(false);
        QCOMPARE(out.errors.size(), 1);
        QCOMPARE(prompts.last().text, QStringLiteral("网络请求错误\n"));
    }

    void untrustedCertificateFails()
    {
        PromptRecorder prompts;
        Deployment::clearExtraCaCertificates();
        const Outcome out = post(Config::url_query_order, "token=x");
        Deployment::addCaCertificates(m_backend.certificatePath());
        QCOMPARE(out.successes.size(), 0);
        QCOMPARE(out.errors.size(), 1);
        QCOMPARE(prompts.count(), 1);
        QVERIFY(m_backend->requests().isEmpty());
    }

    void heldReplyArrivesAfterRelease()
    {
        scriptEndpoint(m_backend, "order", "ordermessage", Failure::Held, QJsonObject {{"code", "1"}});
        bool delivered = false;
        HttpRequest* request = HttpRequest::startNetRequest(Config::url_query_order, "token=x", false);
        connect(request, &HttpRequest::netSuccessInfo, this, [&delivered] { delivered = true; });
        QTRY_COMPARE_WITH_TIMEOUT(m_backend->heldCount(), 1, 30000);
        QTest::qWait(50);
        QVERIFY(!delivered);
        m_backend->releaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(delivered, 30000);
    }

private:
    TestBackend m_backend;
};

QTEST_MAIN(TestHttpRequest)
#include "tst_httprequest.moc"
