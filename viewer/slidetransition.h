#ifndef SLIDETRANSITION_H
#define SLIDETRANSITION_H

#include <QImage>
#include <QSize>

class QObject;
class QPainter;
class QTimeLine;

// The transition engine that both picture widgets carry: a new photo is drawn at its final
// place and uncovered from black, frame by frame of a time line. The widgets keep their own
// state and numbering of the effects; this is the arithmetic and the painting they share.
// Everything runs on the GUI thread.
namespace SlideTransition {

enum Shape { Black, CentreOpening, VerticalBlinds, HorizontalBlinds, Checkerboard, WipeDown };

// A linear time line of Config::anim_speed milliseconds (read now), child of parent.
QTimeLine* makeTimeLine(QObject* parent);
// Runs the time line again from frame 0 over the frames of an image ih pixels high.
void restart(QTimeLine* timeLine, int imageHeight);
// The image fitted into the primary screen less two pixels each way.
QImage fittedToScreen(const QImage& image);
// The frame that ends the transition of an image ih pixels high.
int lastFrame(int imageHeight);
// The uncovered height at a frame: 8 per frame, the remainder from the start, ih at the end.
int position(int frame, int imageHeight);
// Paints a frame over the widget's black background: the image centred in a widget of the
// given size with what is not yet uncovered at position p covered in black.
void paint(QPainter& painter, Shape shape, const QImage& image, const QSize& widget, int p);

// The shapes by effect number of the large-photo pane's widget and of the full-screen
// widget; a number outside 0..9 is black.
Shape paneShape(int effect);
Shape fullScreenShape(int effect);

} // namespace SlideTransition

#endif // SLIDETRANSITION_H
