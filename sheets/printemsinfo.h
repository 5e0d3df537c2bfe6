#ifndef PRINTEMSINFO_H
#define PRINTEMSINFO_H

#include "photostore/product.h"
#include "sheets/emsinfo.h"
#include "sheets/sheetdownload.h"

#include <QList>
#include <QMainWindow>
#include <QString>

class QNetworkReply;

namespace Ui {
class PrintEmsInfo;
}

// The express service charge sheet (快递服务收费单): the order's express products grouped by
// delivery address, with their pickup dates, a remark and the signature line. The submission
// dialog writes the public fields right after construction and shows it. The window downloads
// the order's barcode into a folder of its own (the page itself shows no image; the download
// paces the page), then builds the page and shows it in a web view with scripts off; print and
// save build it again. Every value is HTML-escaped. GUI thread only; deletes itself when
// closed if its creator sets Qt::WA_DeleteOnClose.
class PrintEmsInfo : public QMainWindow
{
    Q_OBJECT

public:
    explicit PrintEmsInfo(QWidget* parent = nullptr);
    ~PrintEmsInfo() override;

    void iniData();
    QString getHTMLString();
    void print(QString html);
    void download(QString url, QString path);
    bool saveAsPDF(QString fileName);
    bool saveAsHTML(QString fileName);

    QString sheetFolder() const { return m_sheetFolder; }
    QString barcodeFile() const { return barcode_file; }

    EmsInfo ems_info;
    QString emsdescr;
    QString selectername;
    QString selecterphon;
    QString orderpayforkey;
    QString comboname;
    QString servicetimes;
    QString urgent_date;
    int count = 0;

public slots:
    void setProducts(QList<Product> products);

private slots:
    void on_pushButton_print_clicked();
    void on_webView_loadFinished(bool arg1);
    void on_saveButton_clicked();
    void onFinishSaveThumb();
    void replyFinished(QNetworkReply* reply);
    void onDownloadProgress(qint64 bytesSent, qint64 bytesTotal);
    void onReadyRead();

private:
    // The products of one delivery address, in product-list order.
    struct AddressGroup
    {
        OrderAddress address;
        QList<Product> products;
        bool isUrgent = false;
    };
    QList<AddressGroup> addressGroups() const;
    void appendGroup(QString& page, const AddressGroup& group) const;
    bool hasPickupDate() const;

    Ui::PrintEmsInfo* ui;
    SheetDownload m_barcode;
    QString barcode_url;
    QString barcode_file;
    QList<Product> products;
    QString m_sheetFolder;
};

#endif // PRINTEMSINFO_H
