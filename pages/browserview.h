#pragma once

#include <QtPlugin>

#include <functional>

class QString;
class QUrl;
class QVariant;
class QWidget;

namespace pages {

// What the windows need of an embedded browser. The engine behind it lives in a module of its own that is
// loaded on first use (see browsermodule.h), so this interface stays free of Qt's meta-object machinery:
// the module and the program each have their own copy of this header and nothing else in common.
class BrowserView
{
public:
    using LoadFinished = std::function<void(bool ok)>;
    using ScriptResult = std::function<void(const QVariant &result)>;

    virtual ~BrowserView() = default;

    // The view itself, to be placed in a window; it is owned by the parent it was created with.
    virtual QWidget *widget() = 0;

    virtual void navigate(const QUrl &address) = 0;
    // Shows a document given as text, without any network access.
    virtual void showHtml(const QString &html) = 0;
    // Called once a main-frame load ends; ok is false when it failed and the engine shows its error page.
    virtual void setLoadFinishedHandler(LoadFinished handler) = 0;
    // Runs a script in the loaded document; the result (invalid when the script could not run) arrives later.
    virtual void runScript(const QString &script, ScriptResult done) = 0;
};

// The module's entry point.
class BrowserModule
{
public:
    virtual ~BrowserModule() = default;

    // Returns a view owned by parent.
    virtual BrowserView *createView(QWidget *parent) = 0;
};

} // namespace pages

#define ZELVIK_BROWSER_MODULE_IID "org.zelvik.BrowserModule/1.0"
Q_DECLARE_INTERFACE(pages::BrowserModule, ZELVIK_BROWSER_MODULE_IID)
