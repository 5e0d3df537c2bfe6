# The layers of the client, lowest first. A file may include headers of its own rank and of
# lower ranks only; cmake/checklayers.cmake fails the build otherwise. Folders of one rank may
# include each other: only the search window and the main window share a rank on purpose, since
# each opens the other.
set(LAYER_RANKS core photostore widgets leaves openers submit products mainwindows app)
# Settings, deployment, the request road, form bodies, the message-box seam.
set(LAYER_core core)
# Records, albums, files, images, thumbnail jobs.
set(LAYER_photostore photostore)
# Small widgets and reply helpers that several windows use.
set(LAYER_widgets widgets)
# Windows that open no other window.
set(LAYER_leaves Calendar tools upload video)
# Windows that open only leaf windows.
set(LAYER_openers delivery sheets viewer exchange productchanges)
# The submission dialog: schedule boards, delivery choice, sheets.
set(LAYER_submit submit)
# The product panel: urgency, product changes, upload, submission.
set(LAYER_products products)
# The order search window and the selection workspace, which open each other.
set(LAYER_mainwindows order workspace)
# Start-up and sign-in, which open the order search.
set(LAYER_app app)
# The programs built on the client; no layer may include them.
set(LAYER_TOP tests bench standin)

set(WINDOW_LAYERS leaves openers submit products mainwindows app)
set(WINDOW_DIRS)
foreach(rank ${WINDOW_LAYERS})
  list(APPEND WINDOW_DIRS ${LAYER_${rank}})
endforeach()
