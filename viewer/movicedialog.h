#ifndef MOVICEDIALOG_H
#define MOVICEDIALOG_H

#include <QDialog>
#include <QString>
#include <QTimer>

namespace Ui {
class MoviceDialog;
}

// A black strip with white text that closes itself after `last` milliseconds, counted
// from its construction. The caller writes `tip` before creating it and chains the real
// work to finishTipDailog(), which comes once, after the popup has closed.
class MoviceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit MoviceDialog(QWidget* parent = nullptr);
    ~MoviceDialog() override;

    static QString tip;
    static int last;

signals:
    void finishTipDailog();

public slots:
    void onTimer();

private:
    Ui::MoviceDialog* form;
    QTimer timer;
};

#endif // MOVICEDIALOG_H
