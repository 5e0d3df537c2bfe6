#include "Calendar/schecalendar.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>

namespace {

// Space between the text and the cell's right edge.
const int RightMargin = 3;

} // namespace

ScheCalendar::ScheCalendar(QWidget* parent)
    : QCalendarWidget(parent)
{
    setGridVisible(true);
}

void ScheCalendar::refreshMonthSchedule(QList<DayScheModel> list)
{
    if (monthScheLst.isEmpty() && list.isEmpty())
        return;
    monthScheLst = list;
    updateCells();
}

void ScheCalendar::paintCell(QPainter* painter, const QRect& rect, const QDate& date) const
{
    if (date.month() != monthShown() || date.year() != yearShown())
        return;
    // The day numbers are painted whether or not the month's data came: without them a
    // failed month request would leave nothing to click on.
    QCalendarWidget::paintCell(painter, rect, date);
    painter->save();
    painter->setPen(Qt::magenta);
    const QFontMetrics metrics(QApplication::font());
    for (const DayScheModel& day : monthScheLst) {
        if (day.day != date.day())
            continue;
        const QString text = QStringLiteral("%1/%2").arg(day.num).arg(day.total);
        const int width = metrics.horizontalAdvance(text);
        painter->drawText(QRectF(rect.translated(rect.width() - width - RightMargin, 0)), text, QTextOption());
    }
    painter->restore();
}
