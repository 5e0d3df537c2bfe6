#ifndef SHEETPAGE_H
#define SHEETPAGE_H

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QWidget;

// Reading the sheet windows' pages and files in tests.
namespace SheetPage {

// Whether each fragment is found after the one before it; else the first missing one.
bool inOrder(const QString& page, const QStringList& fragments, QString* missing);

// The local files that the page's images name.
QStringList imageFiles(const QString& page);

// The standard output of a tool (pdftotext, pdfinfo, ...); empty when it does not finish.
QString run(const QString& program, const QStringList& args);

// The order keys that the sheet windows' requests and barcode addresses carry in the tests:
// order 1001, shop 7, company 3, sample info 55.
void setOrderKeys();

// A word of a PDF where pdftotext finds it: its page (from 1) and its box in points.
struct PdfWord
{
    int page = 0;
    QRectF box;
    QString text;
};

// The words of a PDF in pdftotext's reading order; empty when the tool fails.
QList<PdfWord> pdfWords(const QString& pdf);

// Waits until the window shows the title (its page has loaded); false when it never does.
bool waitForTitle(QWidget* window, const QString& title);

} // namespace SheetPage

#endif // SHEETPAGE_H
