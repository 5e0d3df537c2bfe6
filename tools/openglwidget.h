#ifndef OPENGLWIDGET_H
#define OPENGLWIDGET_H

#include "tools/holefile.h"

#include <QGLWidget>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>

#include <vector>

namespace Ui {
class OpenGlWidget;
}

// The room preview: one room template fitted into the widget, and the photo handed over by
// receivePhoto() stretched onto each hole it is dropped on. Fixed-function GL, one textured
// quad for the template and one per filled hole; geometry is recomputed on every paint.
//
// The template and its hole file are read on a pool job (they lie on the studio's share);
// the latest showFamilyModelImage() call is drawn once its files are read, earlier ones are
// dropped. Textures are uploaded with the widget's context current, scaled down to what the
// GL implementation takes. GUI thread only; the viewer owns the widget.
class OpenGlWidget : public QGLWidget
{
    Q_OBJECT
public:
    explicit OpenGlWidget(QGLWidget* parent = nullptr);
    ~OpenGlWidget() override;

    void showFamilyModelImage(QString& path);
    void setIsDrag(bool drag);
    void receivePhoto(QImage& image);

    // Reads the hole file at path (HoleFile::pathFor of the template) where it is called, takes
    // its holes and renews the texture names: slot 0 the template, slot i + 1 the photo of
    // hole i (0 until it has one). The load road reads the file on its pool job instead.
    void getShapes(QString path);
    // 0: the template into slot 0; 1: the photo into the current hole's slot.
    void readImagetoOpengl(int which);
    void drawFamilyModePixmap();
    void transFromModelToOpengl(double w, double h);
    void transferFamilyCoordToWidgetCoord();
    void transFromFamilyHoleToOpengl();
    // A point given as fractions of the widget's width and height, in device coordinates.
    void whichQuadrant(double u, double v, double& x, double& y);
    // Makes the first hole that contains p the current hole.
    bool isInFamilyRc(QPoint p);
    void showFamilyModeTexture();
    void showPhotoTexture();

    bool hasTemplate() const { return !m_templateImage.isNull(); }
    bool hasPhoto() const { return m_hasPhoto; }
    int currentHole() const { return m_currentHole; }
    QList<FAMILYPOINTS> holes() const { return m_holes; }
    QList<QPointF> templateQuad() const { return m_templateQuad; }
    QList<QVector<QPoint>> holePolygons() const { return m_holePolygons; }
    QList<QVector<QPointF>> holeQuads() const { return m_holeQuads; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    struct LoadedTemplate;
    static LoadedTemplate loadTemplate(const QString& path, int maxTextureSide);
    void applyTemplate(const LoadedTemplate& loaded);
    // What getShapes() does with the holes once they are read.
    void takeShapes(const HoleFile& file);
    void deleteTexture(int slot);
    QImage textureImage(const QImage& image);

    Ui::OpenGlWidget* ui;
    // Empty until a template has been loaded; then N + 1 names, 0 for none.
    std::vector<GLuint> m_textures;
    int m_textureCount = 1;
    bool m_isDrag = false;
    bool m_hasPhoto = false;
    int m_currentHole = 0;
    // Scaled down to the largest texture; geometry uses the file's own size.
    QImage m_templateImage;
    QSize m_templateSize;
    QImage m_photoImage;
    QList<FAMILYPOINTS> m_holes;
    QList<QVector<QPoint>> m_holePolygons;
    QList<QVector<QPointF>> m_holeQuads;
    QList<QPointF> m_templateQuad;
    // The latest template load; a job of an earlier one is dropped.
    int m_load = 0;
    // Learnt when GL starts; 0 until then.
    int m_maxTextureSide = 0;
};

#endif // OPENGLWIDGET_H
