#pragma once

#include "pages/browserview.h"

#include <QWebEngineView>

// The embedded browser proper: Qt WebEngine behind the program's browser interface.
class WebEngineView : public QWebEngineView, public pages::BrowserView
{
    Q_OBJECT

public:
    explicit WebEngineView(QWidget *parent);

    QWidget *widget() override { return this; }
    void navigate(const QUrl &address) override;
    void showHtml(const QString &html) override;
    void setLoadFinishedHandler(LoadFinished handler) override;
    void runScript(const QString &script, ScriptResult done) override;

private:
    LoadFinished m_loadFinished;
};
