#include "upload/uploadphotolistdialog.h"

#include "core/backendpost.h"
#include "core/config.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "core/worker.h"
#include "photostore/dirserver.h"
#include "photostore/fileoperation.h"
#include "photostore/imagedata.h"
#include "upload/finishedcopy.h"
#include "upload/uploadphotolistform.h"

#include <QColor>
#include <QHeaderView>
#include <QJsonDocument>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVector>

#include <algorithm>

namespace {

const int kPreviewSide = 48;
const int kMaxMissingLines = 20;

QPixmap placeholder(const QColor& fill, const QString& text, const QColor& textColor)
{
    QPixmap pixmap(kPreviewSide, kPreviewSide);
    pixmap.fill(fill);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPointSize(8);
    painter.setFont(font);
    painter.setPen(textColor);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

QTableWidgetItem* centredItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

// One preview asked of a worker: the row, the file, and the sources to try in order.
struct PreviewTask
{
    int row = -1;
    int epoch = 0;
    QString path;
    QStringList sources;
};

struct PreviewResult
{
    int row = -1;
    int epoch = 0;
    bool isMissing = false;
    QImage image;
};

} // namespace

// What the worker found out about a row before its post.
struct UploadPhotoListDialog::Prepared
{
    bool existed = false;           // the file was there
    bool regenerationTried = false; // a missing finished copy was regenerated
    bool regenerated = false;
    bool existsNow = false;
    bool opened = false; // the file could be read
    QByteArray bytes;
};

UploadPhotoListDialog::UploadPhotoListDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_UploadPhotoListDialog)
    , manager(new QNetworkAccessManager(this))
    , currentIndex(-1)
    , uploading(false)
    , cancelRequested(false)
    , autoContinue(false)
    , thumbTimer(new QTimer(this))
    , loadingPixmap(placeholder(QColor(243, 244, 246), QStringLiteral("..."), QColor(156, 163, 175)))
    , missingPixmap(placeholder(QColor(254, 242, 242), QStringLiteral("无"), QColor(220, 38, 38)))
{
    ui->setupUi(this);
    initUi();
    loadImageList();
}

UploadPhotoListDialog::~UploadPhotoListDialog()
{
    cancelRequested = true;
    // The running post is cut off from the dialog and aborted with its manager.
    BackendPost::dropPending(this);
    delete ui;
}

QString UploadPhotoListDialog::statusText(int status)
{
    switch (status) {
    case Pending:
    case Ready:
        return QStringLiteral("待上传");
    case Missing:
        return QStringLiteral("文件不存在");
    case Uploading:
        return QStringLiteral("上传中");
    case Success:
        return QStringLiteral("成功");
    case Failed:
        return QStringLiteral("失败");
    default:
        return QStringLiteral("未知");
    }
}

QColor UploadPhotoListDialog::statusColor(int status)
{
    switch (status) {
    case Missing:
    case Failed:
        return QColor(200, 70, 70);
    case Uploading:
        return QColor(40, 100, 220);
    case Success:
        return QColor(30, 150, 80);
    default:
        return QColor(80, 90, 110);
    }
}

int UploadPhotoListDialog::missingCount() const
{
    return int(std::count_if(items.begin(), items.end(), [](const UploadItem& i) { return i.status == Missing; }));
}

int UploadPhotoListDialog::successCount() const
{
    return int(std::count_if(items.begin(), items.end(), [](const UploadItem& i) { return i.status == Success; }));
}

int UploadPhotoListDialog::failedCount() const
{
    return int(std::count_if(items.begin(), items.end(), [](const UploadItem& i) { return i.status == Failed; }));
}

int UploadPhotoListDialog::readyOrPendingCount() const
{
    return int(std::count_if(items.begin(), items.end(),
        [](const UploadItem& i) { return i.status == Pending || i.status == Ready || i.status == Uploading; }));
}

// ---- The list ----

