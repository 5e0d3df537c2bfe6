#include "exchange/n8selection.h"

#include "widgets/fullscreenloading.h"
#include "core/backendpost.h"
#include "core/config.h"
#include "core/deployment.h"
#include "core/formbody.h"
#include "core/prompt.h"
#include "core/worker.h"
#include "exchange/n8productfile.h"
#include "exchange/n8selectionread.h"

#include <QProcess>
#include <QWidget>

namespace {

const QString kWarning = QStringLiteral("警告");
const QString kReminder = QStringLiteral("提醒");

} // namespace

N8Selection::N8Selection(QWidget* panel, QProcess* process)
    : QObject(panel)
    , m_panel(panel)
    , m_process(process)
{
    // Connected once here: a connection per launch would call the end once per launch so far.
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        [this](int exitCode) { N8finished(exitCode); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            failedToStart();
    });
}

FormBody N8Selection::orderFields()
{
    return FormBody::withToken()
        .add(QStringLiteral("order_photo_id"), Config::order_id)
        .add(QStringLiteral("shopid"), Config::shop_id)
        .add(QStringLiteral("superid"), Config::super_id)
        .add(QStringLiteral("uid"), Config::manager_id);
}

void N8Selection::getN8Info()
{
    BackendPost::post(Config::url_query_n8info, orderFields().toByteArray(), this, &N8Selection::queryN8InfoCallBack);
}

void N8Selection::queryN8InfoCallBack(const BackendReply& reply)
{
    if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        return;
    }
    if (!reply.isObject())
        return;
    if (!reply.isSuccess()) {
        Prompt::information(
            nullptr, kWarning, QStringLiteral("查询选版信息错误：") + reply.message(), QMessageBox::Yes);
        return;
    }
    const QJsonObject object = reply.object;
    Worker::run(
        this, [object] { return N8ProductFile::prepare(object); },
        [this](const N8ProductFile::HandOff& handOff) {
            if (!handOff.isValid()) {
                Prompt::information(nullptr, kWarning,
                    QStringLiteral("N8选版产品文件未能写入，N8ViewGo没有启动：\n") + handOff.error, QMessageBox::Yes);
                return;
            }
            launch(handOff.target);
        });
}

void N8Selection::launch(const QString& target)
{
    const QString waiting = QStringLiteral("等待N8回传数据...");
    // N8ViewGo runs already: its end starts the read-back; the operator sees the wait again.
    if (m_process->state() != QProcess::NotRunning) {
        FullScreenLoading::showCancellable(m_panel, waiting, QStringLiteral("关闭"));
        return;
    }
    const QString program = Deployment::n8ViewGoProgram();
    if (program.isEmpty()) {
        Prompt::information(nullptr, kWarning,
            QStringLiteral("本机没有配置N8ViewGo（PHOTOSELECT_N8VIEWGO），无法启动N8选版"), QMessageBox::Yes);
        return;
    }
    // Up before the start, so that a failed start finds it and takes it down.
    FullScreenLoading::showCancellable(m_panel, waiting, QStringLiteral("关闭"));
    m_process->start(program, {QStringLiteral("n8vg://%1").arg(target)}, QIODevice::ReadWrite);
}

void N8Selection::failedToStart()
{
    if (FullScreenLoading* overlay = FullScreenLoading::getInstance(m_panel))
        overlay->dismiss();
    Prompt::information(nullptr, kWarning,
        QStringLiteral("N8ViewGo启动失败：") + Deployment::n8ViewGoProgram() + QStringLiteral("\n")
            + m_process->errorString(),
        QMessageBox::Yes);
}

void N8Selection::N8finished(int exitCode)
{
    Q_UNUSED(exitCode) // whatever N8ViewGo left is read back, however it ended
    getSynN8Info();
}

bool N8Selection::getSynN8Info()
{
    if (m_isN8Syncing)
        return false;
    m_isN8Syncing = true;
    setOverlayMessage(QStringLiteral("获取N8选版信息..."));
    BackendPost::post(
        Config::url_query_n8info, orderFields().toByteArray(), this, &N8Selection::querySynN8InfoCallBack);
    return true;
}

