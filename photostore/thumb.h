#ifndef THUMB_H
#define THUMB_H

#include "photostore/thumbthread.h"

// As ThumbThread, but it also reports a picture that could not be read (a null image).
class Thumb : public ThumbThread
{
    Q_OBJECT
public:
    Thumb();
    explicit Thumb(QObject* parent);
    Thumb(QString path, int width, int height, bool keepFullSize);

protected:
    void run() override;
};

#endif // THUMB_H
