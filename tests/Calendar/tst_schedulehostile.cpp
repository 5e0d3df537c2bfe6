#include "Calendar/schedulemodel.h"
#include "Calendar/scheduledialog.h"
#include "core/config.h"
#include "tests/support/deliveredreplies.h"
#include "tests/support/hostilerows.h"
#include "tests/support/promptrecorder.h"
#include "tests/support/testbackend.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

// Replies of the schedule boards' month and day endpoints that are not what a board expects:
// for every service the board neither crashes nor confirms a period that its table does not
// list for the chosen day.

namespace {

struct Service
{
    const QString* monthUrl;
    const QString* dayUrl;
    const char* monthAction;
    const char* dayAction;
};

const Service Services[] = {
    {&Config::url_query_jiaji_monthSchedule, &Config::url_query_jiaji_daySchedule, "getDateDutyGetPhoto",
        "getDateDutyGetPhotoarea"},
    {&Config::url_query_qujian_monthSchedule, &Config::url_query_qujian_daySchedule, "getDateDutyGetPhotos",
        "getDateDutyGetPhotoarea"},
    {&Config::url_query_kanban_monthSchedule, &Config::url_query_kanban_daySchedule, "get_kanban_month",
        "get_kanban_day"},
    {&Config::url_query_kanjingxiu_monthSchedule, &Config::url_query_kanjingxiu_daySchedule, "get_kanjinxiu_month",
        "get_kanjinxiu_day"},
};

// The month reply echoes the request's stamp, or the board drops it as stale.
const QByteArray Stamp = "@@stamp@@";

QJsonObject monthReply()
{
    const QString month = QDate::currentDate().toString(QStringLiteral("yyyy-MM-"));
    return {{"code", "1"}, {"timestamp", QString::fromLatin1(Stamp)},
        {"android",
            QJsonArray {QJsonObject {{"date", month + "07"}, {"total", 10}, {"num", 3}},
                QJsonObject {{"date", month + "08"}, {"total", 6}, {"num", 6}}}}};
}

QJsonObject dayReply()
{
    const auto period = [](const char* id, const char* name) {
        return QJsonObject {{"id", id}, {"levelName", name}, {"title", "时段"}, {"number", "8"}, {"num", "2"}};
    };
    return {{"code", "1"}, {"levelDuty", QJsonArray {period("11", "09:00-12:00"), period("12", "14:00-18:00")}}};
}

} // namespace

class TestScheduleHostile : public QObject
{
    Q_OBJECT
private:
    TestBackend m_backend;

    // Every service's board with the month and day replies given; each is read, painted, and
    // confirmed on the day it opened with.
    void checkBoards(const QByteArray& monthBody, const QByteArray& dayBody)
    {
        for (const Service& service : Services) {
            m_backend.reset();
            m_backend->setHandler("Getphoto", service.monthAction, [monthBody](const StandInRequest& request) {
                QByteArray body = monthBody;
                return StandInReply::raw(body.replace(Stamp, request.value(QStringLiteral("timestamp")).toUtf8()));
            });
            m_backend->setReply("Getphoto", service.dayAction, StandInReply::raw(dayBody));
            DeliveredReplies delivered;
            PromptRecorder prompts;
            QPointer<ScheduleDialog> board = new ScheduleDialog(true, *service.monthUrl, *service.dayUrl, QString(),
                QString(), QString(), QStringLiteral("最大取件量"), nullptr);
            board->show();
            QVERIFY(delivered.waitFor(2));
            QVERIFY(!board->grab().isNull());

            auto* table = board->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
            const QList<TimeScheModel> periods = board->findChild<ScheduleModel*>()->getTimePeriodLst();
            QCOMPARE(table->rowCount(), periods.size());
            for (int row = 0; row < table->rowCount(); ++row) {
                QVERIFY(qobject_cast<QRadioButton*>(table->cellWidget(row, 0)));
                for (int column = 1; column < 5; ++column)
                    QVERIFY(table->item(row, column));
            }

            QSignalSpy chosen(board.data(), &ScheduleDialog::selectedScehduleSgnl);
            board->didBtnAction();
            if (chosen.isEmpty()) {
                QCOMPARE(prompts.texts(), QStringList {QStringLiteral("请选择档期时间段")});
            } else {
                const TimeSchedule schedule = chosen.first().first().value<TimeSchedule>();
                QCOMPARE(schedule.date, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
                QVERIFY(!schedule.id.isEmpty());
                bool isListed = false;
                for (const TimeScheModel& period : periods)
                    isListed = isListed || (period.id == schedule.id && period.levelName == schedule.name);
                QVERIFY2(isListed, qPrintable(schedule.id));
            }
            delete board.data();
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_backend.isReady());
        qRegisterMetaType<TimeSchedule>();
        Config::shop_id = QStringLiteral("7");
        Config::order_id = QStringLiteral("1001");
        Config::super_id = QStringLiteral("3");
        Config::order_sample_infoid = QStringLiteral("30001");
    }

    void month_data()
    {
        addHostileRows(monthReply(), {"android", "android/0", "android/0/date", "android/0/total", "android/0/num"});
    }
    void month()
    {
        QFETCH(QByteArray, body);
        checkBoards(body, compact(dayReply()));
    }

    void day_data()
    {
        addHostileRows(dayReply(),
            {"levelDuty", "levelDuty/0", "levelDuty/0/id", "levelDuty/0/levelName", "levelDuty/0/number",
                "levelDuty/0/num", "levelDuty/1/id"});
        QTest::newRow("two periods with one id")
            << compact(replaced(dayReply(), {"levelDuty", "1", "id"}, QStringLiteral("11")));
    }
    void day()
    {
        QFETCH(QByteArray, body);
        checkBoards(compact(monthReply()), body);
    }
};

QTEST_MAIN(TestScheduleHostile)
#include "tst_schedulehostile.moc"
