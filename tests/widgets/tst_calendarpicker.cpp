#include "widgets/calendarpicker.h"
#include "core/deployment.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

class TestCalendarPicker : public QObject
{
    Q_OBJECT
private:
    QWidget m_owner;

    static CalendarPicker* openPicker(QWidget* owner)
    {
        auto* picker = new CalendarPicker(owner);
        picker->setAttribute(Qt::WA_DeleteOnClose);
        picker->setWindowModality(Qt::WindowModal);
        picker->show();
        picker->activateWindow();
        return picker;
    }

private slots:
    void initTestCase() { m_owner.show(); }

    // The picker's month and day names are Chinese like the client's texts, whatever this computer's locale.
    void namesAreChinese()
    {
        Deployment::load();
        CalendarPicker* picker = openPicker(&m_owner);
        auto* calendar = picker->findChild<QCalendarWidget*>();
        calendar->setCurrentPage(2026, 12);
        QCOMPARE(picker->windowTitle(), QStringLiteral("日历"));
        QCOMPARE(calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"))->text(),
            QStringLiteral("十二月"));
        QCOMPARE(calendar->locale().dayName(5, QLocale::LongFormat), QStringLiteral("星期五"));
        picker->close();
    }

    void firstDateEarlier_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("earlier");
        QTest::newRow("day before") << "2024-03-09"
                                    << "2024-03-10" << true;
        QTest::newRow("month decides") << "2024-12-01"
                                       << "2024-02-28" << false;
        QTest::newRow("same day") << "2024-03-10"
                                  << "2024-03-10" << false;
        QTest::newRow("numbers, not text") << "2024-3-9"
                                           << "2024-03-10" << true;
        QTest::newRow("year decides") << "2023-12-31"
                                      << "2024-01-01" << true;
        QTest::newRow("later year") << "2025-01-01"
                                    << "2024-12-31" << false;
        QTest::newRow("first empty") << ""
                                     << "2024-03-10" << false;
        QTest::newRow("second empty") << "2024-03-10"
                                      << "" << false;
        QTest::newRow("short string") << "2024"
                                      << "2024-01-01" << true;
        QTest::newRow("garbage counts as 0") << "abc-1-1"
                                             << "2024-01-01" << true;
    }
    void firstDateEarlier()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, earlier);
        QCOMPARE(isFirstDateEarlier(first, second), earlier);
    }

    void confirmEmitsSelectedDay()
    {
        QPointer<CalendarPicker> picker = openPicker(&m_owner);
        QCOMPARE(picker->windowTitle(), QStringLiteral("日历"));
        QCOMPARE(picker->size(), QSize(375, 243));
        picker->findChild<QCalendarWidget*>(QStringLiteral("calendarWidget"))->setSelectedDate(QDate(2024, 3, 9));
        QSignalSpy spy(picker.data(), &CalendarPicker::urgentDate);
        auto* confirm = picker->findChild<QPushButton*>(QStringLiteral("pushButton"));
        QCOMPARE(confirm->text(), QStringLiteral("确认"));
        confirm->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("2024-03-09"));
        QTRY_VERIFY_WITH_TIMEOUT(picker.isNull(), 30000);
    }

    void returnKeyConfirms()
    {
        QPointer<CalendarPicker> picker = openPicker(&m_owner);
        QVERIFY(QTest::qWaitForWindowActive(picker));
        picker->findChild<QCalendarWidget*>(QStringLiteral("calendarWidget"))->setSelectedDate(QDate(2025, 12, 1));
        QSignalSpy spy(picker.data(), &CalendarPicker::urgentDate);
        QTest::keyClick(picker.data(), Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("2025-12-01"));
        QTRY_VERIFY_WITH_TIMEOUT(picker.isNull(), 30000);
    }

    void clearEmitsEmpty()
    {
        QPointer<CalendarPicker> picker = openPicker(&m_owner);
        QSignalSpy spy(picker.data(), &CalendarPicker::urgentDate);
        auto* clear = picker->findChild<QPushButton*>(QStringLiteral("pushButton_2"));
        QCOMPARE(clear->text(), QStringLiteral("清除"));
        clear->click();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(picker.isNull(), 30000);
    }

    void closeControlEmitsNothing()
    {
        QPointer<CalendarPicker> picker = openPicker(&m_owner);
        QSignalSpy spy(picker.data(), &CalendarPicker::urgentDate);
        picker->close();
        QTRY_VERIFY_WITH_TIMEOUT(picker.isNull(), 30000);
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_MAIN(TestCalendarPicker)
#include "tst_calendarpicker.moc"
