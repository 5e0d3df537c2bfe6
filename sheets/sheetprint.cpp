#include "sheets/sheetprint.h"

#include "core/prompt.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextStream>
#include <QWebSettings>
#include <QWebView>

namespace {

QString& target()
{
    static QString path;
    return path;
}

// The PDF writer reports nothing; a file that starts as a PDF is the only proof.
bool isPdfFile(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

} // namespace

void SheetPrint::setPdfTarget(const QString& path)
{
    target() = path;
}

QString SheetPrint::pdfTarget()
{
    return target();
}

bool SheetPrint::print(const QString& html, QWidget* parent)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!target().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target());
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
    }
    QPrintDialog dialog(&printer, parent);
    if (Prompt::exec(&dialog) != QDialog::Accepted)
        return false;
    QTextDocument document;
    document.setHtml(html);
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

bool SheetPrint::saveAsPdf(const QString& html, const QString& fileName, QString* error)
{
    // A file left from before must not pass for the new one.
    if (QFileInfo::exists(fileName) && !QFile::remove(fileName)) {
        if (error)
            *error = QStringLiteral("cannot replace ") + fileName;
        return false;
    }
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    QTextDocument document;
    document.setHtml(html);
    document.print(&printer);
    if (printer.printerState() == QPrinter::Error || !isPdfFile(fileName)) {
        if (error)
            *error = QStringLiteral("failed to create PDF file");
        return false;
    }
    return true;
}

bool SheetPrint::saveAsHtml(const QString& html, const QString& fileName, QString* error)
{
    // Written whole or not at all: a full disk leaves no half page behind.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        QTextStream out(&file);
        out.setCodec("UTF-8");
        out << html;
        out.flush();
        if (out.status() == QTextStream::Ok && file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("failed to create HTML file");
    return false;
}

bool SheetPrint::isPdfName(const QString& fileName)
{
    return fileName.endsWith(QLatin1String("pdf"), Qt::CaseInsensitive);
}

QString SheetPrint::askSaveName(QWidget* window, const QString& proposedName)
{
    return Prompt::getSaveFileName(
        window, QStringLiteral("另存为"), proposedName, QStringLiteral("网页 (*.html);;PDF(*.pdf)"));
}

bool SheetPrint::saveReported(const QString& html, const QString& fileName, bool isPdf, QWidget* boxParent)
{
    QString error;
    if (isPdf ? saveAsPdf(html, fileName, &error) : saveAsHtml(html, fileName, &error))
        return true;
    Prompt::information(boxParent, QStringLiteral("提示"), error, QMessageBox::Ok);
    return false;
}

void SheetPrint::setUpView(QWebView* view)
{
    QWebSettings* settings = view->settings();
    settings->setAttribute(QWebSettings::LocalStorageEnabled, false);
    settings->setAttribute(QWebSettings::OfflineWebApplicationCacheEnabled, false);
    settings->setAttribute(QWebSettings::JavascriptEnabled, false);
}
