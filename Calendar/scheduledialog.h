#ifndef SCHEDULEDIALOG_H
#define SCHEDULEDIALOG_H

#include "Calendar/timeschedule.h"
#include "Calendar/timeschemodel.h"

#include <QDate>
#include <QDialog>
#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QString>

class HttpRequest;
class QLabel;
class QPushButton;
class QTableWidget;
class ScheCalendar;
class ScheduleModel;

// A schedule board: a month calendar with each day's bookings against its capacity and,
// beside it, the periods of the clicked day, for one studio service (urgent production,
// pickup, proof viewing, retouch viewing) given by its month and day endpoints.
//
// 确定 emits selectedScehduleSgnl() with the chosen day and period and leaves closing to the
// receiver; 清除 emits an empty choice and closes. Month and day replies are matched to the
// latest request of their kind; older ones are dropped, so the table and the choice always
// belong to the last clicked day. A period counts as chosen only when it was picked from that
// day's own list. Deletes itself on close. GUI thread only.
class ScheduleDialog : public QDialog
{
    Q_OBJECT
public:
    ScheduleDialog(bool showPeriods, QString monthUrl, QString dayUrl, QString date, QString name, QString id,
        QString title, QWidget* parent = nullptr);

signals:
    void selectedScehduleSgnl(TimeSchedule schedule);

public slots:
    void didBtnAction();
    void cancelBtnAction();
    void dayChangedAction(QDate date);
    void monthChangedAction(int year, int month);
    void replyDaySchedule(QJsonObject reply);
    void replyMonthSchedule(QJsonObject reply);
    void radioSelected(bool checked);
    void refreshTimeSchedule(QList<TimeScheModel> list);

private:
    void initWindow();
    void initTableWgt();
    void initConnect();
    void setSelectTime(const QDate& date, const QString& name, const QString& id);
    void setDefaultTime();
    // The board's day requests go through here, tagged, so that only the latest is applied.
    void applyDayReply(const QJsonObject& reply, const QString& day);

    QString m_monthUrl;
    QString m_dayUrl;
    QString m_title;
    bool m_showPeriods;
    bool m_isFirstLoad = true;
    TimeSchedule m_selection;
    QList<TimeScheModel> m_periods;
    int m_rowCount = 0;
    int m_columnCount = 5;
    QString m_monthStamp;
    int m_monthCounter = 0;
    int m_dayCounter = 0;
    // The day whose periods the table shows, and the day whose list the selection's period
    // was picked from: 确定 needs both to be the selected day.
    QString m_tableDay;
    QString m_periodDay;
    ScheduleModel* m_model;
    QPointer<HttpRequest> m_request;

    ScheCalendar* m_calendar = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_dateLabel = nullptr;
    QPushButton* m_didButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

#endif // SCHEDULEDIALOG_H
