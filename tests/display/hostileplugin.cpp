// SPDX-License-Identifier: GPL-3.0-or-later
// Native code a hostile board brings in its folder and names in a qmldir "plugin" line: a QML
// plugin that, as soon as the system loads it, writes a file beside itself, "<its name>.ran".
// That file must never appear.
#include "modulefile.h"

#include <QQmlEngineExtensionPlugin>

#include <fstream>

namespace {

bool MarkLoaded()
{
    std::filesystem::path marker = ModuleFile();
    if (marker.empty())
        return false;
    marker += ".ran";
    std::ofstream(marker) << "native code ran\n";
    return true;
}

// Before Qt asks anything of the plugin: loading it is enough.
[[maybe_unused]] const bool marked = MarkLoaded();

} // namespace

class HostilePlugin : public QQmlEngineExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlEngineExtensionInterface_iid)
};

#include "hostileplugin.moc"
