#pragma once

#include <QString>

namespace pages {

class BrowserModule;

// The browser module sits next to the program's executable in a build, in the program's library folder
// once installed; the program is not linked to the browser engine, which costs noticeable start-up time
// and memory, and loads it when a browser window first opens.
QString defaultBrowserModulePath();

// Loads the module at path (once per process; later calls hand out the same instance). Returns nullptr
// and says why in error when it cannot: the file is missing, the engine's libraries are, or the
// application was not prepared for the engine (Qt::AA_ShareOpenGLContexts must be set before the
// QApplication exists, or Qt 6.4 crashes when the engine starts inside a running application).
BrowserModule *loadBrowserModule(const QString &path, QString *error = nullptr);

} // namespace pages
