#include "pages/browserplugin/webenginemodule.h"

#include "pages/browserplugin/webengineview.h"

pages::BrowserView *WebEngineModule::createView(QWidget *parent)
{
    return new WebEngineView(parent);
}
