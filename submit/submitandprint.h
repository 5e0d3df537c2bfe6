#ifndef SUBMITANDPRINT_H
#define SUBMITANDPRINT_H

#include "Calendar/timeschedule.h"
#include "submit/setasidefiles.h"
#include "submit/submissionbody.h"

#include <QDialog>
#include <QJsonObject>
#include <QPointer>
#include <QString>
#include <QStringList>

struct BackendReply;
class QCloseEvent;
class ScheduleDialog;
class Ui_SubmitandPrint;

// "提交打印": the counts, amounts, dates and delivery choice of the sale, and the submission of
// the selection result. It fills itself from the order detail; after a submission the next
// order-detail reply locks the order, emits sendSetLocked(), opens the production sheet and
// closes the dialog.
//
// The three submit buttons stay disabled until the form has been filled by the first order
// detail and the set-aside and selection folders have been counted (on a worker job), so a
// submission never sends values the dialog has not read. A submission road keeps its button
// disabled from the click until the road ends.
//
// Opened without parent by the products panel, which fixes its size, makes it modal and sets
// Qt::WA_DeleteOnClose; posts on their way go with it. So while a submission road runs (its
// result on its way, or taken and followed by the removal of the set-aside photos, their record,
// the order detail, the lock and the sheet) the dialog does not close. GUI thread only.
class SubmitandPrint : public QDialog
{
    Q_OBJECT
public:
    explicit SubmitandPrint(QWidget* parent = nullptr);
    ~SubmitandPrint() override;

    // 0: no product urgent (or none), 1: every product urgent, 2: some.
    int urgencyState();
    // Disables the form's inputs once the order is locked; never enables anything.
    void setLocked();
    // Removes every file below path, keeping the folders; returns the files that stayed.
    static QStringList removefiles(const QString& path);

    // The values a submission posts, as the form and the kept dates hold them now.
    SubmissionFields submissionFields();
    // True once the first order detail has filled the form and the folders are counted.
    bool isReady() const { return m_hasDetail && m_hasFolderCounts; }

    // Closing waits for the end of an accepted submission's road.
    void reject() override;

signals:
    void sendSetLocked();

public slots:
    // The main road.
    void on_pushButton_2_clicked();
    void postQueryOrderInfo();
    void postQueryEmsInfo();
    void postSecondSumInfo();
    void postDelImgLog();
    QString isEmptyProduct();
    void reloadXps(QJsonObject reply);

    // Dates and the delivery choice.
    void on_pushButton_fetchDate_clicked();
    void on_pushButton_checkBoardDate_clicked();
    void on_pushButton_preciseRepairDate_clicked();
    void on_pb_wyxdate_clicked();
    void on_radioButton_clicked();
    void on_radioButton_isEMS_clicked();
    void on_radioButton_isPartEMS_clicked();
    void on_newFetchDate(TimeSchedule schedule);
    void on_newCheckBoardDateDate(QString date);
    void on_newPreciseRepairDateDate(QString date);
    void selQujianSchedule(TimeSchedule schedule);
    void selKanbanSchedule(TimeSchedule schedule);
    void selKanjingxiuSchedule(TimeSchedule schedule);
    void on_wyxDateSelected(QString date);

    // The thumbnail sheet road.
    void on_pushButton_thumbnail_clicked();
    void postQueryThumbnailEmsInfo();
    void postPrintThumbnailSumInfo();
    void postQueryOrderThumbnailInfo();
    // The express sheet road.
    void on_pushButtonEMS_clicked();
    void postQueryPartEmsInfo();
    void postPrintEmsInfo();
    void postQueryPrintEmsInfo();
    void postQueryInfo();

private:
    // Reply handlers on the request road.
    void queryOrderInfoCallBack(const BackendReply& reply);
    void queryInfoEmsCallBack(const BackendReply& reply);
    void queryPostSecondSumCallBack(const BackendReply& reply);
    static void queryDelImgLogCallBack(const BackendReply& reply);
    void queryInfoThumbnailEmsCallBack(const BackendReply& reply);
    void queryPostThumbnailCallBack(const BackendReply& reply);
    void queryOrderThumbnailInfoCallBack(const BackendReply& reply);
    void queryInfoPartEmsCallBack(const BackendReply& reply);
    void queryPostEmsCallBack(const BackendReply& reply);
    void queryInfoCallBack(const BackendReply& reply);

    // A submission road is under way: its result may be on its way, or taken by the back end and
    // followed by the removal, the record, the order detail, the lock and the sheet.
    bool isSubmissionUnderWay() const { return m_isSubmitting; }
    // Says which set-aside photos a removal left; true when the folder could be listed at all.
    bool tellRemoval(const SetAsideFiles::Removal& removal);

    void scaleUi();
    // "date name" on a date button; a date and a name that are both empty show nothing.
    static QString dateCaption(const QString& date, const QString& name);
    // The six identifiers that every order request of the dialog starts with.
    static QByteArray orderIdentifiers();
    // Runs the product and count checks of an unlocked order; false (box shown) when one fails.
    bool passesPreChecks();
    // After the address check: the checks of an unlocked order, then the submission.
    void continueSubmission();
    // The submission road ends: title back, pushButton_2 usable again (once the form is ready).
    void endSubmitting();
    // Once the result is accepted, a road pressed again (after a later step failed) goes on
    // with afterSubmission instead of posting the result once more; true when it has.
    bool resumeSubmitted(void (SubmitandPrint::*afterSubmission)());
    void updateReadiness();
    // The selection's names and count, always set together.
    void setSelection(const QStringList& names);
    void fillFromDetail(const QJsonObject& reply);
    void openProductionSheet(const QJsonObject& reply);
    // The express road's end: locks the order and opens the express sheet from its data.
    void openExpressSheet(const QJsonObject& data);
    // Removes the set-aside photos on a worker job; then the record and the order detail.
    void removeSetAsidePhotos();
    void openSchedule(const QString& monthUrl, const QString& dayUrl, const TimeSchedule& current,
        const QString& caption, void (SubmitandPrint::*slot)(TimeSchedule));
    void closeSchedule();

public:
    QString is_two_buy;
    int isSubmitted;
    int lastpic;
    QString finalpicpaths;
    QString deletepicpaths;
    int finalpicnum;
    int deletepicnum;
    int lastrepairpic;
    QString getphotodate;
    QString getphotoareaName;
    QString getphotoareaid;
    QString comparedate;
    QString kanbanareaName;
    QString kanbanareaid;
    QString checktruing;
    QString kanjingxiuareaName;
    QString kanjingxiuareaid;
    // Seconds since 1970, 64 bits so that days after 2038 compare right; 0 until the first
    // order detail gives them.
    qint64 min_kjxts;
    qint64 max_kjxts;
    QString kjx_msg;
    QPointer<ScheduleDialog> scheduleDialog;
    QStringList xpsNames;
    QStringList xpsIds;
    QString iswyx;
    int fwqlc_num;
    QString samepleresulthtml;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Ui_SubmitandPrint* ui;
    bool m_hasDetail = false;
    bool m_hasFolderCounts = false;
    bool m_isSubmitting = false;
};

#endif // SUBMITANDPRINT_H
