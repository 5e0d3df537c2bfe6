#ifndef SHEETHTML_H
#define SHEETHTML_H

#include <QString>

// Values on the sheet pages. Every value from the back end or the album goes through text(),
// so that a name with "<" or "&" shows as written and never becomes markup.
namespace SheetHtml {

// A value as page text: escaped, its line breaks as breaks.
QString text(const QString& value);

// Lines joined by "<BR>" (as the submission dialog joins names and contacts): each line
// escaped, the breaks kept.
QString lines(const QString& joined);

// An image source for a local file, escaped for a double-quoted attribute.
QString imageSource(const QString& path);

// The start of every sheet page: head, body and the centred block (left open).
QString pageStart();

// The style block of the production and thumbnail sheets.
QString sheetStyles();

// The two border rules that every sheet's style block ends with.
QString thinBorders();

// The current local time as the sheets print it.
QString now();

} // namespace SheetHtml

#endif // SHEETHTML_H
