#pragma once

#include <QString>

// The main window's words beyond its fixed captions and labels (those stand where it is laid out):
// what its status panel and its boxes say.
namespace messages {

// The status bar's left panel: whether the directory is reached.
QString storeConnectedText(bool connected);

// The box about an edited row the grid could not write: its text when the grid gave no reason, and
// the label of the button that gives the row up, as the window is closed or a new search replaces it.
QString unsavedRowText();
QString closeWithoutSavingLabel();
QString dropEditLabel();

// A history.dat on a network share: several computers must not work on it at once.
QString networkShareText();

// "Подключение": the one directory is all there is.
QString noOtherDatabasesText();

} // namespace messages
