#include "pages/textbrowser/textbrowsermodule.h"

#include "pages/textbrowser/textbrowserview.h"

pages::BrowserView *TextBrowserModule::createView(QWidget *parent)
{
    return new TextBrowserView(parent);
}
