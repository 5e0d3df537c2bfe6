#include "upload/uploadphotolistform.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QPushButton* makeButton(QDialog* dialog, const char* name, const QString& text, int width)
{
    auto* button = new QPushButton(text, dialog);
    button->setObjectName(QLatin1String(name));
    button->setFixedHeight(26);
    button->setFixedWidth(width);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

const char* const kStyle = R"(
QDialog#UploadPhotoListDialog { background: #FFFFFF; font-size: 12px; }
QDialog#UploadPhotoListDialog QLabel#labelSummary { color: #4A5568; font-size: 12px; }
QDialog#UploadPhotoListDialog QLabel#labelProgress { color: #718096; font-size: 12px; }
QDialog#UploadPhotoListDialog QTableWidget { border: 1px solid #E5E7EB; border-radius: 3px; font-size: 12px;
    selection-background-color: #EBF2FF; selection-color: #1F2937; gridline-color: transparent; }
QDialog#UploadPhotoListDialog QHeaderView::section { background: #F7F8FA; border: none; padding-left: 6px;
    font-size: 12px; }
QDialog#UploadPhotoListDialog QPushButton { background: #FFFFFF; border: 1px solid #D1D5DB; border-radius: 3px;
    max-height: 26px; font-size: 12px; padding: 0 8px; }
QDialog#UploadPhotoListDialog QPushButton:hover { background: #F3F4F6; }
QDialog#UploadPhotoListDialog QPushButton#btnStartUpload { background: #3B82F6; border-color: #3B82F6; color: #FFFFFF; }
QDialog#UploadPhotoListDialog QPushButton#btnStartUpload:hover { background: #2563EB; border-color: #2563EB; }
QDialog#UploadPhotoListDialog QPushButton#btnStartUpload:disabled { background: #93C5FD; border-color: #93C5FD; }
QDialog#UploadPhotoListDialog QProgressBar { border: 1px solid #E5E7EB; border-radius: 3px; background: #F7F8FA; }
QDialog#UploadPhotoListDialog QProgressBar::chunk { background: #3B82F6; border-radius: 2px; }
QDialog#UploadPhotoListDialog QScrollBar:vertical { width: 8px; background: transparent; }
QDialog#UploadPhotoListDialog QScrollBar::handle:vertical { background: #D1D5DB; border-radius: 4px; min-height: 24px; }
QDialog#UploadPhotoListDialog QScrollBar::add-line:vertical, QDialog#UploadPhotoListDialog QScrollBar::sub-line:vertical
    { height: 0; }
)";

} // namespace

void Ui_UploadPhotoListDialog::setupUi(QDialog* dialog)
{
    dialog->setObjectName(QStringLiteral("UploadPhotoListDialog"));
    dialog->setStyleSheet(QLatin1String(kStyle));

    mainLayout = new QVBoxLayout(dialog);
    mainLayout->setContentsMargins(12, 10, 12, 10);
    mainLayout->setSpacing(8);

    labelSummary = new QLabel(QStringLiteral("准备加载照片列表..."), dialog);
    labelSummary->setObjectName(QStringLiteral("labelSummary"));
    labelSummary->setWordWrap(true);
    mainLayout->addWidget(labelSummary);

    tableWidget = new QTableWidget(dialog);
    tableWidget->setObjectName(QStringLiteral("tableWidget"));
    tableWidget->setColumnCount(5);
    tableWidget->setHorizontalHeaderLabels({QStringLiteral("预览"), QStringLiteral("文件名"), QStringLiteral("状态"),
        QStringLiteral("进度"), QStringLiteral("操作")});
    QHeaderView* header = tableWidget->horizontalHeader();
    header->setFixedHeight(28);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int column : {2, 3, 4})
        header->setSectionResizeMode(column, QHeaderView::Fixed);
    tableWidget->setColumnWidth(0, 64);
    tableWidget->setColumnWidth(2, 88);
    tableWidget->setColumnWidth(3, 64);
    tableWidget->setColumnWidth(4, 56);
    tableWidget->verticalHeader()->setVisible(false);
    tableWidget->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tableWidget->verticalHeader()->setDefaultSectionSize(56);
    tableWidget->setIconSize(QSize(48, 48));
    tableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableWidget->setShowGrid(false);
    tableWidget->setAlternatingRowColors(true);
    tableWidget->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    tableWidget->setFocusPolicy(Qt::NoFocus);
    tableWidget->setFrameShape(QFrame::NoFrame);
    mainLayout->addWidget(tableWidget);

    progressLayout = new QHBoxLayout;
    progressLayout->setContentsMargins(0, 2, 0, 0);
    progressLayout->setSpacing(8);
    progressBar = new QProgressBar(dialog);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setValue(0);
    progressBar->setFixedHeight(14);
    progressBar->setTextVisible(false);
    labelProgress = new QLabel(QStringLiteral("0/0"), dialog);
    labelProgress->setObjectName(QStringLiteral("labelProgress"));
    labelProgress->setFixedWidth(52);
    progressLayout->addWidget(progressBar);
    progressLayout->addWidget(labelProgress);
    mainLayout->addLayout(progressLayout);

    buttonLayout = new QHBoxLayout;
    buttonLayout->setContentsMargins(0, 2, 0, 0);
    buttonLayout->setSpacing(6);
    btnGenerateThumb = makeButton(dialog, "btnGenerateThumb", QStringLiteral("生成缩略图"), 88);
    btnRetryFailed = makeButton(dialog, "btnRetryFailed", QStringLiteral("重新上传失败项"), 110);
    btnCancel = makeButton(dialog, "btnCancel", QStringLiteral("取消"), 64);
    btnStartUpload = makeButton(dialog, "btnStartUpload", QStringLiteral("开始上传"), 84);
    buttonLayout->addWidget(btnGenerateThumb);
    buttonLayout->addWidget(btnRetryFailed);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(btnCancel);
    buttonLayout->addWidget(btnStartUpload);
    mainLayout->addLayout(buttonLayout);
}
