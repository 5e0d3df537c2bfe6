#ifndef MARKTURN_H
#define MARKTURN_H

#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

struct BackendReply;

// Turns the stored marks of one photo once a quarter turn has been saved into its files, so
// that each mark stays on the part of the picture it was drawn on: the marks are loaded from the
// back end, every frame is turned with the picture as the mark editor lays it out on this
// desktop, and the strings are stored again with the editor's own save. A frame reaching off the
// picture keeps only its part on the picture; one lying wholly off it covers nothing the turn
// could carry it with and stays as stored, unless the turned picture would lie under it: then it
// is moved just clear of it. A photo whose marks cannot be loaded or stored is left as it was:
// finished(false) says so, and the one that started the turn tells the operator (together with
// whatever else of the turn failed).
// Lives on the GUI thread, a child of the object that starts it; deletes itself when done.
class MarkTurn : public QObject
{
    Q_OBJECT
public:
    MarkTurn(const QString& picName, int turns, const QSize& photoSize, QObject* parent);

    void start();

    // The strings with their frames turned, for a picture laid out in area; a string that is no
    // mark, or whose frame the turn leaves where it is, is kept as it stands.
    static QStringList turned(const QStringList& marks, const QRect& area, const QSize& photoSize, int turns);

signals:
    void finished(bool isStored);

private:
    void replyGetMarks(const BackendReply& reply);
    void replyPostMarks(const BackendReply& reply);
    void end(bool isStored);

    QString m_picName;
    int m_turns;
    QSize m_photoSize;
};

#endif // MARKTURN_H
