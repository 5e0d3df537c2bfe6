#include "tools/addfrontdlg.h"

#include "core/config.h"
#include "core/formbody.h"
#include "core/httprequest.h"
#include "core/logging.h"
#include "core/prompt.h"
#include "core/replycheck.h"
#include "core/worker.h"
#include "photostore/dirserver.h"
#include "photostore/imagedata.h"
#include "tools/markpost.h"
#include "tools/markstring.h"
#include "tools/zkmarkedit.h"
#include "tools/zkmarker.h"
#include "ui_addfrontdlg.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStyle>
#include <QToolBar>
#include <QtConcurrent>

#include <algorithm>

namespace {

// Runs on a worker: the folder's last level is made when missing, an older picture replaced.
bool writeMarksPicture(QImage picture, QString folder, QString path)
{
    if (!QDir(folder).exists() && !QDir().mkdir(folder))
        return false;
    return picture.save(path, "JPG", 100);
}

void removeMarksPicture(QString path)
{
    if (QFile::exists(path))
        QFile::remove(path);
}

void sortNumerically(QStringList& numbers)
{
    std::sort(numbers.begin(), numbers.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
}

} // namespace

addFrontDlg::addFrontDlg(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::addFrontDlg)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("调修要求"));
    ui->label->setAlignment(Qt::AlignCenter);
    // The picture is scaled to the label, never the label to the picture.
    ui->label->setMinimumSize(1, 1);
    ui->label->installEventFilter(this);

    const QRect desktop = QApplication::desktop()->geometry();
    const QSize size(int(desktop.width() * 0.8), int(desktop.height() * 0.8));
    resize(size);
    setMinimumSize(size);
    setMaximumSize(size);

    initMark();
}

addFrontDlg::~addFrontDlg()
{
    ui->label->removeEventFilter(this);
    delete ui;
}

void addFrontDlg::initMark()
{
    toolBar = new QToolBar(QStringLiteral("工具"));
    squareAction = new QAction(QIcon(QStringLiteral(":/toolIcon/Image/toolIcons/square.png")), QString(), toolBar);
    squareAction->setObjectName(QStringLiteral("square"));
    ellipseAction = new QAction(QIcon(QStringLiteral(":/toolIcon/Image/toolIcons/ellipse.png")), QString(), toolBar);
    ellipseAction->setObjectName(QStringLiteral("ellipse"));
    connect(squareAction, &QAction::triggered, this, &addFrontDlg::createMarkerAction);
    connect(ellipseAction, &QAction::triggered, this, &addFrontDlg::createMarkerAction);
    toolBar->addAction(squareAction);
    toolBar->addAction(ellipseAction);
    toolBar->addSeparator();

    colorGroup = new QActionGroup(this);
    colorGroup->setExclusive(true);
    for (const char* name : {"red", "green", "blue", "yellow", "orange"}) {
        const QString colour = QLatin1String(name);
        QAction* action = new QAction(
            QIcon(QStringLiteral(":/toolIcon/Image/toolIcons/") + colour + QStringLiteral(".png")), QString(), toolBar);
        action->setObjectName(colour);
        action->setCheckable(true);
        action->setChecked(colour == colorName);
        colorGroup->addAction(action);
        connect(action, &QAction::triggered, this, &addFrontDlg::checkColorAction);
        toolBar->addAction(action);
    }

    panelLayout = ui->verticalLayout;
    panelLayout->addWidget(toolBar);
    QFrame* line = new QFrame(ui->groupBox);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    panelLayout->addWidget(line);
    panelLayout->addStretch(2);
}

