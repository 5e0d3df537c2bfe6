#ifndef WINDOWPOSTS_H
#define WINDOWPOSTS_H

class QObject;

// Runs the event loop until every post of window has been answered (each runs on a network
// manager of its own, released after its reply) or the window has been deleted.
bool postsAnswered(QObject* window);
// The same for the window's own posts only, not those of the widgets inside it.
bool ownPostsAnswered(QObject* window);

#endif // WINDOWPOSTS_H
