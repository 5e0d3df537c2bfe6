#include "viewer/playspeeddialog.h"
#include "ui_playspeeddialog.h"

#include "core/config.h"

PlaySpeedDialog::PlaySpeedDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::PlaySpeedDialog)
{
    ui->setupUi(this);
    // The range first, so that the label follows the slider from the start.
    ui->horizontalSlider->setMaximum(10000);
    ui->horizontalSlider->setMinimum(300);
    ui->horizontalSlider->setValue(Config::play_speed);
    setWindowFlags(Qt::Dialog);
    setWindowTitle(QStringLiteral("自动播放速度"));
}

PlaySpeedDialog::~PlaySpeedDialog()
{
    delete ui;
}

void PlaySpeedDialog::on_horizontalSlider_valueChanged(int value)
{
    ui->speedLabel->setText(QString::number(value / 1000.0, 'f', 2) + QStringLiteral("s  "));
}

void PlaySpeedDialog::on_pushButton_clicked()
{
    Config::play_speed = ui->horizontalSlider->value();
    close();
}