void UploadPhotoListDialog::initUi()
{
    setWindowTitle(QStringLiteral("上传照片"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(int(820 * Config::scaleDpi), int(560 * Config::scaleDpi));
    thumbTimer->setSingleShot(true);
    thumbTimer->setInterval(40);

    connect(ui->btnStartUpload, &QPushButton::clicked, this, &UploadPhotoListDialog::onStartUploadClicked);
    connect(ui->btnCancel, &QPushButton::clicked, this, &UploadPhotoListDialog::onCancelClicked);
    connect(ui->btnGenerateThumb, &QPushButton::clicked, this, &UploadPhotoListDialog::onGenerateThumbClicked);
    connect(ui->btnRetryFailed, &QPushButton::clicked, this, &UploadPhotoListDialog::onRetryFailedClicked);
    connect(ui->tableWidget, &QTableWidget::cellClicked, this, &UploadPhotoListDialog::onTableCellClicked);
    connect(
        ui->tableWidget->verticalScrollBar(), &QScrollBar::valueChanged, this, &UploadPhotoListDialog::onScrollChanged);
    connect(thumbTimer, &QTimer::timeout, this, &UploadPhotoListDialog::onLoadVisibleThumbs);
}

void UploadPhotoListDialog::showConfirmOnly(const QString& text)
{
    m_isConfirmOnly = true;
    ui->labelSummary->setText(text);
    ui->btnStartUpload->setText(QStringLiteral("确定"));
    ui->btnGenerateThumb->setEnabled(false);
    ui->btnRetryFailed->setEnabled(false);
    ui->progressBar->hide();
    ui->labelProgress->hide();
}

void UploadPhotoListDialog::showUnreadable()
{
    const QString text = QStringLiteral("成品文件夹无法读取，不能上传：请检查后重新打开上传窗口");
    ui->labelSummary->setText(text);
    for (QPushButton* button : {ui->btnStartUpload, ui->btnGenerateThumb, ui->btnRetryFailed})
        button->setEnabled(false);
    ui->progressBar->hide();
    ui->labelProgress->hide();
    // Told once the dialog is up, over it.
    QTimer::singleShot(0, this, [this, text] { Prompt::warning(this, QStringLiteral("提示"), text); });
}

void UploadPhotoListDialog::loadImageList()
{
    items.clear();
    ui->tableWidget->setRowCount(0);
    thumbTimer->stop();
    // A 成品 that is there but cannot be listed is no empty selection: nothing goes up, not even
    // the marks and crops, and the submission does not go on from here.
    if (FileOperation::isUnlisted(DirServer::getFineImagePath())) {
        showUnreadable();
        return;
    }
    if (!FileOperation::isDirExist(DirServer::getFineImagePath())) {
        showConfirmOnly(QStringLiteral("未找到照片存储路径，可直接确定继续提交。"));
        return;
    }
    const QStringList paths = ImageData::getFine100Image();
    const QString marks = DirServer::getMarkerPath();
    const QString crops = DirServer::getClipThumbPath();
    items.reserve(paths.size());
    ui->tableWidget->setRowCount(paths.size());
    ui->tableWidget->setUpdatesEnabled(false);
    for (const QString& path : paths) {
        UploadItem item;
        item.path = path;
        item.fileName = FileOperation::getFileName(path);
        // The folder the picture came from says what it is, not a word somewhere in the path:
        // an order folder named after "marks" must not turn its photos into marks.
        item.kind = path.startsWith(marks) ? UploadBody::Mark
            : path.startsWith(crops)       ? UploadBody::Crop
                                           : UploadBody::Photo;
        item.isMarkOrCrop = item.kind != UploadBody::Photo;
        item.status = FileOperation::isFileExist(path) ? Ready : Missing;
        items.append(item);
        createRowCells(items.size() - 1);
    }
    ui->tableWidget->setUpdatesEnabled(true);
    if (items.isEmpty()) {
        showConfirmOnly(QStringLiteral("订单未选择照片，确定要继续提交吗？"));
        return;
    }
    ui->progressBar->setMaximum(items.size());
    ui->progressBar->setValue(0);
    refreshSummary();
    updateButtons();
    scheduleLoadVisibleThumbs();
}

void UploadPhotoListDialog::createRowCells(int row)
{
    const UploadItem& item = items.at(row);
    const bool isMissing = item.status == Missing;
    auto* preview = new QTableWidgetItem;
    preview->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    preview->setTextAlignment(Qt::AlignCenter);
    preview->setIcon(QIcon(isMissing ? missingPixmap : loadingPixmap));
    ui->tableWidget->setItem(row, 0, preview);

    auto* name = new QTableWidgetItem(item.fileName);
    name->setToolTip(item.path);
    ui->tableWidget->setItem(row, 1, name);

    QTableWidgetItem* status = centredItem(statusText(item.status));
    status->setForeground(statusColor(item.status));
    ui->tableWidget->setItem(row, 2, status);
    ui->tableWidget->setItem(row, 3, centredItem(isMissing ? QStringLiteral("-") : QStringLiteral("0%")));
    QTableWidgetItem* action = centredItem(QString());
    action->setForeground(QColor(47, 107, 255));
    ui->tableWidget->setItem(row, 4, action);
}

void UploadPhotoListDialog::refreshRow(int row)
{
    if (row < 0 || row >= items.size())
        return;
    UploadItem& item = items[row];
    QTableWidget* table = ui->tableWidget;
    if (QTableWidgetItem* status = table->item(row, 2)) {
        status->setText(statusText(item.status));
        status->setForeground(statusColor(item.status));
    }
    if (QTableWidgetItem* progress = table->item(row, 3)) {
        progress->setText(item.status == Missing ? QStringLiteral("-")
                : item.status == Success         ? QStringLiteral("100%")
                                                 : QStringLiteral("%1%").arg(item.progress));
    }
    if (QTableWidgetItem* action = table->item(row, 4))
        action->setText(item.status == Failed && !isRunning() ? QStringLiteral("重传") : QString());
    if (item.status == Missing) {
        if (QTableWidgetItem* preview = table->item(row, 0))
            preview->setIcon(QIcon(missingPixmap));
        item.previewLoaded = true;
    } else if (!item.previewLoaded) {
        loadPreviewForRow(row);
    }
}

void UploadPhotoListDialog::refreshSummary()
{
    int marks = 0;
    int crops = 0;
    for (const UploadItem& item : qAsConst(items)) {
        marks += item.kind == UploadBody::Mark;
        crops += item.kind == UploadBody::Crop;
    }
    const int rows = items.size();
    ui->labelSummary->setText(QStringLiteral(
        "照片总计：%1 张，成品：%2 张，标注：%3 张，裁剪：%4 张 | 待上传：%5，成功：%6，失败：%7，不存在：%8")
                                  .arg(rows)
                                  .arg(rows - marks - crops)
                                  .arg(marks)
                                  .arg(crops)
                                  .arg(readyOrPendingCount())
                                  .arg(successCount())
                                  .arg(failedCount())
                                  .arg(missingCount()));
    ui->labelProgress->setText(QStringLiteral("%1/%2").arg(successCount()).arg(rows));
    ui->progressBar->setMaximum(std::max(1, rows));
    ui->progressBar->setValue(successCount());
}

bool UploadPhotoListDialog::isRunning() const
{
    return uploading || m_isPreparing || m_isGenerating;
}

void UploadPhotoListDialog::updateButtons()
{
    if (m_isConfirmOnly)
        return;
    const bool isBusy = isRunning();
    ui->btnGenerateThumb->setEnabled(!isBusy && missingCount() > 0);
    ui->btnRetryFailed->setEnabled(!isBusy && failedCount() > 0);
    if (m_isGenerating && !uploading) {
        // Regenerating: nothing starts until the copies are written.
        ui->btnStartUpload->setEnabled(false);
        return;
    }
    if (isBusy) {
        ui->btnStartUpload->setText(QStringLiteral("正在上传"));
        ui->btnStartUpload->setEnabled(false);
        ui->btnCancel->setText(QStringLiteral("取消上传"));
        return;
    }
    ui->btnStartUpload->setEnabled(true);
    const int failed = failedCount();
    const int waiting = readyOrPendingCount();
    if (!items.isEmpty() && failed == 0 && waiting == 0) {
        ui->btnStartUpload->setText(QStringLiteral("完成"));
        ui->btnCancel->setText(QStringLiteral("关闭"));
    } else if ((failed > 0 || missingCount() > 0) && waiting == 0 && successCount() < items.size()) {
        ui->btnStartUpload->setText(QStringLiteral("重新上传"));
        ui->btnCancel->setText(QStringLiteral("关闭"));
    } else {
        ui->btnStartUpload->setText(QStringLiteral("开始上传"));
        ui->btnCancel->setText(QStringLiteral("取消"));
    }
}

// ---- Previews ----

void UploadPhotoListDialog::scheduleLoadVisibleThumbs()
{
    if (!items.isEmpty())
        thumbTimer->start();
}

void UploadPhotoListDialog::onScrollChanged(int)
{
    scheduleLoadVisibleThumbs();
}

void UploadPhotoListDialog::onLoadVisibleThumbs()
{
    if (items.isEmpty())
        return;
    QTableWidget* table = ui->tableWidget;
    const int rows = items.size();
    const int h = table->viewport()->height();
    const int upper = table->rowAt(1);
    const int lower = table->rowAt(std::max(1, h - 2));
    int first = 0;
    int last = 0;
    if (upper < 0 && lower < 0) {
        last = std::min(rows - 1, h / std::max(1, table->verticalHeader()->defaultSectionSize()) + 2);
    } else {
        first = upper < 0 ? 0 : upper;
        // No row at the bottom edge: the list ends inside the view, so every row from the first is in view.
        last = lower < 0 ? rows - 1 : std::max(first, lower);
    }
    first = std::max(0, first - 2);
    last = std::min(rows - 1, last + 2);
    QList<int> wanted;
    table->setUpdatesEnabled(false);
    for (int row = first; row <= last; ++row) {
        const UploadItem& item = items.at(row);
        if (item.previewLoaded || m_previewsPending.contains(row))
            continue;
        if (item.status == Missing)
            loadPreviewForRow(row);
        else
            wanted << row;
    }
    table->setUpdatesEnabled(true);
    loadPreviews(wanted);
}

void UploadPhotoListDialog::loadPreviewForRow(int row)
{
    if (row < 0 || row >= items.size() || items.at(row).previewLoaded || m_previewsPending.contains(row))
        return;
    QTableWidgetItem* preview = ui->tableWidget->item(row, 0);
    if (!preview)
        return;
    if (items.at(row).status == Missing) {
        preview->setIcon(QIcon(missingPixmap));
        items[row].previewLoaded = true;
        return;
    }
    loadPreviews({row});
}

void UploadPhotoListDialog::loadPreviews(const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    const QString thumbs100 = DirServer::getFineImageThumbPath100();
    QVector<PreviewTask> tasks;
    for (int row : rows) {
        const UploadItem& item = items.at(row);
        PreviewTask task;
        task.row = row;
        task.epoch = m_previewEpoch.value(row);
        task.path = item.path;
        // A mark or crop shows the small thumbnail of its photo when there is one.
        if (item.isMarkOrCrop)
            task.sources << thumbs100 + item.fileName;
        task.sources << item.path;
        tasks << task;
        m_previewsPending.insert(row);
        if (QTableWidgetItem* preview = ui->tableWidget->item(row, 0))
            preview->setIcon(QIcon(loadingPixmap));
    }
    Worker::run(
        this,
        [tasks] {
            QVector<PreviewResult> results;
            for (const PreviewTask& task : tasks) {
                PreviewResult result;
                result.row = task.row;
                result.epoch = task.epoch;
                result.isMissing = !FileOperation::isFileExist(task.path);
                for (const QString& source : task.sources) {
                    if (result.isMissing)
                        break;
                    bool exists = false;
                    result.image = FinishedCopy::loadPreview(source, kPreviewSide, &exists);
                    if (exists)
                        break;
                }
                results << result;
            }
            return results;
        },
        [this](const QVector<PreviewResult>& results) {
            QList<int> stale;
            ui->tableWidget->setUpdatesEnabled(false);
            for (const PreviewResult& result : results) {
                m_previewsPending.remove(result.row);
                if (result.row >= items.size())
                    continue;
                if (result.epoch != m_previewEpoch.value(result.row)) {
                    stale << result.row; // regenerated meanwhile: read the new copy
                    continue;
                }
                QTableWidgetItem* preview = ui->tableWidget->item(result.row, 0);
                if (!preview)
                    continue;
                const QPixmap pixmap = result.isMissing ? missingPixmap
                    : result.image.isNull()             ? loadingPixmap
                                                        : QPixmap::fromImage(result.image);
                preview->setIcon(QIcon(pixmap));
                items[result.row].previewLoaded = true;
            }
            ui->tableWidget->setUpdatesEnabled(true);
            for (int row : stale)
                loadPreviewForRow(row);
        });
}

// ---- Missing files ----

QString UploadPhotoListDialog::missingMarkOrCropNames() const
{
    QStringList lines;
    for (const UploadItem& item : items)
        if (item.status == Missing && item.isMarkOrCrop)
            lines << QStringLiteral("%1：%2").arg(
                item.kind == UploadBody::Mark ? QStringLiteral("标注") : QStringLiteral("裁剪"), item.fileName);
    QString text = QStringList(lines.mid(0, kMaxMissingLines)).join(QLatin1Char('\n'));
    if (lines.size() > kMaxMissingLines)
        text += QStringLiteral("\n... 等共 %1 张").arg(lines.size());
    return text;
}

void UploadPhotoListDialog::tipMissingMarkOrCrop()
{
    const QString names = missingMarkOrCropNames();
    if (names.isEmpty())
        return;
    Prompt::warning(
        this, QStringLiteral("提示"), QStringLiteral("以下标注/裁剪照片不存在，不会自动生成：\n\n%1").arg(names));
}

void UploadPhotoListDialog::onGenerateThumbClicked()
{
    if (isRunning())
        return;
    tipMissingMarkOrCrop();
    ui->btnGenerateThumb->setEnabled(false);
    ui->labelSummary->setText(QStringLiteral("正在生成缩略图..."));

    QList<int> rows;
    QVector<QPair<QString, QString>> files; // path, file name
    for (int row = 0; row < items.size(); ++row) {
        if (items.at(row).status == Missing && !items.at(row).isMarkOrCrop) {
            rows << row;
            files << qMakePair(items.at(row).path, items.at(row).fileName);
        }
    }
    if (rows.isEmpty()) {
        refreshSummary();
        updateButtons();
        return;
    }
    m_isGenerating = true;
    updateButtons();
    const FinishedCopy::Folders folders = FinishedCopy::Folders::ofOpenOrder();
    Worker::run(
        this,
        [folders, files] {
            QVector<bool> written;
            for (const auto& file : files)
                written << FinishedCopy::regenerate(folders, file.first, file.second);
            return written;
        },
        [this, rows](const QVector<bool>& written) {
            m_isGenerating = false;
            int generated = 0;
            int notFound = 0;
            for (int i = 0; i < rows.size() && i < written.size(); ++i) {
                const int row = rows.at(i);
                if (written.at(i)) {
                    ++generated;
                    items[row].status = Ready;
                    items[row].progress = 0;
                    items[row].previewLoaded = false;
                    ++m_previewEpoch[row];
                } else {
                    ++notFound;
                }
                refreshRow(row);
            }
            refreshSummary();
            updateButtons();
            if (generated == 0 && notFound > 0)
                Prompt::information(this, QStringLiteral("提示"),
                    QStringLiteral("未能生成成品缩略图。请确认原图是否存在于「成品」或「汰片」文件夹。"),
                    QMessageBox::Ok);
            else
                Prompt::information(this, QStringLiteral("提示"),
                    QStringLiteral("已生成 %1 张成品缩略图，仍有 %2 张找不到原图。").arg(generated).arg(notFound),
                    QMessageBox::Ok);
        });
}

// ---- The upload loop ----

int UploadPhotoListDialog::nextUploadIndex(int from) const
{
    for (int row = std::max(0, from); row < items.size(); ++row) {
        const UploadItem& item = items.at(row);
        if (item.status == Ready || item.status == Pending)
            return row;
        if (item.status == Missing && !item.isMarkOrCrop && !item.thumbTried)
            return row;
    }
    return -1;
}

void UploadPhotoListDialog::resetForRetry(int row)
{
    UploadItem& item = items[row];
    item.thumbTried = false;
    item.status = FileOperation::isFileExist(item.path) ? Ready : Missing;
    item.progress = 0;
    refreshRow(row);
}

void UploadPhotoListDialog::resetFailedAndMissing()
{
    for (int row = 0; row < items.size(); ++row)
        if (items.at(row).status == Failed || items.at(row).status == Missing)
            resetForRetry(row);
}

void UploadPhotoListDialog::beginRun(bool overWholeList)
{
    cancelRequested = false;
    uploading = true;
    autoContinue = overWholeList;
    updateButtons();
}

void UploadPhotoListDialog::passOver(int index, UploadStatus status)
{
    items[index].status = status;
    refreshRow(index);
    refreshSummary();
    continueRun();
}

void UploadPhotoListDialog::finishWithSuccess()
{
    emit upLoadSuccess();
    close();
}

void UploadPhotoListDialog::onStartUploadClicked()
{
    const QString text = ui->btnStartUpload->text();
    if (m_isConfirmOnly || text == QStringLiteral("完成")) {
        finishWithSuccess();
        return;
    }
    if (isRunning())
        return;
    if (text == QStringLiteral("重新上传"))
        resetFailedAndMissing();
    const int row = nextUploadIndex(0);
    if (row < 0) {
        if (successCount() == items.size())
            finishWithSuccess();
        else
            Prompt::information(this, QStringLiteral("提示"), QStringLiteral("没有可上传的照片。"), QMessageBox::Ok);
        return;
    }
    tipMissingMarkOrCrop();
    beginRun(true);
    startUploadAt(row);
}

void UploadPhotoListDialog::onRetryFailedClicked()
{
    if (isRunning() || failedCount() == 0)
        return;
    resetFailedAndMissing();
    beginRun(true);
    const int row = nextUploadIndex(0);
    if (row < 0) {
        uploading = false;
        updateButtons();
        return;
    }
    startUploadAt(row);
}

void UploadPhotoListDialog::onTableCellClicked(int row, int column)
{
    if (isRunning() || column != 4 || row < 0 || row >= items.size() || items.at(row).status != Failed)
        return;
    resetForRetry(row);
    beginRun(false);
    startUploadAt(row);
}

void UploadPhotoListDialog::onCancelClicked()
{
    if (!uploading && !m_isPreparing) {
        close();
        return;
    }
    cancelRequested = true;
    if (reply)
        reply->abort();
    uploading = false;
    if (currentIndex >= 0 && currentIndex < items.size() && items.at(currentIndex).status == Uploading)
        items[currentIndex].status = Failed;
    // Failed rows offer "重传" again once nothing runs.
    refreshFailedRows();
    refreshSummary();
    updateButtons();
}

void UploadPhotoListDialog::startUploadAt(int index)
{
    if (cancelRequested || index < 0 || index >= items.size()) {
        uploadNextOrFinish();
        return;
    }
    currentIndex = index;
    ui->tableWidget->scrollToItem(ui->tableWidget->item(index, 1));
    const UploadItem& item = items.at(index);
    if (item.status == Missing && !item.isMarkOrCrop) {
        if (QTableWidgetItem* status = ui->tableWidget->item(index, 2)) {
            status->setText(QStringLiteral("生成缩略图"));
            status->setForeground(QColor(40, 100, 220));
        }
    }
    // Regenerating a missing copy and reading the file happen off the GUI thread.
    m_isPreparing = true;
    const QString path = item.path;
    const QString fileName = item.fileName;
    const bool isMarkOrCrop = item.isMarkOrCrop;
    const FinishedCopy::Folders folders = FinishedCopy::Folders::ofOpenOrder();
    Worker::run(
        this,
        [path, fileName, isMarkOrCrop, folders] {
            Prepared p;
            p.existed = FileOperation::isFileExist(path);
            if (!p.existed && !isMarkOrCrop) {
                p.regenerationTried = true;
                p.regenerated = FinishedCopy::regenerate(folders, path, fileName);
            }
            p.existsNow = p.existed || (p.regenerated && FileOperation::isFileExist(path));
            if (p.existsNow)
                p.opened = FinishedCopy::readFile(path, &p.bytes);
            return p;
        },
        [this, index](const Prepared& prepared) { onPrepared(index, prepared); });
}

void UploadPhotoListDialog::onPrepared(int index, const Prepared& prepared)
{
    m_isPreparing = false;
    UploadItem& item = items[index];
    if (prepared.regenerationTried) {
        item.thumbTried = true;
        if (prepared.regenerated) {
            item.status = Ready;
            item.progress = 0;
            item.thumbTried = false;
            item.previewLoaded = false;
            ++m_previewEpoch[index];
        } else {
            item.status = Missing;
        }
    }
    if (cancelRequested) {
        // Cancelled while the file was prepared: nothing is sent.
        refreshRow(index);
        refreshFailedRows();
        refreshSummary();
        updateButtons();
        return;
    }
    if (prepared.regenerationTried && !prepared.regenerated) {
        passOver(index, Missing);
        return;
    }
    if (!prepared.existed && !prepared.regenerationTried) {
        // A missing mark or crop is passed over: it cannot be made again.
        item.thumbTried = true;
        passOver(index, Missing);
        return;
    }
    if (!prepared.existsNow) {
        passOver(index, Missing);
        return;
    }
    item.status = Uploading;
    item.progress = 0;
    refreshRow(index);
    refreshSummary();
    if (!prepared.opened) {
        passOver(index, Failed);
        return;
    }
    postRow(index, prepared.bytes);
}

void UploadPhotoListDialog::postRow(int index, const QByteArray& fileBytes)
{
    const UploadItem& item = items.at(index);
    const UploadBody body
        = UploadBody::build(item.kind, item.fileName, item.path, fileBytes, UploadBody::orderFields(index));
    if (!body.isValid()) {
        // A line break would end the part's header and let the name write headers of its own.
        qCWarning(lcUpload).noquote() << "upload refused:" << body.error;
        passOver(index, Failed);
        return;
    }
    reply = BackendPost::postOn(
        manager, Config::url_uploadimgurl, body.body, this,
        [this](const BackendReply& result) { slot_requestFinished(result); }, body.contentType);
    connect(reply, &QNetworkReply::errorOccurred, this, &UploadPhotoListDialog::upLoadError);
    connect(reply, &QNetworkReply::uploadProgress, this, &UploadPhotoListDialog::uploadProcess);
}

void UploadPhotoListDialog::uploadProcess(qint64 bytesSent, qint64 bytesTotal)
{
    if (currentIndex < 0 || currentIndex >= items.size() || bytesTotal <= 0)
        return;
    const qint64 percent = std::clamp<qint64>(bytesSent * 100 / bytesTotal, 0, 100);
    items[currentIndex].progress = int(percent);
    if (QTableWidgetItem* progress = ui->tableWidget->item(currentIndex, 3))
        progress->setText(QStringLiteral("%1%").arg(percent));
}

void UploadPhotoListDialog::upLoadError(QNetworkReply::NetworkError code)
{
    qCDebug(lcUpload) << "上传失败===" << code;
    if (currentIndex < 0 || currentIndex >= items.size() || cancelRequested)
        return;
    items[currentIndex].status = Failed;
    refreshRow(currentIndex);
    refreshSummary();
}

void UploadPhotoListDialog::slot_requestFinished(const BackendReply& result)
{
    reply = nullptr;
    const int row = currentIndex;
    if (cancelRequested) {
        uploading = false;
        refreshFailedRows();
        updateButtons();
        return;
    }
    bool isUploaded = result.isObject();
    if (isUploaded) {
        qCDebug(lcUpload).noquote() << "upload obj==" << QJsonDocument(result.object).toJson(QJsonDocument::Compact);
        // An explicit refusal is no upload; a reply without "code" is taken as the file's receipt.
        if (result.object.contains(QLatin1String("code")) && !ReplyCheck::isAccepted(result.object))
            isUploaded = false;
    }
    if (row >= 0 && row < items.size()) {
        UploadItem& item = items[row];
        if (isUploaded) {
            item.status = Success;
            item.progress = 100;
        } else if (item.status != Missing) {
            item.status = Failed;
        }
        refreshRow(row);
        refreshSummary();
    }
    continueRun();
}

void UploadPhotoListDialog::continueRun()
{
    if (autoContinue) {
        const int row = nextUploadIndex(0);
        if (row >= 0) {
            startUploadAt(row);
            return;
        }
    }
    uploadNextOrFinish();
}

void UploadPhotoListDialog::refreshFailedRows()
{
    for (int row = 0; row < items.size(); ++row)
        if (items.at(row).status == Failed)
            refreshRow(row);
}

void UploadPhotoListDialog::uploadNextOrFinish()
{
    uploading = false;
    refreshFailedRows();
    refreshSummary();
    updateButtons();
    if (items.isEmpty())
        return;
    if (failedCount() == 0 && readyOrPendingCount() == 0 && missingCount() == 0) {
        finishWithSuccess();
        return;
    }
    if (autoContinue && readyOrPendingCount() == 0)
        Prompt::information(this, QStringLiteral("提示"),
            QStringLiteral("上传结束：成功 %1，失败 %2，不存在 %3。")
                .arg(successCount())
                .arg(failedCount())
                .arg(missingCount()),
            QMessageBox::Ok);
    autoContinue = false;
}
