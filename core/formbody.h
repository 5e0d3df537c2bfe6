#ifndef FORMBODY_H
#define FORMBODY_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <initializer_list>
#include <utility>

// Builds an "application/x-www-form-urlencoded" body: pairs in the order added,
// every value percent-encoded exactly once (UTF-8), keys as written.
class FormBody
{
public:
    FormBody() = default;

    // A body whose first pair is "token" with the fixed client token.
    static FormBody withToken();
    // The same followed by the fields in the order given, as bytes.
    using Fields = std::initializer_list<std::pair<const char*, QString>>;
    static QByteArray tokenBody(Fields fields);

    FormBody& add(const QString& key, const QString& value);
    FormBody& add(const QString& key, int value);
    // For a value the caller has already percent-encoded: passed through as it is.
    FormBody& addEncoded(const QString& key, const QByteArray& encodedValue);

    QByteArray toByteArray() const;
    // One "key: value" line per pair (decoded values, passwords masked) for the debug log.
    QString toLogString() const;

    static QString logText(const QByteArray& body);
    static QByteArray encode(const QString& value);

private:
    QList<QPair<QString, QByteArray>> m_pairs;
};

#endif // FORMBODY_H