void N8Selection::setOverlayMessage(const QString& message)
{
    if (FullScreenLoading* overlay = FullScreenLoading::getInstance(m_panel))
        overlay->setMessage(message);
}

void N8Selection::stopSync()
{
    m_isN8Syncing = false;
    if (FullScreenLoading* overlay = FullScreenLoading::getInstance(m_panel))
        overlay->dismiss();
}

void N8Selection::querySynN8InfoCallBack(const BackendReply& reply)
{
    if (reply.isNetworkError()) {
        stopSync();
        BackendPost::showNetworkError(reply, true);
        return;
    }
    setOverlayMessage(QStringLiteral("解析N8选版信息..."));
    if (!reply.isObject()) {
        stopSync();
        Prompt::information(m_panel, kReminder, QStringLiteral("数据格式错误"), QMessageBox::Ok);
        return;
    }
    if (!reply.isSuccess()) {
        stopSync();
        Prompt::information(
            nullptr, kWarning, QStringLiteral("查询选版信息错误：") + reply.message(), QMessageBox::Yes);
        return;
    }
    const N8SelectionRead::Folders folders = N8SelectionRead::orderFolders(reply.object);
    if (!folders.isValid()) {
        stopSync();
        Prompt::information(m_panel, kReminder, folders.error, QMessageBox::Ok);
        return;
    }
    const QString selectedPath = folders.selected;
    const QString plainPath = folders.plain;
    Worker::run(
        this, [selectedPath, plainPath] { return N8SelectionRead::chooseFolder(selectedPath, plainPath); },
        [this](const N8SelectionRead::Folder& folder) {
            if (!folder.isValid()) {
                stopSync();
                Prompt::information(m_panel, kReminder, folder.error, QMessageBox::Ok);
                return;
            }
            settingPath(folder.path);
        });
}

void N8Selection::settingPath(const QString& folder)
{
    Worker::run(
        this, [folder] { return N8SelectionRead::read(folder); },
        [this](const N8SelectionRead::Selection& selection) {
            if (!selection.isValid()) {
                stopSync();
                Prompt::information(m_panel, kReminder, selection.error, QMessageBox::Ok);
                return;
            }
            setOverlayMessage(QStringLiteral("提交N8选版信息..."));
            postSynN8Info(N8SelectionRead::commentsText(selection.comments), selection.photoCount, selection.remark,
                selection.resultText);
        });
}

void N8Selection::postSynN8Info(const QString& comments, int yqnumber, const QString& remark, const QString& resultText)
{
    const QByteArray body = orderFields()
                                .add(QStringLiteral("comments"), comments)
                                .add(QStringLiteral("yqnumber"), yqnumber)
                                .add(QStringLiteral("remark"), remark)
                                .add(QStringLiteral("n8resultdata"), resultText)
                                .toByteArray();
    BackendPost::post(Config::url_query_n8syncgoods, body, this, &N8Selection::querySynN8PostInfoCallBack);
}

void N8Selection::querySynN8PostInfoCallBack(const BackendReply& reply)
{
    stopSync();
    if (reply.isNetworkError()) {
        BackendPost::showNetworkError(reply, true);
        return;
    }
    if (!reply.isObject()) {
        Prompt::information(nullptr, kWarning, QStringLiteral("返回数据格式错误"), QMessageBox::Ok);
        return;
    }
    if (!reply.isSuccess()) {
        Prompt::information(
            nullptr, kWarning, QStringLiteral("查询选版信息错误：") + reply.message(), QMessageBox::Yes);
        return;
    }
    if (Prompt::question(m_panel, QStringLiteral("提示"), QStringLiteral("N8数据成功同步到Velmo系统"), QMessageBox::Yes,
            QMessageBox::Yes)
        == QMessageBox::Yes)
        emit synced();
}
