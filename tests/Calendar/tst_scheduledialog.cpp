#include "Calendar/schecalendar.h"
#include "Calendar/scheduledialog.h"
#include "Calendar/schedulereply.h"
#include "core/config.h"
#include "core/deployment.h"
#include "core/httprequest.h"
#include "tests/support/deliveredreplies.h"
#include "tests/support/eventwait.h"
#include "tests/support/failure.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QHeaderView>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLocale>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace {

const char* const Module = "Getphoto";
const char* const MonthAction = "getDateDutyGetPhoto";
const char* const DayAction = "getDateDutyGetPhotoarea";

QString dayText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QJsonObject period(const QString& id, const QString& levelName)
{
    return QJsonObject {{"id", id}, {"levelName", levelName}, {"title", "时段" + id}, {"number", "8"}, {"num", "2"}};
}

StandInReply dayReply(const QJsonArray& periods)
{
    return StandInReply::json(QJsonObject {{"code", "1"}, {"levelDuty", periods}});
}

// A month reply echoing the request's stamp, with one booked day.
StandInReply monthReply(const StandInRequest& request, int day, int total, int num)
{
    const QString date = request.value(QStringLiteral("month")) + QStringLiteral("-%1").arg(day);
    return StandInReply::json(QJsonObject {{"code", "1"}, {"timestamp", request.value("timestamp")},
        {"android", QJsonArray {QJsonObject {{"date", date}, {"total", total}, {"num", num}}}}});
}

// Records the texts a painter draws, with the pen and the place of each.
class TextRecorder : public QPaintDevice
{
public:
    struct Text
    {
        QString text;
        QPointF position;
        QColor pen;
    };
    QList<Text> texts;

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return 200;
        case PdmHeight:
            return 100;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder* device)
            : QPaintEngine(QPaintEngine::AllFeatures)
            , m_device(device)
        {
        }
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override { }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override { }
        void drawPath(const QPainterPath&) override { }
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            m_device->texts.append({item.text(), painter()->transform().map(p), painter()->pen().color()});
        }
        Type type() const override { return QPaintEngine::User; }

    private:
        TextRecorder* m_device;
    };
    mutable Engine m_engine {this};
};

class PaintableCalendar : public ScheCalendar
{
public:
    using ScheCalendar::paintCell;
};

} // namespace

