#ifndef THUMBNAILVIEWWINDOW_H
#define THUMBNAILVIEWWINDOW_H

#include "photostore/product.h"
#include "sheets/sheetdownload.h"

#include <QList>
#include <QMainWindow>
#include <QString>

class QNetworkReply;

namespace Ui {
class ThumbnailViewWindow;
}

// The thumbnail sheet (成品缩略图): the customer table, the selected photos as a grid of
// thumbnails with their requirement texts, the terms, the signatures and the barcode. Its
// creator writes the public fields right after construction and shows it. The window has the
// sheet thumbnails made into a folder of its own, downloads the barcode there, then builds the
// page and shows it in a web view with scripts off; print and save build it again. Every value
// is HTML-escaped; the customer table's values may hold lines joined by "<BR>" (names,
// phones and contacts), which stay breaks. GUI thread only; deletes itself when closed if its creator sets
// Qt::WA_DeleteOnClose; its folder goes with it.
class ThumbnailViewWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit ThumbnailViewWindow(QWidget* parent = nullptr);
    ~ThumbnailViewWindow() override;

    void setProducts(QList<Product> list);
    QString getHTMLString();
    void print(QString html);
    bool saveAsHTML(QString fileName);
    bool saveAsPDF(QString fileName);
    void download(QString url, QString savePath);
    void iniData();

    QString sheetFolder() const { return m_sheetFolder; }
    QString barcodeFile() const { return barcode_file; }

    QString shopname;
    QString customer_title;
    QString orderpayforkey;
    QString orderServNum;
    QString phones;
    QString s2_name;
    QString booksuccess;
    QString photo_counts;
    QString orderprice;
    QString selectphoto;
    QString photodate;
    QString selectphotodate;
    QString getphotodate_html;
    QString checktruing;
    QString comparedate;
    QString qq;
    QString wx;
    QString email;
    QString vipphotonumber;
    QString twosales;
    QString morephotonumber;
    QString activenumber;
    QString terms_of_service;
    bool print_thumbnails = true;
    bool print_finished_area = true;
    QList<Product> products;

private slots:
    void on_pushButton_print_clicked();
    void on_webView_loadFinished(bool arg1);
    void on_saveButton_clicked();
    void onFinishSaveThumb();
    void replyFinished(QNetworkReply* reply);
    void onDownloadProgress(qint64 bytesSent, qint64 bytesTotal);
    void onReadyRead();

private:
    void appendCustomerTable(QString& page) const;
    void appendAlbum(QString& page) const;

    Ui::ThumbnailViewWindow* ui;
    QString barcode_url;
    QString barcode_file;
    SheetDownload m_barcode;
    QString m_sheetFolder;
};

#endif // THUMBNAILVIEWWINDOW_H
