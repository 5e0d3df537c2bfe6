#ifndef ADDTRIMDLG_H
#define ADDTRIMDLG_H

#include <QDialog>

namespace Ui {
class AddTrimDlg;
}

// Asks for one more crop size: shape, width and height. Reports it by SendrcPara and
// closes; the chooser that opened it keeps the size for as long as it lives.
class AddTrimDlg : public QDialog
{
    Q_OBJECT
public:
    explicit AddTrimDlg(QWidget* parent = nullptr);
    ~AddTrimDlg() override;

signals:
    void SendrcPara(int width, int height, bool type);

private slots:
    void on_AddrcButton_clicked();
    void on_CancelButton_clicked();

private:
    Ui::AddTrimDlg* ui;
};

#endif // ADDTRIMDLG_H
