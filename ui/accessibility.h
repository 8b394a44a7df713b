// The accessibility factory: the interfaces a screen reader gets for our widgets.
#pragma once

// What a screen reader is told of our own widgets, which Qt cannot guess:
// the main window is a frame named by its caption, the announcer a
// notification, the board a table of its cells.
namespace apqr::ui {

// Installs the one factory that gives those widgets their interfaces. The
// application's set-up calls it before the window is made; a test that reads
// the window as a screen reader does calls it too. Once is enough; further
// calls do nothing.
void installAccessibleInterfaces();

}  // namespace apqr::ui
