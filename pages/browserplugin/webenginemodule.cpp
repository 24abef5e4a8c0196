#include "webenginemodule.h"

#include "webengineview.h"

pages::BrowserView *WebEngineModule::createView(QWidget *parent)
{
    return new WebEngineView(parent);
}
