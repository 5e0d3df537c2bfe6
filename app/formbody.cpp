#include "core/formbody.h"

#include "core/config.h"

#include <QUrl>

FormBody FormBody::withToken()
{
    FormBody body;
    body.add(QStringLiteral("token"), Config::token);
    return body;
}

QByteArray FormBody::tokenBody(Fields fields)
{
    FormBody body = withToken();
    for (const auto& field : fields)
        body.add(QLatin1String(field.first), field.second);
    return body.toByteArray();
}

QByteArray FormBody::encode(const QString& value)
{
    return QUrl::toPercentEncoding(value);
}

FormBody& FormBody::add(const QString& key, const QString& value)
{
    m_pairs.append(qMakePair(key, encode(value)));
    return *this;
}

FormBody& FormBody::add(const QString& key, int value)
{
    return add(key, QString::number(value));
}

FormBody& FormBody::addEncoded(const QString& key, const QByteArray& encodedValue)
{
    m_pairs.append(qMakePair(key, encodedValue));
    return *this;
}

QByteArray FormBody::toByteArray() const
{
    QByteArray out;
    for (int i = 0; i < m_pairs.size(); ++i) {
        if (i > 0)
            out += '&';
        out += m_pairs.at(i).first.toUtf8();
        out += '=';
        out += m_pairs.at(i).second;
    }
    return out;
}

QString FormBody::toLogString() const
{
    return logText(toByteArray());
}

QString FormBody::logText(const QByteArray& body)
{
    QStringList lines;
    const QList<QByteArray> pairs = body.split('&');
    for (const QByteArray& pair : pairs) {
        const int eq = pair.indexOf('=');
        const QString key = QString::fromUtf8(eq < 0 ? pair : pair.left(eq));
        QString value = eq < 0 ? QString() : QString::fromUtf8(QByteArray::fromPercentEncoding(pair.mid(eq + 1)));
        if (key.compare(QLatin1String("password"), Qt::CaseInsensitive) == 0 && !value.isEmpty())
            value = QStringLiteral("***");
        lines << key + QStringLiteral(": ") + value;
    }
    return lines.join(QStringLiteral("\n "));
}
