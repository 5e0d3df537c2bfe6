#include "viewer/tipdialog.h"
#include "ui_tipdialog.h"

#include "core/config.h"

#include <QMovie>
#include <QPalette>

QString TipDialog::tip;
int TipDialog::last = 1500;

namespace {

// The refusal of a set-aside move is a plain, short notice whatever the style.
const char* const RefusalText = "照片已指定制作，无法移至汰片";

} // namespace

TipDialog::TipDialog(QWidget* parent)
    : QDialog(parent)
    , movie(nullptr)
    , form(new Ui::TipDialog)
{
    form->setupUi(this);
    setWindowFlags(Qt::Dialog);
    setWindowOpacity(0.8);
    QPalette palette = form->label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    form->label->setPalette(palette);
    connect(&timer, &QTimer::timeout, this, &TipDialog::onTimer);
    form->label_gif->setFrameStyle(0);
    form->label_gif->hide();

    QString animation;
    if (Config::delete_style == QLatin1String("1")) {
        animation = QStringLiteral(":/Play/Image/Play/error.gif");
        last = 2000;
    } else if (Config::delete_style == QLatin1String("2")) {
        animation = QStringLiteral(":/Play/Image/Play/cry.gif");
        last = 2000;
    }
    if (tip == QString::fromUtf8(RefusalText)) {
        animation.clear();
        last = 1000;
    }

    movie = new QMovie(animation, QByteArray(), this);
    form->label_gif->setMovie(movie);
    movie->start();
    form->label_gif->show();
    form->label->setText(tip);
}

TipDialog::~TipDialog()
{
    delete form;
}

void TipDialog::startAnima()
{
    timer.start(last);
}

void TipDialog::onTimer()
{
    movie->stop();
    form->label_gif->hide();
    timer.stop();
    close();
    emit finishTipDailog();
}
