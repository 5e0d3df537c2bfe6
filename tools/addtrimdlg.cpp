#include "tools/addtrimdlg.h"

#include "core/prompt.h"
#include "tools/cutsizelist.h"
#include "ui_addtrimdlg.h"

AddTrimDlg::AddTrimDlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::AddTrimDlg)
{
    ui->setupUi(this);
}

AddTrimDlg::~AddTrimDlg()
{
    delete ui;
}

void AddTrimDlg::on_AddrcButton_clicked()
{
    // A side that is no number > 0 would make the viewer divide by zero: refused like a
    // missing one.
    const int width = CutSizeList::readSide(ui->widthEdit->text());
    const int height = CutSizeList::readSide(ui->heightEdit->text());
    if (width <= 0 || height <= 0) {
        Prompt::information(
            nullptr, QStringLiteral("警告"), QStringLiteral("缺少参数"), QMessageBox::Yes, QMessageBox::Yes);
        return;
    }
    emit SendrcPara(width, height, ui->comboBox->currentIndex() != 0);
    close();
}

void AddTrimDlg::on_CancelButton_clicked()
{
    close();
}
