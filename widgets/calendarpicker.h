#ifndef CALENDARPICKER_H
#define CALENDARPICKER_H

#include <QDialog>

class QShortcut;
namespace Ui {
class CalendarPicker;
}

// Modal month calendar that hands back the chosen day as "yyyy-MM-dd", or an empty
// string when the day is cleared.
class CalendarPicker : public QDialog
{
    Q_OBJECT
public:
    explicit CalendarPicker(QWidget* parent = nullptr);
    ~CalendarPicker() override;

signals:
    void urgentDate(QString date);

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();

private:
    Ui::CalendarPicker* ui;
    QShortcut* m_returnShortcut;
};

// True when the first "yyyy-MM-dd" day names an earlier day than the second. Parts are
// compared as numbers (2024-3-9 is earlier than 2024-03-10); an empty string is never earlier.
bool isFirstDateEarlier(QString first, QString second);

#endif // CALENDARPICKER_H
