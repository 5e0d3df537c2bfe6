#include "submit/submitandprint.h"

#include <QLabel>
#include <QVBoxLayout>

SubmitandPrint::SubmitandPrint(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("提交选片结果"));
    auto* layout = new QVBoxLayout(this);
    auto* notice = new QLabel(tr("提交选片结果"), this);
    notice->setAlignment(Qt::AlignCenter);
    layout->addWidget(notice);
}
