#ifndef SHEETDOWNLOAD_H
#define SHEETDOWNLOAD_H

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QString>

class QFile;

// One image download of a sheet window: a GET whose bytes are written into a file as they
// arrive. It ends on the reply's finished(), good or failed, so that a window never waits on
// progress numbers that a failed reply never brings; a failed download leaves no file.
// Its window owns it (a member) and the manager (a child); GUI thread only.
class SheetDownload
{
public:
    SheetDownload() = default;
    SheetDownload(const SheetDownload&) = delete;
    SheetDownload& operator=(const SheetDownload&) = delete;
    ~SheetDownload();

    // Starts the GET of url into savePath (its folder is made); a running one is dropped.
    // The window's slots get the manager's finished() and the reply's progress and bytes.
    template <class Window>
    void start(Window* window, const QString& url, const QString& savePath, void (Window::*onFinished)(QNetworkReply*),
        void (Window::*onProgress)(qint64, qint64), void (Window::*onReadyRead)())
    {
        const bool isNewManager = !m_manager;
        QNetworkReply* reply = get(window, url, savePath);
        if (isNewManager)
            QObject::connect(m_manager, &QNetworkAccessManager::finished, window, onFinished);
        QObject::connect(reply, &QNetworkReply::downloadProgress, window, onProgress);
        QObject::connect(reply, &QNetworkReply::readyRead, window, onReadyRead);
    }

    // Writes what has arrived.
    void readAvailable();

    // Ends the download of reply and releases the reply. False for a reply that is not the
    // running one (an aborted earlier one): the window then has nothing to do.
    bool finish(QNetworkReply* reply);

    // Drops the running reply without calling the window back; for the window's destructor.
    void release(QObject* window);

    QNetworkRequest request() const { return m_request; }

private:
    QNetworkReply* get(QObject* window, const QString& url, const QString& savePath);
    void dropReply(QObject* window);

    QFile* m_file = nullptr;
    QNetworkAccessManager* m_manager = nullptr;
    QNetworkRequest m_request;
    QNetworkReply* m_reply = nullptr;
};

#endif // SHEETDOWNLOAD_H
