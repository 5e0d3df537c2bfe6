#ifndef RCPARA_H
#define RCPARA_H

// One crop size of the studio: the viewer opens a frame of aspect ratio height / width.
struct Rcpara
{
    Rcpara(int w, int h, bool isEllipse)
        : width(w)
        , height(h)
        , type(isEllipse)
    {
    }

    int width;
    int height;
    bool type; // false: rectangle; true: ellipse
};

#endif // RCPARA_H
