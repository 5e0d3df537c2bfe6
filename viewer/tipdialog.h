#ifndef TIPDIALOG_H
#define TIPDIALOG_H

#include <QDialog>
#include <QString>
#include <QTimer>

class QMovie;
namespace Ui {
class TipDialog;
}

// The animated popup of a delete or move: a picture chosen by Config::delete_style above
// the text `tip`, closing itself `last` milliseconds after startAnima(). The caller writes
// `tip` before creating it and chains the real work to finishTipDailog(), which comes once,
// after the popup has closed. Without startAnima() it stays open and never reports.
class TipDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TipDialog(QWidget* parent = nullptr);
    ~TipDialog() override;

    static QString tip;
    // Set by the styles with an animation and by the refusal text; kept between popups.
    static int last;

    void startAnima();

signals:
    void finishTipDailog();

public slots:
    void onTimer();

private:
    QMovie* movie;
    Ui::TipDialog* form;
    QTimer timer;
};

#endif // TIPDIALOG_H
