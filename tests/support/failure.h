#ifndef FAILURE_H
#define FAILURE_H

#include <QJsonObject>
#include <QMetaType>
#include <QString>

class TestBackend;

// How the stand-in answers one endpoint in a test of a window's failure paths; data rows
// carry it.
enum class Failure {
    None,       // the given object, at once
    HttpStatus, // an HTTP error status, 500 unless given
    Refused,    // the port is closed: every connection is refused until TestBackend::reset()
    NotJson,    // 200 with an HTML page, as a proxy in between sends one
    Empty,      // 200 with an empty body
    Array,      // 200 with a JSON array where an object belongs
    Held,       // the given object, held until StandInServer::releaseHeld()
};
Q_DECLARE_METATYPE(Failure)

// Scripts endpoint m.a of the stand-in to answer the given way.
void scriptEndpoint(TestBackend& backend, const QString& m, const QString& a, Failure failure,
    const QJsonObject& answer = QJsonObject(), int status = 500);

#endif // FAILURE_H