class TestScheduleDialog : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;
    DeliveredReplies m_delivered;
    QPointer<ScheduleDialog> m_dialog;

    ScheduleDialog* openBoard(
        const QString& date = QString(), const QString& name = QString(), const QString& id = QString())
    {
        m_dialog = new ScheduleDialog(true, Config::url_query_jiaji_monthSchedule, Config::url_query_jiaji_daySchedule,
            date, name, id, QStringLiteral("最大取件量"), nullptr);
        m_dialog->show();
        return m_dialog;
    }

    bool waitDelivered(int count)
    {
        return waitUntil([&] { return m_delivered.count >= count; });
    }

    QTableWidget* table() { return m_dialog->findChild<QTableWidget*>(QStringLiteral("tableWidget")); }
    ScheCalendar* calendar() { return m_dialog->findChild<ScheCalendar*>(); }

    QRadioButton* radio(int row) { return qobject_cast<QRadioButton*>(table()->cellWidget(row, 0)); }

    void pressDid() { QTest::mouseClick(m_dialog->findChild<QWidget*>(QStringLiteral("didBtn")), Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        Config::shop_id = QStringLiteral("7");
        Config::order_id = QStringLiteral("1001");
        Config::super_id = QStringLiteral("3");
        Config::order_sample_infoid = QStringLiteral("30001");
    }

    void init()
    {
        m_backend.reset();
        m_delivered.count = 0;
    }

    void cleanup()
    {
        delete m_dialog;
        // Replies still on their way are delivered to nobody before the next test.
        m_backend->releaseHeld();
        waitUntil([&] { return m_delivered.count >= m_backend->requests().size(); });
    }

    void monthRequestsAreStampedAndStaleRepliesDropped()
    {
        m_backend->setHandler(Module, MonthAction, [&](const StandInRequest& r) {
            // The first month asked for answers last.
            const bool isFirst = r.value("timestamp").endsWith(QLatin1String("--1"));
            return isFirst ? monthReply(r, 7, 10, 3).held() : monthReply(r, 9, 5, 1);
        });
        openBoard(QStringLiteral("2025-03-07"), QStringLiteral("09:00-12:00"), QStringLiteral("11"));
        QVERIFY(waitUntil([&] { return !calendar()->getMonthScheLst().isEmpty() && m_backend->heldCount() == 1; }));
        m_backend->releaseHeld();
        QVERIFY(waitDelivered(3));

        const QList<StandInRequest> months = m_backend->requestsTo(Module, MonthAction);
        QCOMPARE(months.size(), 2);
        QStringList counters;
        for (const StandInRequest& r : months) {
            QCOMPARE(r.keys(),
                QStringList({"shopid", "order_photo_id", "order_sample_infoid", "companyid", "timestamp", "month"}));
            QCOMPARE(r.value("shopid"), QStringLiteral("7"));
            QCOMPARE(r.value("month"), QStringLiteral("2025-3"));
            const QRegularExpressionMatch stamp
                = QRegularExpression(QStringLiteral("^\\d{13,}--(\\d+)$")).match(r.value("timestamp"));
            QVERIFY(stamp.hasMatch());
            counters << stamp.captured(1);
            QVERIFY(r.target.contains("&token="));
        }
        counters.sort();
        QCOMPARE(counters, QStringList({"1", "2"}));
        const QList<DayScheModel> shown = calendar()->getMonthScheLst();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().day, 9);
        QCOMPARE(calendar()->selectedDate(), QDate(2025, 3, 7));
        QCOMPARE(calendar()->monthShown(), 3);
        QCOMPARE(calendar()->yearShown(), 2025);

        const QList<StandInRequest> days = m_backend->requestsTo(Module, DayAction);
        QCOMPARE(days.size(), 1);
        QCOMPARE(
            days.first().keys(), QStringList({"shopid", "day", "order_photo_id", "companyid", "order_sample_infoid"}));
        QCOMPARE(days.first().value("day"), QStringLiteral("2025-03-07"));
    }

    void lateDayReplyOfAnEarlierClickIsDropped()
    {
        const QDate today = QDate::currentDate();
        const QDate a = today.addDays(1);
        const QDate b = today.addDays(2);
        m_backend->setHandler(Module, DayAction, [&](const StandInRequest& r) {
            const QString day = r.value("day");
            if (day == dayText(a))
                return dayReply({period("A1", "08:00-09:00")}).held();
            if (day == dayText(b))
                return dayReply({period("B1", "10:00-11:00"), period("B2", "15:00-16:00")});
            return dayReply({period("T1", "09:00-12:00")});
        });
        openBoard();
        QVERIFY(waitDelivered(2));
        emit calendar()->clicked(a);
        emit calendar()->clicked(b);
        QVERIFY(waitUntil([&] { return table()->rowCount() == 2 && radio(1); }));
        radio(1)->click();
        QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        m_backend->releaseHeld();
        QVERIFY(waitDelivered(4));

        QCOMPARE(table()->rowCount(), 2);
        QCOMPARE(table()->item(0, 1)->text(), QStringLiteral("10:00-11:00"));
        QSignalSpy chosen(m_dialog.data(), &ScheduleDialog::selectedScehduleSgnl);
        pressDid();
        QCOMPARE(chosen.size(), 1);
        const TimeSchedule s = chosen.first().first().value<TimeSchedule>();
        QCOMPARE(s.date, dayText(b));
        QCOMPARE(s.id, QStringLiteral("B2"));
        QCOMPARE(s.name, QStringLiteral("15:00-16:00"));
    }

    void periodOfAnotherDayIsNotConfirmed_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<bool>("waitForReply");
        QTest::newRow("empty levelDuty") << Failure::None << true;
        QTest::newRow("http error") << Failure::HttpStatus << true;
        QTest::newRow("not json") << Failure::NotJson << true;
        QTest::newRow("reply not come yet") << Failure::Held << false;
    }

    void periodOfAnotherDayIsNotConfirmed()
    {
        QFETCH(Failure, failure);
        QFETCH(bool, waitForReply);
        const QDate other = QDate::currentDate().addDays(3);
        m_backend->setHandler(Module, DayAction, [&](const StandInRequest& r) {
            if (r.value("day") != dayText(other))
                return dayReply({period("T1", "09:00-12:00"), period("T2", "14:00-18:00")});
            switch (failure) {
            case Failure::HttpStatus:
                return StandInReply::httpStatus(500);
            case Failure::NotJson:
                return StandInReply::raw("<html>Bad Gateway</html>");
            case Failure::Held:
                return dayReply({period("T1", "09:00-12:00")}).held();
            default:
                return dayReply({});
            }
        });
        PromptRecorder prompts;
        openBoard();
        QVERIFY(waitUntil([&] { return table()->rowCount() == 2; }));
        QVERIFY(radio(0)->isChecked());

        emit calendar()->clicked(other);
        if (waitForReply)
            QVERIFY(waitDelivered(3));
        else
            QVERIFY(waitUntil([&] { return m_backend->heldCount() == 1; }));
        if (failure == Failure::None) {
            QCOMPARE(table()->rowCount(), 0);
            QCOMPARE(table()->horizontalHeaderItem(3)->text(), QStringLiteral("最大取件量"));
        }
        prompts.clear();
        QSignalSpy chosen(m_dialog.data(), &ScheduleDialog::selectedScehduleSgnl);
        pressDid();
        QCOMPARE(chosen.size(), 0);
        QCOMPARE(prompts.count(), 1);
        QVERIFY(prompts.contains(QStringLiteral("警告"), QStringLiteral("请选择档期时间段")));
    }

    void preselectedDay_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("isTaken");
        QTest::newRow("day and period") << "2025-03-07"
                                        << "12" << true;
        QTest::newRow("no period") << "2025-03-07"
                                   << "" << false;
        QTest::newRow("no day") << ""
                                << "12" << false;
        QTest::newRow("slashes") << "2025/03/07"
                                 << "12" << false;
        QTest::newRow("day first") << "07-03-2025"
                                   << "12" << false;
        QTest::newRow("month only") << "2025-03"
                                    << "12" << false;
        QTest::newRow("no such day") << "2025-13-40"
                                     << "12" << false;
        QTest::newRow("with a time") << "2025-03-07 10:00:00"
                                     << "12" << false;
        QTest::newRow("words") << "a-b-c"
                               << "12" << false;
    }

    void preselectedDay()
    {
        QFETCH(QString, date);
        QFETCH(QString, id);
        QFETCH(bool, isTaken);
        m_backend->setReply(Module, DayAction, dayReply({period("11", "09:00-12:00"), period("12", "14:00-18:00")}));
        openBoard(date, QStringLiteral("14:00-18:00"), id);
        QVERIFY(waitUntil([&] { return table()->rowCount() == 2; }));

        const QDate expected = isTaken ? QDate(2025, 3, 7) : QDate::currentDate();
        QCOMPARE(m_backend->requestsTo(Module, DayAction).first().value("day"), dayText(expected));
        QCOMPARE(calendar()->selectedDate(), expected);
        QCOMPARE(m_dialog->findChild<QLabel*>(QStringLiteral("dateLabel"))->text(),
            QLocale().toString(expected, QLocale::LongFormat));
        // A taken preselection checks its period again; otherwise the first row is checked.
        QCOMPARE(radio(1)->isChecked(), isTaken);
        QCOMPARE(radio(0)->isChecked(), !isTaken);
        QSignalSpy chosen(m_dialog.data(), &ScheduleDialog::selectedScehduleSgnl);
        pressDid();
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().value<TimeSchedule>().id, QString(isTaken ? "12" : "11"));
    }

    // The board speaks Chinese like the rest of the client, whatever this computer's locale: its window title, the
    // month shown and the day above the periods.
    void boardIsChinese()
    {
        Deployment::load();
        openBoard(QStringLiteral("2026-12-18"), QStringLiteral("14:00-18:00"), QStringLiteral("12"));
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("选择档期"));
        QCOMPARE(calendar()->locale().language(), QLocale::Chinese);
        auto* month = calendar()->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        QVERIFY(month);
        QCOMPARE(month->text(), QStringLiteral("十二月"));
        QCOMPARE(
            m_dialog->findChild<QLabel*>(QStringLiteral("dateLabel"))->text(), QStringLiteral("2026年12月18日星期五"));
    }

    void clearEmitsNothingChosenAndCloses()
    {
        openBoard(QStringLiteral("2025-03-07"), QStringLiteral("14:00-18:00"), QStringLiteral("12"));
        QVERIFY(waitDelivered(3));
        QSignalSpy chosen(m_dialog.data(), &ScheduleDialog::selectedScehduleSgnl);
        QTest::mouseClick(m_dialog->findChild<QWidget*>(QStringLiteral("cancelBtn")), Qt::LeftButton);
        QCOMPARE(chosen.size(), 1);
        QVERIFY(chosen.first().first().value<TimeSchedule>().isEmpty());
        QVERIFY(waitUntil([&] { return m_dialog.isNull(); }));
    }

    void standInFixturesFillTheBoard_data()
    {
        QTest::addColumn<QString>("monthUrl");
        QTest::addColumn<QString>("dayUrl");
        QTest::newRow("urgent") << Config::url_query_jiaji_monthSchedule << Config::url_query_jiaji_daySchedule;
        QTest::newRow("pickup") << Config::url_query_qujian_monthSchedule << Config::url_query_qujian_daySchedule;
        QTest::newRow("proof viewing") << Config::url_query_kanban_monthSchedule
                                       << Config::url_query_kanban_daySchedule;
        QTest::newRow("retouch viewing") << Config::url_query_kanjingxiu_monthSchedule
                                         << Config::url_query_kanjingxiu_daySchedule;
    }

    void standInFixturesFillTheBoard()
    {
        QFETCH(QString, monthUrl);
        QFETCH(QString, dayUrl);
        m_dialog = new ScheduleDialog(true, monthUrl, dayUrl, QString(), QString(), QString(), QStringLiteral("容量"));
        // The month reply echoes its stamp, so it is applied. Wait for the board itself: a late
        // reply of the previous row's window may be counted among the delivered ones.
        QVERIFY(waitUntil([&] { return !calendar()->getMonthScheLst().isEmpty(); }));
        QVERIFY(waitUntil([&] { return table()->rowCount() > 0; }));
    }

    void monthReplyReading_data()
    {
        QTest::addColumn<QJsonValue>("total");
        QTest::addColumn<QJsonValue>("num");
        QTest::addColumn<int>("expectedTotal");
        QTest::addColumn<int>("expectedNum");
        QTest::newRow("numbers") << QJsonValue(10) << QJsonValue(3) << 10 << 3;
        QTest::newRow("total as string") << QJsonValue("10") << QJsonValue(3) << 0 << 3;
        QTest::newRow("missing num") << QJsonValue(10) << QJsonValue(QJsonValue::Undefined) << 10 << 0;
        QTest::newRow("huge") << QJsonValue(1e300) << QJsonValue(-1e300) << 0 << 0;
    }

    void monthReplyReading()
    {
        QFETCH(QJsonValue, total);
        QFETCH(QJsonValue, num);
        QJsonObject day {{"date", "2025-03-07"}, {"total", total}};
        if (!num.isUndefined())
            day.insert("num", num);
        const QList<DayScheModel> days = ScheduleReply::parseMonth({{"android", QJsonArray {day, 5}}});
        QCOMPARE(days.size(), 2);
        QCOMPARE(days.first().day, 7);
        QTEST(days.first().total, "expectedTotal");
        QTEST(days.first().num, "expectedNum");
        QCOMPARE(days.last().day, 0);
    }

    void dayReplyReading()
    {
        const QJsonArray periods {
            QJsonObject {{"id", "11"}, {"levelName", "09:00-12:00"}, {"number", "8"}, {"num", "3"}},
            QJsonObject {{"id", 12}, {"number", 8}, {"num", "many"}}};
        const QList<TimeScheModel> list = ScheduleReply::parseDay({{"levelDuty", periods}});
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(0).number, 8);
        QCOMPARE(list.at(0).num, 3);
        QCOMPARE(list.at(0).arranged, 3);
        QCOMPARE(list.at(1).id, QString());
        QCOMPARE(list.at(1).number, 0);
        QCOMPARE(list.at(1).num, 0);
        QVERIFY(ScheduleReply::parseDay({{"levelDuty", "none"}}).isEmpty());
        const TimeScheModel blank;
        QVERIFY(!blank.isChecked && blank.number == 0 && blank.num == 0 && blank.arranged == 0);
    }

    void paintedCell_data()
    {
        QTest::addColumn<bool>("hasData");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("booked day") << true << QDate(2025, 3, 7) << QStringList {"7", "3/10"};
        QTest::newRow("day without data") << true << QDate(2025, 3, 8) << QStringList {"8"};
        QTest::newRow("neighbouring month") << true << QDate(2025, 2, 28) << QStringList();
        QTest::newRow("month request failed") << false << QDate(2025, 3, 7) << QStringList {"7"};
    }

    void paintedCell()
    {
        QFETCH(bool, hasData);
        QFETCH(QDate, date);
        QFETCH(QStringList, texts);
        PaintableCalendar calendar;
        calendar.setCurrentPage(2025, 3);
        if (hasData)
            calendar.refreshMonthSchedule({DayScheModel {7, 10, 3}});
        TextRecorder recorder;
        const QRect cell(20, 10, 90, 40);
        {
            QPainter painter(&recorder);
            calendar.paintCell(&painter, cell, date);
        }
        QStringList drawn;
        for (const TextRecorder::Text& t : qAsConst(recorder.texts))
            drawn << t.text;
        QCOMPARE(drawn, texts);
        for (const TextRecorder::Text& t : qAsConst(recorder.texts)) {
            if (!t.text.contains('/'))
                continue;
            QCOMPARE(t.pen, QColor(Qt::magenta));
            const int width = QFontMetrics(QApplication::font()).horizontalAdvance(t.text);
            QVERIFY2(qAbs(t.position.x() + width - (cell.right() + 1 - 3)) <= 1,
                qPrintable(QString::number(t.position.x())));
            QVERIFY(t.position.y() < cell.center().y());
        }
    }
};

QTEST_MAIN(TestScheduleDialog)
#include "tst_scheduledialog.moc"
