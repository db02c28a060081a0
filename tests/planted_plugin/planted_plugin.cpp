// A Qt plugin that does nothing but record, the moment it is loaded, that it
// was: it appends its kind and file name to the file PLANTED_PLUGIN_MARKER
// names. Built once per kind of plugin Qt loads by itself.
#include <QObject>
#include <QtPlugin>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {
const bool announced = [] {
    Dl_info self{};
    const char* marker = std::getenv("PLANTED_PLUGIN_MARKER");
    if (marker == nullptr || ::dladdr(&announced, &self) == 0)
        return false;
    if (std::FILE* file = std::fopen(marker, "a")) {
        std::fprintf(file, "%s %s\n", PLANTED_KIND, self.dli_fname);
        std::fclose(file);
    }
    return true;
}();
} // namespace

class PlantedPlugin : public QObject {
    Q_OBJECT
#if defined(PLANTED_IMAGEFORMATS)
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QImageIOHandlerFactoryInterface" FILE
                          "imageformats.json")
#elif defined(PLANTED_PLATFORMS)
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface.5.3" FILE
                          "platforms.json")
#else
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QPA.QPlatformThemeFactoryInterface.5.1" FILE
                          "platformthemes.json")
#endif
};

#include "planted_plugin.moc"
