#pragma once

#include "pages/browserview.h"

#include <QObject>

// Entry point of the QTextBrowser module, found by the program through QPluginLoader like the engine's.
class TextBrowserModule : public QObject, public pages::BrowserModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZELVIK_BROWSER_MODULE_IID)
    Q_INTERFACES(pages::BrowserModule)

public:
    pages::BrowserView *createView(QWidget *parent) override;
};
