#include "tools/openglwidget.h"
#include "ui_openglwidget.h"

#include "core/logging.h"
#include "core/worker.h"
#include "photostore/imageoperation.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPolygonF>

#include <algorithm>
#include <climits>

struct OpenGlWidget::LoadedTemplate
{
    QString path;
    QImage image;
    QSize size;
    HoleFile holeFile;
};

namespace {

// (int) as the geometry wants it, truncating toward zero, but never past the range of int.
int truncated(double value)
{
    return int(std::clamp(value, double(INT_MIN), double(INT_MAX)));
}

QImage fittedInto(const QImage& image, int side)
{
    if (side <= 0 || image.isNull() || (image.width() <= side && image.height() <= side))
        return image;
    return image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// Corners in the order of the geometry (top-left, bottom-left, bottom-right, top-right);
// textures are upside down (convertToGLFormat), so (0, 0) goes at the bottom-left.
void drawTexturedQuad(
    const QPointF& topLeft, const QPointF& bottomLeft, const QPointF& bottomRight, const QPointF& topRight, double z)
{
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex3d(bottomLeft.x(), bottomLeft.y(), z);
    glTexCoord2d(1, 0);
    glVertex3d(bottomRight.x(), bottomRight.y(), z);
    glTexCoord2d(1, 1);
    glVertex3d(topRight.x(), topRight.y(), z);
    glTexCoord2d(0, 1);
    glVertex3d(topLeft.x(), topLeft.y(), z);
    glEnd();
}

} // namespace

OpenGlWidget::OpenGlWidget(QGLWidget* parent)
    : QGLWidget(parent)
    , ui(new Ui::OpenGlWidget)
{
    ui->setupUi(this);
}

OpenGlWidget::~OpenGlWidget()
{
    if (!m_textures.empty() && isValid()) {
        makeCurrent();
        for (GLuint& name : m_textures) {
            if (name)
                glDeleteTextures(1, &name);
        }
    }
    delete ui;
}

OpenGlWidget::LoadedTemplate OpenGlWidget::loadTemplate(const QString& path, int maxTextureSide)
{
    LoadedTemplate loaded;
    loaded.path = path;
    QSize full;
    loaded.image = maxTextureSide > 0 ? ImageOperation::loadImageAtLeast(path, maxTextureSide, &full)
                                      : ImageOperation::loadImage(path);
    if (loaded.image.isNull())
        return loaded;
    loaded.size = full.isValid() ? full : loaded.image.size();
    loaded.image = fittedInto(loaded.image, maxTextureSide);
    loaded.holeFile = HoleFile::read(HoleFile::pathFor(path));
    return loaded;
}

void OpenGlWidget::showFamilyModelImage(QString& path)
{
    const int load = ++m_load;
    const int maxSide = m_maxTextureSide;
    const QString file = path;
    Worker::run(
        this, [file, maxSide] { return loadTemplate(file, maxSide); },
        [this, load](const LoadedTemplate& loaded) {
            if (load == m_load)
                applyTemplate(loaded);
        });
}

void OpenGlWidget::applyTemplate(const LoadedTemplate& loaded)
{
    m_templateImage = loaded.image;
    if (m_templateImage.isNull()) {
        qCDebug(lcTools) << Q_FUNC_INFO << "cannot read the room template" << loaded.path;
        return;
    }
    m_templateSize = loaded.size;
    m_isDrag = false;
    m_hasPhoto = false;
    m_currentHole = 0;
    // Without a usable hole file the template is still worth showing, with no holes.
    if (!loaded.holeFile.error.isEmpty())
        qCDebug(lcTools) << Q_FUNC_INFO << loaded.holeFile.error;
    takeShapes(loaded.holeFile);
    readImagetoOpengl(0);
    updateGL();
}

void OpenGlWidget::setIsDrag(bool drag)
{
    m_isDrag = drag;
}

void OpenGlWidget::receivePhoto(QImage& image)
{
    m_photoImage = image;
}

void OpenGlWidget::deleteTexture(int slot)
{
    if (slot < 0 || slot >= int(m_textures.size()) || !m_textures[slot])
        return;
    if (isValid()) {
        makeCurrent();
        glDeleteTextures(1, &m_textures[slot]);
    }
    m_textures[slot] = 0;
}

void OpenGlWidget::getShapes(QString path)
{
    takeShapes(HoleFile::read(path));
}

void OpenGlWidget::takeShapes(const HoleFile& file)
{
    m_holes.clear();
    for (int slot = 0; slot < int(m_textures.size()); ++slot)
        deleteTexture(slot);
    m_holes = file.holes;
    m_textureCount = m_holes.size() + 1;
    m_textures.assign(size_t(m_textureCount), 0);
}

QImage OpenGlWidget::textureImage(const QImage& image)
{
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    if (maxSide > 0)
        m_maxTextureSide = maxSide;
    return QGLWidget::convertToGLFormat(fittedInto(image, m_maxTextureSide));
}

void OpenGlWidget::readImagetoOpengl(int which)
{
    const int slot = which == 0 ? 0 : m_currentHole + 1;
    if (slot >= int(m_textures.size()) || !isValid())
        return;
    makeCurrent();
    const QImage image = textureImage(which == 0 ? m_templateImage : m_photoImage);
    if (image.isNull())
        return;
    glGenTextures(1, &m_textures[slot]);
    glBindTexture(GL_TEXTURE_2D, m_textures[slot]);
    glTexImage2D(
        GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE, image.constBits());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

void OpenGlWidget::initializeGL()
{
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    m_maxTextureSide = maxSide;
    glShadeModel(GL_FLAT);
    glClearColor(0, 0, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void OpenGlWidget::resizeGL(int w, int h)
{
    if (h == 0)
        h = 1;
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

void OpenGlWidget::drawFamilyModePixmap()
{
    m_templateQuad.clear();
    m_holePolygons.clear();
    m_holeQuads.clear();
    // Nothing to fit without a template (and its size would divide by zero).
    if (m_templateSize.isEmpty() || width() <= 0 || height() <= 0)
        return;
    const double s = std::min(double(width()) / m_templateSize.width(), double(height()) / m_templateSize.height());
    transFromModelToOpengl(m_templateSize.width() * s, m_templateSize.height() * s);
    transferFamilyCoordToWidgetCoord();
    transFromFamilyHoleToOpengl();
}

void OpenGlWidget::transFromModelToOpengl(double w, double h)
{
    const double a = w / 2;
    const double b = h / 2;
    const double hw = double(qMax(1, width() / 2));
    const double hh = double(qMax(1, height() / 2));
    m_templateQuad
        = {QPointF(-a / hw, b / hh), QPointF(-a / hw, -b / hh), QPointF(a / hw, -b / hh), QPointF(a / hw, b / hh)};
}

void OpenGlWidget::transferFamilyCoordToWidgetCoord()
{
    m_holePolygons.clear();
    const double W = width();
    const double H = height();
    const double s = std::min(W / m_templateSize.width(), H / m_templateSize.height());
    const int ox = truncated((W - m_templateSize.width() * s) / 2);
    const int oy = truncated((H - m_templateSize.height() * s) / 2);
    auto toWidget
        = [&](const QPointF& corner) { return QPoint(truncated(corner.x() * s + ox), truncated(corner.y() * s + oy)); };
    for (const FAMILYPOINTS& hole : qAsConst(m_holes))
        m_holePolygons.append(
            {toWidget(hole.point1), toWidget(hole.point2), toWidget(hole.point3), toWidget(hole.point4)});
}

void OpenGlWidget::transFromFamilyHoleToOpengl()
{
    m_holeQuads.clear();
    const double W = width();
    const double H = height();
    for (const QVector<QPoint>& polygon : qAsConst(m_holePolygons)) {
        QVector<QPointF> quad;
        for (const QPoint& p : polygon) {
            double x = 0;
            double y = 0;
            whichQuadrant(p.x() / W, p.y() / H, x, y);
            quad.append(QPointF(x, y));
        }
        m_holeQuads.append(quad);
    }
}

void OpenGlWidget::whichQuadrant(double u, double v, double& x, double& y)
{
    x = (u - 0.5) * 2;
    y = (0.5 - v) * 2;
}

bool OpenGlWidget::isInFamilyRc(QPoint p)
{
    for (int i = 0; i < m_holePolygons.size(); ++i) {
        const QVector<QPoint>& corners = m_holePolygons.at(i);
        QPolygonF polygon;
        for (const QPoint& corner : corners)
            polygon.append(QPointF(corner));
        if (polygon.containsPoint(QPointF(p), Qt::OddEvenFill)) {
            m_currentHole = i;
            return true;
        }
    }
    return false;
}

void OpenGlWidget::showFamilyModeTexture()
{
    if (m_templateQuad.size() != 4)
        return;
    drawTexturedQuad(m_templateQuad[0], m_templateQuad[1], m_templateQuad[2], m_templateQuad[3], -0.8);
}

void OpenGlWidget::showPhotoTexture()
{
    for (int slot = 1; slot < int(m_textures.size()); ++slot) {
        const int hole = slot - 1;
        // A hole that has received no photo keeps showing the template.
        if (!m_textures[slot] || hole >= m_holeQuads.size())
            continue;
        const QVector<QPointF>& quad = m_holeQuads.at(hole);
        glBindTexture(GL_TEXTURE_2D, m_textures[slot]);
        // Nearer than the template, so the photo covers it.
        drawTexturedQuad(quad[0], quad[1], quad[2], quad[3], -1.0);
    }
}

void OpenGlWidget::paintGL()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // A template that could not be read is not drawn at all (there is nothing to fit).
    if (m_templateImage.isNull())
        return;
    // A template that arrived before the context could take it is uploaded now.
    if (!m_textures.empty() && !m_textures[0])
        readImagetoOpengl(0);
    if (!m_textures.empty())
        glBindTexture(GL_TEXTURE_2D, m_textures[0]);
    drawFamilyModePixmap();
    showFamilyModeTexture();
    if (m_hasPhoto)
        showPhotoTexture();
}

void OpenGlWidget::dragEnterEvent(QDragEnterEvent* event)
{
    event->accept();
}

void OpenGlWidget::dragMoveEvent(QDragMoveEvent* event)
{
    drawFamilyModePixmap();
    if (isInFamilyRc(event->pos()))
        qCDebug(lcTools) << "拖动中，在框内";
    else
        qCDebug(lcTools) << "拖动中，不在框内";
}

void OpenGlWidget::dropEvent(QDropEvent* event)
{
    if (!m_isDrag || m_textures.empty() || m_photoImage.isNull())
        return;
    // The geometry of the size the widget has now, even before its next paint.
    drawFamilyModePixmap();
    if (!isInFamilyRc(event->pos()))
        return;
    deleteTexture(m_currentHole + 1);
    readImagetoOpengl(1);
    m_hasPhoto = true;
    updateGL();
}
