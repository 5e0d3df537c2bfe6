#ifndef DIRSERVER_H
#define DIRSERVER_H

#include <QString>

// Knows where everything of the open order lies on disk. Folder roots end in "/" and
// sub-folder names are appended without a separator, so a root set without its trailing
// "/" gives joined names; nothing repairs that.
//
// The GUI thread sets the roots while thumbnail jobs read them on pool threads, so every
// access goes through one lock: a path is always read whole, never half replaced.
class DirServer
{
public:
    DirServer() { }

    static QString getServerPath();
    static QString getOrderPath();

    static QString getOriginalImagePath();
    static QString getOriginalImageSmallThumbPath();
    static QString getOriginalImageThumbPath100();
    static QString getOriginalImageMidThumbPath();

    static QString getFineImagePath();
    static QString getFineImageSmallThumbPath();
    static QString getFineImageThumbPath100();
    static QString getFineImageMidThumbPath();

    static QString getDeletedImagePath();

    static QString getDesignImagePath();
    static QString getDesignImageSmallThumbPath();
    static QString getDesignImageThumbPath100();
    static QString getDesignImageMidThumbPath();
    static QString getDesignDeletedImagePath();

    static QString getMarkerPath();
    static QString getClipThumbPath();

    static QString getHomeModelPath();
    static QString getBedRoomHomeModelPath();
    static QString getLivingRoomHomeModelPath();
    static QString getOtherHomeModelPath();
    static QString getBackgroundMusicPath();
    static QString getTempPath();
    static QString getWebPageThumbPath();

    static void setServerPath(QString path);
    static void setOrderPath(QString path);
    static void setHomeModelPath(QString path);
    static void setBackgroundMusicPath(QString path);
    static void setWebPageThumbPath(QString path);

private:
    static QString read(const QString& member);
    static void write(QString& member, const QString& value);
    static QString order(const char* subFolder);
    static QString family(const char* subFolder);

    static QString dir_server;
    static QString dir_order;
    static QString dir_family;
    static QString dir_backmusic;
    static QString dir_temp;
    static QString dir_webpage_thumb;
};

#endif // DIRSERVER_H
