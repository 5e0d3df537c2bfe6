#include "Calendar/scheduledialog.h"

#include "Calendar/schecalendar.h"
#include "Calendar/schedulemodel.h"
#include "Calendar/schedulereply.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/prompt.h"

#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString dayText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString longDayText(const QDate& date)
{
    return QLocale().toString(date, QLocale::LongFormat);
}

QTableWidgetItem* centredItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

ScheduleDialog::ScheduleDialog(bool showPeriods, QString monthUrl, QString dayUrl, QString date, QString name,
    QString id, QString title, QWidget* parent)
    : QDialog(parent)
    , m_monthUrl(monthUrl)
    , m_dayUrl(dayUrl)
    , m_title(title)
    , m_showPeriods(showPeriods)
    , m_model(new ScheduleModel(this))
{
    qRegisterMetaType<TimeSchedule>("TimeSchedule");
    setWindowTitle(QStringLiteral("选择档期"));
    setAttribute(Qt::WA_DeleteOnClose);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    initWindow();
    initTableWgt();
    initConnect();
    if (m_showPeriods)
        resize(1000, 450);
    else
        resize(500, 400);

    // A preselection is taken only as a real "yyyy-MM-dd" day with its period; anything else
    // opens on today, as if nothing had been chosen.
    const QDate preselected = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    if (!id.isEmpty() && preselected.isValid())
        setSelectTime(preselected, name, id);
    else
        setDefaultTime();
}