void addFrontDlg::setData(QImage image, QString picName)
{
    const QImage scaled
        = image.isNull() ? image : image.scaled(ui->label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ui->label->setPixmap(QPixmap::fromImage(scaled));
    picRect = paintedPictureRect();
    pictureName = picName;
    httpGetMarks();
}

QRect addFrontDlg::pictureArea()
{
    // The editor's size is fixed by the desktop, and so is its picture label's: laid out here
    // without being shown.
    addFrontDlg editor(nullptr);
    editor.layout()->activate();
    return editor.ui->label->contentsRect();
}

QRect addFrontDlg::paintedPictureRect() const
{
    // Where the label paints its picture, computed as the label itself does.
    const QSize picture = ui->label->pixmap(Qt::ReturnByValue).size();
    return QStyle::alignedRect(
        ui->label->layoutDirection(), ui->label->alignment(), picture, ui->label->contentsRect());
}

bool addFrontDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->label && event->type() == QEvent::Resize && !picRect.isNull()) {
        // The label centres its picture anew: the marks move with it, so they stay on the same spots of the photo.
        const QRect moved = paintedPictureRect();
        const QPoint shift = moved.topLeft() - picRect.topLeft();
        picRect = moved;
        for (ZKMarkEdit* edit : qAsConst(editList)) {
            if (!edit->marker)
                continue;
            edit->marker->move(edit->marker->pos() + shift);
            edit->marker->setBounds(picRect);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void addFrontDlg::placeMarker(ZKMarker* marker, const QRect& frame)
{
    marker->setGeometry(frame);
    marker->setBounds(picRect);
    marker->show();
    connect(marker, &ZKMarker::selectedSgl, this, &addFrontDlg::selectedMarker);
}

void addFrontDlg::httpGetMarks()
{
    // Marks made before the stored ones arrive would take their numbers.
    loadState = LoadState::Loading;
    updateEnabled();
    const QByteArray body = MarkPost::loadBody(pictureName);
    loadRequest = HttpRequest::startNetRequest(Config::url_get_imgMarks, body, false);
    connect(loadRequest, &HttpRequest::netSuccessInfo, this, &addFrontDlg::replyGetMarks);
    // Whatever ends the request without marks (network error, a body that is no object)
    // leaves the stored marks unknown.
    connect(loadRequest, &QObject::destroyed, this, [this](QObject* request) {
        if (request != loadRequest)
            return;
        loadRequest = nullptr;
        if (loadState == LoadState::Loading)
            loadState = LoadState::Failed;
        updateEnabled();
    });
}

void addFrontDlg::replyGetMarks(QJsonObject jsonInfo)
{
    const QJsonValue marks = jsonInfo.value(QStringLiteral("mark"));
    const bool isSuccess = ReplyCheck::isAccepted(jsonInfo);
    loadState = isSuccess || marks.isArray() ? LoadState::Loaded : LoadState::Failed;
    updateEnabled();
    for (const QJsonValue& mark : marks.toArray()) {
        const QString text = mark.toString();
        if (!text.isEmpty())
            readMarkFromStr(text);
    }
    delNumbers = readMarkDelLst(readNumbers);
    qCDebug(lcTools).noquote() << "markList:" << readNumbers;
    qCDebug(lcTools).noquote() << "list:" << delNumbers;
}

QStringList addFrontDlg::readMarkFromStr(QString mark)
{
    const MarkString read = MarkString::parse(mark);
    if (!read.isValid()) {
        qCDebug(lcTools).noquote() << "mark skipped:" << read.error << mark;
        return readNumbers;
    }
    readNumbers << QString::number(read.number);
    maxNumber = qMax(maxNumber, read.number);

    ZKMarker* marker = new ZKMarker(read.number, ZKMarker::ShapeEnum(read.shape), read.color, ui->label);
    // Where it was stored, even off the photo: moving it brings it back.
    placeMarker(marker, read.rect);

    ZKMarkEdit* edit = new ZKMarkEdit(read.number, marker, ui->groupBox);
    edit->setEditText(read.text);
    edit->setGeometry(0, 0, ui->groupBox->width(), 30);
    ++loadPosition;
    addEdit(edit, loadPosition);
    return readNumbers;
}

QStringList addFrontDlg::readMarkDelLst(QStringList numbers)
{
    QStringList free;
    for (int i = 1; i <= maxNumber; ++i)
        free << QString::number(i);
    for (const QString& number : numbers)
        free.removeOne(number);
    return free;
}

void addFrontDlg::addEdit(ZKMarkEdit* edit, int layoutIndex)
{
    panelLayout->insertWidget(layoutIndex <= panelLayout->count() ? layoutIndex : -1, edit);
    editList.append(edit);
    connect(edit, &ZKMarkEdit::delEditSgl, this, &addFrontDlg::delMarkerSlot);
    connect(edit, &ZKMarkEdit::editTextChanged, this, &addFrontDlg::editTextChangedSlot);
}

void addFrontDlg::createMarkerAction()
{
    if (!isEditable())
        return;
    markChanged();
    int number = 0;
    if (!delNumbers.isEmpty())
        number = delNumbers.takeFirst().toInt();
    else
        number = ++maxNumber;

    const bool isSquare = sender() == squareAction;
    const QPoint centre(int(ui->label->width() * 0.5), int(ui->label->height() * 0.5));
    QRect frame(centre, isSquare ? QSize(140, 95) : QSize(160, 80));
    if (!picRect.isEmpty()) {
        // On the photo: shrunk to it when larger, pushed back from the edges it would cross.
        frame.setSize(frame.size().boundedTo(picRect.size()));
        frame.moveLeft(qMax(picRect.left(), qMin(frame.left(), picRect.right() - frame.width() + 1)));
        frame.moveTop(qMax(picRect.top(), qMin(frame.top(), picRect.bottom() - frame.height() + 1)));
    }
    ZKMarker* marker
        = new ZKMarker(number, isSquare ? ZKMarker::Rectangle : ZKMarker::Ellipse, QColor(colorName), ui->label);
    placeMarker(marker, frame);

    ZKMarkEdit* edit = new ZKMarkEdit(number, marker, ui->groupBox);
    edit->setGeometry(0, 0, ui->groupBox->width(), 30);
    addEdit(edit, number + 1);
}

void addFrontDlg::checkColorAction()
{
    if (QObject* action = sender())
        colorName = action->objectName();
}

void addFrontDlg::selectedMarker()
{
    markChanged();
    if (selectMarker)
        selectMarker->setIsSelect(false);
    selectMarker = qobject_cast<ZKMarker*>(sender());
    if (selectMarker)
        selectMarker->setIsSelect(true);
}

void addFrontDlg::editTextChangedSlot()
{
    markChanged();
}

void addFrontDlg::delMarkerSlot(ZKMarkEdit* edit)
{
    if (!edit || !editList.contains(edit))
        return;
    markChanged();
    editList.removeOne(edit);
    panelLayout->removeWidget(edit);
    edit->deleteLater();
    if (edit->marker) {
        if (selectMarker == edit->marker)
            selectMarker = nullptr;
        // Hidden at once, so that a save in the same turn does not draw it.
        edit->marker->hide();
        edit->marker->deleteLater();
    }
    delNumbers << QString::number(edit->getNum());
    sortNumerically(delNumbers);
}

QStringList addFrontDlg::markStrings() const
{
    QStringList marks;
    for (ZKMarkEdit* edit : editList) {
        const ZKMarker* marker = edit->marker;
        const QString mark = MarkString::toString(marker->geometry(), marker->getShapeEn(), marker->getMarkNum(),
            marker->getMarkColor(), edit->getEditText());
        const int index = edit->getNum() - 1;
        if (marks.size() < index)
            marks.append(mark);
        else
            marks.insert(index, mark);
    }
    return marks;
}

bool addFrontDlg::startSave()
{
    if (saving)
        return true;
    if (loadState == LoadState::Loading)
        return false;
    if (loadState != LoadState::Loaded
        && Prompt::question(this, QStringLiteral("警告"),
               QStringLiteral("这张照片已有的标注没有读取成功，保存会用当前的标注替换它们。是否仍然保存？"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            != QMessageBox::Yes)
        return false;

    const QString folder = DirServer::getMarkerPath();
    qCDebug(lcTools).noquote() << "MarkerPath==" << folder;
    const QString path = folder + pictureName;
    qCDebug(lcTools).noquote() << "marksImg Path:" << path;
    // Taken before the editor goes busy: a disabled label would be drawn greyed.
    const QImage picture = ui->label->grab(picRect).toImage();
    const QStringList marks = markStrings();
    saving = true;
    updateEnabled();

    // The picture is written first, so that a later upload finds the one that was posted.
    Worker::run(
        this, [picture, folder, path] { return writeMarksPicture(picture, folder, path); },
        [this, path, marks](bool written) {
            if (!written)
                qCDebug(lcTools).noquote() << "marks picture not written:" << path;
            httpPostMarkData(marks);
        });
    return true;
}

void addFrontDlg::httpPostMarkData(QStringList marks)
{
    const QByteArray body = MarkPost::saveBody(marks, pictureName);
    saveRequest = HttpRequest::startNetRequest(Config::url_post_imgMarks, body, true);
    connect(saveRequest, &HttpRequest::netSuccessInfo, this, &addFrontDlg::replyPostMarks);
    // A request that ends without an object (network error, no JSON) is a failed save.
    connect(saveRequest, &QObject::destroyed, this, [this](QObject* request) {
        if (request != saveRequest)
            return;
        saveRequest = nullptr;
        saveFailed();
    });
}

void addFrontDlg::replyPostMarks(QJsonObject jsonInfo)
{
    saveRequest = nullptr;
    if (!ReplyCheck::isAccepted(jsonInfo)) {
        saveFailed();
        return;
    }
    saving = false;
    updateEnabled();
    saved = true;
    if (!closeAfterSave)
        Prompt::information(
            nullptr, QStringLiteral("提示"), QStringLiteral("保存成功"), QMessageBox::Yes, QMessageBox::Yes);
    applyRequirement();
    if (closeAfterSave)
        close();
}

void addFrontDlg::saveFailed()
{
    saving = false;
    closeAfterSave = false;
    updateEnabled();
    Prompt::information(
        nullptr, QStringLiteral("提示"), QStringLiteral("保存失败，请重新保存！"), QMessageBox::Yes, QMessageBox::Yes);
}

void addFrontDlg::applyRequirement()
{
    const QString need = editList.isEmpty() ? QString() : QStringLiteral("已有%1个标注").arg(editList.size());
    if (editList.isEmpty())
        QtConcurrent::run(removeMarksPicture, DirServer::getMarkerPath() + pictureName);
    ImageData* images = ImageData::getInstance();
    // The editor is modal, so the current photo is the marked one; a name check keeps a
    // late answer from writing onto another photo.
    if (images->getCurrentIndex() >= 0 && images->getIterator()->GetImageName() == pictureName)
        images->setCurrentStrneed(need);
    emit sendNeedMessage();
}

bool addFrontDlg::isEditable() const
{
    return !saving && loadState != LoadState::Loading;
}

void addFrontDlg::updateEnabled()
{
    ui->label->setEnabled(isEditable());
    ui->groupBox->setEnabled(isEditable());
    ui->pushButton->setEnabled(isEditable());
    ui->pushButton_2->setEnabled(!saving);
}

void addFrontDlg::on_pushButton_clicked()
{
    startSave();
}

void addFrontDlg::on_pushButton_2_clicked()
{
    close();
}

void addFrontDlg::reject()
{
    // Escape closes like the window's button, so unsaved marks are asked about too.
    close();
}

void addFrontDlg::closeEvent(QCloseEvent* event)
{
    if (saving) {
        // The answer decides: closed once saved, kept open with a message otherwise.
        closeAfterSave = true;
        event->ignore();
        return;
    }
    if (!saved) {
        const QMessageBox::StandardButton answer = Prompt::question(this, QStringLiteral("调修要求"),
            QStringLiteral("标注内容已经发生变化，是否保存？"), QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer == QMessageBox::Yes) {
            qCDebug(lcTools) << "save marks true";
            if (startSave())
                closeAfterSave = true;
            event->ignore();
            return;
        }
    }
    event->accept();
}
