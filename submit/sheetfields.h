#ifndef SHEETFIELDS_H
#define SHEETFIELDS_H

#include <QJsonObject>
#include <QString>
#include <QStringList>

class WebViewWindow;

// Texts that the submission dialog composes for the sheets it opens.
namespace SheetFields {

// The non-empty names joined by "-", "<BR>", the month of photoDate ("yyyy-MM-dd") without a
// leading zero, its day as written, and the order key. A date part that is missing gives "".
QString customerTitle(const QStringList& names, const QString& photoDate, const QString& payKey);

// Both given: first "<BR>" second; otherwise the one that is not empty.
QString joinContacts(const QString& first, const QString& second);

// What the dialog hands the production sheet besides the reply.
struct SheetContext
{
    QString html;
    bool printThumbnails = true;
    bool printFinishedArea = true;
    QString urgentDate;
};

// Fills the production sheet's fields from an order-detail reply.
void fillProductionSheet(WebViewWindow* window, const QJsonObject& reply, const SheetContext& context);

// The proof-viewing text of the sheet: "comparedate" " " "kanban_timearea".
QString kanbanText(const QJsonObject& order);

} // namespace SheetFields

#endif // SHEETFIELDS_H
