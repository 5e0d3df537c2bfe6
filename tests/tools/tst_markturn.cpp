#include "tests/support/failure.h"
#include "tests/support/productpanel.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"
#include "tools/addfrontdlg.h"
#include "tools/markstring.h"
#include "tools/markturn.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString Mark = QStringLiteral("100,50,40,30-1-1-#ff0000-眼睛-提亮");
// Over the whole of any editor's picture label, so that it covers the picture however this
// desktop lays it out.
const QString LabelWideMark = QStringLiteral("0,0,5000,5000-1-1-#ff0000-眼睛-提亮");

// An editor whose picture label is tall: the 300 x 200 photo is painted across it at (0, 250),
// 600 x 400, and turned once it fills the label, 600 x 900 (half as large again).
const QRect TallLabel(0, 0, 600, 900);
const QSize Photo(300, 200);

// The demo order's photo as an editor on a 1600 x 1000 desktop lays it out: painted at
// (0, 181) 626 x 417, turned once at (54, 0) 518 x 778; layouts that share no pixel grid.
const QRect DemoLabel(0, 0, 626, 778);
const QSize DemoPhoto(1200, 800);

QString markAt(const QRect& frame)
{
    return MarkString::toString(frame, 1, 2, QColor("#0000ff"), QStringLiteral("去掉-背景路人"));
}

// The marks after quarter turns one at a time, each saved with the photo as the one before left it.
QStringList turnedOneByOne(QStringList marks, const QRect& area, QSize photo, int turns, int times)
{
    for (int i = 0; i < times; ++i) {
        marks = MarkTurn::turned(marks, area, photo, turns);
        photo.transpose();
    }
    return marks;
}

QJsonObject marksReply(const QJsonArray& marks, const QString& code = QStringLiteral("1"))
{
    return QJsonObject {{"code", code}, {"message", "查询成功"}, {"mark", marks}};
}

} // namespace

