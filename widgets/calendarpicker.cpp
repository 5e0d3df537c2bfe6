#include "widgets/calendarpicker.h"
#include "ui_calendarpicker.h"

#include <QShortcut>

CalendarPicker::CalendarPicker(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::CalendarPicker)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("日历"));
    m_returnShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    m_returnShortcut->setContext(Qt::WindowShortcut);
    connect(m_returnShortcut, &QShortcut::activated, this, &CalendarPicker::on_pushButton_clicked);
}

CalendarPicker::~CalendarPicker()
{
    delete ui;
}

void CalendarPicker::on_pushButton_clicked()
{
    emit urgentDate(ui->calendarWidget->selectedDate().toString(QStringLiteral("yyyy-MM-dd")));
    close();
}

void CalendarPicker::on_pushButton_2_clicked()
{
    emit urgentDate(QString());
    close();
}

bool isFirstDateEarlier(QString first, QString second)
{
    if (first.isEmpty() || second.isEmpty())
        return false;
    const QStringList a = first.split(QLatin1Char('-'));
    const QStringList b = second.split(QLatin1Char('-'));
    // Missing parts count as 0, like parts that are no number.
    for (int i = 0; i < 3; ++i) {
        const int x = a.value(i).toInt(nullptr, 10);
        const int y = b.value(i).toInt(nullptr, 10);
        if (x != y)
            return x < y;
    }
    return false;
}
