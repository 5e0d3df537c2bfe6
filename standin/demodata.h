#ifndef DEMODATA_H
#define DEMODATA_H

#include <QString>

// Lays out the demo data set on disk: a picture-server share with one order folder
// of generated photos, as the studio's server would hold it.
class DemoData
{
public:
    // Folder of the demo order below the volumes root (as the back end names it, without root).
    static QString orderShareFolder();
    // Creates the demo share below volumesRoot; existing files are kept.
    static bool createVolumes(const QString& volumesRoot, QString* error = nullptr);
    // The demo order's trial-shoot and retouch videos (in "视频/" of the order folder, as the
    // stand-in's picture information names them); existing files are kept.
    static bool createVideos(const QString& volumesRoot, QString* error = nullptr);
    // Writes a JPEG of the given size with a visible label; orientation 1..8 adds an EXIF tag.
    static bool writePhoto(const QString& path, int width, int height, const QString& label, int orientation = 1);
    // Writes a short test video with a tone (Theora and Vorbis in Ogg, whatever the name's
    // extension) by running gst-launch-1.0; false when the tool or its elements are missing.
    static bool writeVideo(const QString& path, int seconds, QString* error = nullptr);
};

#endif // DEMODATA_H
