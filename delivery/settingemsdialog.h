#ifndef SETTINGEMSDIALOG_H
#define SETTINGEMSDIALOG_H

#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QString>

struct BackendReply;
namespace Ui {
class SettingEMSDialog;
}

// The form "快递信息": adds one delivery address to the open order, or rewrites one (id set and
// not "0"). It loads the provinces itself, the cities and districts as they are chosen, and
// fills the address from the back end's record of a phone number when the phone is entered.
//
// Openers create it without a parent, set Qt::WA_DeleteOnClose and show it modal without
// blocking; an opener that edits writes the public fields, shows the form, then calls
// setData(). GUI thread only.
class SettingEMSDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingEMSDialog(QWidget* parent = nullptr);
    ~SettingEMSDialog() override;

    // The address being edited; id empty or "0" is a new one. The area ids follow the
    // choices; the saved ids always come from what the three lists show.
    QString id;
    QString name;
    QString phone;
    QString postcode;
    QString provinceid;
    QString cityid;
    QString countyid;
    QString address;

    // Shows the written fields (when id is set) and loads the lists of the stored areas.
    void setData();

signals:
    // Once, after the back end accepted the save.
    void submitsuccess();

public slots:
    void on_confirmButton_clicked();
    void selectProvAction(QString provName);
    void selectCityAction(QString cityName);
    void httpCityInfo(QJsonObject obj);
    void httpRegionInfo(QJsonObject obj);
    void phoneLineQEditfocusOutEvent();
    void getCitys();
    void getDistricts();

private:
    void queryInfoCallBack(const BackendReply& reply);
    void queryPostInfoCallBack(const BackendReply& reply);
    void getPhoneExpressInfo(const BackendReply& reply);
    void postQueryInfo();
    void initUI();
    void postInfo();
    void getPhoneExpressInfoReq();

    Ui::SettingEMSDialog* ui;
    QMap<QString, QString> provinceMap;
    QMap<QString, QString> cityMap;
    QMap<QString, QString> regionMap;
    // Only the latest list request of each kind may fill its list: an older reply arriving
    // late would show the areas of a choice the operator has already left.
    int m_cityRequest = 0;
    int m_districtRequest = 0;
};

#endif // SETTINGEMSDIALOG_H
