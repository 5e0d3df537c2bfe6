#ifndef JSONTEXT_H
#define JSONTEXT_H

#include <QString>

class QJsonValue;

// The text of a reply field that the back end may send as a string or as a number: a
// string as it is; an integral number (exactly representable, so up to 2^53 in size) as
// its decimal text; anything else (a fraction, true, null, an array, an object, absent)
// as the empty string.
QString jsonText(const QJsonValue& value);

#endif // JSONTEXT_H
