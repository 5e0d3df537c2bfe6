#include "sheets/thumbnailviewwindow.h"
#include "ui_thumbnailviewwindow.h"

#include "core/config.h"
#include "core/logging.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "photostore/thumbnailthread.h"
#include "sheets/sheetfolder.h"
#include "sheets/sheethtml.h"
#include "sheets/sheetprint.h"

#include <QDateTime>
#include <QThreadPool>

namespace {

QString esc(const QString& value)
{
    return SheetHtml::text(value);
}

} // namespace

ThumbnailViewWindow::ThumbnailViewWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::ThumbnailViewWindow)
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    setWindowTitle(QStringLiteral("正在生成制作单..."));
    iniData();

    SheetPrint::setUpView(ui->webView);

    barcode_url = Config::url_getbarcode + QStringLiteral("&order_photo_id=") + Config::order_id
        + QStringLiteral("&shopid=") + Config::shop_id + QStringLiteral("&superid=") + Config::super_id
        + QStringLiteral("&order_sample_infoid=") + Config::order_sample_infoid + QStringLiteral("&token=")
        + Config::token;

    // The job takes the sheet folder when it is made: this window's own, lent for that moment
    // only, so that the production sheet's folder stays as it is.
    m_sheetFolder = SheetFolder::create();
    const QString previous = DirServer::getWebPageThumbPath();
    DirServer::setWebPageThumbPath(m_sheetFolder);
    QThreadPool::globalInstance()->start(
        new ThumbnailThread(QList<Image>(ImageData::getInstance()->GetSeletedImages()), this, 88));
    DirServer::setWebPageThumbPath(previous);
}

ThumbnailViewWindow::~ThumbnailViewWindow()
{
    m_barcode.release(this);
    SheetFolder::remove(m_sheetFolder);
    delete ui;
}

void ThumbnailViewWindow::setProducts(QList<Product> list)
{
    products = list;
}

void ThumbnailViewWindow::iniData()
{
    shopname.clear();
    customer_title.clear();
    orderpayforkey.clear();
    orderServNum.clear();
    phones.clear();
    s2_name.clear();
    booksuccess.clear();
    orderprice.clear();
    selectphoto.clear();
    photodate.clear();
    selectphotodate.clear();
    getphotodate_html.clear();
    vipphotonumber.clear();
    twosales.clear();
    terms_of_service.clear();
    print_thumbnails = true;
    print_finished_area = true;
    ImageData* store = ImageData::getInstance();
    photo_counts = QStringLiteral("毛底") + QString::number(store->getRawImageNum()) + QStringLiteral("/成品")
        + QString::number(store->getFinalImageNum());
}

void ThumbnailViewWindow::onFinishSaveThumb()
{
    barcode_file = m_sheetFolder + QString::number(QDateTime::currentMSecsSinceEpoch()) + QStringLiteral(".jpg");
    download(barcode_url, barcode_file);
}

void ThumbnailViewWindow::download(QString url, QString savePath)
{
    m_barcode.start(this, url, savePath, &ThumbnailViewWindow::replyFinished, &ThumbnailViewWindow::onDownloadProgress,
        &ThumbnailViewWindow::onReadyRead);
}

void ThumbnailViewWindow::onReadyRead()
{
    m_barcode.readAvailable();
}

void ThumbnailViewWindow::onDownloadProgress(qint64 bytesSent, qint64 bytesTotal)
{
    qCDebug(lcSheets) << "barcode download" << bytesSent << "/" << bytesTotal;
}

// Good or failed, the finished download shows the page (a failed barcode is then missing).
void ThumbnailViewWindow::replyFinished(QNetworkReply* reply)
{
    if (m_barcode.finish(reply))
        ui->webView->setHtml(getHTMLString(), QUrl());
}

void ThumbnailViewWindow::on_webView_loadFinished(bool arg1)
{
    if (arg1)
        setWindowTitle(QStringLiteral("成品缩略图"));
}

void ThumbnailViewWindow::on_pushButton_print_clicked()
{
    print(getHTMLString());
}

void ThumbnailViewWindow::print(QString html)
{
    SheetPrint::print(html, this);
}

void ThumbnailViewWindow::on_saveButton_clicked()
{
    SheetPrint::saveAsked(this, QStringLiteral("./成品缩略图"));
}

bool ThumbnailViewWindow::saveAsHTML(QString fileName)
{
    return SheetPrint::saveReported(getHTMLString(), fileName, false);
}

bool ThumbnailViewWindow::saveAsPDF(QString fileName)
{
    return SheetPrint::saveReported(getHTMLString(), fileName, true);
}