void ScheduleDialog::initWindow()
{
    m_calendar = new ScheCalendar(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tableWidget"));
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_dateLabel = new QLabel(longDayText(QDate::currentDate()), this);
    m_dateLabel->setObjectName(QStringLiteral("dateLabel"));
    m_dateLabel->setMinimumHeight(30);
    m_dateLabel->setAlignment(Qt::AlignCenter);
    m_dateLabel->setStyleSheet(QStringLiteral("color: red"));
    QFont font = QApplication::font();
    font.setPixelSize(17);
    m_dateLabel->setFont(font);

    m_didButton = new QPushButton(QStringLiteral("确定"), this);
    m_didButton->setObjectName(QStringLiteral("didBtn"));
    m_cancelButton = new QPushButton(QStringLiteral("清除"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelBtn"));

    auto* periodBox = new QVBoxLayout;
    periodBox->addWidget(m_dateLabel);
    periodBox->addWidget(m_table);
    auto* topBox = new QHBoxLayout;
    topBox->addWidget(m_calendar);
    if (m_showPeriods) {
        topBox->addLayout(periodBox);
    } else {
        // Created and filled all the same, only not shown.
        delete periodBox;
        m_dateLabel->hide();
        m_table->hide();
    }
    auto* buttonBox = new QHBoxLayout;
    buttonBox->addStretch();
    buttonBox->addWidget(m_didButton);
    buttonBox->addWidget(m_cancelButton);
    buttonBox->addStretch();
    auto* mainBox = new QVBoxLayout(this);
    mainBox->addLayout(topBox);
    mainBox->addLayout(buttonBox);
}

void ScheduleDialog::initTableWgt()
{
    m_table->setRowCount(m_rowCount);
    m_table->setColumnCount(m_columnCount);
    m_table->setHorizontalHeaderLabels({QStringLiteral("选择"), QStringLiteral("时间段"), QStringLiteral("时段名称"),
        m_title, QStringLiteral("今日已安排")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, int(40 * Config::scaleDpi));
}

void ScheduleDialog::initConnect()
{
    connect(m_calendar, &QCalendarWidget::clicked, this, &ScheduleDialog::dayChangedAction);
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &ScheduleDialog::monthChangedAction);
    connect(m_didButton, &QPushButton::clicked, this, &ScheduleDialog::didBtnAction);
    connect(m_cancelButton, &QPushButton::clicked, this, &ScheduleDialog::cancelBtnAction);
}

void ScheduleDialog::setSelectTime(const QDate& date, const QString& name, const QString& id)
{
    monthChangedAction(date.year(), date.month());
    dayChangedAction(date);
    // Turning to another month asks for it again; the first month reply is then stale.
    m_calendar->setCurrentPage(date.year(), date.month());
    m_calendar->setSelectedDate(date);
    m_selection.name = name;
    m_selection.id = id;
}

void ScheduleDialog::setDefaultTime()
{
    const QDate today = QDate::currentDate();
    monthChangedAction(today.year(), today.month());
    dayChangedAction(today);
}

void ScheduleDialog::monthChangedAction(int year, int month)
{
    ++m_monthCounter;
    m_monthStamp = QStringLiteral("%1--%2").arg(QDateTime::currentMSecsSinceEpoch()).arg(m_monthCounter);
    m_model->setMonthScheLst({});
    m_calendar->refreshMonthSchedule({});
    const QByteArray body = FormBody()
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
                                .add(QStringLiteral("companyid"), Config::super_id)
                                .add(QStringLiteral("timestamp"), m_monthStamp)
                                .add(QStringLiteral("month"), QStringLiteral("%1-%2").arg(year).arg(month))
                                .toByteArray();
    m_request = HttpRequest::startNetRequest(m_monthUrl, body, false);
    connect(m_request, &HttpRequest::netSuccessInfo, this, &ScheduleDialog::replyMonthSchedule);
}

void ScheduleDialog::replyMonthSchedule(QJsonObject reply)
{
    if (ScheduleReply::monthStamp(reply) != m_monthStamp)
        return; // a later month has been asked for since
    const QList<DayScheModel> days = ScheduleReply::parseMonth(reply);
    m_model->setMonthScheLst(days);
    m_calendar->refreshMonthSchedule(days);
}

void ScheduleDialog::dayChangedAction(QDate date)
{
    m_dateLabel->setText(longDayText(date));
    const QString day = dayText(date);
    m_selection.date = day;
    const QByteArray body = FormBody()
                                .add(QStringLiteral("shopid"), Config::shop_id)
                                .add(QStringLiteral("day"), day)
                                .add(QStringLiteral("order_photo_id"), Config::order_id)
                                .add(QStringLiteral("companyid"), Config::super_id)
                                .add(QStringLiteral("order_sample_infoid"), Config::order_sample_infoid)
                                .toByteArray();
    // The day endpoint echoes nothing: each request is tagged here, and a reply of an
    // earlier click is dropped whenever it arrives.
    const int serial = ++m_dayCounter;
    m_request = HttpRequest::startNetRequest(m_dayUrl, body, false);
    connect(m_request, &HttpRequest::netSuccessInfo, this, [this, serial, day](QJsonObject reply) {
        if (serial == m_dayCounter)
            applyDayReply(reply, day);
    });
}

void ScheduleDialog::replyDaySchedule(QJsonObject reply)
{
    applyDayReply(reply, m_selection.date);
}

void ScheduleDialog::applyDayReply(const QJsonObject& reply, const QString& day)
{
    const QList<TimeScheModel> periods = ScheduleReply::parseDay(reply);
    m_tableDay = day;
    if (periods.isEmpty()) {
        m_rowCount = 0;
        m_table->setRowCount(0);
        m_table->clearContents();
        m_periods.clear();
        return;
    }
    m_model->setTimePeriodLst(periods);
    refreshTimeSchedule(periods);
}

void ScheduleDialog::refreshTimeSchedule(QList<TimeScheModel> list)
{
    m_rowCount = list.size();
    m_table->setRowCount(m_rowCount);
    m_periods = list;
    QList<QRadioButton*> radios;
    for (int row = 0; row < list.size(); ++row) {
        const TimeScheModel& period = list.at(row);
        // One parent for all rows, so that checking one unchecks the others.
        auto* radio = new QRadioButton(m_table);
        radio->setStatusTip(QString::number(row));
        radio->setMinimumWidth(40);
        radio->setStyleSheet(QStringLiteral("margin-left:15px"));
        connect(radio, &QRadioButton::toggled, this, &ScheduleDialog::radioSelected);
        m_table->setCellWidget(row, 0, radio);
        m_table->setItem(row, 1, centredItem(period.levelName));
        m_table->setItem(row, 2, centredItem(period.title));
        m_table->setItem(row, 3, centredItem(QString::number(period.number)));
        m_table->setItem(row, 4, centredItem(QString::number(period.arranged)));
        radios.append(radio);
    }
    if (radios.isEmpty())
        return;

    if (!m_isFirstLoad) {
        m_selection.name.clear();
        m_selection.id.clear();
        radios.first()->click();
    } else if (m_selection.id.isEmpty()) {
        radios.first()->click();
    } else {
        // Reopened on a chosen period: check it again if this day has it.
        for (int row = 0; row < list.size(); ++row) {
            if (list.at(row).id == m_selection.id) {
                radios.at(row)->click();
                break;
            }
        }
        m_isFirstLoad = false;
    }
}

void ScheduleDialog::radioSelected(bool checked)
{
    if (!checked)
        return;
    const auto* radio = qobject_cast<const QRadioButton*>(sender());
    if (!radio)
        return;
    bool isNumber = false;
    const int row = radio->statusTip().toInt(&isNumber);
    if (!isNumber || row < 0 || row >= m_periods.size())
        return;
    m_selection.name = m_periods.at(row).levelName;
    m_selection.id = m_periods.at(row).id;
    m_periodDay = m_tableDay;
}

void ScheduleDialog::didBtnAction()
{
    // A period picked on another day (or kept from one while this day's list has not come)
    // is not a period of the selected day.
    if (m_selection.id.isEmpty() || m_periodDay != m_selection.date) {
        Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("请选择档期时间段"), QMessageBox::Ok);
        return;
    }
    emit selectedScehduleSgnl(m_selection);
}

void ScheduleDialog::cancelBtnAction()
{
    m_selection = TimeSchedule();
    emit selectedScehduleSgnl(m_selection);
    close();
}
