// The plugin that puts a FirstFrameProbe into any Qt program started with
// QT_QPA_GENERIC_PLUGINS=zelvikprobe and this folder's parent in QT_PLUGIN_PATH.
#include "bench/startupprobe/firstframeprobe.h"

#include <QCoreApplication>
#include <QGenericPlugin>

class StartupProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "startupprobe.json")
public:
    QObject *create(const QString &, const QString &) override
    {
        return new bench::FirstFrameProbe(QCoreApplication::instance());
    }
};

#include "startupprobeplugin.moc"
