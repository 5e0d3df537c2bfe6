#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tools/markstring.h"
#include "tools/markturn.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString Mark = QStringLiteral("100,50,40,30-1-1-#ff0000-眼睛-提亮");

QJsonObject marksReply(const QJsonArray& marks, const QString& code = QStringLiteral("1"))
{
    return QJsonObject {{"code", code}, {"message", "查询成功"}, {"mark", marks}};
}

} // namespace

// The stored marks of a photo turned after a saved quarter turn: what is not a mark stays as it
// stands, and a load or store the back end did not answer as asked stores nothing more and says so.
class TestMarkTurn : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

    QList<StandInRequest> savePosts() { return m_backend->requestsTo("order", "updateorderpicmark"); }

    // Runs one turn to its end; false when it did not end.
    bool turn(QSignalSpy** finished)
    {
        MarkTurn* turn = new MarkTurn(QStringLiteral("p01.jpg"), 1, QSize(300, 200), this);
        *finished = new QSignalSpy(turn, &MarkTurn::finished);
        turn->start();
        return (*finished)->wait(30000);
    }

private slots:
    void init()
    {
        m_backend.reset();
        useTestOrder();
    }

    void stringsThatAreNoMarkStay()
    {
        const QStringList marks {Mark, QStringLiteral("not a mark"), QStringLiteral("1,2-1-1-#ff0000-x")};
        const QStringList turned = MarkTurn::turned(marks, QRect(0, 0, 600, 400), QSize(300, 200), 1);
        QCOMPARE(turned.size(), 3);
        QCOMPARE(turned.mid(1), marks.mid(1));
        const MarkString read = MarkString::parse(turned.first());
        QVERIFY(read.isValid());
        QCOMPARE(read.text, QStringLiteral("眼睛-提亮"));
        QCOMPARE(read.number, 1);
        QVERIFY(read.rect != MarkString::parse(Mark).rect);
        // Four quarter turns bring the frame back, up to the rounding of each turn.
        QStringList back = turned;
        for (int i = 0; i < 3; ++i)
            back = MarkTurn::turned(back, QRect(0, 0, 600, 400), i % 2 ? QSize(300, 200) : QSize(200, 300), 1);
        const QRect frame = MarkString::parse(back.first()).rect;
        const QRect stored = MarkString::parse(Mark).rect;
        for (int d : {frame.left() - stored.left(), frame.top() - stored.top(), frame.right() - stored.right(),
                 frame.bottom() - stored.bottom()})
            QVERIFY2(qAbs(d) <= 2, qPrintable(MarkString::toString(frame, 1, 1, Qt::red, QString())));
    }

    void failureStoresNothingAndReportsIt_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<bool>("isStored");
        QTest::addColumn<int>("saves");
        const QJsonObject marks = marksReply({Mark});
        QTest::newRow("marks stored") << "getorderpicmark" << Failure::None << marks << true << 1;
        QTest::newRow("no marks on the back end") << "getorderpicmark" << Failure::None << marksReply({}) << true << 0;
        QTest::newRow("load refused connection") << "getorderpicmark" << Failure::Refused << marks << false << 0;
        QTest::newRow("load HTML page") << "getorderpicmark" << Failure::NotJson << marks << false << 0;
        QTest::newRow("load without the list")
            << "getorderpicmark" << Failure::None << QJsonObject {{"code", "0"}} << false << 0;
        QTest::newRow("store refused") << "updateorderpicmark" << Failure::None
                                       << QJsonObject {{"code", "0"}, {"message", "x"}} << false << 1;
        QTest::newRow("store HTML page") << "updateorderpicmark" << Failure::NotJson << QJsonObject() << false << 1;
    }

    void failureStoresNothingAndReportsIt()
    {
        QFETCH(QString, endpoint);
        QFETCH(Failure, failure);
        QFETCH(QJsonObject, answer);
        QFETCH(bool, isStored);
        QFETCH(int, saves);
        if (endpoint != QLatin1String("getorderpicmark"))
            scriptEndpoint(m_backend, "order", "getorderpicmark", Failure::None, marksReply({Mark}));
        scriptEndpoint(m_backend, "order", endpoint, failure, answer);
        PromptRecorder prompts;
        QSignalSpy* finished = nullptr;
        QVERIFY(turn(&finished));
        std::unique_ptr<QSignalSpy> spy(finished);
        QCOMPARE(spy->first().first().toBool(), isStored);
        QCOMPARE(savePosts().size(), saves);
        // The one that started the turn tells the operator, with whatever else of the turn failed.
        QCOMPARE(prompts.count(), 0);
        if (saves == 1) {
            const QString sent = savePosts().first().value("mark");
            QVERIFY(sent.contains(QStringLiteral("眼睛-提亮")));
            QVERIFY(!sent.contains(QStringLiteral("100,50,40,30")));
        }
    }
};

QTEST_MAIN(TestMarkTurn)
#include "tst_markturn.moc"