void ThumbnailViewWindow::appendCustomerTable(QString& page) const
{
    struct Row
    {
        const char* headings[7];
        QString values[7];
    };
    const Row rows[] = {
        {{"客人", "订单号", "联系电话", "套系", "门市", "调色", "初修"},
            {customer_title, orderpayforkey + QLatin1Char('-') + orderServNum, phones, s2_name, booksuccess,
                Config::order_tiaose, Config::order_chuxiu}},
        {{"精修", "设计", "选片结果", "摄影师", "化妆师", "选片师", "金额"},
            {Config::order_jingxiu, Config::order_sheji, photo_counts, Config::order_cameraman, Config::order_dresser,
                selectphoto, orderprice}},
        {{"二销总额", "拍照日期", "选片日期", "发货日期", "精修日期", "看版日期", "购买精修张数"},
            {twosales, photodate, selectphotodate, getphotodate_html, checktruing, comparedate, morephotonumber}},
        {{"赠送精修张数", "QQ", "微信", "邮箱", "套系原有精修数", "", ""},
            {activenumber, qq, wx, email, vipphotonumber, QString(), QString()}},
    };
    page += QStringLiteral("<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");
    page += QStringLiteral("<tr><td align=\"center\">");
    page += QStringLiteral(
        "<table class=\"thinborder\" width=\"100%\"  border=\"1\" cellspacing=\"0\" cellpadding=\"1\">");
    for (int r = 0; r < 4; ++r) {
        page += QStringLiteral("  <tr bgcolor=\"#CCCCCC\">");
        for (int c = 0; c < 7; ++c)
            page += QStringLiteral("    <td ") + (r == 0 ? QStringLiteral("class=\"td_thin\" ") : QString())
                + QStringLiteral("width=\"") + (c == 6 ? QStringLiteral("14.2%") : QStringLiteral("14.3%"))
                + QStringLiteral("\"><div align=\"center\">") + QString::fromUtf8(rows[r].headings[c])
                + QStringLiteral("</div></td>");
        page += QStringLiteral("  </tr>");
        page += QStringLiteral("  <tr>");
        for (int c = 0; c < 7; ++c) {
            const bool isThin = r == 0 || (r == 1 && c < 2);
            page += (isThin ? QStringLiteral("    <td class=\"td_thin\" align=\"center\">")
                            : QStringLiteral("    <td align=\"center\">"))
                + SheetHtml::lines(rows[r].values[c]) + QStringLiteral("</td>");
        }
        page += QStringLiteral("  </tr>");
    }
    page += QStringLiteral("</table></td></tr></table>");
    page += QStringLiteral("<BR>");
}

void ThumbnailViewWindow::appendAlbum(QString& page) const
{
    const QList<Image> selected = ImageData::getInstance()->GetSeletedImages();
    page += QStringLiteral("<BR>");
    if (!print_thumbnails)
        page += QStringLiteral("<BR>");
    page += QStringLiteral("<p align=\"center\"><span class=\"style2\">成品相册 （") + QString::number(selected.size())
        + QStringLiteral("张）&nbsp;</span></p>");
    page += QStringLiteral("<table width=\"100%\"  border=\"0\" cellspacing=\"0\" cellpadding=\"1\">");
    for (int i = 0; i < selected.size(); ++i) {
        const Image& photo = selected.at(i);
        if (i % 6 == 0)
            page += QStringLiteral("  <tr bgcolor=\"#FFFFFF\">");
        page += QStringLiteral("    <td><div align=\"center\">");
        if (print_thumbnails)
            page += QStringLiteral("<img src=\"")
                + SheetHtml::imageSource(SheetFolder::photoFile(m_sheetFolder, photo.GetImageName()))
                + QStringLiteral("\"><br>");
        page += esc(photo.GetImageName()) + QStringLiteral("<BR>") + esc(photo.GetStrneed())
            + QStringLiteral("&nbsp;</div></td>");
        if (i % 6 == 5)
            page += QStringLiteral("  </tr>");
    }
    page += QStringLiteral("</table>");
    page += QStringLiteral("<BR>");
}

QString ThumbnailViewWindow::getHTMLString()
{
    QString page;
    page += SheetHtml::pageStart();

    page += SheetHtml::sheetStyles();

    const QString barcode = SheetHtml::imageSource(barcode_file);
    page += QStringLiteral("<p><table width=100%  border=0 cellspacing=0 cellpadding=1;><tr bgcolor=\"#FFFFFF\"><td "
                           "width=33%><div align=\"center\"></div></td><td width=34%><div align=\"center\">")
        + QStringLiteral("<span align=\"center\" class=\"style1\">") + esc(shopname) + QStringLiteral("</span>")
        + QStringLiteral("</div></td><td width=33%><div align=\"center\">")
        + QStringLiteral("<img  align=\"center\" src=\"") + barcode + QStringLiteral("\" />")
        + QStringLiteral("</div></td></tr></table></p>");
    page += QStringLiteral("<BR>");

    appendCustomerTable(page);
    if (print_finished_area)
        appendAlbum(page);

    page += QStringLiteral("<table width=\"100%\"  border=\"0\">");
    page += QStringLiteral("  <tr>");
    page
        += QStringLiteral("    <td align=\"left\"><span>") + esc(terms_of_service) + QStringLiteral("<BR></span></td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");
    page += QStringLiteral("<BR>");

    page += QStringLiteral("<table width=\"100%\"  border=\"0\" cellspacing=\"0\" cellpadding=\"1\">");
    page += QStringLiteral("  <tr>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"18%\">选片人：") + esc(selectphoto)
        + QStringLiteral("</td>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"25%\">核单员：___________&nbsp;</td>");
    page += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"25%\">收发人：___________&nbsp;</td>");
    page
        += QStringLiteral("    <td align=\"left\" class=\"style2\" width=\"32%\">客人确认签名：___________&nbsp;</td>");
    page += QStringLiteral("  </tr>");
    page += QStringLiteral("</table>");
    page += QStringLiteral("</div>");
    page += QStringLiteral("<BR>");

    page += QStringLiteral("<div align=\"center\"><img src=\"") + barcode + QStringLiteral("\" /></div>");
    page += QStringLiteral("<div style=\"font-size:12px\" align=\"center\"><p align=\"right\">") + SheetHtml::now()
        + QStringLiteral("</p></div>");
    page += QStringLiteral("</body>");
    page += QStringLiteral("</HTML>");
    return page;
}
