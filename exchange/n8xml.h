#ifndef N8XML_H
#define N8XML_H

#include <QString>

// The one writer of character data for the files N8ViewGo reads (the staff and product
// lists, the order's product list): "&" and "<" become entity references and nothing else
// changes, since N8ViewGo takes the rest as it stands. Characters that XML 1.0 cannot hold
// (control characters, lone surrogates) are left out: one would make the whole file
// unreadable. Pure function, any thread.
namespace N8Xml {

QString characterData(const QString& value);

} // namespace N8Xml

#endif // N8XML_H
