#ifndef SHEETPRINT_H
#define SHEETPRINT_H

#include <QString>

class QWebView;
class QWidget;

// Prints and saves sheet pages from their HTML text through the rich-text engine (not from a
// web view). The print dialog runs through the Prompt seam; a test names a PDF file that every
// print then goes to instead of a printer, so no test ever reaches a real one.
namespace SheetPrint {

// Empty (the default): the system's printer. Otherwise prints go to this PDF file.
void setPdfTarget(const QString& path);
QString pdfTarget();

// A4 portrait in screen resolution, after the print dialog. False when the dialog is cancelled
// or nothing could be printed.
bool print(const QString& html, QWidget* parent);

// Writes the page as a PDF and checks that a PDF arrived; on failure error says why.
bool saveAsPdf(const QString& html, const QString& fileName, QString* error);

// Writes the page as UTF-8 text; on failure error says why.
bool saveAsHtml(const QString& html, const QString& fileName, QString* error);

// Whether a chosen file name asks for a PDF: its suffix, in any case.
bool isPdfName(const QString& fileName);

// The sheet windows' save dialog ("另存为", HTML or PDF) proposing proposedName; empty when
// the operator cancels.
QString askSaveName(QWidget* window, const QString& proposedName);

// The sheet windows' save button: asks for a name and saves the page as the name says.
template <class Window> void saveAsked(Window* window, const QString& proposedName)
{
    const QString fileName = askSaveName(window, proposedName);
    if (fileName.isEmpty())
        return;
    if (isPdfName(fileName))
        window->saveAsPDF(fileName);
    else
        window->saveAsHTML(fileName);
}

// Turns off what a sheet's web view must not do: keep data, and run scripts (the page
// carries text from the back end).
void setUpView(QWebView* view);

// Saves as PDF or HTML; a failure is shown in the box "提示" with what went wrong, a box of
// boxParent when one is given.
bool saveReported(const QString& html, const QString& fileName, bool isPdf, QWidget* boxParent = nullptr);

} // namespace SheetPrint

#endif // SHEETPRINT_H
