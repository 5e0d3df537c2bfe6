#ifndef ADDFRONTDLG_H
#define ADDFRONTDLG_H

#include <QDialog>
#include <QImage>
#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

class HttpRequest;
class QAction;
class QActionGroup;
class QToolBar;
class QVBoxLayout;
class ZKMarkEdit;
class ZKMarker;
namespace Ui {
class addFrontDlg;
}

// The mark editor ("调修要求") of one photo: numbered ellipses and rectangles on the picture,
// each with a text box in the side panel. The marks are loaded from the back end when
// setData is called and stored there on saving, together with a picture of the marked photo
// in the order folder's "marks/" (written on a worker).
//
// Saved means the back end answered "1" to the last save; a save that fails or is not
// answered leaves the marks unsaved and says so. While a save runs the editor takes no
// edits. Closing with unsaved marks asks whether to save; on Yes the editor stays open until
// the back end has answered, and reports the requirement text (sendNeedMessage) only then.
// When the photo's marks could not be loaded, a save would replace them with only the new
// ones, so it is confirmed first; until the load has ended the editor takes no edits.
// Marks lie on the photo: the pointer moves and resizes them only within the picture's
// rectangle (where the label paints the photo; label coordinates, as the mark strings keep
// them), and they follow the photo when the label re-centres it.
// Opened by the viewer, deleted on close.
class addFrontDlg : public QDialog
{
    Q_OBJECT
public:
    explicit addFrontDlg(QWidget* parent = nullptr);
    ~addFrontDlg() override;

    // Call after show(): the picture is scaled to the picture label's size at that moment.
    void setData(QImage image, QString picName);

    bool isSaved() const { return saved; }
    bool isSaving() const { return saving; }
    bool isLoadingMarks() const { return loadState == LoadState::Loading; }
    bool hasLoadedMarks() const { return loadState == LoadState::Loaded; }
    QList<ZKMarkEdit*> markEdits() const { return editList; }
    QRect pictureRect() const { return picRect; }
    // Where an editor on this desktop lays out the photo's picture, in the picture label's
    // coordinates (those of the mark strings), before the picture is fitted into it.
    static QRect pictureArea();

signals:
    void sendNeedMessage();

public slots:
    void reject() override;

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void createMarkerAction();
    void checkColorAction();
    void selectedMarker();
    void delMarkerSlot(ZKMarkEdit* edit);
    void editTextChangedSlot();
    void replyGetMarks(QJsonObject jsonInfo);
    void replyPostMarks(QJsonObject jsonInfo);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class LoadState { Loading, Loaded, Failed };

    void initMark();
    void httpGetMarks();
    void httpPostMarkData(QStringList marks);
    QStringList readMarkFromStr(QString mark);
    QStringList readMarkDelLst(QStringList numbers);

    // Starts a save; false when the operator declined to replace marks that were not loaded.
    bool startSave();
    QStringList markStrings() const;
    void saveFailed();
    void applyRequirement();
    bool isEditable() const;
    void updateEnabled();
    void markChanged() { saved = false; }
    void addEdit(ZKMarkEdit* edit, int layoutIndex);
    // Where the picture label paints the photo now, in label coordinates.
    QRect paintedPictureRect() const;
    // Shows a marker on the picture at frame, kept on the photo whenever the pointer moves it.
    void placeMarker(ZKMarker* marker, const QRect& frame);

    Ui::addFrontDlg* ui;
    QString pictureName;
    QVBoxLayout* panelLayout;
    QToolBar* toolBar;
    QActionGroup* colorGroup;
    QAction* squareAction;
    QAction* ellipseAction;
    QString colorName = QStringLiteral("red");
    int maxNumber = 0;
    QPointer<ZKMarker> selectMarker;
    QList<ZKMarkEdit*> editList;
    QStringList delNumbers;
    QRect picRect;
    bool saved = true;
    QStringList readNumbers;
    int loadPosition = 1;

    LoadState loadState = LoadState::Loading;
    bool saving = false;
    bool closeAfterSave = false;
    HttpRequest* loadRequest = nullptr;
    HttpRequest* saveRequest = nullptr;
};

#endif // ADDFRONTDLG_H
