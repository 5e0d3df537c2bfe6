#ifndef REPLYWIRING_H
#define REPLYWIRING_H

#include <QNetworkReply>
#include <QObject>

// Hands a finished reply to one member function of its receiver and then releases it.
// Nothing is called once the receiver is gone; the reply then dies with its manager.
class ReplyWiring
{
public:
    ReplyWiring() = delete;

    template <typename Receiver>
    static void wire(QNetworkReply* reply, Receiver* receiver, void (Receiver::*handler)(QNetworkReply*))
    {
        QObject::connect(reply, &QNetworkReply::finished, receiver, [receiver, reply, handler] {
            (receiver->*handler)(reply);
            reply->deleteLater();
        });
    }
};

#endif // REPLYWIRING_H
