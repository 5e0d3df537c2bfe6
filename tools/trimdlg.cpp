#include "tools/trimdlg.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "tools/addtrimdlg.h"
#include "tools/cutsizelist.h"
#include "ui_trimdlg.h"

#include <QShortcut>

TrimDlg::TrimDlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::TrimDlg)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog);
    returnShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
    returnShortcut->setContext(Qt::WindowShortcut);
    connect(returnShortcut, &QShortcut::activated, this, &TrimDlg::on_OKSELECTEBUTTON_clicked);
    getCutSize();
}

TrimDlg::~TrimDlg()
{
    delete ui;
}

QString TrimDlg::rowText(const Rcpara& size)
{
    return (size.type ? QStringLiteral("圆形：宽") : QStringLiteral("矩形：宽")) + QString::number(size.width)
        + QStringLiteral("/高") + QString::number(size.height);
}

void TrimDlg::getCutSize()
{
    const QByteArray body = FormBody::tokenBody({{"shopid", Config::shop_id}, {"superid", Config::super_id}});
    qCDebug(lcTools).noquote() << "url_query_cutsize=" << Config::url_query_cutsize;
    qCDebug(lcTools).noquote() << "postData=" << FormBody::logText(body);
    BackendPost::post(Config::url_query_cutsize, body, this, &TrimDlg::queryCallBack);
}

void TrimDlg::queryCallBack(const BackendReply& reply)
{
    if (reply.isNetworkError()) {
        qCDebug(lcTools) << "error" << reply.errorString;
        BackendPost::showNetworkError(reply, true);
        return;
    }
    if (!reply.isObject())
        return;
    const CutSizeList list = CutSizeList::fromReply(reply.object);
    if (list.isError) {
        Prompt::information(nullptr, QStringLiteral("警告"), QStringLiteral("查询裁剪信息错误：") + list.error,
            QMessageBox::Yes, QMessageBox::Yes);
        return;
    }
    // Sizes the operator added before the reply stay first; the rows are rebuilt from the list.
    rcparas.append(list.sizes);
    ShowAllrcpara();
}

void TrimDlg::ShowAllrcpara()
{
    ui->listWidget->clear();
    for (const Rcpara& size : qAsConst(rcparas))
        ui->listWidget->addItem(rowText(size));
}

void TrimDlg::Addrcpara()
{
    ui->listWidget->insertItem(rcparas.size() - 1, rowText(rcparas.last()));
}

void TrimDlg::Deletercpara()
{
    const int row = ui->listWidget->currentRow();
    if (row < 0 || row >= rcparas.size())
        return;
    delete ui->listWidget->takeItem(row);
    rcparas.removeAt(row);
}

void TrimDlg::GetrcPara(int width, int height, bool type)
{
    rcparas.append(Rcpara(width, height, type));
    Addrcpara();
}

void TrimDlg::sendSize(int row)
{
    if (row < 0 || row >= rcparas.size())
        return;
    const Rcpara size = rcparas.at(row);
    emit SendSelectedrcPara(size.width, size.height, size.type);
}

void TrimDlg::on_listWidget_clicked(const QModelIndex& index)
{
    sendSize(index.row());
}

void TrimDlg::on_listWidget_doubleClicked(const QModelIndex& index)
{
    if (index.row() < 0 || index.row() >= rcparas.size())
        return;
    sendSize(index.row());
    close();
}

void TrimDlg::on_AddButton_clicked()
{
    AddTrimDlg* dialog = new AddTrimDlg(this);
    connect(dialog, &AddTrimDlg::SendrcPara, this, &TrimDlg::GetrcPara);
    Prompt::exec(dialog);
    delete dialog;
}

void TrimDlg::on_DeleteButton_clicked()
{
    Deletercpara();
}

void TrimDlg::on_OKSELECTEBUTTON_clicked()
{
    close();
}

void TrimDlg::on_CANCELBUTTON_clicked()
{
    emit SendSelectedrcPara(0, 0, true);
    emit cancelEditPhoto();
    close();
}
