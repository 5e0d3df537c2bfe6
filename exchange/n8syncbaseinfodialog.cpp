#include "exchange/n8syncbaseinfodialog.h"
#include "ui_n8syncbaseinfodialog.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/formbody.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "exchange/n8thread.h"

namespace {

const QString kNetworkError = QStringLiteral("网络请求错误");
const QString kChoose = QStringLiteral("请点击需要同步的数据类型");

QStringList names(const QJsonValue& array)
{
    QStringList list;
    for (const QJsonValue& value : array.toArray())
        list << value.toString();
    return list;
}

} // namespace

N8SyncBaseInfoDialog::N8SyncBaseInfoDialog(QWidget* parent)
    : QDialog(parent)
    , worker(new N8thread(this, this))
    , ui(new Ui::N8SyncBaseInfoDialog)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("同步员工/产品信息到N8系统"));
    ui->pb_retry->hide();
    ui->pb_cancel->hide();
    ui->progressBar->setMaximum(10);
}

N8SyncBaseInfoDialog::~N8SyncBaseInfoDialog()
{
    worker->stopThread();
    worker->quit();
    worker->wait();
    delete ui;
}

void N8SyncBaseInfoDialog::on_pb_syncpeo_clicked()
{
    kind = 0;
    req_datas();
}

void N8SyncBaseInfoDialog::on_pb_syncpro_clicked()
{
    kind = 1;
    req_datas();
}

void N8SyncBaseInfoDialog::on_pb_retry_clicked()
{
    if (lastError == kNetworkError)
        req_datas();
}

void N8SyncBaseInfoDialog::on_pb_cancel_clicked()
{
    // A list request under way is withdrawn: its reply must not start a write nobody wants.
    BackendPost::dropPending(this);
    replaceWorker();
    busy = false;
    ui->progressBar->setValue(0);
    ui->lb_message->setText(kChoose);
    showIdle();
}

void N8SyncBaseInfoDialog::req_datas()
{
    if (busy)
        return;
    // Nothing to write into: say so at once instead of fetching a list for nobody.
    if (stores.isEmpty()) {
        ui->lb_message->setText(QStringLiteral("没有可以导入N8的门店！"));
        return;
    }
    busy = true;
    ui->progressBar->setValue(0);
    ui->progressBar->setMaximum(stores.size() + 2); // the reply, the built list, one per store
    ui->lb_message->setText(kind == 0 ? QStringLiteral("正在获取员工信息...") : QStringLiteral("正在获取产品信息..."));
    ui->pb_syncpeo->hide();
    ui->pb_syncpro->hide();
    ui->pb_retry->hide();
    ui->pb_cancel->show();

    const QString& url = kind == 0 ? Config::url_shopallpeo : Config::url_shopallpro;
    const QByteArray body = FormBody::withToken()
                                .add(QStringLiteral("shopid"), shopid)
                                .add(QStringLiteral("uid"), Config::uid)
                                .toByteArray();
    qCDebug(lcN8).noquote() << "n8 stores:" << stores.size() << "steps:" << ui->progressBar->maximum() << url;
    BackendPost::post(url, body, this, &N8SyncBaseInfoDialog::query_shopdatas);
}

void N8SyncBaseInfoDialog::requestFailed(const QString& label)
{
    ui->pb_retry->show();
    ui->lb_message->setText(label);
    lastError = kNetworkError;
    busy = false;
}

void N8SyncBaseInfoDialog::query_shopdatas(const BackendReply& reply)
{
    switch (reply.outcome) {
    case BackendReply::Outcome::NetworkError:
        requestFailed(QStringLiteral("网络请求错误！"));
        BackendPost::showNetworkError(reply, true);
        return;
    case BackendReply::Outcome::NotJson:
        requestFailed(QStringLiteral("数据格式错误100！"));
        return;
    case BackendReply::Outcome::NotObject:
        requestFailed(QStringLiteral("数据格式错误101！"));
        return;
    case BackendReply::Outcome::Object:
        break;
    }
    if (!reply.isSuccess()) {
        requestFailed(reply.message());
        Prompt::information(nullptr, QStringLiteral("警告"), reply.message(), QMessageBox::Yes);
        return;
    }
    ui->progressBar->setValue(ui->progressBar->value() + 1);
    replaceWorker();
    worker->mode = QStringLiteral("xml");
    worker->datas = reply.object.value(kind != 0 ? QLatin1String("goods") : QLatin1String("persons")).toArray();
    worker->kind = kind;
    worker->stores = stores;
    worker->start();
}

void N8SyncBaseInfoDialog::slt_threademit(QJsonObject objc)
{
    const QString type = objc.value(QLatin1String("type")).toString();
    if (type == QStringLiteral("数据配置完成")) {
        ui->progressBar->setValue(ui->progressBar->value() + 1);
    } else if (type == QStringLiteral("门店数据导入成功")) {
        ui->progressBar->setValue(ui->progressBar->value() + 1);
        ui->lb_message->setText(objc.value(QLatin1String("msg")).toString());
    } else if (type == QStringLiteral("全部导入成功")) {
        ui->progressBar->setValue(ui->progressBar->maximum());
        ui->lb_message->setText(objc.value(QLatin1String("msg")).toString());
        const QString errors = objc.value(QLatin1String("errormsg")).toString();
        if (!errors.isEmpty())
            Prompt::information(nullptr, QStringLiteral("温馨提示"), errors, QMessageBox::Yes);
        replaceWorker();
        busy = false;
        ui->lb_message->setText(closingText(objc));
        showIdle();
    }
}

QString N8SyncBaseInfoDialog::closingText(const QJsonObject& lastReport) const
{
    // Only the stores whose file was written are named as done.
    const QStringList written = names(lastReport.value(QLatin1String("written")));
    const QStringList failed = names(lastReport.value(QLatin1String("failed")));
    const QString what = kind == 0 ? QStringLiteral("员工") : QStringLiteral("产品");
    if (written.isEmpty() && failed.isEmpty())
        return QStringLiteral("没有可以导入N8的门店！");
    if (written.isEmpty())
        return failed.join(QLatin1Char(',')) + QStringLiteral(" 门店的") + what + QStringLiteral("数据导入N8失败！");
    QString text
        = written.join(QLatin1Char(',')) + QStringLiteral(" 门店的") + what + QStringLiteral("数据导入N8成功！");
    if (!failed.isEmpty())
        text += failed.join(QLatin1Char(',')) + QStringLiteral(" 门店导入失败！");
    return text;
}

void N8SyncBaseInfoDialog::replaceWorker()
{
    worker->stopThread();
    worker->quit();
    worker->wait();
    // Later, not now: the worker's own report may be what is running this.
    worker->deleteLater();
    worker = new N8thread(this, this);
}

void N8SyncBaseInfoDialog::showIdle()
{
    ui->pb_cancel->hide();
    ui->pb_retry->hide();
    ui->pb_syncpeo->show();
    ui->pb_syncpro->show();
}
