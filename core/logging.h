#ifndef LOGGING_H
#define LOGGING_H

#include <QLoggingCategory>

// The client's debug-console categories, one per subsystem, so that a deployment can show the
// console of one subsystem and silence the rest:
//
//     QT_LOGGING_RULES="photoselect.*.debug=false;photoselect.viewer.debug=true"
//
// Every category writes all levels unless a rule says otherwise. Write with
// qCDebug(lcViewer) << ... and qCWarning(lcViewer) << ..., never with a bare qDebug().
Q_DECLARE_LOGGING_CATEGORY(lcApp)            // photoselect.app: start-up, sign-in, settings
Q_DECLARE_LOGGING_CATEGORY(lcBackend)        // photoselect.backend: every post and its failure
Q_DECLARE_LOGGING_CATEGORY(lcPhotoStore)     // photoselect.photostore: albums, files, images
Q_DECLARE_LOGGING_CATEGORY(lcOrder)          // photoselect.order: the order search
Q_DECLARE_LOGGING_CATEGORY(lcWorkspace)      // photoselect.workspace: main window, album panel
Q_DECLARE_LOGGING_CATEGORY(lcViewer)         // photoselect.viewer: the photo viewer
Q_DECLARE_LOGGING_CATEGORY(lcProducts)       // photoselect.products: the products panel
Q_DECLARE_LOGGING_CATEGORY(lcSchedule)       // photoselect.schedule: the schedule boards
Q_DECLARE_LOGGING_CATEGORY(lcDelivery)       // photoselect.delivery: urgency and delivery
Q_DECLARE_LOGGING_CATEGORY(lcSheets)         // photoselect.sheets: production and express sheets
Q_DECLARE_LOGGING_CATEGORY(lcSubmit)         // photoselect.submit: the result submission
Q_DECLARE_LOGGING_CATEGORY(lcProductChanges) // photoselect.productchanges: order product changes
Q_DECLARE_LOGGING_CATEGORY(lcTools)          // photoselect.tools: crop sizes, marks, room preview
Q_DECLARE_LOGGING_CATEGORY(lcN8)             // photoselect.n8: the N8 exchange
Q_DECLARE_LOGGING_CATEGORY(lcUpload)         // photoselect.upload: the photo upload
Q_DECLARE_LOGGING_CATEGORY(lcVideo)          // photoselect.video: the video player

#endif // LOGGING_H
