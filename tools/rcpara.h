#ifndef RCPARA_H
#define RCPARA_H

// One crop size of the studio: the viewer opens a frame of aspect ratio height / width.
struct Rcpara
{
    Rcpara(int width, int height, bool type)
        : width(width)
        , height(height)
        , type(type)
    {
    }

    int width;
    int height;
    bool type; // false: rectangle; true: ellipse
};

#endif // RCPARA_H
