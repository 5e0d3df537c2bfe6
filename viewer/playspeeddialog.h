#ifndef PLAYSPEEDDIALOG_H
#define PLAYSPEEDDIALOG_H

#include <QDialog>

namespace Ui {
class PlaySpeedDialog;
}

// The slide-show speed: a slider from 300 to 10000 ms opened at Config::play_speed. Only
// "确定" stores the value; a show already running keeps its interval until started again.
class PlaySpeedDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PlaySpeedDialog(QWidget* parent = nullptr);
    ~PlaySpeedDialog() override;

private slots:
    void on_horizontalSlider_valueChanged(int value);
    void on_pushButton_clicked();

private:
    Ui::PlaySpeedDialog* ui;
};

#endif // PLAYSPEEDDIALOG_H
