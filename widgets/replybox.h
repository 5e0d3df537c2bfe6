#ifndef REPLYBOX_H
#define REPLYBOX_H

#include <QString>

struct BackendReply;

// The products panel's reading of a reply: true when the back end accepted it. Otherwise the
// panel's box has been shown ("警告" with one Yes button: the network error, or refusalPrefix
// and the reply's message); a body that is not an object is dropped without a box.
bool acceptedReply(const BackendReply& reply, const QString& refusalPrefix);

#endif // REPLYBOX_H
