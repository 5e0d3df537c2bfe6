#ifndef DEMODATA_H
#define DEMODATA_H

#include <QByteArray>
#include <QString>

class StandInServer;

// Lays out the demo data set on disk: a picture-server share with one order folder
// of generated photos, as the studio's server would hold it.
class DemoData
{
public:
    // Folder of the demo order below the volumes root (as the back end names it, without root).
    static QString orderShareFolder();
    // Folder below the volumes root that stands for the demo stores' N8 share
    // ("\\N8SERVER\N8Share" in the store fixture), with its flagship store's "产品" folder
    // and the demo order's folder there (its "照片").
    static QString n8ShareFolder();
    // Creates the demo share below volumesRoot; existing files are kept.
    static bool createVolumes(const QString& volumesRoot, QString* error = nullptr);
    // The demo order's trial-shoot and retouch videos (in "视频/" of the order folder, as the
    // stand-in's picture information names them); existing files are kept.
    static bool createVideos(const QString& volumesRoot, QString* error = nullptr);
    // Writes a JPEG of the given size with a visible label; orientation 1..8 adds an EXIF tag.
    static bool writePhoto(const QString& path, int width, int height, const QString& label, int orientation = 1);

    // The sheet images: the order's barcode (interleaved 2 of 5 of its digits) and the studio's
    // payment code picture, as PNG.
    static QByteArray barcodePng(const QString& digits);
    static QByteArray payCodePng();
    // Where the stand-in serves the payment code picture (a path below its base address).
    static QString payCodePath();
    // Serves both images by GET: the barcode at the barcode endpoint, the payment code at its path.
    static void addImages(StandInServer& server);
    // Writes a short test video with a tone (Theora and Vorbis in Ogg, whatever the name's
    // extension) by running gst-launch-1.0; false when the tool or its elements are missing.
    static bool writeVideo(const QString& path, int seconds, QString* error = nullptr);
};

#endif // DEMODATA_H
