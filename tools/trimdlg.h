#ifndef TRIMDLG_H
#define TRIMDLG_H

#include "tools/rcpara.h"

#include <QDialog>
#include <QList>
#include <QModelIndex>

struct BackendReply;
class QShortcut;
namespace Ui {
class TrimDlg;
}

// The crop-size chooser of the photo viewer: the shop's sizes, fetched once when it is
// built, plus those the operator adds; none of the changes goes to the back end. The
// viewer owns one for its whole life and only shows and hides it.
//
// Signals: a click on a row sends SendSelectedrcPara of that size (a double click also
// closes); "取消裁剪" sends SendSelectedrcPara(0, 0, true) and then cancelEditPhoto(), in
// that order, because the first puts the viewer into crop mode and the second removes the
// crop. Row i of the list always shows and sends size i.
class TrimDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TrimDlg(QWidget* parent = nullptr);
    ~TrimDlg() override;

    QList<Rcpara> sizes() const { return rcparas; }

signals:
    void SendSelectedrcPara(int width, int height, bool type);
    void cancelEditPhoto();

public slots:
    void GetrcPara(int width, int height, bool type);

private slots:
    void on_listWidget_clicked(const QModelIndex& index);
    void on_listWidget_doubleClicked(const QModelIndex& index);
    void on_AddButton_clicked();
    void on_DeleteButton_clicked();
    void on_OKSELECTEBUTTON_clicked();
    void on_CANCELBUTTON_clicked();
    void queryCallBack(const BackendReply& reply);

private:
    void getCutSize();
    void ShowAllrcpara();
    void Addrcpara();
    void Deletercpara();
    void sendSize(int row);
    static QString rowText(const Rcpara& size);

    Ui::TrimDlg* ui;
    QList<Rcpara> rcparas;
    QShortcut* returnShortcut;
};

#endif // TRIMDLG_H
