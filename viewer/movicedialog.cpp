#include "viewer/movicedialog.h"
#include "ui_movicedialog.h"

#include <QPalette>

QString MoviceDialog::tip;
int MoviceDialog::last = 1000;

MoviceDialog::MoviceDialog(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::MoviceDialog)
{
    form->setupUi(this);
    // No window type: with a parent the popup is drawn inside it where its creator puts it.
    setWindowFlags(Qt::FramelessWindowHint);
    QPalette palette = form->label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    form->label->setPalette(palette);
    setStyleSheet(QStringLiteral("background-color:black"));
    form->label->setText(tip);
    connect(&timer, &QTimer::timeout, this, &MoviceDialog::onTimer);
    timer.start(last);
}

MoviceDialog::~MoviceDialog()
{
    delete form;
}

void MoviceDialog::onTimer()
{
    timer.stop();
    close();
    emit finishTipDailog();
}