// The stored marks of a photo turned after a saved quarter turn: what is not a mark stays as it
// stands, a mark keeps its part on the picture on the same content and one off the picture stays
// off it, through any number of turns; a load or store the back end did not answer as asked
// stores nothing more and says so.
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

    void marksStayOnTheirContent_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<int>("turns");
        QTest::addColumn<QRect>("expected");
        // The picture spans x 0-599, y 250-649 of the label; a frame's part off it is cut away (a
        // string holds no negative number, so nothing can reach off its left edge).
        const struct
        {
            const char* name;
            QRect frame, clockwise, anticlockwise, half;
        } rows[] = {
            {"inside", {120, 350, 60, 40}, {390, 180, 60, 90}, {150, 630, 60, 90}, {420, 510, 60, 40}},
            {"partly above", {200, 220, 80, 60}, {555, 300, 45, 120}, {0, 480, 45, 120}, {320, 620, 80, 30}},
            {"partly below", {300, 620, 100, 60}, {0, 450, 45, 150}, {555, 300, 45, 150}, {200, 250, 100, 30}},
            {"partly right, past the label", {560, 400, 80, 40}, {315, 840, 60, 60}, {225, 0, 60, 60},
                {0, 460, 40, 40}},
            // Off the picture and off the turned one too: where it is.
            {"wholly right, past the label", {860, 240, 180, 320}, {860, 240, 180, 320}, {860, 240, 180, 320},
                {860, 240, 180, 320}},
            // Off the picture, under the turned one (which fills the label): moved the shortest way
            // clear of it, there being no room on the label.
            {"wholly below", {100, 700, 80, 60}, {100, 900, 80, 60}, {100, 900, 80, 60}, {100, 700, 80, 60}},
            {"wholly above", {0, 0, 600, 250}, {600, 0, 600, 250}, {600, 0, 600, 250}, {0, 0, 600, 250}},
        };
        for (const auto& row : rows) {
            QTest::addRow("%s, clockwise", row.name) << row.frame << 1 << row.clockwise;
            QTest::addRow("%s, anticlockwise", row.name) << row.frame << -1 << row.anticlockwise;
            QTest::addRow("%s, half", row.name) << row.frame << 2 << row.half;
        }
    }

    void marksStayOnTheirContent()
    {
        QFETCH(QRect, frame);
        QFETCH(int, turns);
        QFETCH(QRect, expected);
        const QString stored = markAt(frame);
        const QString turned = MarkTurn::turned({stored}, TallLabel, Photo, turns).value(0);
        if (expected == frame) {
            QCOMPARE(turned, stored);
            return;
        }
        const MarkString read = MarkString::parse(turned);
        QVERIFY2(read.isValid(), qPrintable(turned));
        QCOMPARE(read.rect, expected);
        QCOMPARE(read.text, QStringLiteral("去掉-背景路人"));
        QCOMPARE(read.number, 2);
    }

    // Four quarter turns in a row bring every mark back to its part on the picture, exactly where
    // both layouts share pixels and within their rounding where they do not; a mark off the picture
    // rests where it was, or where the first turn moved it clear; further turns move nothing again.
    void fourQuarterTurnsBringEveryMarkBack_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<int>("turns");
        QTest::addColumn<QList<QRect>>("frames");
        QTest::addColumn<QList<QRect>>("back");
        QTest::addColumn<int>("rounding");
        const QList<QRect> tall {{120, 350, 60, 40}, {200, 220, 80, 60}, {300, 620, 100, 60}, {560, 400, 80, 40},
            {100, 700, 80, 60}, {860, 240, 180, 320}};
        const QList<QRect> tallBack {{120, 350, 60, 40}, {200, 250, 80, 30}, {300, 620, 100, 30}, {560, 400, 40, 40},
            {100, 900, 80, 60}, {860, 240, 180, 320}};
        // The demo's marks: on the picture, wholly off it, partly below it; and one above the
        // picture where the turned one lies, moved clear of it to the right.
        const QList<QRect> demo {{412, 188, 96, 64}, {860, 240, 180, 320}, {300, 520, 260, 140}, {20, 10, 100, 100}};
        const QList<QRect> demoBack {
            {412, 188, 96, 64}, {860, 240, 180, 320}, {300, 520, 260, 78}, {572, 10, 100, 100}};
        // Frames of all sizes all over the demo's picture (0, 181) 626 x 417, down to a pixel.
        QList<QRect> spread;
        for (int x = 0; x < 626; x += 23)
            for (int y = 181; y < 598; y += 19)
                spread << QRect(x, y, 1 + (x * 7 + y) % qMin(90, 626 - x), 1 + (x + y * 3) % qMin(70, 598 - y));
        for (int turns : {1, -1}) {
            const char* way = turns == 1 ? "clockwise" : "anticlockwise";
            QTest::addRow("tall label, %s", way) << TallLabel << Photo << turns << tall << tallBack << 0;
            QTest::addRow("demo editor, %s", way) << DemoLabel << DemoPhoto << turns << demo << demoBack << 1;
            QTest::addRow("demo editor, frames all over, %s", way)
                << DemoLabel << DemoPhoto << turns << spread << spread << 1;
        }
    }

    void fourQuarterTurnsBringEveryMarkBack()
    {
        QFETCH(QRect, area);
        QFETCH(QSize, photo);
        QFETCH(int, turns);
        QFETCH(QList<QRect>, frames);
        QFETCH(QList<QRect>, back);
        QFETCH(int, rounding);
        QStringList stored;
        for (const QRect& frame : frames)
            stored << markAt(frame);
        const QStringList four = turnedOneByOne(stored, area, photo, turns, 4);
        QCOMPARE(four.size(), frames.size());
        for (int i = 0; i < frames.size(); ++i) {
            if (back.at(i) == frames.at(i) && rounding == 0) {
                QCOMPARE(four.at(i), stored.at(i));
                continue;
            }
            const QRect frame = MarkString::parse(four.at(i)).rect;
            const QRect expected = back.at(i);
            const QString seen = QStringLiteral("mark %1: %2").arg(i).arg(four.at(i));
            for (int d : {frame.left() - expected.left(), frame.top() - expected.top(),
                     frame.right() - expected.right(), frame.bottom() - expected.bottom()})
                QVERIFY2(qAbs(d) <= rounding, qPrintable(seen));
        }
        // No drift: the rounding is paid once.
        QCOMPARE(turnedOneByOne(four, area, photo, turns, 4), four);
        QCOMPARE(turnedOneByOne(four, area, photo, turns, 12), four);
    }

    void failureStoresNothingAndReportsIt_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<bool>("isStored");
        QTest::addColumn<int>("saves");
        const QJsonObject marks = marksReply({LabelWideMark});
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
            scriptEndpoint(m_backend, "order", "getorderpicmark", Failure::None, marksReply({LabelWideMark}));
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
            QVERIFY(!sent.contains(QStringLiteral("0,0,5000,5000")));
            // Cut to the picture and turned with it, the frame lies within the label.
            const QJsonArray stored = QJsonDocument::fromJson(sent.toUtf8()).array();
            const QRect frame = MarkString::parse(stored.at(0).toString()).rect;
            QVERIFY(addFrontDlg::pictureArea().contains(frame));
        }
    }
};

QTEST_MAIN(TestMarkTurn)
#include "tst_markturn.moc"
