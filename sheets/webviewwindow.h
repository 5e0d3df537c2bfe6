#ifndef WEBVIEWWINDOW_H
#define WEBVIEWWINDOW_H

#include "photostore/image.h"
#include "photostore/product.h"
#include "sheets/sheetdownload.h"
#include "sheets/sheetmarkpictures.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMainWindow>
#include <QNetworkRequest>
#include <QString>
#include <QStringList>

class QNetworkAccessManager;
class QNetworkReply;

namespace Ui {
class WebViewWindow;
}

// The detailed production sheet (明细制作单). Its creator writes the public order fields, the
// service times and the products right after construction and shows it. The window asks for
// the photo marks, has the sheet thumbnails made into a folder of its own, downloads the
// barcode and the QR image there, builds the page and shows it in a web view (scripts off);
// print and save build the page again from the same fields. The downloads start once the
// marks rows' pictures are in the folder, so the page is first built with them.
//
// Every value that reaches the page is HTML-escaped; only markup the window composes itself
// stays markup (all_requirement is such markup, built from escaped text by iniData).
// The window's folder lives as long as the window and is removed with it. GUI thread only;
// deletes itself when closed if its creator sets Qt::WA_DeleteOnClose.
class WebViewWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit WebViewWindow(QWidget* parent = nullptr);
    ~WebViewWindow() override;

    void setProducts(QList<Product> list);
    void setServicetimepros(QString json);

    QString getHTMLString();
    void print(QString html);
    bool saveAsHTML(QString fileName);
    bool saveAsPDF(QString fileName);
    void download(QString url, QString savePath);
    void download1(QString url, QString savePath);
    void iniData();
    void httpPicMarks();

    // The folder of this window's sheet images (ends with "/").
    QString sheetFolder() const { return m_sheetFolder; }
    QString barcodeFile() const { return barcode_file; }
    QString qrcodeFile() const { return qrcode_file; }
    QList<QStringList> picMarks() const { return pic_marks; }
    // Downloads finished so far (each rebuilds the page).
    int finishedDownloads() const { return m_finishedDownloads; }

    QString shopname;
    QString customer_title;
    QString full_address;
    QString bname;
    QString bsex;
    QString birthday;
    QString wname;
    QString mname;
    QString wphone;
    QString mphone;
    QString wmail;
    QString mmail;
    QString orderpayforkey;
    QString orderServNum;
    QString count;
    QString phones;
    QString s2_name;
    QString booksuccess;
    QString mssid;
    QString servershopid;
    QString wxname;
    QString tuiguangname;
    QString tiaose;
    QString sheji;
    QString role9name;
    QString tiaoxiu;
    QString role6name;
    QString role1;
    QString role2;
    QString role3;
    QString role4;
    QString role17;
    QString role16;
    QString booktime;
    QString photodate;
    QString designnum;
    QString dept;
    QString totaltwosales;
    QString pay_type;
    QString morephotonumber;
    QString activenumber;
    QString vipphotonumber;
    QString goodpnumber;
    QString yx_number;
    QString yqnumber;
    QString terms_of_service;
    QString buynumber;
    QString consumetypeid;
    QString order_price;
    QString consumption_statement;
    QString twosales;
    QString sale_payfor;
    QString sjrname;
    QString sjrphone;
    QString photo_counts;
    QString selectphoto;
    QString selectphoto_sign;
    QString selectphotodate_text;
    QString getphotodate_text;
    QString urgent_date;
    QString kanjingxiu_text;
    QString kanban_text;
    QString twosales_unpaid;
    QString all_requirement;
    QString count_order_sample_infoservicetimes;
    bool print_thumbnails = true;
    bool print_finished_area = true;
    QJsonArray servicetimes;
    QString html;
    QList<Product> products;

private slots:
    void on_pushButton_print_clicked();
    void on_webView_loadFinished(bool arg1);
    void on_saveButton_clicked();
    void onFinishSaveThumb();
    void replyPicMarkHttp(QJsonObject jsonInfo);
    void replyFinished(QNetworkReply* reply);
    void onDownloadProgress(qint64 bytesSent, qint64 bytesTotal);
    void onReadyRead();
    void onDownloadProgress1(qint64 bytesSent, qint64 bytesTotal);
    void onReadyRead1();
    void replyFinished1(QNetworkReply* reply);

private:
    void showPage();

    // Page parts, appended in page order.
    void appendOrderTable(QString& page) const;
    void appendMarks(QString& page) const;
    void appendServiceTime(QString& page, const QJsonObject& visit, int index, const QHash<QString, Product>& printMap);
    void appendProductRow(QString& page, const Product& product, int number, bool urgent);
    void appendSubProductRow(QString& page, const Product& product, int rowSpan, bool first);
    void appendPhotoRow(QString& page, const Product& product, char form) const;
    void appendFinishedGrid(QString& page) const;
    // The sheet image of a photo: the name as stored in the folder, else any spelling of it.
    QString cachedPhoto(const QString& name) const;

    Ui::WebViewWindow* ui;
    QString barcode_url;
    QString barcode_file;
    QString qrcode_file;
    QList<QStringList> pic_marks;
    // The pictures of the 调修要求 rows, found or drawn before the page is first built.
    SheetMarkPictures::Pictures m_markPictures;
    SheetDownload m_barcode;
    SheetDownload m_qrcode;
    int sheet_total = 0;
    QString m_sheetFolder;
    int m_finishedDownloads = 0;
};

#endif // WEBVIEWWINDOW_H
