#ifndef SELECTFAMILYTYPEDIALOG_H
#define SELECTFAMILYTYPEDIALOG_H

#include <QDialog>

namespace Ui {
class SelectFamilyTypeDialog;
}

// Asks which kind of room the templates should show: 0 bedroom, 1 living room, 2 other.
class SelectFamilyTypeDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SelectFamilyTypeDialog(QWidget* parent = nullptr);
    ~SelectFamilyTypeDialog() override;

signals:
    void sendType(int t);

public slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();

private:
    void choose(int t);

    Ui::SelectFamilyTypeDialog* ui;
};

#endif // SELECTFAMILYTYPEDIALOG_H
