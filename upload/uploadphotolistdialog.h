#ifndef UPLOADPHOTOLISTDIALOG_H
#define UPLOADPHOTOLISTDIALOG_H

#include "upload/uploadbody.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QNetworkReply>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QString>

class QColor;
class QNetworkAccessManager;
class QTimer;
class Ui_UploadPhotoListDialog;
struct BackendReply;

// The list through which, before an order's first submission, the finished copies of the
// selection and the order's marks and crops go to the cloud, one file per multipart post and one
// post at a time, with each row's state and percentage, regeneration of missing finished copies,
// cancel and retry. upLoadSuccess() (always followed by closing) lets the submission go on;
// closing any other way does not emit it.
//
// Opened without parent by the products panel, which makes it modal and delete-on-close.
// Lives on the GUI thread; previews, regeneration and reading a file to send run as worker jobs
// that take copies and touch no widget, so a dialog closed meanwhile just drops their results.
class UploadPhotoListDialog : public QDialog
{
    Q_OBJECT
public:
    enum UploadStatus : qint32 {
        Pending = 0,
        Missing = 1,
        Ready = 2,
        Uploading = 3,
        Success = 4,
        Failed = 5,
    };

    struct UploadItem
    {
        QString path;
        QString fileName;
        UploadStatus status = Ready;
        qint32 progress = 0;
        bool isMarkOrCrop = false;
        UploadBody::Kind kind = UploadBody::Photo; // decided by the folder the path came from
        bool thumbTried = false;
        bool previewLoaded = false;
    };

    explicit UploadPhotoListDialog(QWidget* parent = nullptr);
    ~UploadPhotoListDialog() override;

    static QString statusText(int status);
    static QColor statusColor(int status);

    int missingCount() const;
    int successCount() const;
    int failedCount() const;
    int readyOrPendingCount() const;

signals:
    void upLoadSuccess();

private slots:
    void onStartUploadClicked();
    void onCancelClicked();
    void onGenerateThumbClicked();
    void onRetryFailedClicked();
    void onTableCellClicked(int row, int column);
    void onScrollChanged(int value);
    void onLoadVisibleThumbs();
    void upLoadError(QNetworkReply::NetworkError code);
    void uploadProcess(qint64 bytesSent, qint64 bytesTotal);

private:
    struct Prepared;

    void initUi();
    void loadImageList();
    void showConfirmOnly(const QString& text);
    // 成品 could not be listed: one box says so, and nothing can be started (the list stays empty).
    void showUnreadable();
    void createRowCells(int row);
    void refreshRow(int row);
    void refreshFailedRows();
    void refreshSummary();
    void updateButtons();
    void scheduleLoadVisibleThumbs();
    void loadPreviewForRow(int row);
    void loadPreviews(const QList<int>& rows);
    QString missingMarkOrCropNames() const;
    void tipMissingMarkOrCrop();
    void resetForRetry(int row);
    void resetFailedAndMissing();

    bool isRunning() const;
    int nextUploadIndex(int from) const;
    void startUploadAt(int index);
    void onPrepared(int index, const Prepared& prepared);
    void postRow(int index, const QByteArray& fileBytes);
    void beginRun(bool overWholeList);
    // Gives the row its status and goes on with the run.
    void passOver(int index, UploadStatus status);
    void continueRun();
    void uploadNextOrFinish();
    void slot_requestFinished(const BackendReply& result);
    void finishWithSuccess();

    Ui_UploadPhotoListDialog* ui;
    QNetworkAccessManager* manager;
    QPointer<QNetworkReply> reply;
    QList<UploadItem> items;
    int currentIndex;
    bool uploading;
    bool cancelRequested;
    bool autoContinue;
    QTimer* thumbTimer;
    QPixmap loadingPixmap;
    QPixmap missingPixmap;

    bool m_isPreparing = false;  // a row's file is being regenerated or read for its post
    bool m_isGenerating = false; // "生成缩略图" is regenerating
    bool m_isConfirmOnly = false;
    QSet<int> m_previewsPending;
    QHash<int, int> m_previewEpoch; // a row's previews asked before its regeneration are stale
};

#endif // UPLOADPHOTOLISTDIALOG_H
